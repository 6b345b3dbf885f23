// TField: values read and written through the dataset's record, conversions, text events, and the
// checks that refuse a change.
#include "platform/db/field.h"
#include "platform/db/typed_fields.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/database_error.h"
#include "tests/support/memory_dataset.h"

namespace {

class FieldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ds.SetColumns({"ID", "Value"});
        ds.AddRow({1, "first"});
        ds.AddRow({2, Variant::Null()});
        field = new TField(&ds);
        field->FieldName = "Value";
        field->SetFieldNo(2);
        field->SetDataSet(&ds);
        ds.Open();
    }

    TMemoryDataSet ds;
    TField* field = nullptr;
};

TEST_F(FieldTest, ReadsTheRecordUnderTheCursorAndANullAsEmptyValues) {
    EXPECT_FALSE(field->IsNull());
    EXPECT_EQ(field->AsString(), "first");
    ds.Next();
    EXPECT_TRUE(field->IsNull());
    EXPECT_TRUE(field->Value().IsNull());
    EXPECT_EQ(field->AsString(), "");
    EXPECT_EQ(field->AsInteger(), 0);
    EXPECT_EQ(field->AsFloat(), 0.0);
    EXPECT_FALSE(field->AsBoolean());
    EXPECT_EQ(field->AsDateTime(), 0.0);
}

TEST_F(FieldTest, ConvertsTheStoredValue) {
    struct Case {
        Variant stored;
        std::string text;
        int integer;
        double real;
        bool boolean;
    };
    const std::vector<Case> cases = {
        {Variant(42), "42", 42, 42.0, true},
        {Variant("7"), "7", 7, 7.0, true},
        {Variant(2.5), "2.5", 2, 2.5, true},
        {Variant(false), "False", 0, 0.0, false},
    };
    ds.Edit();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        field->SetValue(c.stored);
        EXPECT_EQ(field->AsString(), c.text);
        EXPECT_EQ(field->AsInteger(), c.integer);
        EXPECT_DOUBLE_EQ(field->AsFloat(), c.real);
        EXPECT_EQ(field->AsBoolean(), c.boolean);
    }
}

TEST_F(FieldTest, AWriteIsValidatedThenStoredThenAnnounced) {
    std::vector<std::string> seen;
    field->OnValidate = [&](TField* f) { seen.push_back("validate " + f->AsString()); };
    field->OnChange = [&](TField* f) { seen.push_back("change " + f->AsString()); };
    ds.Edit();
    field->SetAsInteger(5);
    EXPECT_EQ(seen, (std::vector<std::string>{"validate first", "change 5"}));
    EXPECT_TRUE(ds.Modified());
    ds.Post();
    EXPECT_EQ(ds.StoredRow(0)[1], Variant(5));
    ds.Edit();
    field->Clear();
    ds.Post();
    EXPECT_TRUE(ds.StoredRow(0)[1].IsNull());
}

TEST_F(FieldTest, RefusedWritesLeaveTheRecordAlone) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"browse state", [] {}, "Dataset not in edit or insert mode"},
        {"read-only", [&] { ds.Edit(), field->ReadOnly = true; }, "Field 'Value' cannot be modified"},
        {"calculated", [&] { ds.Edit(), field->FieldKind = fkCalculated; },
         "Field 'Value' cannot be modified"},
        {"validation",
         [&] {
             ds.Edit();
             field->OnValidate = [](TField*) { throw EDatabaseError("too long"); };
         },
         "too long"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        try {
            field->SetAsString("changed");
            ADD_FAILURE() << "no error";
        } catch (const EDatabaseError& e) {
            EXPECT_NE(std::string(e.Message).find(c.message), std::string::npos) << e.Message;
        }
        EXPECT_EQ(field->AsString(), "first");
        ds.Cancel();
        field->ReadOnly = false;
        field->FieldKind = fkData;
        field->OnValidate = nullptr;
    }
}

