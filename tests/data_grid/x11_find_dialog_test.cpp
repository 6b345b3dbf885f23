// The find dialog with real X input: on a private Xvfb server xdotool presses Ctrl+F in a grid,
// types a pattern into the modeless dialog floating above it, clicks in the grid between searches
// and closes the dialog with Esc.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "data_controls/db_combo_box.h"
#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/find_dialog.h"
#include "data_grid/grid_unit.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/ui/form.h"
#include "platform/ui/push_button.h"
#include "platform/ui/qt/qt_window.h"
#include "tests/platform/ui/x11_host_test.h"
#include "tests/support/memory_dataset.h"

namespace {

// A grid whose find dialog stays open beside it.
class ModelessFindGrid : public TCustomDBGridEh {
  public:
    using TCustomDBGridEh::TCustomDBGridEh;
    bool FindDialogModal() override { return false; }
};

class X11FindDialogTest : public X11HostTest {
  protected:
    static constexpr int Records = 40;

    void SetUp() override {
        ASSERT_NE(host, nullptr) << "Xvfb did not start";
        InitializeDBGridEhUnit();
        Application->CreateForm(&form_);
        form_->SetBorderStyle(bsNone);
        form_->SetBounds(0, 0, 600, 400);
        grid_ = NewComponent<ModelessFindGrid>(form_);
        grid_->SetParent(form_);
        grid_->SetBounds(0, 0, 600, 400);
        ds_.SetColumns({"ID", "NAME"});
        ds_.SetColumnType(0, ftInteger);
        ds_.SetColumnType(1, ftString, 20);
        for (int i = 1; i <= Records; ++i) ds_.AddRow({Variant(i), Variant("patient-" + std::to_string(i))});
        source_ = NewComponent<TDataSource>(form_);
        source_->SetDataSet(&ds_);
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid_->Columns());
        for (const char* name : {"ID", "NAME"}) columns.Add()->SetFieldName(name);
        grid_->SetDataSource(source_);
        ds_.Open();
        form_->Show();
        Pump([] { return false; }, std::chrono::milliseconds(300));
    }
    void TearDown() override {
        if (grid_ != nullptr)
            grid_->SetDataSource(nullptr);
        Application->DestroyForms();
        ds_.BeforeDestruction();
        FinalizeDBGridEhUnit();
    }

    int RecordId() const { return ds_.FieldByName("ID")->AsInteger(); }
    // Moves the pointer over a control's point and clicks there.
    bool ClickAt(TControl& control, TPoint at, const std::function<bool()>& done) {
        const TPoint screen = control.ClientToScreen(at);
        return Drive({"mousemove", std::to_string(screen.X), std::to_string(screen.Y), "click", "1"}, done);
    }
    TPoint CellCentre(int col, int row) const {
        const TRect r = grid_->CellRect(col, row);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }

    TForm* form_ = nullptr;
    ModelessFindGrid* grid_ = nullptr;
    TMemoryDataSet ds_;
    TDataSource* source_ = nullptr;
};

TEST_F(X11FindDialogTest, CtrlFOpensTheDialogOnTopAndEnterMovesTheGridBetweenClicksInIt) {
    // A click in the grid gives it the focus.
    ASSERT_TRUE(ClickAt(*grid_, CellCentre(2, 2), [&] { return grid_->Focused() && RecordId() == 2; }))
        << "record " << RecordId();
    ASSERT_TRUE(
        Drive({"key", "ctrl+f"}, [] { return GridFindDialog() != nullptr && GridFindDialog()->Visible(); }));
    TDBGridEhFindDlg& dialog = *GridFindDialog();
    EXPECT_FALSE(dialog.Modal());
    EXPECT_EQ(dialog.FormStyle(), fsStayOnTop);
    auto* window = static_cast<platform::ui::QtWindow*>(dialog.Native());
    EXPECT_TRUE(window->Widget().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    ASSERT_TRUE(Pump([&] { return dialog.cbText->Focused(); }, std::chrono::seconds(5)));

    EXPECT_TRUE(
        Drive({"type", "--delay", "20", "patient-25"}, [&] { return dialog.cbText->Text() == "patient-25"; }))
        << "typed: " << dialog.cbText->Text();
    EXPECT_TRUE(Drive({"key", "Return"}, [&] { return RecordId() == 25; })) << "record " << RecordId();
    EXPECT_EQ(grid_->SelectedColumnIndex(), 1);

    // The user goes on working in the grid while the dialog stays: a click on a row above the found one.
    Pump([] { return false; }, std::chrono::milliseconds(200));
    ASSERT_GT(grid_->Row(), 1);
    EXPECT_TRUE(ClickAt(*grid_, CellCentre(1, grid_->Row() - 1), [&] { return RecordId() == 24; }))
        << "record " << RecordId() << " focused " << grid_->Focused() << " active " << form_->Active()
        << " row " << grid_->Row();
    EXPECT_TRUE(dialog.Visible());
    const int clicked = RecordId();

    // The next search steps on from where the grid now stands.
    TButton& find = *dialog.bFind;
    EXPECT_TRUE(ClickAt(find, {find.Width() / 2, find.Height() / 2}, [&] { return RecordId() == 25; }))
        << "record " << RecordId() << " after " << clicked;

    EXPECT_TRUE(Drive({"key", "Escape"}, [&] { return !dialog.Visible(); }));
    EXPECT_EQ(RecordId(), 25);
}

}  // namespace
