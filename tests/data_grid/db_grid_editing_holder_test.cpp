// The grid as the holder of an editor it hosts: the keys it takes from the editor and the press
// that opened it, handed over once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/data_grid/db_grid_keys_fixture.h"

using namespace grid_keys_test;

namespace {

TEST(GridEditorHolder, TakesUpDownAndF2FromTheEditorAndLeavesTheRest) {
    struct Case {
        WORD key;
        TShiftState shift;
        bool taken;
        int id;        // the current record afterwards
        int selStart;  // the editor's caret afterwards
    };
    const std::vector<Case> cases = {
        {VK_DOWN, {}, true, 1, 0},          // to the first record shown
        {VK_DOWN, {ssCtrl}, true, 4, 0},    // stays on the record
        {VK_DOWN, {ssShift}, false, 4, 0},  //
        {VK_UP, {}, true, 4, 0},            //
        {VK_F2, {}, true, 4, 5},            // caret to the end, nothing selected
        {VK_LEFT, {}, false, 4, 0},         //
    };
    for (const Case& c : cases) {
        KeyedGrid g;
        g.GoTo(2);
        g.ds.MoveBy(2);
        auto* editor = NewComponent<TEdit>(g.form);
        editor->SetParent(g.grid);
        editor->SetText("Omsk!");
        editor->SetSelStart(0);
        IInplaceEditHolderEh* holder = g.grid;
        WORD key = c.key;
        holder->EditorKeyDown(editor, key, c.shift);
        EXPECT_EQ(key == 0, c.taken) << c.key;
        EXPECT_EQ(g.CurrentId(), c.id) << c.key;
        EXPECT_EQ(editor->SelStart(), c.selStart) << c.key;
        EXPECT_EQ(editor->SelLength(), 0) << c.key;
        EXPECT_TRUE(holder->EditorCanModify(editor));
    }
}

TEST(GridEditorHolder, HandsThePressThatOpenedTheEditorOverOnce) {
    KeyedGrid g;
    IInplaceEditHolderEh* holder = g.grid;
    g.grid->NoteEditorPress({30, 40}, 1234);
    TPoint point;
    DWORD time = 0;
    holder->EditorMouseDownPlace(point, time);
    EXPECT_EQ(point, g.grid->ClientToScreen({30, 40}));
    EXPECT_EQ(time, 1234u);
    holder->EditorMouseDownPlace(point, time);
    EXPECT_EQ(time, 0u);
}

}  // namespace
