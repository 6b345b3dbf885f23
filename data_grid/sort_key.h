#pragma once
// What a grid asks its dataset to sort by: the fields of its sort-marked columns in sort order.
#include <string>
#include <vector>

struct TSortKeyEh {
    std::string Field;
    bool Ascending = true;
    bool operator==(const TSortKeyEh&) const = default;
};
using TSortKeysEh = std::vector<TSortKeyEh>;