TEST_F(FieldTest, TextEventsReplaceTheDefaultReadingAndWriting) {
    EXPECT_EQ(field->Text(), "first");
    EXPECT_EQ(field->DisplayText(), "first");
    field->OnGetText = [](TField* f, std::string& text, bool display) {
        text = (display ? "<" : "") + f->AsString();
    };
    field->OnSetText = [](TField* f, const std::string& text) { f->SetAsString(text + "!"); };
    EXPECT_EQ(field->Text(), "first");
    EXPECT_EQ(field->DisplayText(), "<first");
    ds.Edit();
    field->SetText("new");
    EXPECT_EQ(field->AsString(), "new!");
}

TEST_F(FieldTest, DisplayNameAndWidthFallBackToNameAndSize) {
    EXPECT_EQ(field->DisplayName(), "Value");
    field->DisplayLabel = "Shown";
    EXPECT_EQ(field->DisplayName(), "Shown");
    EXPECT_EQ(field->DisplayWidth(), 10);
    field->SetSize(4);
    EXPECT_EQ(field->DisplayWidth(), 4);
    field->SetDisplayWidth(7);
    EXPECT_EQ(field->DisplayWidth(), 7);
}

TEST(DefaultFields, AreMadeFromTheDefinitionsOnOpenAndFreedOnClose) {
    TMemoryDataSet ds;
    ds.SetColumns({"ID", "Name"});
    ds.AddRow({1, "Ann"});
    ds.Open();
    EXPECT_TRUE(ds.DefaultFields());
    ASSERT_EQ(ds.Fields().Count(), 2);
    TField* name = ds.FieldByName("name");
    EXPECT_EQ(name->Index(), 1);
    EXPECT_EQ(name->FieldNo(), 2);
    EXPECT_EQ(name->DataType(), ftVariant);
    EXPECT_EQ(name->AsString(), "Ann");
    EXPECT_EQ(ds.FindField("Missing"), nullptr);
    try {
        ds.FieldByName("Missing");
        ADD_FAILURE() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message.find("Field 'Missing' not found"), std::string::npos) << e.Message;
    }
    ds.Close();
    EXPECT_EQ(ds.Fields().Count(), 0);
    EXPECT_EQ(ds.ComponentCount(), 0);
}

TEST(DefaultFields, AFieldOutlivingItsDataSetLetsItGo) {
    TField field(nullptr);
    {
        TMemoryDataSet ds;
        field.SetDataSet(&ds);
        EXPECT_EQ(field.Index(), 0);
    }
    EXPECT_EQ(field.DataSet(), nullptr);
    EXPECT_EQ(field.Index(), -1);
    EXPECT_THROW(field.AsString(), EDatabaseError);
}

TEST(DefaultFields, AreNotMadeWhenTheDataSetHasFieldsOfItsOwn) {
    TMemoryDataSet ds;
    ds.SetColumns({"ID", "Name"});
    auto* own = new TField(&ds);
    own->FieldName = "Name";
    own->SetFieldNo(2);
    own->SetDataSet(&ds);
    ds.Open();
    EXPECT_FALSE(ds.DefaultFields());
    EXPECT_EQ(ds.Fields().Count(), 1);
    ds.Close();
    EXPECT_EQ(ds.FindField("NAME"), own);
    delete own;
    EXPECT_EQ(ds.Fields().Count(), 0);
}

}  // namespace

namespace {

class TypedFieldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ds.SetColumns({"Code", "Qty"});
        ds.SetColumnType(0, ftString, 4);
        ds.SetColumnType(1, ftInteger);
        ds.AddRow({"AB", 3});
        ds.Open();
        ds.Edit();
        code = ds.FieldByName("Code");
        qty = ds.FieldByName("Qty");
    }

    TMemoryDataSet ds;
    TField* code = nullptr;
    TField* qty = nullptr;
};

TEST_F(TypedFieldTest, DefaultFieldsTakeTheClassOfTheirType) {
    EXPECT_EQ(code->ClassName(), "TStringField");
    EXPECT_EQ(code->Size(), 4);
    EXPECT_EQ(qty->ClassName(), "TIntegerField");
}

