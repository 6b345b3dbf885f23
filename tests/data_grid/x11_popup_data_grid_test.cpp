// The drop-down data grid under a form's edit on a real X server (a private Xvfb driven by
// xdotool): the pointer moved over its rows chooses them as it goes, a click chooses a row and asks
// the owner to close accepting it, and meanwhile the keys typed go on to the edit, which keeps the
// focus in a form that stays active.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "data_controls/drop_down_placement.h"
#include "data_grid/popup_data_grid.h"
#include "platform/db/data_source.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/window_functions.h"
#include "tests/data_grid/grid_unit_scope.h"
#include "tests/platform/ui/x11_host_test.h"
#include "tests/support/memory_dataset.h"

namespace {

class X11PopupDataGridTest : public X11HostTest {
  protected:
    void SetUp() override {
        ASSERT_NE(host, nullptr) << "Xvfb did not start";
        unit_ = std::make_unique<GridUnitScope>();
        people_.SetColumns({"ID", "NAME"});
        people_.SetColumnType(0, ftInteger);
        people_.SetColumnType(1, ftString, 20);
        for (int id = 1; id <= 8; ++id)
            people_.AddRow({Variant(id), Variant("Пациент " + std::to_string(id))});
        people_.Open();
        Application->CreateForm(&form_);
        form_->SetBorderStyle(bsNone);
        form_->SetBounds(0, 0, 400, 300);
        edit_ = NewComponent<TEdit>(form_);
        edit_->SetParent(form_);
        edit_->SetBounds(4, 4, 200, 21);
        source_ = NewComponent<TDataSource>(form_);
        source_->SetDataSet(&people_);
        // Owned by the form and parented by the edit, as the data-aware controls keep their lists.
        grid_ = NewComponent<TPopupDataGridEh>(form_);
        grid_->SetVisible(false);
        grid_->SetParent(edit_);
        grid_->SetListSource(source_);
        grid_->SetKeyField("ID");
        grid_->SetListField("NAME");
        grid_->OnKeyChangedByUser = [this](TObject*) { userKeys_.push_back(Key()); };
        grid_->OnListCloseUp = [this](TObject*, bool accept) { closeUps_.push_back(accept); };
        form_->Show();
        edit_->SetFocus();
        Pump([] { return false; }, std::chrono::milliseconds(300));
    }
    void TearDown() override {
        if (grid_ != nullptr)
            grid_->TCustomDBGridEh::SetDataSource(nullptr);
        Application->DestroyForms();
        people_.BeforeDestruction();
        unit_.reset();
    }

    // Drops the grid under the edit: placed in screen coordinates and shown without activation.
    void DropDown() {
        grid_->SetWidth(edit_->Width());
        grid_->SetRowCount(5);
        const TPoint at = PlaceDropDownByControl(edit_, grid_, daLeft);
        grid_->SetBounds(at.X, at.Y, grid_->Width(), grid_->Height());
        ShowWindow(grid_->Handle(), SW_SHOWNOACTIVATE);
        grid_->SetVisible(true);
    }
    int Key() const { return grid_->KeyValue().IsNull() ? 0 : grid_->KeyValue().AsInteger(); }
    // The screen point in the middle of a shown list row's text.
    std::vector<std::string> RowPoint(int row) const {
        const TRect cell = grid_->CellRect(grid_->IndicatorOffset(), grid_->TopDataOffset() + row);
        const TPoint p = grid_->ClientToScreen({cell.Left + 30, (cell.Top + cell.Bottom) / 2});
        return {std::to_string(p.X), std::to_string(p.Y)};
    }
    bool MoveTo(int row, const std::function<bool()>& done) {
        std::vector<std::string> move = RowPoint(row);
        move.insert(move.begin(), "mousemove");
        return Drive(move, done);
    }
    bool Type(const std::string& text, const std::string& expected) {
        return Drive({"type", "--delay", "30", text}, [&] { return edit_->Text() == expected; });
    }
    bool EditKeepsTheFocus() const {
        return edit_->Focused() && form_->Active() && FocusedControl() == edit_;
    }

