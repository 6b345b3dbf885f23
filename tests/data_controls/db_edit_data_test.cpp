// The data-aware edit over the in-memory dataset, typed through: what it shows, what begins editing,
// what Tab and Escape do, what it refuses, and how failures leave it.
#include <gtest/gtest.h>

#include "platform/db/dataset.h"
#include "platform/db/numeric_fields.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_controls/db_edit_test_support.h"

TEST_F(DBEditForm, ShowsTheFieldAndTypingBeginsEditingThenTabWritesIt) {
    Bind("NAME");
    EXPECT_EQ(edit->Text(), "Ivanov");
    EXPECT_EQ(edit->MaxLength(), 20) << "the field's size";
    EXPECT_TRUE(edit->TEdit::ReadOnly) << "browsing: the window refuses input until editing begins";
    Focus();
    Press(VK_END);
    Type("a");
    EXPECT_EQ(ds.State(), dsEdit);
    EXPECT_EQ(edit->Text(), "Ivanova");
    EXPECT_EQ(Stored(0, kName), "Ivanov") << "nothing written before the focus leaves";
    Press(VK_TAB);
    EXPECT_TRUE(next->Focused());
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "Ivanova");
    ds.Post();
    EXPECT_EQ(Stored(0, kName), "Ivanova");
}

TEST_F(DBEditForm, EscapeRestoresTheFieldsTextAndDoesNotReachTheForm) {
    Bind("NAME");
    Focus();
    Type("Smith");
    ASSERT_EQ(edit->Text(), "Smith");
    Press(VK_ESCAPE);
    EXPECT_EQ(edit->Text(), "Ivanov");
    EXPECT_EQ(edit->SelLength(), 6) << "all selected";
    EXPECT_EQ(form->DialogKeys, 0);
    EXPECT_TRUE(edit->Focused());
}

TEST_F(DBEditForm, AWriteFailingOnExitKeepsTheFocusWithAllSelected) {
    Bind("AGE");
    dynamic_cast<TIntegerField&>(*ds.FieldByName("AGE")).MaxValue = 120;
    dynamic_cast<TIntegerField&>(*ds.FieldByName("AGE")).MinValue = 0;
    Focus();
    Type("500");
    Press(VK_TAB);
    EXPECT_TRUE(edit->Focused());
    EXPECT_FALSE(next->Focused());
    EXPECT_EQ(edit->Text(), "500");
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelLength(), 3);
    EXPECT_EQ(ui.System().MessageBoxes().size(), 1u) << "the failure is reported, not swallowed";
    EXPECT_EQ(ds.FieldByName("AGE")->AsInteger(), 40);
}

TEST_F(DBEditForm, ACharacterTheFieldRefusesBeepsAndIsDropped) {
    Bind("AGE");
    Focus();
    Type("1x");
    EXPECT_EQ(edit->Text(), "1");
    EXPECT_EQ(ui.System().Beeps().size(), 1u);
    Type("ж");
    EXPECT_EQ(edit->Text(), "1") << "a character past one byte is refused by a field that limits them";
    EXPECT_EQ(ui.System().Beeps().size(), 2u);
}

TEST_F(DBEditForm, CyrillicBeginsEditingLikeAnyOtherCharacter) {
    Bind("NAME");
    Focus();
    Type("Жуков");
    EXPECT_EQ(ds.State(), dsEdit);
    EXPECT_EQ(edit->Text(), "Жуков");
    EXPECT_TRUE(ui.System().Beeps().empty());
}

TEST_F(DBEditForm, EnterAndTabNeverReachTheEditWindow) {
    Bind("NAME");
    Focus();
    Press(VK_END);
    Press(VK_RETURN);
    EXPECT_EQ(edit->Text(), "Ivanov") << "the multi-line window must not break the line";
}

