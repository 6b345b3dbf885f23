// The grid's data service over a registry of dataset features: which features a dataset's class
// gets (nearest registered ancestor, a registration replacing the one before), what reaches them
// (sorting, filtering, moving records with the reopen flag), and the hooks that keep them unreached.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/data_service.h"
#include "data_grid/dataset_features.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_style.h"
#include "data_grid/grid_unit.h"
#include "platform/db/data_source.h"
#include "tests/support/memory_dataset.h"

namespace {

class TTaskDataSet : public TMemoryDataSet {
  public:
    using TMemoryDataSet::TMemoryDataSet;
};
class TNightTaskDataSet : public TTaskDataSet {
  public:
    using TTaskDataSet::TTaskDataSet;
};

// Writes every call it hears, and its own end, to the test's log under its tag.
class TRecordingFeatures : public TDatasetFeaturesEh {
  public:
    TRecordingFeatures(std::string& Log, std::string Tag) : log_(Log), tag_(std::move(Tag)) {}
    ~TRecordingFeatures() override { Write("freed"); }
    bool MoveRecords(TObject* /*Sender*/, const std::vector<std::string>& Bookmarks, int TargetRecNo,
                     bool CheckOnly) override {
        Write("move " + std::to_string(Bookmarks.size()) + " to " + std::to_string(TargetRecNo) +
              (CheckOnly ? " check" : ""));
        return true;
    }
    void ApplySorting(TObject* Sender, TDataSet* DataSet, const TSortKeysEh& Keys, bool IsReopen) override {
        std::string by;
        for (const TSortKeyEh& key : Keys) by += " " + key.Field + (key.Ascending ? "+" : "-");
        Write(Call("sort", Sender, DataSet, IsReopen) + by);
    }
    void ApplyFilter(TObject* Sender, TDataSet* DataSet, bool IsReopen) override {
        Write(Call("filter", Sender, DataSet, IsReopen));
    }