TEST_F(TypedFieldTest, WritesAreStoredInTheColumnsType) {
    struct Case {
        const char* name;
        std::function<void()> write;
        Variant storedCode;
        Variant storedQty;
    };
    const std::vector<Case> cases = {
        {"integer into text", [&] { code->SetAsInteger(12); }, Variant("12"), Variant(3)},
        {"long text is cut", [&] { code->SetAsString("ABCDEF"); }, Variant("ABCD"), Variant(3)},
        {"text into integer", [&] { qty->SetAsString("-7"); }, Variant("AB"), Variant(-7)},
        {"float rounds", [&] { qty->SetAsFloat(2.6); }, Variant("AB"), Variant(3)},
        {"variant text", [&] { qty->SetValue("41"); }, Variant("AB"), Variant(41)},
        {"empty text clears", [&] { qty->SetAsString(""); }, Variant("AB"), Variant::Null()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ds.Edit();
        c.write();
        ds.Post();
        EXPECT_EQ(ds.StoredRow(0)[0], c.storedCode);
        if (c.storedQty.IsNull())
            EXPECT_TRUE(ds.StoredRow(0)[1].IsNull());
        else
            EXPECT_EQ(ds.StoredRow(0)[1], c.storedQty);
        EXPECT_EQ(ds.StoredRow(0)[1].IsNull() ? varNull : ds.StoredRow(0)[1].VarType(),
                  c.storedQty.IsNull() ? varNull : varInteger);
        ds.Edit();
        code->SetAsString("AB");
        qty->SetAsInteger(3);
        ds.Post();
    }
}

TEST_F(TypedFieldTest, IntegerFieldRefusesTextAndValuesOutOfRange) {
    auto* field = static_cast<TIntegerField*>(qty);
    field->MinValue = 1;
    field->MaxValue = 9;
    struct Case {
        std::function<void()> write;
        const char* message;
    };
    const std::vector<Case> cases = {
        {[&] { qty->SetAsString("1.5"); }, "'1.5' is not a valid integer value"},
        {[&] { qty->SetAsInteger(10); },
         "10 is not a valid value for field 'Qty'. The allowed range is 1 to 9"},
        {[&] { qty->SetAsFloat(0.2); },
         "0 is not a valid value for field 'Qty'. The allowed range is 1 to 9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            c.write();
            ADD_FAILURE() << "no error";
        } catch (const EDatabaseError& e) {
            EXPECT_EQ(e.Message, c.message);
        }
        EXPECT_EQ(qty->AsInteger(), 3);
    }
}

}  // namespace

namespace {

TEST(FieldStates, OldValueIsTheRecordBeforeTheEdit) {
    TMemoryDataSet ds;
    ds.SetColumns({"Name"});
    ds.SetColumnType(0, ftString, 10);
    ds.AddRow({"Ann"});
    ds.Open();
    TField* name = ds.FieldByName("Name");
    struct Case {
        const char* name;
        std::function<void()> act;
        Variant oldValue;
        Variant newValue;
    };
    const std::vector<Case> cases = {
        {"browsing", [] {}, Variant("Ann"), Variant("Ann")},
        {"editing",
         [&] {
             ds.Edit();
             name->SetAsString("Bob");
         },
         Variant("Ann"), Variant("Bob")},
        {"inserting",
         [&] {
             ds.Insert();
             name->SetAsString("Eve");
         },
         Variant::Null(), Variant("Eve")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.act();
        const TDataSetState state = ds.State();
        EXPECT_EQ(name->OldValue().IsNull(), c.oldValue.IsNull());
        if (!c.oldValue.IsNull()) {
            EXPECT_EQ(name->OldValue(), c.oldValue);
        }
        EXPECT_EQ(name->NewValue(), c.newValue);
        EXPECT_EQ(ds.State(), state);
        ds.Cancel();
    }
}

TEST(FieldStates, OnlyWritableFieldsOfAModifiableDataSetCanModify) {
    TMemoryDataSet ds;
    ds.SetColumns({"A"});
    ds.Open();
    TField* field = ds.FieldByName("A");
    EXPECT_TRUE(field->CanModify());
    field->ReadOnly = true;
    EXPECT_FALSE(field->CanModify());
    field->ReadOnly = false;
    field->FieldKind = fkCalculated;
    EXPECT_FALSE(field->CanModify());
    field->FieldKind = fkInternalCalc;
    EXPECT_TRUE(field->CanModify());
}

}  // namespace
