// The field data link over the in-memory dataset: both modes, the hooks, and field lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_controls/field_data_link.h"
#include "data_controls/field_lists.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/component.h"
#include "platform/rtl/database_error.h"
#include "tests/support/memory_dataset.h"

namespace {

struct Bound : ::testing::Test {
    TComponent control{nullptr};
    TMemoryDataSet ds;
    TDataSource source;
    TFieldDataLinkEh link{&control};
    std::vector<std::string> calls;

    Bound() {
        control.SetName("Edit1");
        ds.SetColumns({"A", "B", "C"});
        ds.AddRow({Variant(10), Variant(20), Variant("x")});
        ds.AddRow({Variant(11), Variant(21), Variant("y")});
        source.SetDataSet(&ds);
        link.DataChangeHook = [this](TFieldDataLinkEh*) { calls.push_back("data"); };
        link.EditingChangeHook = [this](TFieldDataLinkEh* l) {
            calls.push_back(l->Editing() ? "editing" : "browsing");
        };
        link.UpdateDataHook = [this](TFieldDataLinkEh*) { calls.push_back("update"); };
        link.ActiveChangeHook = [this](TFieldDataLinkEh*) { calls.push_back("active"); };
    }
    ~Bound() override {
        link.SetDataSource(nullptr);
        source.SetDataSet(nullptr);
        ds.BeforeDestruction();
    }
    void BindOpen(const std::string& names, bool multi) {
        link.SetMultiFields(multi);
        link.SetDataSource(&source);
        link.SetFieldName(names);
        ds.Open();
        calls.clear();
    }
};

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message;
    }
    return "";
}

TEST(FieldDataLinkUnbound, NewLinkIsUnboundActiveModifiableAndNull) {
    TFieldDataLinkEh link;
    EXPECT_TRUE(link.Unbound());
    EXPECT_TRUE(link.IsActive());
    EXPECT_TRUE(link.IsModifiable());
    EXPECT_TRUE(link.UnboundValue().IsNull());
    EXPECT_EQ(link.FirstField(), nullptr);
    EXPECT_EQ(link.FieldsField(0), nullptr);
}

TEST(FieldDataLinkUnbound, HoldsTheValueAndRefreshesTheControl) {
    TFieldDataLinkEh link;
    int refreshed = 0;
    link.DataChangeHook = [&](TFieldDataLinkEh*) { ++refreshed; };
    link.SetText("abc");
    EXPECT_EQ(link.UnboundValue(), Variant("abc"));
    link.SetValue(Variant(5));
    EXPECT_EQ(link.UnboundValue(), Variant(5));
    EXPECT_EQ(refreshed, 2);
}

TEST(FieldDataLinkUnbound, EditingFollowsBeginAndUpdate) {
    TFieldDataLinkEh link;
    std::vector<std::string> calls;
    link.EditingChangeHook = [&](TFieldDataLinkEh* l) {
        calls.push_back(l->Editing() ? "editing" : "browsing");
    };
    link.UpdateDataHook = [&](TFieldDataLinkEh*) { calls.push_back("update"); };
    EXPECT_TRUE(link.BeginEditing());
    EXPECT_TRUE(link.BeginEditing());  // already editing: no second notice
    link.SetModified();
    link.UpdateData();
    EXPECT_FALSE(link.Editing());
    EXPECT_FALSE(link.Modified());
    // Not modified: nothing to hand over, but editing still ends.
    link.BeginEditing();
    link.UpdateData();
    EXPECT_EQ(calls, (std::vector<std::string>{"editing", "update", "browsing", "editing", "browsing"}));
}

TEST(FieldDataLinkUnbound, ReadOnlyRefusesToEditAndFiresNothing) {
    TFieldDataLinkEh link;
    int fired = 0;
    link.EditingChangeHook = [&](TFieldDataLinkEh*) { ++fired; };
    link.SetReadOnly(true);
    EXPECT_FALSE(link.BeginEditing());
    EXPECT_FALSE(link.Editing());
    EXPECT_EQ(fired, 0);
}

TEST_F(Bound, ClearingSourceAndFieldTurnsUnboundWithNullAndOneRefresh) {
    BindOpen("A", false);
    ASSERT_FALSE(link.Unbound());
    link.SetDataSource(nullptr);
    EXPECT_FALSE(link.Unbound());  // the field name still binds it
    calls.clear();
    link.SetFieldName("");
    EXPECT_TRUE(link.Unbound());
    EXPECT_TRUE(link.UnboundValue().IsNull());
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "data"), 1);
}

TEST_F(Bound, ResolvesFieldsInTheOrderOfTheNames) {
    BindOpen("C;A", true);
    ASSERT_EQ(link.FieldsCount(), 2);
    EXPECT_EQ(link.FieldsField(0)->FieldName, "C");
    EXPECT_EQ(link.FieldsField(1)->FieldName, "A");
    EXPECT_TRUE(link.IsActive());
}

TEST_F(Bound, RecordChangedOnlyForBoundFields) {
    BindOpen("A", false);
    ds.Edit();
    calls.clear();
    ds.FieldByName("B")->SetValue(Variant(99));
    EXPECT_TRUE(calls.empty());
    ds.FieldByName("A")->SetValue(Variant(99));
    EXPECT_EQ(calls, (std::vector<std::string>{"data"}));
    ds.Cancel();
}

