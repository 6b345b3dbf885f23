// Operations of the grid's in-place editor still on their way: each keeps the editor's plain
// behaviour until its own file takes it over.
#include "data_grid/grid_inplace_edit.h"

// ---- The editor's own, on their way
