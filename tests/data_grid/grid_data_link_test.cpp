// The grid's data link over the in-memory dataset: the column-to-field map, the edit guard, and
// the dataset's notices as the grid hears them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data_grid/grid_data_link.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/db/typed_fields.h"
#include "platform/rtl/component.h"
#include "platform/rtl/exceptions.h"
#include "platform/ui/grid_types.h"
#include "tests/support/memory_dataset.h"

namespace {

// Opens the link's protected notices to the tests that have no natural way to raise them.
class TestLink : public TGridDataLinkEh {
  public:
    using TGridDataLinkEh::FocusControl;
    using TGridDataLinkEh::LayoutChanged;
    using TGridDataLinkEh::TGridDataLinkEh;
};

// A grid that writes down what the link asks of it.
class RecordingGrid : public TComponent, public IGridDataLinkOwnerEh {
  public:
    RecordingGrid() : TComponent(nullptr) {}

    TComponent* FieldFreeNoticeReceiver() override { return this; }
    void DataLinkActiveChanged(bool Active) override { Note(Active ? "active" : "inactive"); }
    void LinkDataSetChanged() override { Note("dataset changed"); }
    void LinkDataSetScrolled(int Distance) override { Note("scrolled " + std::to_string(Distance)); }
    void EditingStateChanged() override { Note(link.Editing() ? "editing" : "not editing"); }
    void RecordChanged(TField* Field) override {
        Note(Field == nullptr ? "record changed" : "record changed " + Field->FieldName);
    }
    void RefreshLayout() override {
        Note(linkLayoutChanging ? "refresh layout from link" : "refresh layout");
        if (refreshRaises)
            throw Exception("rebuild failed");
    }
    bool LinkLayoutChanging() const override { return linkLayoutChanging; }
    void SetLinkLayoutChanging(bool Value) override { linkLayoutChanging = Value; }
    void SelectFieldColumn(TField* Field) override {
        Note("select " + Field->FieldName);
        if (columnFound)
            selectedField = Field;
    }
    TField* SelectedField() const override { return selectedField; }
    bool TryFocusGrid() override {
        Note("focus");
        return takesFocus;
    }
    void ShowCellEditor() override { Note("show editor"); }
    void PostEditText() override {
        Note("post text");
        if (onPostEditText)
            onPostEditText();
    }
    bool InMemTableView() const override { return memTableView; }

    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove)
            link.FieldFreed(AComponent);
    }

    void Note(const std::string& call) { calls.push_back(call); }

    TestLink link{this};
    std::vector<std::string> calls;
    std::function<void()> onPostEditText;
    TField* selectedField = nullptr;
    bool linkLayoutChanging = false;
    bool refreshRaises = false;
    bool columnFound = true;
    bool takesFocus = true;
    bool memTableView = false;
};

std::vector<std::string> FieldNames(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back("F" + std::to_string(i));
    return names;
}

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message;
    }
    return "";
}

// A dataset of twenty integer columns F0..F19 and five rows, its source, and the grid.
struct LinkRig {
    LinkRig() {
        ds.SetColumns(FieldNames(20));
        for (int column = 0; column < 20; ++column) ds.SetColumnType(column, ftInteger);
        for (int row = 1; row <= 5; ++row) ds.AddRow(TMemoryDataSet::Row(20, Variant(row)));
        source.SetDataSet(&ds);
    }
    ~LinkRig() {
        grid.link.SetDataSource(nullptr);
        source.SetDataSet(nullptr);
        ds.BeforeDestruction();
    }
    void Connect() {
        grid.link.SetDataSource(&source);
        grid.calls.clear();
    }
    void OpenConnected() {
        ds.Open();
        Connect();
    }
    // Persistent fields over the first columns, made before the dataset opens.
    void AddPersistentFields(int count) {
        for (const std::string& name : FieldNames(count)) {
            auto* field = new TIntegerField(&ds);
            field->FieldName = name;
            field->SetDataSet(&ds);
        }
    }

    TMemoryDataSet ds;
    TDataSource source;
    RecordingGrid grid;
    TestLink& link = grid.link;
};

class GridDataLinkTest : public ::testing::Test, public LinkRig {};

