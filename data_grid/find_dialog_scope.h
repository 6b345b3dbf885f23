#pragma once
// The scope a caller may hand the find dialog instead of the grid's visible columns: one entry per
// column, with the caption the dialog lists it under. The grid and its editor hand an empty one.
#include <string>
#include <vector>

class TColumnEh;

struct TColumnFieldItemEh {
    std::string Caption;
    TColumnEh* Column = nullptr;
};
using TColumnFieldsArrEh = std::vector<TColumnFieldItemEh>;
