#pragma once
// TColumnDropDownBoxEh: the settings of a column's drop-down lookup grid that the user edits at
// the column. The box keeps the fit, multi-title and list-source settings itself; its columns,
// column defaults and options live in the drop-down grid, which it reaches through its owner's
// IDropDownBoxOwnerEh. An owner without that interface has no drop-down grid: the box then reads
// no columns, no defaults and no options, and ignores writes of them.
#include <string>

#include "data_grid/column_parts.h"
#include "platform/rtl/component.h"

class TColumnDefValuesEh;
class TDataSource;
class TDBGridColumnsEh;

class TColumnDropDownBoxEh : public TPersistent {
  public:
    explicit TColumnDropDownBoxEh(TPersistent* Owner) : owner_(Owner) {}
    std::string ClassName() const override { return "TColumnDropDownBoxEh"; }
    TPersistent* GetOwner() const override { return owner_; }
    void Assign(const TPersistent& Source) override;
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    bool AutoFitColWidths() const { return autoFitColWidths_; }
    void SetAutoFitColWidths(bool Value) { autoFitColWidths_ = Value; }
    // The drop-down grid's defaults and columns; nullptr without a drop-down grid.
    TColumnDefValuesEh* ColumnDefValues() const;
    void SetColumnDefValues(const TColumnDefValuesEh& Value);
    TDBGridColumnsEh* Columns() const;
    void SetColumns(const TDBGridColumnsEh& Value);
    // Whether the drop-down grid's columns are the user's own (and so stored).
    bool ColumnsCustomized() const;
    // Handed to the drop-down grid when it opens; the list it shows comes from this source's dataset
    // rather than from the field's lookup dataset.
    TDataSource* ListSource() const { return listSource_; }
    void SetListSource(TDataSource* Value);
    TDBLookupGridEhOptions Options() const;
    void SetOptions(TDBLookupGridEhOptions Value);
    bool UseMultiTitle() const { return useMultiTitle_; }
    void SetUseMultiTitle(bool Value) { useMultiTitle_ = Value; }

    // The owner's grid tells of a component being freed.
    void ForgetComponent(const TComponent* Component);

  private:
    IDropDownBoxOwnerEh* BoxOwner() const { return dynamic_cast<IDropDownBoxOwnerEh*>(owner_); }
    TCustomDBGridEh* DropDownGrid() const;
    bool HasDropDownGrid() const;

    TPersistent* owner_;
    bool autoFitColWidths_ = true;
    TDataSource* listSource_ = nullptr;
    bool useMultiTitle_ = false;
};