TEST(GridDataLinkMap, MapsColumnsToFields) {
    struct Case {
        const char* name;
        bool persistentFields;
        bool sparse;
        std::vector<std::string> columns;
        std::vector<int> entries;  // expected map, -1 for a column without a field
        int capacity;
        bool defaultFields;
        std::string error;
    };
    const std::vector<std::string> nine = FieldNames(9);
    const std::vector<std::string> seventeen = FieldNames(17);
    const std::vector<Case> cases = {
        {"eight fill the first capacity", false, false, FieldNames(8), {0, 1, 2, 3, 4, 5, 6, 7}, 8, true, ""},
        {"the ninth doubles it", false, false, nine, {0, 1, 2, 3, 4, 5, 6, 7, 8}, 16, true, ""},
        {"the seventeenth doubles again",
         false,
         false,
         seventeen,
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},
         32,
         true,
         ""},
        {"customized columns in their own order", false, true, {"F5", "F2"}, {5, 2}, 8, true, ""},
        {"a customized column naming no field", false, true, {"F1", "Nope", "F0"}, {1, -1, 0}, 8, false, ""},
        {"persistent fields are not the dataset's own", true, false, {"F0", "F1"}, {0, 1}, 8, false, ""},
        {"an unknown name in a generated map raises",
         false,
         false,
         {"F3", "Nope", "F4"},
         {3},
         8,
         true,
         "Field 'Nope' not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkRig rig;
        TestLink& link = rig.link;
        TMemoryDataSet& ds = rig.ds;
        if (c.persistentFields)
            rig.AddPersistentFields(2);
        rig.OpenConnected();
        link.ResetFieldMap();
        link.SetSparseMapping(c.sparse);
        std::string error;
        for (const std::string& column : c.columns)
            if (error.empty())
                error = ErrorOf([&] { link.MapField(column); });
        EXPECT_EQ(error, c.error);

        ASSERT_EQ(link.MapCount(), static_cast<int>(c.entries.size()));
        EXPECT_EQ(link.MapCapacity(), c.capacity);
        for (int i = 0; i < link.MapCount(); ++i) {
            const int entry = c.entries[static_cast<std::size_t>(i)];
            EXPECT_EQ(link.MapEntry(i), entry) << "column " << i;
            EXPECT_EQ(link.FieldAt(i), entry < 0 ? nullptr : ds.Fields().Fields(entry)) << "column " << i;
        }
        EXPECT_EQ(link.FieldAt(-1), nullptr);
        EXPECT_EQ(link.FieldAt(link.MapCount()), nullptr);
        EXPECT_EQ(link.DefaultFields(), c.defaultFields);
    }
}

TEST(GridDataLinkMap, GrowsByDoublingUpToTheLimit) {
    struct Case {
        int capacity, count, grown;
    };
    const Case cases[] = {
        {0, 0, 8},
        {8, 8, 16},
        {16, 16, 32},
        {2, 10, 11},
        {0x08000000, 0x08000000, TGridDataLinkEh::MaxMapCount},
        {TGridDataLinkEh::MaxMapCount - 1, TGridDataLinkEh::MaxMapCount - 1, TGridDataLinkEh::MaxMapCount},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextGridMapCapacity(c.capacity, c.count), c.grown) << c.capacity << " holding " << c.count;
}

TEST_F(GridDataLinkTest, WithoutADatasetTheFieldsCountAsDefault) {
    EXPECT_TRUE(link.DefaultFields());
    EXPECT_EQ(link.FieldAt(0), nullptr);
}

TEST_F(GridDataLinkTest, AFreedFieldLeavesItsEntryWhileTheOthersStay) {
    AddPersistentFields(3);
    OpenConnected();
    link.SetSparseMapping(true);
    for (const char* name : {"F0", "F1", "F2"}) link.MapField(name);
    TField* f1 = ds.Fields().Fields(1);
    TField* f2 = ds.Fields().Fields(2);
    ds.Close();

    delete f1;

    ASSERT_EQ(link.MapEntry(1), -1);
    EXPECT_EQ(link.FieldAt(1), nullptr);
    // The list shrank under the map: the third column still answers its own field.
    EXPECT_EQ(link.FieldAt(2), f2);
    EXPECT_FALSE(link.DefaultFields());
}

TEST_F(GridDataLinkTest, UpdateDataWritesTheEditOnceAndAlwaysReleasesItsGuard) {
    OpenConnected();
    int nested = 0;
    grid.onPostEditText = [&] {
        // The field write asks for the data again, while the first request is still writing.
        if (nested++ == 0)
            link.UpdateRecord();
    };
    link.MarkModified();
    link.UpdateRecord();
    EXPECT_EQ(grid.calls, std::vector<std::string>{"post text"});
    EXPECT_FALSE(link.Modified());

    grid.calls.clear();
    link.UpdateRecord();
    EXPECT_TRUE(grid.calls.empty()) << "nothing to write without a change";

    grid.onPostEditText = [] { throw Exception("bad value"); };
    link.MarkModified();
    EXPECT_EQ(ErrorOf([&] { link.UpdateRecord(); }), "bad value");
    EXPECT_TRUE(link.Modified()) << "the unwritten edit stays pending";
    EXPECT_EQ(ErrorOf([&] { link.UpdateRecord(); }), "bad value") << "the guard was released";
}

TEST_F(GridDataLinkTest, ResetReloadsAChangedCellOrCancelsTheEdit) {
    struct Case {
        const char* name;
        bool modified;
        std::vector<std::string> calls;
        TDataSetState state;
    };
    const std::vector<Case> cases = {
        {"a changed cell reloads from the field", true, {"record changed"}, dsEdit},
        {"an unchanged cell cancels the dataset", false, {"not editing", "dataset changed"}, dsBrowse},
    };
    OpenConnected();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ds.Edit();
        grid.calls.clear();
        if (c.modified)
            link.MarkModified();
        link.Reset();
        EXPECT_EQ(grid.calls, c.calls);
        EXPECT_EQ(ds.State(), c.state);
        EXPECT_FALSE(link.Modified());
        ds.Cancel();
    }
}

