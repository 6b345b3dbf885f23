#pragma once
// The grid demo's one form: the visits in a data grid (title-button sorting, the filter row, sum
// and count footers, a pick list for the room, the calendar for the date, the customer's name
// looked up), and below it data-aware controls over the same record. The export button and
// Ctrl+E write the grid as CSV to the export path; closing posts the record being edited.
#include <memory>
#include <string>

#include "platform/ui/form.h"
#include "tools/grid_demo/demo_data.h"

class TCustomDBGridEh;
class TDBCheckBoxEh;
class TDBComboBoxEh;
class TDBEditEh;
class TPopupDateEditDemo;
class TSpeedButton;

namespace grid_demo {

struct TGridDemoSettings {
    std::string DatabasePath;
    std::string ExportPath;
};

class TGridDemoForm : public TForm {
  public:
    explicit TGridDemoForm(TComponent* AOwner);
    ~TGridDemoForm() override;
    // The controls let go of the data before they and it go.
    void BeforeDestruction() override;
    std::string ClassName() const override { return "TGridDemoForm"; }

    // Connects to the database and binds the grid and the controls to its visits.
    void Open(const TGridDemoSettings& settings);
    TGridDemoData& Data() { return *data_; }
    // Writes the grid as CSV to the export path; the file takes the path only once it is whole,
    // so a reader never meets half a file.
    void ExportGrid();
    // Closes as the Close button does; a visit that cannot be posted is cancelled, since nobody is
    // there to correct it.
    void CloseOnSignal();

    TCustomDBGridEh* Grid = nullptr;
    TDBEditEh* NoteEdit = nullptr;
    TDBComboBoxEh* RoomCombo = nullptr;
    TDBCheckBoxEh* PaidCheck = nullptr;
    TPopupDateEditDemo* DateEdit = nullptr;
    TSpeedButton* ExportButton = nullptr;
    TSpeedButton* CloseButton = nullptr;

  private:
    void CreateGrid();
    void CreateColumns();
    void CreateControls();
    void CreateButtons();
    void BindControls(TDataSource* source);
    void AddControlRow(int row, const std::string& caption, TWinControl* control);
    void FormKeyDown(WORD& key, TShiftState shift);
    void FormClosing();

    TGridDemoSettings settings_;
    std::unique_ptr<TGridDemoData> data_;
};

}  // namespace grid_demo