    std::unique_ptr<GridUnitScope> unit_;
    TMemoryDataSet people_;
    TForm* form_ = nullptr;
    TEdit* edit_ = nullptr;
    TDataSource* source_ = nullptr;
    TPopupDataGridEh* grid_ = nullptr;
    std::vector<int> userKeys_;
    std::vector<bool> closeUps_;
};

TEST_F(X11PopupDataGridTest, PointerChoosesRowsWhileTheEditKeepsTheKeysAndTheFormStaysActive) {
    ASSERT_TRUE(Type("ab", "ab")) << "typed: '" << edit_->Text() << "'";
    ASSERT_TRUE(Pump([&] { return form_->Active(); }, std::chrono::seconds(2)));
    DropDown();
    ASSERT_TRUE(Pump([&] { return grid_->PopupWindow() != nullptr && grid_->PopupWindow()->Shown(); },
                     std::chrono::seconds(2)));
    Pump([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_TRUE(EditKeepsTheFocus());
    EXPECT_TRUE(userKeys_.empty());

    // Hot tracking: the row under the pointer becomes the key, and the owner hears of each.
    EXPECT_TRUE(MoveTo(1, [&] { return Key() == 2; })) << "key " << Key();
    EXPECT_TRUE(MoveTo(3, [&] { return Key() == 4; })) << "key " << Key();
    ASSERT_FALSE(userKeys_.empty());
    EXPECT_EQ(userKeys_.front(), 2);
    EXPECT_EQ(userKeys_.back(), 4);
    for (std::size_t i = 1; i < userKeys_.size(); ++i)
        EXPECT_NE(userKeys_[i], userKeys_[i - 1]) << "once per row";
    EXPECT_TRUE(closeUps_.empty());
    EXPECT_TRUE(EditKeepsTheFocus());

    EXPECT_TRUE(Type("c", "abc")) << "typed: '" << edit_->Text() << "'";
    EXPECT_EQ(Key(), 4) << "keys typed in the edit leave the list alone";

    // A real click on a row chooses it and asks the owner to close, accepting.
    std::vector<std::string> click = RowPoint(2);
    click.insert(click.begin(), "mousemove");
    click.insert(click.end(), {"click", "1"});
    EXPECT_TRUE(Drive(click, [&] { return !closeUps_.empty(); }));
    EXPECT_EQ(closeUps_, std::vector<bool>{true});
    EXPECT_EQ(Key(), 3);
    EXPECT_TRUE(EditKeepsTheFocus()) << "edit focused " << edit_->Focused() << ", form active "
                                     << form_->Active();

    EXPECT_TRUE(Type("d", "abcd")) << "typed: '" << edit_->Text() << "'";
    EXPECT_TRUE(EditKeepsTheFocus());
}

// A press on a row dragged off the window and released over the form asks to close without
// accepting: the release still comes to the grid that took the press.
TEST_F(X11PopupDataGridTest, ReleaseOverTheFormAsksToCloseWithoutAccepting) {
    DropDown();
    ASSERT_TRUE(Pump([&] { return grid_->PopupWindow() != nullptr && grid_->PopupWindow()->Shown(); },
                     std::chrono::seconds(2)));
    std::vector<std::string> press = RowPoint(1);
    press.insert(press.begin(), "mousemove");
    press.insert(press.end(), {"mousedown", "1"});
    ASSERT_TRUE(Drive(press, [&] { return Key() == 2; })) << "key " << Key();
    // Beside the grid, level with its rows: no auto-scroll, and over the form, not the grid.
    const TPoint beside = grid_->ClientToScreen({grid_->Width() + 40, grid_->Height() / 2});
    EXPECT_TRUE(Drive({"mousemove", std::to_string(beside.X), std::to_string(beside.Y), "mouseup", "1"},
                      [&] { return !closeUps_.empty(); }));
    EXPECT_EQ(closeUps_, std::vector<bool>{false});
    EXPECT_EQ(Key(), 2);
    EXPECT_TRUE(EditKeepsTheFocus());
}

}  // namespace
