// Query conditions: joining, applying to a statement's text and taking back, their text form and
// their stored form, also against an inherited form.
#include <gtest/gtest.h>

#include "firebird/pfib_query.h"
#include "firebird/query_conditions.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/form_stream.h"
#include "platform/rtl/string_stream.h"

namespace {

struct TJoinCase {
    std::string Text;  // name#$#$text#$#$flag lines
    std::string Joined;
};

class JoinEnabled : public ::testing::TestWithParam<TJoinCase> {};

TEST_P(JoinEnabled, BracketsEnabledConditionsAndJoinsThemWithAnd) {
    TConditions conditions(nullptr);
    conditions.SetAsText(GetParam().Text);
    EXPECT_EQ(JoinEnabledConditions(conditions), GetParam().Joined);
}

INSTANTIATE_TEST_SUITE_P(Cases, JoinEnabled,
                         ::testing::Values(TJoinCase{"", ""}, TJoinCase{"A#$#$X=1#$#$0\nB#$#$Y=2#$#$0", ""},
                                           TJoinCase{"A#$#$X=1#$#$1", "(X=1)\r\n"},
                                           TJoinCase{"A#$#$X=1#$#$1\nB#$#$Y=2#$#$0\nC#$#$Z=3#$#$1",
                                                     "(X=1)\r\n\r\n and (Z=3)\r\n"},
                                           // A blank condition would leave "()" in the statement.
                                           TJoinCase{"A#$#$  #$#$1\nB#$#$Y=2#$#$1", "(Y=2)\r\n"}));

class ConditionsOnQuery : public ::testing::Test {
  protected:
    std::string Sql() { return query_->SQL().Text(); }
    TObjectPtr<TpFIBQuery> query_ = MakeComponent<TpFIBQuery>(nullptr);
    TConditions conditions_{query_.get()};
};

struct TApplyCase {
    std::string Base;
    std::string Where;  // the main WHERE text once applied
};

class ApplyConditions : public ConditionsOnQuery, public ::testing::WithParamInterface<TApplyCase> {};

TEST_P(ApplyConditions, AddsEnabledConditionsToTheMainWhereAndTakesThemBack) {
    query_->SQL().SetText(GetParam().Base);
    const std::string base = Sql();
    conditions_.AddCondition("active", "ACTIVE = 1", true);
    conditions_.AddCondition("off", "KIND = 9", false);
    conditions_.AddCondition("cheap", "PRICE < 10", true);

    conditions_.Apply();
    EXPECT_TRUE(conditions_.Applied());
    EXPECT_EQ(conditions_.BaseSQLText(), base);
    EXPECT_EQ(query_->GetMainWhereText(), GetParam().Where);
    EXPECT_EQ(conditions_.ApplyState(), 0);

    const std::string once = Sql();
    conditions_.Apply();
    EXPECT_EQ(Sql(), once) << "applying twice changes nothing more";

    conditions_.CancelApply();
    EXPECT_FALSE(conditions_.Applied());
    EXPECT_EQ(Sql(), base);
    EXPECT_EQ(conditions_.BaseSQLText(), base);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyConditions,
    ::testing::Values(TApplyCase{"SELECT * FROM GOODS", "(ACTIVE = 1)\r\n\r\n and (PRICE < 10)"},
                      TApplyCase{"SELECT * FROM GOODS ORDER BY ID", "(ACTIVE = 1)\r\n\r\n and (PRICE < 10)"},
                      // The old condition is bracketed: its OR must not take in the new ones.
                      TApplyCase{"SELECT * FROM GOODS WHERE KIND = 1 OR KIND = 2",
                                 "(KIND = 1 OR KIND = 2)\r\nand (ACTIVE = 1)\r\n\r\n and (PRICE < 10)"}));

TEST_F(ConditionsOnQuery, WithoutEnabledConditionsApplyLeavesThePrimaryText) {
    query_->SQL().SetText("SELECT * FROM GOODS WHERE ID > 0");
    const std::string base = Sql();
    conditions_.AddCondition("off", "KIND = 9", false);
    conditions_.Apply();
    EXPECT_EQ(Sql(), base);
    EXPECT_TRUE(conditions_.Applied());
}

TEST_F(ConditionsOnQuery, ChangesMarkNotAppliedAndTheNextApplyRebuildsFromTheBase) {
    query_->SQL().SetText("SELECT * FROM GOODS");
    TCondition* active = conditions_.AddCondition("active", "ACTIVE = 1", true);
    conditions_.Apply();
    const std::string applied = Sql();

    active->SetEnabled(false);
    EXPECT_FALSE(conditions_.Applied());
    EXPECT_EQ(Sql(), applied) << "switching a condition leaves the text until the next Apply";
    conditions_.AddCondition("cheap", "PRICE < 10", true);
    conditions_.Apply();
    EXPECT_EQ(query_->GetMainWhereText(), "(PRICE < 10)");

    conditions_.RemoveCondition("cheap");
    EXPECT_FALSE(conditions_.Applied());
    conditions_.Apply();
    EXPECT_EQ(query_->GetMainWhereText(), "");
}

TEST(Conditions, LinesAndConditionsLeaveTogether) {
    TConditions conditions(nullptr);
    conditions.AddCondition("a", "X = 1", true);
    TCondition* b = conditions.AddCondition("b", "Y = 2", true);
    conditions.AddCondition("c", "Z = 3", false);
    conditions.Add("d=W = 4");
    ASSERT_NE(conditions.FindCondition("d"), nullptr);

    conditions.Delete(0);
    EXPECT_EQ(conditions.FindCondition("a"), nullptr);
    delete b;  // freeing a condition removes its line
    EXPECT_EQ(conditions.Count(), 2);
    EXPECT_EQ(conditions.Names(0), "c");
    EXPECT_EQ(conditions.AddObject("e=V = 5", b), -1) << "only the list makes conditions";
    EXPECT_EQ(conditions.GetCondition(2), nullptr);
    EXPECT_EQ(conditions.GetCondition(-1), nullptr);
    conditions.Clear();
    EXPECT_EQ(conditions.Count(), 0);
}

TEST(Conditions, AddConditionReplacesTheTextOfAnExistingName) {
    TConditions conditions(nullptr);
    TCondition* first = conditions.AddCondition("a", "X = 1", false);
    conditions.SetApplied(true);
    TCondition* again = conditions.AddCondition("A", "X = 2", true);
    EXPECT_EQ(first, again);
    EXPECT_EQ(conditions.Count(), 1);
    EXPECT_EQ(again->GetValue(), "X = 2");
    EXPECT_EQ(again->GetName(), "a");
    EXPECT_TRUE(again->Enabled());
    EXPECT_FALSE(conditions.Applied());
}

TEST(ConditionsText, RoundTripsNamesTextsAndFlags) {
    TConditions conditions(nullptr);
    conditions.AddCondition("a", "NAME = 'x=y'", true);
    conditions.AddCondition("b", "", false);
    EXPECT_EQ(conditions.GetAsText(), "a#$#$NAME = 'x=y'#$#$1\r\nb#$#$#$#$0\r\n");

    TConditions copy(nullptr);
    copy.SetAsText(conditions.GetAsText());
    EXPECT_EQ(copy.GetAsText(), conditions.GetAsText());
    copy.SetAsText("c#$#$Z = 3#$#$ 1 \n\n");
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_TRUE(copy.FindCondition("c")->Enabled());
}

class ConditionsTextRefused : public ::testing::TestWithParam<std::string> {};

TEST_P(ConditionsTextRefused, RaisesAndKeepsTheConditions) {
    TConditions conditions(nullptr);
    conditions.AddCondition("kept", "X = 1", true);
    EXPECT_THROW(conditions.SetAsText("fine#$#$Y = 2#$#$1\n" + GetParam()), EConvertError);
    EXPECT_EQ(conditions.GetAsText(), "kept#$#$X = 1#$#$1\r\n");
}

INSTANTIATE_TEST_SUITE_P(Cases, ConditionsTextRefused,
                         ::testing::Values("no markers", "one#$#$marker", "#$#$X#$#$1", "  #$#$X#$#$1",
                                           "a=b#$#$X#$#$1"));

// A component that stores its conditions the way a query does.
class TConditionsHost : public TComponent {
  public:
    explicit TConditionsHost(TComponent* owner) : TComponent(owner) {}
    std::string ClassName() const override { return "TConditionsHost"; }
    TConditions Conditions{nullptr};

