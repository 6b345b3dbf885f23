#pragma once
// The grid's own in-place editor over the people grid of the key tests: the current cell's editor
// opened by F2, its buttons, and a column's extra buttons added on demand.
#include <string>
#include <vector>

#include "data_controls/edit_button.h"
#include "data_grid/grid_inplace_edit.h"
#include "platform/rtl/string_list.h"
#include "tests/data_grid/db_grid_keys_fixture.h"

namespace grid_inplace_edit_test {

using grid_keys_test::KeyedGrid;

struct EditorGrid : KeyedGrid {
    static constexpr int IdCol = 1;

    using KeyedGrid::KeyedGrid;

    TDBGridInplaceEdit* Editor() const { return dynamic_cast<TDBGridInplaceEdit*>(grid->InplaceEditor()); }
    // Opens the editor on the record's cell in the grid column.
    TDBGridInplaceEdit* OpenEditor(int gridCol, int id) {
        GoTo(id);
        grid->SetCol(gridCol);
        Press(VK_F2);
        return Editor();
    }
    TEditButtonEh* AddButton(TColumnEh* column, int width) {
        auto* button = static_cast<TEditButtonEh*>(column->EditButtons()->Add());
        button->SetWidth(width);
        return button;
    }
    TEditButtonControlEh* ButtonControl(int index) const {
        return Editor()->ButtonControls().at(static_cast<std::size_t>(index)).EditButtonControl;
    }
    // Places the open editor anew, which lays its buttons out for that size.
    void MoveEditor(int width, int height) {
        const TRect at = Editor()->BoundsRect();
        Editor()->Move({at.Left, at.Top, at.Left + width, at.Top + height});
    }
};

inline void SetItems(TStrings* list, const std::vector<std::string>& items) {
    list->Clear();
    for (const std::string& item : items) list->Add(item);
}

}  // namespace grid_inplace_edit_test
