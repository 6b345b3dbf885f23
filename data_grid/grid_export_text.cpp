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

void AppendQuotedCell(std::string& Line, const std::string& Text) {
    Line += '"';
    std::size_t from = 0;
    for (std::size_t quote = Text.find('"'); quote != std::string::npos; quote = Text.find('"', from)) {
        Line.append(Text, from, quote + 1 - from);
        Line += '"';
        from = quote + 1;
    }
    Line.append(Text, from, std::string::npos);
    Line += '"';
}

std::string QuotedCellText(const std::string& Text) {
    std::string quoted;
    AppendQuotedCell(quoted, Text);
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

void TDBGridEhExportAsText::AppendCell(const std::string& Text) {
    if (NeedsQuotes(Text))
        AppendQuotedCell(Line, Text);
    else
        Line += Text;
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
        AppendCell(Columns.ColumnAt(i)->Title()->Caption());
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
    AppendCell(Params.Text);
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
    AppendCell(Text);
}