  private:
    std::string Call(const char* what, TObject* Sender, TDataSet* DataSet, bool IsReopen) const {
        return std::string(what) + (Sender != nullptr ? " grid" : "") + " " +
               (DataSet != nullptr ? DataSet->ClassName() : "none") + (IsReopen ? " reopen" : "");
    }
    void Write(const std::string& what) { log_ += tag_ + ":" + what + ";"; }
    std::string& log_;
    std::string tag_;
};

enum class DataKind { NoSource, NoDataSet, Memory, Task, NightTask };

struct Registration {
    const char* tag;
    TClass dataSetClass;
};

struct ServiceCase {
    const char* name;
    std::vector<Registration> registrations;
    DataKind data;
    bool hooks;
    const char* features;  // the tag of the features found, "" for none
    bool moved;
    const char* log;  // what the registrations, sorting, filtering and moving wrote
};

TObjectPtr<TDataSet> MakeDataSet(DataKind kind) {
    switch (kind) {
        case DataKind::Task:
            return TObjectPtr<TDataSet>(MakeComponent<TTaskDataSet>().release());
        case DataKind::NightTask:
            return TObjectPtr<TDataSet>(MakeComponent<TNightTaskDataSet>().release());
        default:
            return TObjectPtr<TDataSet>(MakeComponent<TMemoryDataSet>().release());
    }
}

TEST(DataService, FindsTheNearestFeaturesAndCallsThemUnlessAHookAnswers) {
    const TClass memory = TClass::Of<TMemoryDataSet>();
    const TClass task = TClass::Of<TTaskDataSet>();
    const ServiceCase cases[] = {
        {"a derived class gets its parent's features",
         {{"A", memory}},
         DataKind::Task,
         false,
         "A",
         true,
         "A:sort grid TMemoryDataSet reopen;A:filter grid TMemoryDataSet reopen;A:move 2 to 5 check;"},
        {"the class itself",
         {{"A", task}},
         DataKind::Task,
         false,
         "A",
         true,
         "A:sort grid TMemoryDataSet reopen;A:filter grid TMemoryDataSet reopen;A:move 2 to 5 check;"},
        {"a second registration replaces the first at once",
         {{"A", memory}, {"B", memory}},
         DataKind::Memory,
         false,
         "B",
         true,
         "A:freed;B:sort grid TMemoryDataSet reopen;B:filter grid TMemoryDataSet reopen;B:move 2 to 5 "
         "check;"},
        {"no registered ancestor: no features, no call",
         {{"A", task}},
         DataKind::Memory,
         false,
         "",
         false,
         ""},
        {"the nearer of two ancestors wins",
         {{"A", memory}, {"B", task}},
         DataKind::NightTask,
         false,
         "B",
         true,
         "B:sort grid TMemoryDataSet reopen;B:filter grid TMemoryDataSet reopen;B:move 2 to 5 check;"},
        {"the nearer wins registered first too",
         {{"B", task}, {"A", memory}},
         DataKind::NightTask,
         false,
         "B",
         true,
         "B:sort grid TMemoryDataSet reopen;B:filter grid TMemoryDataSet reopen;B:move 2 to 5 check;"},
        {"no dataset class registers nothing", {{"A", TClass()}}, DataKind::Memory, false, "", false, ""},
        {"the hooks keep the features unreached",
         {{"A", memory}},
         DataKind::Memory,
         true,
         "A",
         true,
         "hook:sort;hook:filter;A:move 2 to 5 check;"},
        {"a grid without a data source", {{"A", memory}}, DataKind::NoSource, false, "A", false, ""},
        {"a data source without a dataset", {{"A", memory}}, DataKind::NoDataSet, false, "", false, ""},
    };
    for (const ServiceCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string log;
        TDatasetFeaturesRegistryEh registry;
        for (const Registration& r : c.registrations) {
            const std::string tag = r.tag;
            registry.RegisterDatasetFeatures(
                [&log, tag] { return TObjectPtr<TDatasetFeaturesEh>(new TRecordingFeatures(log, tag)); },
                r.dataSetClass);
        }
        TObjectPtr<TDataSet> dataSet = MakeDataSet(c.data);
        TObjectPtr<TDataSource> source = MakeComponent<TDataSource>(nullptr);
        if (c.data != DataKind::NoDataSet)
            source->SetDataSet(dataSet.get());
        TObjectPtr<TCustomDBGridEh> grid = MakeComponent<TCustomDBGridEh>(nullptr);
        if (c.data != DataKind::NoSource)
            grid->SetDataSource(source.get());

        const TDatasetFeaturesEh* found = registry.FeaturesForDataSet(source->DataSet());
        EXPECT_EQ(found != nullptr, *c.features != '\0');

        TObjectPtr<TDBGridEhDataService> service = MakeComponent<TDBGridEhDataService>(registry);
        if (c.hooks) {
            service->ApplySortingHook = [&log](TCustomDBGridEh*) { log += "hook:sort;"; };
            service->ApplyFilterHook = [&log](TCustomDBGridEh*) { log += "hook:filter;"; };
        }
        service->ApplySorting(grid.get());
        service->ApplyFilter(grid.get());
        EXPECT_EQ(service->MoveRecords(grid.get(), {"1", "2"}, 5, true), c.moved);
        EXPECT_EQ(log, c.log);
        grid.reset();
    }
}

// The features hear the sort-marked columns' fields in the order they were marked, a column marked
// down as ascending; unmarked columns are not among them.
TEST(DataService, TheGridPassesItsSortKeysInMarkingOrder) {
    struct Mark {
        int column;
        TSortMarkerEh marker;
    };
    struct Case {
        const char* name;
        bool multiSort;
        std::vector<Mark> marks;
        const char* log;
    };
    const Case cases[] = {
        {"none marked", true, {}, "A:sort grid TMemoryDataSet reopen;"},
        {"marking order, not column order",
         true,
         {{2, smDownEh}, {0, smUpEh}},
         "A:sort grid TMemoryDataSet reopen CITY+ ID-;"},
        {"an unmarked column drops out",
         true,
         {{0, smDownEh}, {1, smUpEh}, {2, smDownEh}, {1, smNoneEh}},
         "A:sort grid TMemoryDataSet reopen ID+ CITY+;"},
        {"single marking keeps the last",
         false,
         {{0, smDownEh}, {1, smUpEh}},
         "A:sort grid TMemoryDataSet reopen NAME-;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string log;
        TDatasetFeaturesRegistryEh registry;
        registry.RegisterDatasetFeatures(
            [&log] { return TObjectPtr<TDatasetFeaturesEh>(new TRecordingFeatures(log, "A")); },
            TClass::Of<TMemoryDataSet>());
        TMemoryDataSet dataSet;
        TObjectPtr<TDataSource> source = MakeComponent<TDataSource>(nullptr);
        source->SetDataSet(&dataSet);
        TObjectPtr<TCustomDBGridEh> grid = MakeComponent<TCustomDBGridEh>(nullptr);
        if (c.multiSort)
            grid->SetExtOptions(grid->ExtOptions() + TDBGridEhExtOptions{gxoMultiSortMarkingEh});
        for (const char* field : {"ID", "NAME", "CITY"}) grid->Columns()->Add()->SetFieldName(field);
        grid->SetDataSource(source.get());
        for (const Mark& mark : c.marks)
            grid->Columns()->ColumnAt(mark.column)->Title()->SetSortMarker(mark.marker);

        TDBGridEhDataService(registry).ApplySorting(grid.get());
        EXPECT_EQ(log, c.log);
        grid.reset();
    }
}

TEST(DataService, TheBaseFeaturesMoveNothing) {
    TDatasetFeaturesRegistryEh registry;
    registry.RegisterDatasetFeatures(DatasetFeaturesClassOf<TDatasetFeaturesEh>(),
                                     TClass::Of<TMemoryDataSet>());
    TMemoryDataSet dataSet;
    TObjectPtr<TDataSource> source = MakeComponent<TDataSource>(nullptr);
    source->SetDataSet(&dataSet);
    TObjectPtr<TCustomDBGridEh> grid = MakeComponent<TCustomDBGridEh>(nullptr);
    grid->SetDataSource(source.get());
    EXPECT_EQ(registry.FeaturesForDataSet(&dataSet)->DataSetClass(), TClass::Of<TMemoryDataSet>());
    TDBGridEhDataService service(registry);
    EXPECT_FALSE(service.MoveRecords(grid.get(), {"1"}, 1, false));
    EXPECT_FALSE(service.MoveRecordsByFeatures(nullptr, {"1"}, 1, false));
}

TEST(ClassDistance, CountsStepsUpTheAncestryWithoutLetterCase) {
    const TClass night = TClass::Of<TNightTaskDataSet>();
    EXPECT_EQ(ClassDistance(night, "TNightTaskDataSet"), 0);
    EXPECT_EQ(ClassDistance(night, "ttaskdataset"), 1);
    EXPECT_EQ(ClassDistance(night, "TDataSet"), 3);
    EXPECT_EQ(ClassDistance(night, "TObject"), 6);
    EXPECT_EQ(ClassDistance(night, "TCustomDBGridEh"), std::numeric_limits<int>::max());
    EXPECT_EQ(ClassDistance(TClass(), "TObject"), std::numeric_limits<int>::max());
    EXPECT_EQ(night.ClassParent(), TClass::Of<TTaskDataSet>());
    EXPECT_TRUE(night.InheritsFrom(TClass::Of<TDataSet>()));
    EXPECT_FALSE(TClass::Of<TDataSet>().InheritsFrom(night));
}

// The program's registry lives with the grid unit: registering needs the unit, and its shut-down
// frees the features.
TEST(DataService, TheProgramRegistryComesAndGoesWithTheGridUnit) {
    EXPECT_THROW(
        RegisterDatasetFeatures(DatasetFeaturesClassOf<TDatasetFeaturesEh>(), TClass::Of<TDataSet>()),
        EInvalidOperation);
    std::string log;
    InitializeDBGridEhUnit();
    RegisterDatasetFeatures(
        [&log] { return TObjectPtr<TDatasetFeaturesEh>(new TRecordingFeatures(log, "A")); },
        TClass::Of<TDataSet>());
    TMemoryDataSet dataSet;
    EXPECT_NE(FeaturesForDataSet(&dataSet), nullptr);
    FinalizeDBGridEhUnit();
    EXPECT_EQ(log, "A:freed;");
    EXPECT_EQ(FeaturesForDataSet(&dataSet), nullptr);
    EXPECT_EQ(DBGridEhDataService(), nullptr);
    MakeDefaultGridStyle();  // the shut-down freed the program's default style; later tests use it
}

}  // namespace
