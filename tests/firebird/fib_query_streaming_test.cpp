// Statements in a stored form: their text, switches and options come back as they were stored.
#include <gtest/gtest.h>

#include "firebird/pfib_query.h"
#include "platform/rtl/class_registry.h"
#include "platform/rtl/form_stream.h"
#include "platform/rtl/reader.h"

namespace {

TEST(QueryStreaming, TextSwitchesAndOptionsSurviveAStoredForm) {
    TClassRegistry classes;
    classes.RegisterClass<TpFIBQuery>("TpFIBQuery");
    auto root = MakeComponent<TComponent>(nullptr);
    root->SetName("Module");
    auto* query = NewComponent<TpFIBQuery>(root.get());
    query->SetName("Tickets");
    query->SQL().SetText("select ID from T\r\nwhere ID = :ID");
    query->ParamCheck = false;
    query->Description = "tickets of the day";
    query->Options = {qoAutoCommit, qoNoForceIsNull};
    const std::string text = ComponentToText(*root);
    for (const char* line :
         {"    qoAutoCommit = True\n", "    qoNoForceIsNull = True\n", "    ParamCheck = False\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    for (const char* absent : {"qoStartTransaction", "qoTrimCharFields", "GoToFirstRecordOnExecute", "About"})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent << " in\n" << text;

    auto copy = MakeComponent<TComponent>(nullptr);
    TReader(text, classes).ReadRootComponent(*copy);
    auto* read = dynamic_cast<TpFIBQuery*>(copy->FindComponent("Tickets"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->SQL().Text(), "select ID from T\r\nwhere ID = :ID\r\n");
    EXPECT_FALSE(read->ParamCheck);
    EXPECT_TRUE(read->GoToFirstRecordOnExecute);
    EXPECT_EQ(read->Description, "tickets of the day");
    EXPECT_EQ(read->Options, (TpFIBQueryOptions{qoAutoCommit, qoNoForceIsNull}));
    EXPECT_EQ(read->GetParams().Count(), 0) << "read without scanning for parameters";
}

TEST(QueryStreaming, ConditionsSurviveAStoredFormAndAreLeftOutWhenThereAreNone) {
    TClassRegistry classes;
    classes.RegisterClass<TpFIBQuery>("TpFIBQuery");
    auto root = MakeComponent<TComponent>(nullptr);
    root->SetName("Module");
    auto* plain = NewComponent<TpFIBQuery>(root.get());
    plain->SetName("Plain");
    auto* query = NewComponent<TpFIBQuery>(root.get());
    query->SetName("Goods");
    query->SQL().SetText("select ID from GOODS");
    query->Conditions().AddCondition("kind", "KIND = 'B'", true);
    query->Conditions().AddCondition("blank", "", false);
    query->Conditions().AddCondition("cheap", "PRICE < 10", false);
    const std::string text = ComponentToText(*root);
    EXPECT_EQ(text.find("Conditions"), text.rfind("Conditions")) << "only the query with conditions:\n"
                                                                 << text;

    auto copy = MakeComponent<TComponent>(nullptr);
    TReader(text, classes).ReadRootComponent(*copy);
    auto* read = dynamic_cast<TpFIBQuery*>(copy->FindComponent("Goods"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Conditions().GetAsText(), query->Conditions().GetAsText());
    EXPECT_FALSE(read->Conditions().Applied());
    EXPECT_EQ(read->SQL().Text(), "select ID from GOODS\r\n") << "conditions are not applied by reading";
    auto* readPlain = dynamic_cast<TpFIBQuery*>(copy->FindComponent("Plain"));
    ASSERT_NE(readPlain, nullptr);
    EXPECT_EQ(readPlain->Conditions().Count(), 0);
}

}  // namespace
