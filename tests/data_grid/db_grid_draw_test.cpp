// What each kind of grid cell draws on the headless host: indicator glyphs by state and selection,
// sort markers and their numbers, the filter row, footer texts, check boxes, cell buttons, the
// required mark, hidden duplicates and 3-D frames; and which cells the frame rules give a frame.
#include <functional>

#include "data_controls/edit_button_metrics.h"
#include "data_grid/column_filter.h"
#include "data_grid/column_footer.h"
#include "data_grid/column_title.h"
#include "data_grid/grid_cell_type.h"
#include "data_grid/grid_filter.h"
#include "data_grid/sum_list_grid.h"
#include "platform/db/field.h"
#include "platform/rtl/strings.h"
#include "tests/data_grid/db_grid_draw_fixture.h"

namespace grid_draw_test {
namespace {

constexpr std::uint32_t DarkHighlight = 0x404040;
constexpr std::uint32_t Red = 0xFF0000;
constexpr std::uint32_t Blue = 0x0000FF;

bool TextIn(const DrawnText& Text, const TRect& Cell) {
    return Text.At.X >= Cell.Left && Text.At.X < Cell.Right && Text.At.Y >= Cell.Top &&
           Text.At.Y < Cell.Bottom;
}

std::vector<std::string> TextsIn(const std::vector<DrawnText>& Texts, const TRect& Cell) {
    std::vector<std::string> found;
    for (const DrawnText& t : Texts)
        if (!t.Text.empty() && TextIn(t, Cell))
            found.push_back(t.Text);
    return found;
}

// Where the sort marker of a title stands when NumberWidth pixels are kept for its number.
bool MarkerAt(GridDrawRig& r, int Col, int Glyph, int NumberWidth) {
    TImageList& list = DBGridEhUnit()->SortMarkers();
    const TRect cell = r.grid->CellRect(Col, 0);
    const int x = cell.Right - NumberWidth - 2 - list.Width();
    const int y = (cell.Top + cell.Bottom - list.Height()) / 2;
    return r.GlyphAt(list, Glyph, x, y);
}

int MarkerNumberWidth(GridDrawRig& r, const std::string& Number) {
    r.grid->Canvas()->Font()->Assign(SortMarkerNumberFont());
    return r.grid->Canvas()->TextWidth(Number);
}

void SelectRecords(GridDrawRig& r, std::initializer_list<int> Ids) {
    r.grid->SetOptions(r.grid->Options() + TDBGridEhOptions{gdoMultiSelectEh});
    for (int id : Ids) {
        r.ds.Locate("ID", Variant(id), {});
        r.grid->SelectedRows()->SelectCurrentRow(true);
    }
    r.ds.First();
}

// The grid focused on the NAME column of the first record, searching for Text.
void StartSearch(GridDrawRig& r, const std::string& Text) {
    r.grid->SetExtOptions({gxoIncSearchEh});
    r.grid->SetFocus();
    r.grid->SetCol(2);
    r.grid->GridIncrementalSearch(Text, 60000, ismNewEh);
}

void ShowFooter(GridDrawRig& r, TFooterValueType Type, const std::string& FieldName = "",
                const std::string& Format = "") {
    r.grid->SetFooterRowCount(1);
    auto& footer = static_cast<TColumnFooterEh&>(*r.Column(0)->Footer());
    footer.SetValueType(Type);
    footer.SetFieldName(FieldName);
    footer.SetDisplayFormat(Format);
    r.grid->SumList()->SetActive(true);
}

TRect FooterCell(GridDrawRig& r, int Col) {
    return r.grid->CellRect(Col, r.grid->RowCount() - 1);
}

struct CellCase {
    const char* what;
    std::function<void(GridDrawRig&)> setUp;
    std::function<void(GridDrawRig&, const std::vector<DrawnText>&)> check;
    // Just before the paint, once the grid is laid out (a new layout ends an in-place search).
    std::function<void(GridDrawRig&)> lastStep = nullptr;
};

TEST(GridCellDrawing, WhatEachCellDraws) {
    const CellCase cases[] = {
        {"the current row's indicator shows the arrow, other rows nothing", [](GridDrawRig&) {},
         [](GridDrawRig& r, const std::vector<DrawnText>&) {
             EXPECT_EQ(r.IndicatorGlyph(1), 0);
             EXPECT_EQ(r.IndicatorGlyph(2), -1);
         }},
        {"editing shows the pencil", [](GridDrawRig& r) { r.ds.Edit(); },
         [](GridDrawRig& r, const std::vector<DrawnText>&) { EXPECT_EQ(r.IndicatorGlyph(1), 1); }},
        {"inserting shows the insert mark on the new row", [](GridDrawRig& r) { r.ds.Insert(); },
         [](GridDrawRig& r, const std::vector<DrawnText>&) {
             EXPECT_EQ(r.IndicatorGlyph(r.grid->Row()), 2);
         }},
        {"a selected current row shows the wide arrow; another selected row its highlight alone",
         [](GridDrawRig& r) {
             SelectRecords(r, {1, 2});
         },
         [](GridDrawRig& r, const std::vector<DrawnText>&) {
             EXPECT_EQ(r.IndicatorGlyph(1), 5);
             EXPECT_EQ(r.IndicatorGlyph(2), -1);
             const TRect other = r.grid->CellRect(0, 2);
             EXPECT_EQ(r.Pixel(other.Left + 1, other.Top + 1), DarkHighlight);
             EXPECT_NE(r.Pixel(r.grid->CellRect(0, 3).Left + 1, r.grid->CellRect(0, 3).Top + 1),
                       DarkHighlight);
         }},
        {"while editing, a selected row that is not current still shows no glyph",
         [](GridDrawRig& r) {
             SelectRecords(r, {1, 2});
             r.ds.Edit();
         },
         [](GridDrawRig& r, const std::vector<DrawnText>&) {
             EXPECT_EQ(r.IndicatorGlyph(1), 1);
             EXPECT_EQ(r.IndicatorGlyph(2), -1);
         }},
        {"during an in-place search the current row shows the arrow on the search colour",
         [](GridDrawRig&) {},
         [](GridDrawRig& r, const std::vector<DrawnText>&) {
             EXPECT_EQ(r.IndicatorGlyph(1), 6);
             EXPECT_EQ(r.IndicatorGlyph(2), -1);
         },
         [](GridDrawRig& r) { StartSearch(r, "Ив"); }},
        {"the searched characters are marked over the start of right-aligned text",
         [](GridDrawRig& r) { r.Column(1)->SetAlignment(taRightJustify); },
         [](GridDrawRig& r, const std::vector<DrawnText>& texts) {
             const TRect cell = r.grid->CellRect(2, 1);
             const DrawnText* whole = r.Find(texts, "Иванов");
             const DrawnText* mark = r.Find(texts, "Ив");
             ASSERT_NE(whole, nullptr);
             ASSERT_NE(mark, nullptr);
             EXPECT_TRUE(TextIn(*mark, cell));
             EXPECT_EQ(mark->At.X, whole->At.X);
             EXPECT_EQ(mark->At.Y, whole->At.Y);
             EXPECT_EQ(mark->Argb & 0xFFFFFF, 0u);
             EXPECT_GT(r.CountPixels(cell, TColor(0x0000FFFF)), 0);
             // Only the current cell is marked.
             EXPECT_EQ(r.Occurrences(texts, "Ив"), 1);
         },
         [](GridDrawRig& r) { StartSearch(r, "ив"); }},
        {"multi-line titles draw their leaves under the group caption they share",
         [](GridDrawRig& r) {
             r.grid->SetUseMultiTitle(true);
             r.Column(0)->Title()->SetCaption("Пациент|Номер");
             r.Column(1)->Title()->SetCaption("Пациент|Фамилия");
         },
         [](GridDrawRig& r, const std::vector<DrawnText>& texts) {
             const DrawnText* number = r.Find(texts, "Номер");
             const DrawnText* name = r.Find(texts, "Фамилия");
             ASSERT_NE(number, nullptr);
             ASSERT_NE(name, nullptr);
             EXPECT_TRUE(TextIn(*number, r.grid->CellRect(1, 0)));
             EXPECT_TRUE(TextIn(*name, r.grid->CellRect(2, 0)));
             // The group's caption, drawn in each of its cells, stands above both leaves.
             std::vector<const DrawnText*> group;
             for (const DrawnText& t : texts)
                 if (t.Text == "Пациент")
                     group.push_back(&t);
             ASSERT_FALSE(group.empty());
             for (const DrawnText* g : group) EXPECT_LT(g->At.Y, std::min(number->At.Y, name->At.Y));
             EXPECT_EQ(r.Find(texts, "Пациент|Номер"), nullptr);
         }},
        {"a single sort marker stands without a number",
         [](GridDrawRig& r) { r.Column(1)->Title()->SetSortMarker(smDownEh); },
         [](GridDrawRig& r, const std::vector<DrawnText>& texts) {
             EXPECT_TRUE(MarkerAt(r, 2, 0, 0));
             EXPECT_EQ(TextsIn(texts, r.grid->CellRect(2, 0)), std::vector<std::string>{"NAME"});
         }},
        {"two sort markers carry their places 1 and 2",
         [](GridDrawRig& r) {
             r.grid->SetExtOptions({gxoMultiSortMarkingEh});
             r.Column(1)->Title()->SetSortMarker(smDownEh);
             r.Column(0)->Title()->SetSortMarker(smUpEh);
         },
         [](GridDrawRig& r, const std::vector<DrawnText>& texts) {
             EXPECT_TRUE(MarkerAt(r, 2, 0, MarkerNumberWidth(r, "1")));
             EXPECT_TRUE(MarkerAt(r, 1, 1, MarkerNumberWidth(r, "2")));
             EXPECT_EQ(TextsIn(texts, r.grid->CellRect(2, 0)), (std::vector<std::string>{"NAME", "1"}));
             EXPECT_EQ(TextsIn(texts, r.grid->CellRect(1, 0)), (std::vector<std::string>{"ID", "2"}));
         }},
        {"a title too narrow for the marker drops it",
         [](GridDrawRig& r) {
             r.Column(1)->Title()->SetSortMarker(smDownEh);
             r.Column(1)->SetWidth(12);
         },
         [](GridDrawRig& r, const std::vector<DrawnText>&) {
             const TRect cell = r.grid->CellRect(2, 0);
             TImageList& list = DBGridEhUnit()->SortMarkers();
             for (int x = cell.Left - list.Width(); x < cell.Right; ++x)
                 EXPECT_FALSE(r.GlyphAt(list, 0, x, (cell.Top + cell.Bottom - list.Height()) / 2)) << x;
         }},
        {"the filter row writes its condition in blue on the lightened fixed colour",
         [](GridDrawRig& r) {
             static_cast<TSTDBGridEhFilter*>(r.grid->STFilter())->SetVisible(true);
             static_cast<TSTColumnFilterEh*>(r.Column(0)->STFilter())->SetExpressionText("3");
         },
         [](GridDrawRig& r, const std::vector<DrawnText>&) {
             const int row = r.grid->TopDataOffset() - 1;
             const TRect cell = r.grid->CellRect(1, row);
             const std::vector<DrawnText> texts = r.DrawFixed(1, row, gctSubTitleRowEh | gctDataColEh);
             const std::string condition =
                 static_cast<TSTColumnFilterEh*>(r.Column(0)->STFilter())->FilterText();
             ASSERT_FALSE(condition.empty());
             const DrawnText* text = r.Find(texts, condition);
             ASSERT_NE(text, nullptr);
             EXPECT_TRUE(TextIn(*text, cell));
             EXPECT_EQ(text->Argb & 0xFFFFFF, Blue);
             EXPECT_EQ(r.Pixel(cell.Right - 2, cell.Bottom - 2),
                       ColorToArgb(TCustomDBGridEh::LightenColor(clBtnFace, 8)) & 0xFFFFFF);
         }},
        {"an average footer of whole numbers shows a whole number",
         [](GridDrawRig& r) { ShowFooter(r, fvtAvg); },
         [](GridDrawRig& r, const std::vector<DrawnText>& texts) {
             // 1, 2, 3 and 4 average 2.5, which rounds to the even 2.
             EXPECT_EQ(TextsIn(texts, FooterCell(r, 1)), std::vector<std::string>{"2"});
         }},
        {"an average footer with a format keeps its decimals",
         [](GridDrawRig& r) { ShowFooter(r, fvtAvg, "", "0.00"); },
         [](GridDrawRig& r, const std::vector<DrawnText>& texts) {
             EXPECT_EQ(TextsIn(texts, FooterCell(r, 1)), std::vector<std::string>{"2.50"});
         }},
        {"a field-value footer naming no field shows an empty cell",
         [](GridDrawRig& r) { ShowFooter(r, fvtFieldValue, "NO_SUCH_FIELD"); },
         [](GridDrawRig& r, const std::vector<DrawnText>& texts) {
             EXPECT_EQ(TextsIn(texts, FooterCell(r, 1)), std::vector<std::string>{});
         }},
        {"a check box stands centred in its glyph size",
         [](GridDrawRig& r) {
             r.Column(2)->SetCheckboxes(true);
             r.Column(2)->SetWidth(40);
         },
         [](GridDrawRig& r, const std::vector<DrawnText>&) {
             const TRect cell = r.grid->CellRect(3, 2);
             const TRect ink = r.Ink(cell, clWindow);
             // The glyph's light outer edge may match the window colour.
             EXPECT_GE(ink.Width(), MeasureCheckGlyph().cx - 1);
             EXPECT_LE(ink.Width(), MeasureCheckGlyph().cx);
             EXPECT_NEAR((ink.Left + ink.Right) / 2, (cell.Left + cell.Right) / 2, 1);
         }},
        {"a check box narrower than its glyph shrinks to the cell",
         [](GridDrawRig& r) {
             r.Column(2)->SetCheckboxes(true);
             r.Column(2)->SetWidth(7);
         },
         [](GridDrawRig& r, const std::vector<DrawnText>&) {
             const TRect cell = r.grid->CellRect(3, 2);
             const TRect ink = r.Ink(cell, clWindow);
             EXPECT_EQ(ink.Width(), cell.Width());
             EXPECT_GT(ink.Height(), 0);
             EXPECT_LE(ink.Height(), MeasureCheckGlyph().cy);
         }},
        {"a column always showing its ellipsis button draws it at the cell's right",
         [](GridDrawRig& r) {
             r.Column(1)->SetButtonStyle(cbsEllipsis);
             r.Column(1)->SetAlwaysShowEditButton(true);
         },
         [](GridDrawRig& r, const std::vector<DrawnText>&) {
             const TRect cell = r.grid->CellRect(2, 2);
             const int button = r.grid->EditButtonWidth();
             EXPECT_GT(r.CountPixels({cell.Right - button, cell.Top, cell.Right, cell.Bottom}, clBtnFace),
                       button * 2);
             EXPECT_EQ(r.CountPixels({cell.Left, cell.Top, cell.Right - button - 2, cell.Bottom}, clBtnFace),
                       0);
         }},
        {"an empty required field being edited gets the red dotted mark",
         [](GridDrawRig& r) {
             r.ds.FieldByName("NAME")->Required = true;
             r.Column(1)->SetHighlightRequired(true);
             r.ds.Edit();
             r.ds.FieldByName("NAME")->Clear();
         },
         [](GridDrawRig& r, const std::vector<DrawnText>&) {
             const TRect cell = r.grid->CellRect(2, 1);
             const int y = cell.Bottom - 2;
             EXPECT_EQ(r.Pixel(cell.Left + 2, y), Red);
             EXPECT_NE(r.Pixel(cell.Left + 3, y), Red);
             EXPECT_EQ(r.CountPixels({cell.Left, y, cell.Right, y + 1}, clRed), (cell.Width() - 5 + 1) / 2);
             EXPECT_EQ(r.CountPixels(r.grid->CellRect(2, 2), clRed), 0);
         }},
        {"hidden duplicates leave repeated texts out",
         [](GridDrawRig& r) { r.Column(1)->SetHideDuplicates(true); },
         [](GridDrawRig& r, const std::vector<DrawnText>& texts) {
             EXPECT_EQ(r.Occurrences(texts, "Иванов"), 1);
             EXPECT_EQ(r.Occurrences(texts, "Петров"), 1);
             EXPECT_FALSE(TextsIn(texts, r.grid->CellRect(2, 3)).empty());
         }},
        {"a data cell with the 3-D option is framed: light above, shadow below",
         [](GridDrawRig& r) { r.grid->SetExtOptions({gxoData3DEh}); },
         [](GridDrawRig& r, const std::vector<DrawnText>&) {
             const TRect cell = r.grid->CellRect(2, 2);
             EXPECT_EQ(r.Pixel(cell.Left + 3, cell.Top), ColorToArgb(clBtnHighlight) & 0xFFFFFF);
             EXPECT_EQ(r.Pixel(cell.Left + 3, cell.Bottom - 1), ColorToArgb(clBtnShadow) & 0xFFFFFF);
         }},
    };
    for (const CellCase& c : cases) {
        SCOPED_TRACE(c.what);
        GridDrawRig rig;
        c.setUp(rig);
        rig.Relayout();
        rig.ui.ProcessMessages();
        if (c.lastStep)
            c.lastStep(rig);
        c.check(rig, rig.Paint());
    }
}

// Grid rows: title, four records, the filler row and one footer row (or no filler and footer).
TEST(GridCellDrawing, FrameRules) {
    struct Case {
        const char* what;
        TDBGridEhExtOptions options;
        int footers;
        int col, row;
        bool fixed;
        bool framed;
    };
    const Case cases[] = {
        {"fixed 3-D: indicator of a data row", {gxoFixed3DEh}, 1, 0, 2, true, true},
        {"fixed 3-D: a title", {gxoFixed3DEh}, 1, 1, 0, true, true},
        {"fixed 3-D: the filler row's indicator has none", {gxoFixed3DEh}, 1, 0, 5, true, false},
        {"fixed 3-D without footers: the last record's indicator keeps it",
         {gxoFixed3DEh},
         0,
         0,
         4,
         true,
         true},
        {"fixed and data 3-D with footers: the filler row's indicator",
         {gxoFixed3DEh, gxoData3DEh},
         1,
         0,
         5,
         true,
         true},
        {"fixed and data 3-D without footers: the last record's indicator",
         {gxoFixed3DEh, gxoData3DEh},
         0,
         0,
         4,
         true,
         true},
        {"footer 3-D: a footer cell", {gxoFooter3DEh}, 1, 1, 6, false, true},
        {"footer 3-D: a data cell has none", {gxoFooter3DEh}, 1, 1, 2, false, false},
        {"data 3-D: a data cell", {gxoData3DEh}, 1, 1, 2, false, true},
        {"data 3-D: a footer cell has none", {gxoData3DEh}, 1, 1, 6, false, false},
        {"frozen 3-D: a frozen data cell", {gxoFrozen3DEh}, 1, 1, 2, true, true},
        {"frozen 3-D: a title is not frozen", {gxoFrozen3DEh}, 1, 1, 0, true, false},
        {"nothing set", {}, 1, 0, 2, true, false},
    };
    platform::ui::HeadlessSession ui;
    TObjectPtr<DrawProbeGrid> grid = MakeComponent<DrawProbeGrid>(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        grid->SetExtOptions(c.options);
        grid->SetFooterRowCount(c.footers);
        grid->SetColCount(3);
        grid->SetRowCount(1 + 4 + (c.footers > 0 ? c.footers + 1 : 0));
        TGridDrawState state;
        if (c.fixed)
            state.Include(gdFixed);
        EXPECT_EQ(grid->CellHas3DFrame(c.col, c.row, state), c.framed);
    }
}

// A cell-parameter handler that makes a second grid paint in the middle of the first grid's paint:
// each grid still draws its own texts.
TEST(GridCellDrawing, NestedPaintOfAnotherGridLeavesTheOuterCellsAlone) {
    GridDrawRig r;
    TMemoryDataSet otherData;
    otherData.SetColumns({"NAME"});
    otherData.SetColumnType(0, ftString, 20);
    otherData.AddRow({Variant("Сидоров")});
    auto* otherSource = NewComponent<TDataSource>(r.form);
    otherSource->SetDataSet(&otherData);
    auto* other = NewComponent<DrawProbeGrid>(r.form);
    other->SetParent(r.form);
    r.form->SetBounds(0, 0, 520, 380);
    other->SetBounds(0, 300, 500, 60);
    static_cast<TDBGridColumnsEh&>(*other->Columns()).Add()->SetFieldName("NAME");
    otherData.Open();
    other->SetDataSource(otherSource);
    other->DataLink()->SetBufferCount(1);
    other->SetColCount(2);
    other->SetFixedCols(1);
    other->SetRowCount(other->TopDataOffset() + 1);
    other->SetFixedRows(other->TopDataOffset());
    r.ui.ProcessMessages();

    int nestedPaints = 0;
    r.Column(1)->SetOnGetCellParams([&](TObject*, bool, TColCellParamsEh*) {
        ++nestedPaints;
        other->Repaint();
    });
    const std::vector<DrawnText> texts = r.Paint();
    EXPECT_EQ(nestedPaints, r.ds.RecordCount());
    for (int row = 1; row <= r.ds.RecordCount(); ++row) {
        SCOPED_TRACE(row);
        const TRect cell = r.grid->CellRect(2, row);
        std::string drawn;
        for (const DrawnText& d : texts)
            if (d.At.Y >= cell.Top && d.At.Y < cell.Bottom && d.At.X >= cell.Left && d.At.X < cell.Right)
                drawn = d.Text;
        EXPECT_EQ(drawn, row <= 2 ? "Иванов" : "Петров");
    }
    other->SetDataSource(nullptr);
    otherData.BeforeDestruction();
}

TEST(GridCellDrawing, LightenColorRaisesEachChannelByItsOwnPart) {
    EXPECT_EQ(TCustomDBGridEh::LightenColor(RGB(16, 250, 0), 8), RGB(18, 255, 0));
    EXPECT_EQ(TCustomDBGridEh::LightenColor(RGB(80, 8, 255), 8), RGB(90, 9, 255));
    EXPECT_EQ(TCustomDBGridEh::LightenColor(clBlack, 8), RGB(0, 0, 0));
}

}  // namespace
}  // namespace grid_draw_test