  protected:
    void DefineProperties(TFiler& filer) override {
        TComponent::DefineProperties(filer);
        const auto* ancestor = dynamic_cast<const TConditionsHost*>(filer.Ancestor());
        Conditions.DefineProperties(filer, "Conditions",
                                    ancestor != nullptr ? &ancestor->Conditions : nullptr);
    }
};

class ConditionsStream : public ::testing::Test {
  protected:
    ConditionsStream() {
        base_->SetName("Host");
        base_->Conditions.AddCondition("a", "X = 1", true);
        base_->Conditions.AddCondition("b", "", false);
        base_->Conditions.AddCondition("c", "Z = 3", true);
    }
    static void Read(const std::string& text, TConditionsHost& into) {
        TClassRegistry classes;
        classes.RegisterClass<TConditionsHost>("TConditionsHost");
        TStringStream stream(text);
        ReadComponentText(stream, into, classes);
    }
    TObjectPtr<TConditionsHost> base_ = MakeComponent<TConditionsHost>(nullptr);
};

TEST_F(ConditionsStream, ReadsBackWhatItWrote) {
    const std::string text = ComponentToText(*base_);
    EXPECT_NE(text.find("'''"), std::string::npos) << "an empty text is stored as a quote:\n" << text;
    auto copy = MakeComponent<TConditionsHost>(nullptr);
    Read(text, *copy);
    EXPECT_EQ(copy->Conditions.GetAsText(), base_->Conditions.GetAsText());
}

TEST_F(ConditionsStream, InheritedFormStoresOnlyDifferencesAndDeletions) {
    auto derived = MakeComponent<TConditionsHost>(nullptr);
    derived->SetName("Host");
    derived->Conditions.SetAsText(base_->Conditions.GetAsText());
    EXPECT_EQ(ComponentToText(*derived, base_.get()).find("Conditions.Data"), std::string::npos);

    derived->Conditions.FindCondition("a")->SetEnabled(false);  // same text, other flag
    derived->Conditions.RemoveCondition("b");
    derived->Conditions.AddCondition("d", "W = 4", true);
    const std::string text = ComponentToText(*derived, base_.get());
    EXPECT_NE(text.find("#@DELETED"), std::string::npos) << text;
    EXPECT_EQ(text.find("X = 1"), std::string::npos) << "an unchanged text is stored as 0:\n" << text;

    // Reading an inherited form: the ancestor's form first, then the descendant's.
    auto read = MakeComponent<TConditionsHost>(nullptr);
    Read(ComponentToText(*base_), *read);
    Read(text, *read);
    EXPECT_EQ(read->Conditions.GetAsText(), "a#$#$X = 1#$#$0\r\nc#$#$Z = 3#$#$1\r\nd#$#$W = 4#$#$1\r\n");
}

TEST_F(ConditionsStream, ReadsTheFormsOfOlderVersions) {
    auto read = MakeComponent<TConditionsHost>(nullptr);
    Read(
        "object Host: TConditionsHost\n  Conditions.Strings = (\n    'a=X = 1'\n    'b=Y = 2'\n    'c=Z = "
        "3')\n"
        "  Conditions.Enabled = 'x1x0x1x'\nend\n",
        *read);
    EXPECT_EQ(read->Conditions.GetAsText(), "a#$#$X = 1#$#$1\r\nb#$#$Y = 2#$#$0\r\nc#$#$Z = 3#$#$1\r\n");
}

}  // namespace