TEST_F(GridDataLinkTest, LayoutChangeMarksTheRebuildAndRestoresTheMarkEvenWhenItRaises) {
    struct Case {
        const char* name;
        bool markedBefore;
        bool raises;
        std::vector<std::string> calls;
    };
    const std::vector<Case> cases = {
        {"rebuilt", false, false, {"refresh layout from link", "dataset changed"}},
        {"rebuilt inside an outer change", true, false, {"refresh layout from link", "dataset changed"}},
        {"rebuild raising", false, true, {"refresh layout from link"}},
        {"rebuild raising inside an outer change", true, true, {"refresh layout from link"}},
    };
    OpenConnected();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid.calls.clear();
        grid.linkLayoutChanging = c.markedBefore;
        grid.refreshRaises = c.raises;
        EXPECT_EQ(ErrorOf([&] { link.LayoutChanged(); }), c.raises ? "rebuild failed" : "");
        EXPECT_EQ(grid.calls, c.calls);
        EXPECT_EQ(grid.linkLayoutChanging, c.markedBefore);
    }
}

TEST_F(GridDataLinkTest, FocusRequestShowsTheEditorOnlyWhenTheGridServesIt) {
    struct Case {
        const char* name;
        bool columnFound;
        bool takesFocus;
        std::vector<std::string> calls;
    };
    const std::vector<Case> cases = {
        {"served", true, true, {"select F1", "focus", "show editor"}},
        {"the grid refuses the focus", true, false, {"select F1", "focus"}},
        {"no column shows the field", false, true, {"select F1"}},
    };
    OpenConnected();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid.calls.clear();
        grid.selectedField = nullptr;
        grid.columnFound = c.columnFound;
        grid.takesFocus = c.takesFocus;
        link.FocusControl(ds.FieldByName("F1"));
        EXPECT_EQ(grid.calls, c.calls);
    }
    grid.calls.clear();
    link.FocusControl(nullptr);
    EXPECT_TRUE(grid.calls.empty());
}

// Counts direct jumps to a record number, which the plain move never makes.
class JumpCountingDataSet : public TMemoryDataSet {
  public:
    void SetRecNo(int value) override {
        ++jumps;
        TMemoryDataSet::SetRecNo(value);
    }
    int jumps = 0;
};

TEST(GridDataLinkMoves, JumpsOnlyInAMemoryTableViewWithinTheRecords) {
    struct Case {
        const char* name;
        bool memTableView;
        bool editing;
        int distance;
        int moved;
        int recNo;
        int jumps;
    };
    // Every case starts on record 3 of 5.
    const std::vector<Case> cases = {
        {"a plain view moves", false, false, 2, 2, 5, 0},
        {"a memory-table view jumps forward", true, false, 2, 2, 5, 1},
        {"and back", true, false, -2, -2, 1, 1},
        {"past the last record it moves as far as it can", true, false, 3, 2, 5, 0},
        {"before the first record it moves as far as it can", true, false, -3, -2, 1, 0},
        {"one step moves", true, false, 1, 1, 4, 0},
        {"while editing it moves", true, true, 2, 2, 5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        JumpCountingDataSet ds;
        ds.SetColumns({"A"});
        for (int row = 1; row <= 5; ++row) ds.AddRow({Variant(row)});
        TDataSource source;
        source.SetDataSet(&ds);
        RecordingGrid grid;
        grid.memTableView = c.memTableView;
        grid.link.SetDataSource(&source);
        ds.Open();
        ds.MoveBy(2);
        if (c.editing)
            ds.Edit();
        ds.jumps = 0;

        EXPECT_EQ(grid.link.MoveBy(c.distance), c.moved);
        EXPECT_EQ(ds.RecNo(), c.recNo);
        EXPECT_EQ(ds.jumps, c.jumps);

        grid.link.SetDataSource(nullptr);
        source.SetDataSet(nullptr);
        ds.BeforeDestruction();
    }
}

TEST_F(GridDataLinkTest, DatasetNoticesReachTheGridInOrder) {
    Connect();
    ds.Open();
    EXPECT_EQ(grid.calls, std::vector<std::string>{"active"});

    grid.calls.clear();
    ds.Next();
    EXPECT_EQ(grid.calls, std::vector<std::string>{"scrolled 1"});

    grid.calls.clear();
    ds.Edit();
    EXPECT_EQ(grid.calls, (std::vector<std::string>{"editing", "record changed"}));

    grid.calls.clear();
    link.MarkModified();
    ds.Post();
    EXPECT_EQ(grid.calls, (std::vector<std::string>{"post text", "not editing", "dataset changed"}));

    grid.calls.clear();
    ds.Close();
    EXPECT_EQ(grid.calls, std::vector<std::string>{"inactive"});
}

}  // namespace
