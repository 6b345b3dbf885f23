// The column's fallbacks, limits, storing rules, sort indexes, stored order and copying, one
// scenario a row, over the in-memory dataset.
#include <functional>
#include <string>

#include "data_grid/column_interceptors.h"
#include "tests/data_grid/column_fixture.h"

namespace {

bool Stored(const TPersistent& object, const char* name) {
    const TPropInfo* info = object.PublishedProperties().Find(name);
    return info != nullptr && info->IsStored(object);
}

struct Scenario {
    const char* what;
    std::function<void(ColumnsOverData&)> check;
};

const Scenario kScenarios[] = {
    {"fallback width from the field's display width, nothing stored",
     [](ColumnsOverData& f) {
         TColumnEh* id = f.ColumnFor("ID");
         ASSERT_EQ(id->ResolveField()->DisplayWidth(), 10);
         EXPECT_EQ(id->Width(), f.WidthOfDigits(10));
         EXPECT_FALSE(Stored(*id, "Width"));
         id->SetWidth(f.WidthOfDigits(10));
         EXPECT_FALSE(id->OwnValues().Contains(ovWidth));
         EXPECT_FALSE(Stored(*id, "Width"));
     }},
    {"width -1 keeps the width and still reports a change",
     [](ColumnsOverData& f) {
         TColumnEh* id = f.ColumnFor("ID");
         id->SetWidth(90);
         id->SetWidth(-1);
         EXPECT_EQ(id->Width(), 90);
         EXPECT_TRUE(Stored(*id, "Width"));
     }},
    {"MaxWidth caps a later width, MinWidth raises it",
     [](ColumnsOverData& f) {
         TColumnEh* id = f.ColumnFor("ID");
         id->SetMaxWidth(100);
         id->SetWidth(150);
         EXPECT_EQ(id->Width(), 100);
         TColumnEh* name = f.ColumnFor("NAME");
         name->SetMinWidth(20);
         name->SetWidth(5);
         EXPECT_EQ(name->Width(), 20);
         EXPECT_EQ(name->ClampWidth(3), 20);
         EXPECT_EQ(id->ClampWidth(400), 100);
     }},
    {"a colour equal to the grid's is not stored and stays when the grid's changes",
     [](ColumnsOverData& f) {
         TColumnEh* id = f.ColumnFor("ID");
         const TColor gridColor = f.grid->Color();
         id->SetColor(gridColor);
         EXPECT_FALSE(Stored(*id, "Color"));
         f.grid->SetColor(clYellow);
         EXPECT_EQ(id->Color(), gridColor);
         EXPECT_TRUE(Stored(*id, "Color"));
     }},
    {"Checkboxes set to the Boolean field's default is stored all the same",
     [](ColumnsOverData& f) {
         TColumnEh* paid = f.ColumnFor("PAID");
         EXPECT_TRUE(paid->Checkboxes());
         EXPECT_FALSE(Stored(*paid, "Checkboxes"));
         paid->SetCheckboxes(false);
         EXPECT_TRUE(Stored(*paid, "Checkboxes"));
     }},
    {"multi-sort indexes 1, 2, 3, then 1, 2 when the first is unmarked",
     [](ColumnsOverData& f) {
         f.grid->SetExtOptions(f.grid->ExtOptions() + TDBGridEhExtOptions{gxoMultiSortMarkingEh});
         TColumnEh* a = f.ColumnFor("ID");
         TColumnEh* b = f.ColumnFor("PAID");
         TColumnEh* c = f.ColumnFor("NAME");
         for (TColumnEh* column : {a, b, c}) column->Title()->SetSortMarker(smDownEh);
         EXPECT_EQ(a->Title()->SortIndex(), 1);
         EXPECT_EQ(b->Title()->SortIndex(), 2);
         EXPECT_EQ(c->Title()->SortIndex(), 3);
         a->Title()->SetSortMarker(smNoneEh);
         EXPECT_EQ(a->Title()->SortIndex(), 0);
         EXPECT_EQ(b->Title()->SortIndex(), 1);
         EXPECT_EQ(c->Title()->SortIndex(), 2);
         EXPECT_EQ(f.grid->SortMarkedColumns(), (std::vector<IGridColumnEh*>{b, c}));
     }},
    {"SortIndex 5 that no column has changes nothing; an index held by another swaps",
     [](ColumnsOverData& f) {
         f.grid->SetExtOptions(f.grid->ExtOptions() + TDBGridEhExtOptions{gxoMultiSortMarkingEh});
         TColumnEh* a = f.ColumnFor("ID");
         TColumnEh* b = f.ColumnFor("NAME");
         a->Title()->SetSortMarker(smUpEh);
         b->Title()->SetSortMarker(smUpEh);
         a->Title()->SetSortIndex(5);
         EXPECT_EQ(a->Title()->SortIndex(), 1);
         a->Title()->SetSortIndex(2);
         EXPECT_EQ(a->Title()->SortIndex(), 2);
         EXPECT_EQ(b->Title()->SortIndex(), 1);
         EXPECT_EQ(f.grid->SortMarkedColumns(), (std::vector<IGridColumnEh*>{b, a}));
     }},
    {"one marker at a time without multi-sort; the title click cycles it",
     [](ColumnsOverData& f) {
         TColumnEh* a = f.ColumnFor("ID");
         TColumnEh* b = f.ColumnFor("NAME");
         a->Title()->CycleSortMarker(false);
         b->Title()->CycleSortMarker(false);
         EXPECT_EQ(a->Title()->SortMarker(), smNoneEh);
         EXPECT_EQ(b->Title()->SortMarker(), smDownEh);
         b->Title()->CycleSortMarker(false);
         b->Title()->CycleSortMarker(false);
         EXPECT_EQ(b->Title()->SortMarker(), smDownEh);
         b->Title()->CycleSortMarker(true);
         b->Title()->CycleSortMarker(true);
         EXPECT_EQ(b->Title()->SortMarker(), smNoneEh);
         EXPECT_TRUE(f.grid->SortMarkedColumns().empty());
     }},
    {"switching multi-sort off keeps only the first marker of real columns",
     [](ColumnsOverData& f) {
         f.grid->SetExtOptions(f.grid->ExtOptions() + TDBGridEhExtOptions{gxoMultiSortMarkingEh});
         TColumnEh* a = f.ColumnFor("ID");
         TColumnEh* b = f.ColumnFor("PAID");
         TColumnEh* c = f.ColumnFor("NAME");
         for (TColumnEh* column : {c, a, b}) column->Title()->SetSortMarker(smUpEh);
         f.grid->SetExtOptions(f.grid->ExtOptions() - TDBGridEhExtOptions{gxoMultiSortMarkingEh});
         EXPECT_EQ(c->Title()->SortMarker(), smUpEh);
         EXPECT_EQ(a->Title()->SortMarker(), smNoneEh);
         EXPECT_EQ(b->Title()->SortMarker(), smNoneEh);
         EXPECT_EQ(f.grid->SortMarkedColumns(), std::vector<IGridColumnEh*>{c});
     }},
    {"the sort marker's room: the glyph, its number with several sorted, less in narrow columns",
     [](ColumnsOverData& f) {
         f.grid->SetExtOptions(f.grid->ExtOptions() + TDBGridEhExtOptions{gxoMultiSortMarkingEh});
         TColumnEh* a = f.ColumnFor("ID");
         TColumnEh* b = f.ColumnFor("NAME");
         a->SetWidth(100);
         EXPECT_EQ(a->Title()->SortMarkerAreaWidth(), 0);
         a->Title()->SetSortMarker(smDownEh);
         EXPECT_EQ(a->Title()->SortMarkerAreaWidth(), 16);
         b->Title()->SetSortMarker(smDownEh);
         f.grid->Canvas()->Font()->Assign(SortMarkerNumberFont());
         const int number = f.grid->Canvas()->TextWidth("2");
         b->SetWidth(100);
         EXPECT_EQ(b->Title()->SortMarkerAreaWidth(), 16 + number);
         b->SetWidth(16 + number);
         EXPECT_EQ(b->Title()->SortMarkerAreaWidth(), 2 + number);
         b->SetWidth(8);
         EXPECT_EQ(b->Title()->SortMarkerAreaWidth(), 0);
     }},
    {"ColumnsIndex reads the names in order and writing moves columns by name",
     [](ColumnsOverData& f) {
         f.ColumnFor("A");
         f.ColumnFor("B");
         TColumnsEhPropertyInterceptor order(&f.Columns());
         EXPECT_EQ(order.ColumnsIndex(), R"("A","B")");
         order.SetColumnsIndex(R"("B","A")");
         EXPECT_EQ(order.ColumnsIndex(), R"("B","A")");
         order.SetColumnsIndex(R"("X","A")");
         EXPECT_EQ(order.ColumnsIndex(), R"("B","A")");
         // A stored order naming more fields than the grid shows puts the column last.
         order.SetColumnsIndex(R"("X","Y","Z","B")");
         EXPECT_EQ(order.ColumnsIndex(), R"("A","B")");
         EXPECT_EQ(f.Columns().UpdateCount(), 0);
     }},
    {"Assign copies effective values, which then stay when the defaults change",
     [](ColumnsOverData& f) {
         TColumnEh* source = f.ColumnFor("NAME");
         source->SetColor(clRed);
         source->Title()->SetCaption("Surname");
         TColumnEh* copy = f.Columns().Add();
         copy->Assign(*source);
         EXPECT_EQ(copy->FieldName(), "NAME");
         EXPECT_EQ(copy->Color(), clRed);
         EXPECT_EQ(copy->Title()->Caption(), "Surname");
         EXPECT_FALSE(copy->EndEllipsis());
         EXPECT_TRUE(copy->OwnValues().Contains(ovEndEllipsis));
         EXPECT_FALSE(copy->OwnValues().Contains(ovAlignment));
     }},
};

TEST_F(ColumnsOverData, EdgeCases) {
    OpenData();
    for (const Scenario& s : kScenarios) {
        SCOPED_TRACE(s.what);
        Columns().Clear();
        grid->SetExtOptions(DefaultDBGridEhExtOptions);
        grid->SetColor(clWindow);
        s.check(*this);
    }
}

}  // namespace
