// The grid's clipboard and delete actions through its shortcuts: what copy offers in each format,
// paste preferring the grid's own form, delete and cut with their questions, and the binary form
// carried between two grids with every kind of value.
#include "tests/data_grid/grid_import_fixture.h"

#include <map>

#include "platform/db/dataset.h"
#include "platform/rtl/exceptions.h"

namespace {

using grid_import_test::ImportGrid;
using grid_import_test::Person;
using grid_import_test::ThreePeople;

void SetConfirm(ImportGrid& f, bool on) {
    TDBGridEhOptions options = f.grid->Options();
    if (on)
        options.Include(gdoConfirmDeleteEh);
    else
        options.Exclude(gdoConfirmDeleteEh);
    f.grid->SetOptions(options);
}

TEST(GridClipboard, DeleteAsksByKindAndDoesWhatTheKindMeans) {
    struct Case {
        const char* name;
        std::function<void(ImportGrid&)> select;
        bool wholeGrid;
        bool confirm;
        int answer;
        const char* question;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"one row",
         [](ImportGrid& f) { f.SelectRows({2}); },
         false,
         true,
         IDOK,
         "Delete record?",
         {"1|Alpha|Москва", "3|Gamma|Омск"}},
        {"two rows",
         [](ImportGrid& f) {
             f.SelectRows({1, 3});
         },
         false,
         true,
         IDOK,
         "Delete all selected records?",
         {"2|Bravo|Тверь"}},
        {"rows without the option",
         [](ImportGrid& f) {
             f.SelectRows({1, 3});
         },
         false,
         false,
         IDOK,
         nullptr,
         {"2|Bravo|Тверь"}},
        {"rows cancelled",
         [](ImportGrid& f) {
             f.SelectRows({1, 3});
         },
         false,
         true,
         IDCANCEL,
         "Delete all selected records?",
         {"1|Alpha|Москва", "2|Bravo|Тверь", "3|Gamma|Омск"}},
        {"a block clears its cells",
         [](ImportGrid& f) { f.SelectBlock(1, 2, 2, 3); },
         false,
         true,
         IDOK,
         "Очистить выделенные ячейки?",
         {"1|Alpha|Москва", "2|~|~", "3|~|~"}},
        {"columns clear every record's cells",
         [](ImportGrid& f) { f.SelectColumns({2}); },
         false,
         true,
         IDOK,
         "Очистить выделенные ячейки?",
         {"1|Alpha|~", "2|Bravo|~", "3|Gamma|~"}},
        {"columns cancelled",
         [](ImportGrid& f) { f.SelectColumns({2}); },
         false,
         true,
         IDCANCEL,
         "Очистить выделенные ячейки?",
         {"1|Alpha|Москва", "2|Bravo|Тверь", "3|Gamma|Омск"}},
        {"the whole grid", [](ImportGrid&) {}, true, true, IDOK, "Delete all selected records?", {}},
        {"nothing selected",
         [](ImportGrid&) {},
         false,
         true,
         IDOK,
         nullptr,
         {"1|Alpha|Москва", "2|Bravo|Тверь", "3|Gamma|Омск"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImportGrid f;
        SetConfirm(f, c.confirm);
        f.ui.System().MessageBoxAnswer = c.answer;
        c.select(f);
        GridDeleteSelection(f.grid, c.wholeGrid);
        if (c.question == nullptr) {
            EXPECT_TRUE(f.Boxes().empty());
        } else {
            ASSERT_EQ(f.Boxes().size(), 1u);
            EXPECT_EQ(f.Boxes()[0].Text, c.question);
            EXPECT_EQ(f.Boxes()[0].Flags & 0x0F, MB_OKCANCEL);
        }
        EXPECT_EQ(f.Rows(), c.rows);
        EXPECT_FALSE(f.ds.ControlsDisabled());
    }
}

// Its deletes leave the record in place, as a dataset showing deleted records does.
class KeepingDataSet : public TMemoryDataSet {
  protected:
    void InternalDelete() override { ++deletes; }

  public:
    int deletes = 0;
};

TEST(GridClipboard, DeletingEverythingStopsWhenTheFirstRecordStays) {
    ImportGrid f;
    KeepingDataSet keeping;
    keeping.SetColumns({"ID"});
    keeping.SetColumnType(0, ftInteger);
    keeping.AddRow({Variant(1)});
    keeping.AddRow({Variant(2)});
    keeping.Open();
    f.source->SetDataSet(&keeping);
    GridDeleteSelection(f.grid, true);
    EXPECT_EQ(keeping.deletes, 1);
    f.source->SetDataSet(&f.ds);
    keeping.BeforeDestruction();
}

// What the clipboard offers under each name; a new grid's fixture empties the clipboard.
std::map<std::string, std::string> Offer() {
    std::map<std::string, std::string> offer;
    for (const char* name : {"CF_TEXT", "Csv", "Rich Text Format", "VCLDBIF"})
        if (Clipboard()->HasFormat(name))
            offer[name] = Clipboard()->GetFormat(name);
    return offer;
}

void PutOffer(const std::map<std::string, std::string>& offer) {
    Clipboard()->Open();
    for (const auto& [name, bytes] : offer) Clipboard()->SetFormat(name, bytes);
    Clipboard()->Close();
}

TEST(GridClipboard, CopyOffersEveryFormatAndPastePrefersTheGridsOwn) {
    std::map<std::string, std::string> offer;
    {
        ImportGrid from;
        from.SelectRows({2, 3});
        from.Ctrl('C');
        offer = Offer();
    }
    EXPECT_EQ(offer["CF_TEXT"], "ID\tNAME\tCITY\r\n2\tBravo\tТверь\r\n3\tGamma\tОмск");
    EXPECT_EQ(offer["Csv"], std::string("\"ID\";\"NAME\";\"CITY\"\r\n\"2\";\"Bravo\";\"Тверь\"\r\n"
                                        "\"3\";\"Gamma\";\"Омск\"") +
                                '\0');
    EXPECT_NE(offer["Rich Text Format"].find("Gamma"), std::string::npos);
    EXPECT_EQ(offer["Rich Text Format"].back(), '\0');
    EXPECT_EQ(offer["VCLDBIF"].substr(0, 7), "VCLDBIF");

    // The text, titles and all, would fail on ID; the binary form goes by value.
    ImportGrid to(grid_import_test::People{});
    PutOffer(offer);
    to.Ctrl('V');
    EXPECT_TRUE(to.Boxes().empty());
    EXPECT_EQ(to.Rows(), (std::vector<std::string>{"2|Bravo|Тверь", "3|Gamma|Омск"}));
}

TEST(GridClipboard, CopyWithNothingSelectedOffersEmptyFormats) {
    ImportGrid f;
    GridCopyToClipboard(f.grid, false);
    EXPECT_EQ(Clipboard()->AsText(), "");
    EXPECT_EQ(Clipboard()->GetFormat("Csv"), std::string(1, '\0'));
    const std::string rtf = Clipboard()->GetFormat("Rich Text Format");
    EXPECT_TRUE(rtf.starts_with("{\\rtf0\\ansi\r\n{\\colortbl")) << rtf;
    EXPECT_TRUE(rtf.ends_with(std::string("}\r\n{\\fonttbl}\r\n") + '\0')) << rtf;
    EXPECT_EQ(Clipboard()->GetFormat("VCLDBIF"), "");
    EXPECT_TRUE(Clipboard()->HasFormat("VCLDBIF"));
}

TEST(GridClipboard, CutCopiesThenDeletes) {
    ImportGrid f;
    SetConfirm(f, false);
    f.SelectRows({1});
    f.Ctrl('X');
    EXPECT_EQ(Clipboard()->AsText(), "ID\tNAME\tCITY\r\n1\tAlpha\tМосква");
    EXPECT_EQ(f.Rows(), (std::vector<std::string>{"2|Bravo|Тверь", "3|Gamma|Омск"}));
}

TEST(GridClipboard, PasteTakesTextWhenNoGridFormIsOffered) {
    ImportGrid f;
    f.Place(1, ImportGrid::NameCol);
    Clipboard()->SetAsText("n1\tc1\nn2\tc2\n");
    f.Ctrl('V');
    EXPECT_EQ(f.Rows(), (std::vector<std::string>{"1|n1|c1", "2|n2|c2", "3|Gamma|Омск"}));
}

}  // namespace
