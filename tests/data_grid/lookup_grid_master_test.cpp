#include "platform/db/typed_fields.h"
#include "tests/data_grid/lookup_grid_fixture.h"
#include "tests/support/add_field.h"

namespace lookup_grid_test {
namespace {

// Visits of the people: the lookup grid chooses a visit's PERSON_ID, directly or through the
// visit's lookup field PERSON that shows the person's NAME.
struct MasterGrid : LookupGridFixture {
    TMemoryDataSet visits;
    TDataSource* visitsSource = nullptr;
    TField* personId = nullptr;

    MasterGrid() {
        visits.SetColumns({"ID", "PERSON_ID"});
        visits.SetColumnType(0, ftInteger);
        visits.SetColumnType(1, ftInteger);
        visits.AddRow({10, 3});
        visits.AddRow({11, 5});
        AddField<TIntegerField>(visits, "ID");
        personId = AddField<TIntegerField>(visits, "PERSON_ID");
        AddLookupField<TStringField>(visits, "PERSON", 40, people, "PERSON_ID", "ID", "NAME");
        visits.Open();
        visitsSource = NewComponent<TDataSource>(form);
        visitsSource->SetDataSet(&visits);
    }
    ~MasterGrid() {
        grid->SetDataSource(nullptr);
        visits.BeforeDestruction();
    }
};

TEST(LookupGridMaster, KeyFollowsTheMasterRecordAndTypingWritesIt) {
    MasterGrid f;
    f.grid->SetDataSource(f.visitsSource);
    f.grid->SetDataField("PERSON_ID");
    EXPECT_FALSE(f.grid->LookupMode());
    EXPECT_EQ(f.grid->MasterFieldNames(), "PERSON_ID");
    EXPECT_EQ(f.grid->KeyValue(), Variant(3));
    EXPECT_EQ(f.grid->SelectedText(), "Bravo");
    f.visits.Next();
    EXPECT_EQ(f.grid->KeyValue(), Variant(5)) << "the key follows the master record";
    f.Type("бор");
    EXPECT_EQ(f.visits.State(), dsEdit);
    EXPECT_EQ(f.personId->AsInteger(), 4);
    EXPECT_EQ(f.grid->KeyValue(), Variant(4)) << "the key comes back from the master field";
    f.visits.Post();
    EXPECT_EQ(f.visits.StoredRow(1).at(1), Variant(4));
}

TEST(LookupGridMaster, ReadOnlyMasterFieldRefusesTheChoice) {
    MasterGrid f;
    f.grid->SetDataSource(f.visitsSource);
    f.grid->SetDataField("PERSON_ID");
    f.personId->ReadOnly = true;
    EXPECT_FALSE(f.grid->CanModifyKey());
    f.Type("a");
    f.Press(VK_DOWN);
    EXPECT_EQ(f.grid->KeyValue(), Variant(3));
    EXPECT_EQ(f.visits.State(), dsBrowse);
}

TEST(LookupGridMaster, LookupFieldBindsTheListAndKeys) {
    MasterGrid f;
    f.grid->SetListSource(nullptr);
    f.grid->SetKeyField("");
    f.grid->SetListField("CITY");
    f.grid->SetDataSource(f.visitsSource);
    f.grid->SetDataField("PERSON");
    ASSERT_TRUE(f.grid->LookupMode());
    EXPECT_EQ(f.grid->ListSource()->DataSet(), &f.people);
    EXPECT_EQ(f.grid->KeyField(), "") << "the key fields are the lookup field's own";
    EXPECT_EQ(f.grid->MasterFieldNames(), "PERSON_ID");
    ASSERT_NE(f.grid->ListFieldObject(), nullptr);
    EXPECT_EQ(f.grid->ListFieldObject()->FieldName, "NAME") << "the lookup field's result field";
    EXPECT_EQ(f.grid->ListFields().front()->FieldName, "NAME");
    EXPECT_EQ(f.grid->KeyValue(), Variant(3));
    f.Press(VK_DOWN);
    EXPECT_EQ(f.personId->AsInteger(), 4);
    f.grid->SetDataField("PERSON_ID");
    EXPECT_FALSE(f.grid->LookupMode());
    EXPECT_EQ(f.grid->ListSource(), nullptr) << "leaving lookup mode lets go of the lookup list";
}

TEST(LookupGridMaster, GuardsRefuseWithTheirTexts) {
    struct GuardCase {
        const char* name;
        std::function<void(MasterGrid&)> arrange;
        std::function<void(MasterGrid&)> act;
        std::string message;
    };
    const std::vector<GuardCase> cases = {
        {"key field in lookup mode",
         [](MasterGrid& f) {
             f.grid->SetDataSource(f.visitsSource);
             f.grid->SetDataField("PERSON");
         },
         [](MasterGrid& f) { f.grid->SetKeyField("NAME"); }, "Property already defined by lookup field"},
        {"list field in lookup mode",
         [](MasterGrid& f) {
             f.grid->SetDataSource(f.visitsSource);
             f.grid->SetDataField("PERSON");
         },
         [](MasterGrid& f) { f.grid->SetListField("CITY"); }, "Property already defined by lookup field"},
        {"list source with a fixed master source",
         [](MasterGrid& f) { f.grid->MasterDataLink()->SetDataSourceFixed(true); },
         [](MasterGrid& f) { f.grid->SetListSource(nullptr); }, "Operation not allowed in a DBCtrlGrid"},
        {"a list linked to the master source",
         [](MasterGrid& f) {
             f.visits.SetDataSource(f.peopleSource);
             f.grid->SetDataSource(f.visitsSource);
         },
         [](MasterGrid& f) { f.grid->SetDataField("PERSON_ID"); }, "Circular datalinks are not allowed"},
    };
    for (const GuardCase& c : cases) {
        SCOPED_TRACE(c.name);
        MasterGrid f;
        c.arrange(f);
        const std::string keyField = f.grid->KeyField();
        const std::string listField = f.grid->ListField();
        TDataSource* listSource = f.grid->ListSource();
        try {
            c.act(f);
            ADD_FAILURE() << "no error";
        } catch (const EDatabaseError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
        EXPECT_EQ(f.grid->KeyField(), keyField);
        EXPECT_EQ(f.grid->ListField(), listField);
        EXPECT_EQ(f.grid->ListSource(), listSource);
        f.visits.SetDataSource(nullptr);
    }
}

TEST(LookupGridMaster, FreedMasterSourceDetachesTheGrid) {
    MasterGrid f;
    f.grid->SetDataSource(f.visitsSource);
    f.grid->SetDataField("PERSON_ID");
    delete f.visitsSource;
    EXPECT_EQ(f.grid->DataSource(), nullptr);
    EXPECT_EQ(f.grid->KeyValue(), Variant::Null());
    f.Press(VK_DOWN);
    EXPECT_EQ(f.grid->KeyValue(), Variant(1)) << "the grid keeps the key itself again";
}

}  // namespace
}  // namespace lookup_grid_test
