// CSV: the text form with the program's separator between cells and every cell quoted.
#include "data_grid/grid_export.h"

TDBGridEhExportAsCSV::TDBGridEhExportAsCSV() : cellSeparator_(ExportCsvSeparator) {}

void TDBGridEhExportAsCSV::SeparateCell() {
    if (!AtFirstCell)
        Line += cellSeparator_;
    AtFirstCell = false;
}

void TDBGridEhExportAsCSV::AppendCell(const std::string& Text) {
    AppendQuotedCell(Line, Text);
}