TEST_F(Bound, SeveralFieldsTakeNullOrAnArray) {
    BindOpen("A;B", true);
    ds.Edit();
    link.SetValue(Variant::Null());
    EXPECT_TRUE(ds.FieldByName("A")->Value().IsNull());
    EXPECT_TRUE(ds.FieldByName("B")->Value().IsNull());
    link.SetValue(VarArrayOf({Variant(1), Variant(2)}));
    EXPECT_EQ(ds.FieldByName("A")->Value(), Variant(1));
    EXPECT_EQ(ds.FieldByName("B")->Value(), Variant(2));
    ds.Cancel();
}

TEST_F(Bound, AWronglyShapedArrayWritesNoField) {
    BindOpen("A;B", true);
    ds.Edit();
    const Variant wrong[] = {Variant(7), VarArrayOf({Variant(7)}),
                             VarArrayOf({Variant(7), Variant(8), Variant(9)}),
                             VarArrayCreate({1, 2}, varVariant), VarArrayCreate({0, 1, 0, 1}, varVariant)};
    for (const Variant& value : wrong) {
        EXPECT_THROW(link.SetValue(value), EVariantError);
        EXPECT_EQ(ds.FieldByName("A")->Value(), Variant(10));
        EXPECT_EQ(ds.FieldByName("B")->Value(), Variant(20));
    }
    ds.Cancel();
}

TEST_F(Bound, EditingFollowsTheDatasetAndUpdateHandsOverOnlyWhenModified) {
    BindOpen("A", false);
    EXPECT_TRUE(link.BeginEditing());
    EXPECT_EQ(calls.front(), "editing");
    calls.clear();
    link.UpdateData();  // not modified: nothing at all
    EXPECT_TRUE(calls.empty());
    link.SetModified();
    ds.Post();  // the dataset asks for the pending value before it posts
    EXPECT_EQ(calls.front(), "update");
    EXPECT_FALSE(link.Editing());
}

TEST_F(Bound, AMissingFieldRaisesNamingTheControlAndLeavesNoFields) {
    struct Case {
        std::string names;
        bool multi;
    };
    for (const Case& c : {Case{"A;Q", true}, Case{"Q", false}}) {
        SCOPED_TRACE(c.names);
        link.SetFieldName("");
        link.SetMultiFields(c.multi);
        link.SetDataSource(&source);
        link.SetFieldName("A");
        ds.Open();
        ASSERT_EQ(link.FieldsCount(), 1);
        EXPECT_EQ(ErrorOf([&] { link.SetFieldName(c.names); }), "Edit1: Field 'Q' not found");
        EXPECT_EQ(link.FieldsCount(), 0);
        EXPECT_FALSE(link.IsActive());
        ds.Close();
    }
}

TEST_F(Bound, ClosingTheDatasetDropsTheFields) {
    BindOpen("A", false);
    ds.Close();
    EXPECT_EQ(link.FieldsCount(), 0);
    EXPECT_FALSE(link.IsActive());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "active"), calls.end());
}

TEST_F(Bound, DisabledControlsLetGoOfTheFieldsUntilTheLastEnable) {
    BindOpen("B;A", true);
    const struct {
        void (TDataSet::*step)();
        int fieldsAfter;
    } steps[] = {
        {&TDataSet::DisableControls, 0},
        {&TDataSet::DisableControls, 0},
        {&TDataSet::EnableControls, 0},
        {&TDataSet::EnableControls, 2},
    };
    for (const auto& s : steps) {
        (ds.*s.step)();
        EXPECT_EQ(link.FieldsCount(), s.fieldsAfter);
    }
    EXPECT_EQ(link.FieldsField(0), ds.FieldByName("B"));
    EXPECT_EQ(link.FieldsField(1), ds.FieldByName("A"));
}

TEST_F(Bound, FieldsRebuiltWhileControlsAreDisabledAreBoundAfresh) {
    BindOpen("C", false);
    ds.DisableControls();
    ds.Close();
    ds.SetColumns({"D", "C"});  // C now reads the stored rows' second column
    ds.Open();
    std::vector<std::string> shown;
    link.DataChangeHook = [&](TFieldDataLinkEh* l) {
        shown.push_back(l->FirstField() != nullptr ? l->FirstField()->AsString() : "(none)");
    };
    ds.EnableControls();
    ASSERT_EQ(link.FieldsCount(), 1);
    EXPECT_EQ(link.FirstField(), ds.FieldByName("C"));
    EXPECT_EQ(shown, (std::vector<std::string>{"20", "20"}));  // bound again, then the data change
}

TEST_F(Bound, FieldListHelpers) {
    BindOpen("A", false);
    TFieldsArrEh fields;
    FieldsArrayByNames(&ds, &control, "B; A", fields);
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[0]->FieldName, "B");
    EXPECT_EQ(ErrorOf([&] { ListFieldsByNames(nullptr, &ds, &control, "A;Z"); }),
              "Edit1: Field 'Z' not found");
    ds.Edit();
    AssignFieldsFromVariant(&ds, "A;B", VarArrayOf({Variant(3), Variant(4)}));
    EXPECT_EQ(ds.FieldByName("B")->Value(), Variant(4));
    AssignFieldsFromVariant(&ds, "A;B", Variant::Null());
    EXPECT_TRUE(ds.FieldByName("A")->Value().IsNull());
    ds.Cancel();
}

}  // namespace
