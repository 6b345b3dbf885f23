#pragma once
// TDBGridEhFindDlg: the grid's find dialog. It searches the dataset behind a grid for a text,
// record by record and column by column, in one column or in all of the grid's visible columns,
// upwards, downwards or from the first record. One dialog, owned by the application object, serves
// every grid: the grid's find hook reloads it for whichever grid calls.
#include <string>

#include "data_grid/columns.h"
#include "data_grid/find_dialog_scope.h"
#include "platform/ui/form.h"

class TButton;
class TCustomDBGridEh;
class TDataSet;
class TDBCheckBoxEh;
class TDBComboBoxEh;
class TLabel;

// The match mode is the item index of cbMatchinType, the direction that of cbFindDirection.
enum TFindMatchModeEh { fmmAnywhereEh, fmmWholeEh, fmmStartEh };
enum TFindDirectionEh { fdUpEh, fdDownEh, fdAllEh };

class TDBGridEhFindDlg : public TForm {
  public:
    explicit TDBGridEhFindDlg(TComponent* AOwner);
    ~TDBGridEhFindDlg() override;
    std::string ClassName() const override { return "TDBGridEhFindDlg"; }

    // The controls, in declaration order.
    TDBComboBoxEh* cbText = nullptr;
    TButton* bFind = nullptr;
    TButton* bCancel = nullptr;
    TLabel* Label1 = nullptr;
    TDBComboBoxEh* cbFindIn = nullptr;
    TLabel* Label2 = nullptr;
    TDBComboBoxEh* cbMatchinType = nullptr;
    TLabel* cbMatchType = nullptr;
    TDBComboBoxEh* cbFindDirection = nullptr;
    TLabel* Label3 = nullptr;
    TDBCheckBoxEh* cbCharCase = nullptr;
    TDBCheckBoxEh* cbUseFormat = nullptr;

    // Takes Grid as the grid to search and shows the dialog, modally or floating above the program.
    void LoadFromGrid(TCustomDBGridEh* Grid, const std::string& Text, bool Modal,
                      const TColumnFieldsArrEh& ColumnFields);
    // The scope list: ColumnFields, or without them the grid's visible columns, then "<All>".
    void FillFindInList(const TColumnFieldsArrEh& ColumnFields);
    void BuildSearchColumns();

    // Event handlers.
    void cbTextChange(TObject* Sender);
    void cbFindInChange(TObject* Sender);
    void bCancelClick(TObject* Sender);
    void bFindClick(TObject* Sender);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

    TCustomDBGridEh* FindGrid() const { return findGrid_; }
    const TColumnsEhList& SearchColumns() const { return searchColumns_; }
    int SearchColumnIndex() const { return searchColumnIndex_; }
    bool FirstTry() const { return firstTry_; }

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Whether the search ran past the first or the last record (or has no record to look at).
    bool AtSearchEnd(const TDataSet& DataSet) const;
    // One cell on in the stepping direction: all columns of a record before the next record.
    void StepSearchPosition(TDataSet& DataSet);
    // The text a cell is searched in: its display text with cbUseFormat, else its field's text.
    std::string CellSearchText(TColumnEh& Column) const;

  private:
    void CreateControls();
    void PlaceControls();
    void FitLabelColumn();
    void SetFindGrid(TCustomDBGridEh* Grid);
    void RecordPattern(const std::string& Pattern);
    // The active dataset of the grid, or nullptr when there is nothing to search.
    TDataSet* SearchDataSet() const;
    // Rebuilds the scope when a column it names is no longer one of the grid's columns.
    void RefreshStaleScope();
    bool ScopeStale() const;
    // Runs the loop over the cells; true with the dataset on the matching record.
    bool SearchCells(TDataSet& DataSet, const std::string& Pattern);
    void SelectMatchColumn(TColumnEh& Column);
    // Back where a failed search started.
    void RestoreStart(TDataSet& DataSet, const std::string& Start);

    TCustomDBGridEh* findGrid_ = nullptr;
    TColumnsEhList searchColumns_;
    int searchColumnIndex_ = -1;
    bool firstTry_ = true;
    // The explicit scope of the last load, kept to rebuild the scope list.
    TColumnFieldsArrEh columnFields_;
    // The stepping direction of the running search, and whether a record step ran off the end.
    bool backward_ = false;
    bool passedEnd_ = false;
};

// The program's find dialog; nullptr before the first use.
TDBGridEhFindDlg* GridFindDialog();
// The grid's find hook: makes the dialog on first use and loads it for Grid.
void ShowGridFindDialog(TCustomDBGridEh* Grid, const std::string& Text,
                        const TColumnFieldsArrEh& ColumnFields, bool Modal);