TEST_F(DBEditForm, ReadOnlyRules) {
    struct Case {
        const char* what;
        bool readOnlySetting;
        bool datasetEditing;
        bool updateHandler;
        bool windowReadOnly;
        bool typingChanges;
    };
    const Case cases[] = {
        {"browsing, no handler", false, false, false, true, true},
        {"editing", false, true, false, false, true},
        {"browsing with an update handler", false, false, true, false, true},
        {"ReadOnly set, browsing", true, false, false, true, false},
        {"ReadOnly set, editing", true, true, false, true, false},
    };
    Bind("NAME");
    for (const Case& c : cases) {
        ds.Cancel();
        edit->SetReadOnly(c.readOnlySetting);
        if (c.updateHandler)
            edit->OnUpdateData = [](TObject*, bool&) {};
        else
            edit->OnUpdateData = nullptr;
        edit->RefreshReadOnly();
        if (c.datasetEditing)
            ds.Edit();
        EXPECT_EQ(edit->TEdit::ReadOnly, c.windowReadOnly) << c.what;
        Focus();
        Press(VK_END);
        Type("z");
        EXPECT_EQ(edit->Text() == "Ivanovz", c.typingChanges) << c.what;
        Press(VK_ESCAPE);
        next->SetFocus();
        ui.ProcessMessages();
    }
}

TEST_F(DBEditForm, UnboundKeepsItsOwnValue) {
    Focus();
    Type("hello");
    EXPECT_EQ(edit->Text(), "hello");
    Press(VK_TAB);
    EXPECT_EQ(edit->DataLink()->UnboundValue(), Variant("hello"));
    edit->SetText("set");
    EXPECT_EQ(edit->DataLink()->UnboundValue(), Variant("set"));
    edit->SetValue(Variant(12));
    EXPECT_EQ(edit->Text(), "12");
}

TEST_F(DBEditForm, SetTextEditsTheRecordAndAFailureShowsTheRecordAgain) {
    Bind("AGE");
    dynamic_cast<TIntegerField&>(*ds.FieldByName("AGE")).MaxValue = 120;
    edit->SetText("55");
    EXPECT_EQ(ds.State(), dsEdit);
    EXPECT_EQ(ds.FieldByName("AGE")->AsInteger(), 55);
    EXPECT_THROW(edit->SetText("500"), Exception);
    EXPECT_EQ(edit->Text(), "55");
}

TEST_F(DBEditForm, FollowsTheFieldsMaskAlignmentAndSize) {
    ds.Open();
    ds.FieldByName("CODE")->EditMask = ">LL;1;_";
    ds.FieldByName("CODE")->Alignment = taRightJustify;
    Bind("CODE");
    EXPECT_EQ(edit->EditMask(), ">LL;1;_");
    EXPECT_EQ(edit->Alignment(), taRightJustify);
    EXPECT_EQ(edit->MaxLength(), 2) << "the mask's length";
    edit->SetAlignment(taCenter);
    EXPECT_EQ(edit->Alignment(), taCenter);
    EXPECT_TRUE(edit->AlignmentAssigned());
    edit->SetEditMask("");
    EXPECT_TRUE(edit->EditMaskAssigned());
    EXPECT_EQ(edit->EditMask(), "");
}

TEST_F(DBEditForm, DataLinkQueryAnswersTheLink) {
    EXPECT_EQ(edit->Perform(CM_GETDATALINK), reinterpret_cast<LRESULT>(edit->DataLink()));
}

TEST(SafeVarToStrTest, TextOfVariants) {
    EXPECT_EQ(SafeVarToStr(Variant::Null()), "");
    EXPECT_EQ(SafeVarToStr(Variant(5)), "5");
    EXPECT_EQ(SafeVarToStr(Variant("x")), "x");
    EXPECT_EQ(SafeVarToStr(VarArrayOf({Variant(1), Variant(2)})), "");
}

TEST_F(DBEditForm, LeavingWithoutTypingWritesNothing) {
    // Stored forms read DataField before DataSource: the refresh on the source must not count as an edit.
    ds.Open();
    edit->SetDataField("NAME");
    edit->SetDataSource(&source);
    Focus();
    Press(VK_TAB);
    EXPECT_TRUE(next->Focused());
    EXPECT_TRUE(ui.System().MessageBoxes().empty());
    EXPECT_EQ(ds.State(), dsBrowse);
}

TEST_F(DBEditForm, ClosingTheDatasetClearsTheText) {
    Bind("NAME");
    ds.Close();
    EXPECT_EQ(edit->Text(), "");
    ds.Open();
    EXPECT_EQ(edit->Text(), "Ivanov");
}
