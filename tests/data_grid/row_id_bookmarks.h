#pragma once
// The in-memory dataset's bookmark of a row is its integer id, byte for byte: the bookmark of an id,
// and the ids of the rows a grid has selected.
#include <cstring>
#include <string>
#include <vector>

#include "data_grid/db_grid.h"

namespace row_id_bookmarks {

inline std::string BookmarkOf(int id) {
    std::string bookmark(sizeof(int), '\0');
    std::memcpy(bookmark.data(), &id, sizeof(int));
    return bookmark;
}

inline std::vector<int> SelectedRowIds(const TCustomDBGridEh& grid) {
    std::vector<int> ids;
    for (int i = 0; i < grid.SelectedRows()->Count(); ++i) {
        int id = 0;
        std::memcpy(&id, grid.SelectedRows()->ItemAt(i).data(), sizeof(int));
        ids.push_back(id);
    }
    return ids;
}

}  // namespace row_id_bookmarks
