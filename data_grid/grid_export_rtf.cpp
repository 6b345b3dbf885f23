// RTF: a table whose rows carry each cell's borders, shading, alignment and font. The body is
// written into a memory stream first, because the colour and font tables that precede it are
// only complete once every cell has been seen.
#include <cstdio>

#include "data_controls/memory_stream_eh.h"
#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_export.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/font.h"

namespace {

constexpr int Twips = 1440;
// The grid's canvas has the screen's resolution on this host.
constexpr int CanvasPixelsPerInch = ScreenPixelsPerInch;
const char* const BorderWords[4] = {"\\clbrdrl", "\\clbrdrt", "\\clbrdrb", "\\clbrdrr"};

std::string ColorKey(TColor Color) {
    const TColor rgb = ColorToRGB(Color);
    char key[16];
    std::snprintf(key, sizeof key, "%3d%3d%3d", GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    return key;
}

// The trimmed three-character part of a colour key.
int KeyPart(const std::string& Key, int Part) {
    return std::stoi(Key.substr(static_cast<std::size_t>(Part) * 3, 3));
}

const char* AlignmentWord(TAlignment Alignment) {
    switch (Alignment) {
        case taRightJustify:
            return "\\qr";
        case taCenter:
            return "\\qc";
        default:
            return "\\ql";
    }
}

}  // namespace

TDBGridEhExportAsRTF::TDBGridEhExportAsRTF() = default;
TDBGridEhExportAsRTF::~TDBGridEhExportAsRTF() = default;

void TDBGridEhExportAsRTF::ExportStream(TStream& AStream, bool ExportAll) {
    BodyStream = std::make_unique<TMemoryStreamEh>();
    BodyStream->SetHalfMemoryDelta(65536);
    ColorTable = std::make_unique<TStringList>();
    FontTable = std::make_unique<TStringList>();
    excludedBorders_.clear();
    struct Release {
        TDBGridEhExportAsRTF& self;
        ~Release() {
            self.BodyStream.reset();
            self.ColorTable.reset();
            self.FontTable.reset();
        }
    } release{*this};
    ColorTableIndex(clBlack);
    ColorTableIndex(clWhite);
    ColorTableIndex(clBtnFace);
    // With nothing selected the body stays empty, but the header and tables are still written.
    TDBGridEhExport::ExportStream(*BodyStream, ExportAll);
    WriteHeader(AStream);
    BodyStream->SaveToStream(AStream);
}

int TDBGridEhExportAsRTF::ColorTableIndex(TColor Color) {
    const std::string key = ColorKey(Color);
    const int index = ColorTable->IndexOf(key);
    return index >= 0 ? index : ColorTable->Add(key);
}

int TDBGridEhExportAsRTF::FontTableIndex(const std::string& FontName) {
    const int index = FontTable->IndexOf(FontName);
    return index >= 0 ? index : FontTable->Add(FontName);
}

void TDBGridEhExportAsRTF::WriteHeader(TStream& Target) {
    std::string header = "{\\rtf0\\ansi\r\n{\\colortbl";
    for (int i = 0; i < ColorTable->Count(); ++i) {
        const std::string& key = ColorTable->Get(i);
        header += "\\red" + std::to_string(KeyPart(key, 0)) + "\\green" + std::to_string(KeyPart(key, 1)) +
                  "\\blue" + std::to_string(KeyPart(key, 2)) + ";";
    }
    header += "}\r\n{\\fonttbl";
    for (int i = 0; i < FontTable->Count(); ++i)
        header += "\\f" + std::to_string(i) + "\\fnil " + RtfText(FontTable->Get(i)) + ";";
    header += "}\r\n";
    Target.WriteBuffer(header.data(), static_cast<std::int64_t>(header.size()));
}

void TDBGridEhExportAsRTF::Body(const std::string& Text) {
    BodyStream->WriteBuffer(Text.data(), static_cast<std::int64_t>(Text.size()));
}

void TDBGridEhExportAsRTF::PutSuffix() {
    Body("}");
}

TDBGridEhExportAsRTF::TRtfFont TDBGridEhExportAsRTF::FontOf(const TFont& Font) {
    return TRtfFont{Font.Name(), Font.Size(), Font.Style(), Font.Color()};
}

std::vector<int> TDBGridEhExportAsRTF::RightEdges(TColumnsEhList& Columns) const {
    std::vector<int> edges;
    int edge = 0;
    for (int i = 0; i < Columns.Count(); ++i) {
        edge +=
            static_cast<int>(static_cast<double>(Columns.ColumnAt(i)->Width()) / CanvasPixelsPerInch * Twips);
        edges.push_back(edge);
    }
    return edges;
}

std::string TDBGridEhExportAsRTF::RowSpacing() const {
    return Grid()->Flat() ? "12" : "24";
}

std::string TDBGridEhExportAsRTF::TextRun(const TRtfCell& Cell) {
    std::string run = "\\fs" + std::to_string(Cell.Font.Size * 2);
    if (Cell.Font.Style.Contains(fsBold))
        run += "\\b";
    if (Cell.Font.Style.Contains(fsItalic))
        run += "\\i";
    if (Cell.Font.Style.Contains(fsStrikeOut))
        run += "\\strike";
    if (Cell.Font.Style.Contains(fsUnderline))
        run += "\\ul";
    run += "\\f" + std::to_string(FontTableIndex(Cell.Font.Name));
    run += "\\cf" + std::to_string(ColorTableIndex(Cell.Font.Color));
    run += "\\cb" + std::to_string(ColorTableIndex(Cell.Background));
    return run + " " + RtfText(Cell.Text);
}

void TDBGridEhExportAsRTF::WriteRow(const std::vector<TRtfCell>& Cells, const std::string& Spacing) {
    const std::vector<int> edges = RightEdges(*ExportColumns);
    std::string row = "\\trowd\\trgaph40\r\n";
    for (std::size_t i = 0; i < Cells.size(); ++i) {
        for (int side = 0; side < 4; ++side)
            if (Cells[i].Borders[static_cast<std::size_t>(side)])
                row += std::string(BorderWords[side]) + "\\brdrs\\brdrcf0\r\n";
        row += "\\clshdng10000\\clcfpat" + std::to_string(ColorTableIndex(Cells[i].Shading));
        row += "\\cellx" + std::to_string(i < edges.size() ? edges[i] : 0) + "\r\n";
    }
    row += "{\\trrh0\r\n";
    for (const TRtfCell& cell : Cells) {
        row += "\\pard\\intbl{";
        row += AlignmentWord(cell.Alignment);
        if (!cell.Emptied)
            row += "\\sb" + Spacing + "\\sa" + Spacing;
        row += TextRun(cell) + "\\cell}\r\n";
    }
    row += "\\pard\\intbl\\row}\r\n";
    Body(row);
}

void TDBGridEhExportAsRTF::PutRecord(TColumnsEhList& Columns) {
    row_.clear();
    TDBGridEhExport::PutRecord(Columns);
    WriteRow(row_, RowSpacing());
}

void TDBGridEhExportAsRTF::PutDataCell(TColumnEh* Column, TColCellParamsEh& Params) {
    TFont font;
    font.Assign(*Column->Font());
    TRtfCell cell;
    cell.Shading = CellBackground(Column, &font);
    cell.Alignment = Params.Alignment;
    cell.Font = FontOf(*Params.Font);
    cell.Background = Params.Background;
    cell.Text = Params.Text;
    row_.push_back(std::move(cell));
}

void TDBGridEhExportAsRTF::PutFooter(TColumnsEhList& Columns, int FooterRow) {
    row_.clear();
    TDBGridEhExport::PutFooter(Columns, FooterRow);
    WriteRow(row_, RowSpacing());
}

void TDBGridEhExportAsRTF::PutFooterCell(int /*DataCol*/, int /*FooterRow*/, const std::string& Text,
                                         TAlignment Alignment, TColor Background, TFont* Font,
                                         TColumnEh* /*Column*/) {
    TRtfCell cell;
    cell.Shading = Background;
    cell.Alignment = Alignment;
    cell.Font = FontOf(*Font);
    cell.Background = Background;
    cell.Text = Text;
    row_.push_back(std::move(cell));
}
