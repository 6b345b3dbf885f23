// Tab-separated text: a line per title, record and footer row, cells apart by TAB, lines apart by
// CR LF with none after the last. Each line is gathered and written to the stream at once.
#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/grid_export.h"
#include "platform/rtl/stream.h"

namespace {

bool NeedsQuotes(const std::string& Text) {
    return (!Text.empty() && Text.front() == '"') || Text.find_first_of("\t\r\n") != std::string::npos;
}

}  // namespace

std::string QuotedCellText(const std::string& Text) {
    std::string quoted;
    quoted.reserve(Text.size() + 2);
    quoted += '"';
    for (const char c : Text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

void TDBGridEhExportAsText::ExportStream(TStream& AStream, bool ExportAll) {
    AtFirstRow = true;
    Line.clear();
    TDBGridEhExport::ExportStream(AStream, ExportAll);
}

void TDBGridEhExportAsText::SeparateRecord() {
    if (!AtFirstRow)
        Line += "\r\n";
    AtFirstRow = false;
}

void TDBGridEhExportAsText::SeparateCell() {
    if (!AtFirstCell)
        Line += '\t';
    AtFirstCell = false;
}

std::string TDBGridEhExportAsText::CellText(const std::string& Text) const {
    return NeedsQuotes(Text) ? QuotedCellText(Text) : Text;
}

void TDBGridEhExportAsText::FlushLine() {
    Stream->WriteBuffer(Line.data(), static_cast<std::int64_t>(Line.size()));
    Line.clear();
}

void TDBGridEhExportAsText::PutTitle(TColumnsEhList& Columns) {
    SeparateRecord();
    AtFirstCell = true;
    for (int i = 0; i < Columns.Count(); ++i) {
        SeparateCell();
        Line += CellText(Columns.ColumnAt(i)->Title()->Caption());
    }
    FlushLine();
}

void TDBGridEhExportAsText::PutRecord(TColumnsEhList& Columns) {
    SeparateRecord();
    AtFirstCell = true;
    TDBGridEhExport::PutRecord(Columns);
    FlushLine();
}

void TDBGridEhExportAsText::PutDataCell(TColumnEh* /*Column*/, TColCellParamsEh& Params) {
    SeparateCell();
    Line += CellText(Params.Text);
}

void TDBGridEhExportAsText::PutFooter(TColumnsEhList& Columns, int FooterRow) {
    SeparateRecord();
    AtFirstCell = true;
    TDBGridEhExport::PutFooter(Columns, FooterRow);
    FlushLine();
}

void TDBGridEhExportAsText::PutFooterCell(int /*DataCol*/, int /*FooterRow*/, const std::string& Text,
                                          TAlignment /*Alignment*/, TColor /*Background*/, TFont* /*Font*/,
                                          TColumnEh* /*Column*/) {
    SeparateCell();
    Line += CellText(Text);
}
