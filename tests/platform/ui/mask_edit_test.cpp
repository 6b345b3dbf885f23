// Typing into a masked edit: literals stay in place, blanks stand for what is not typed yet,
// refused characters leave no trace, and leaving with a required position blank is an error.
#include <gtest/gtest.h>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/strings.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/mask_edit.h"
#include "tests/platform/ui/edit_keys.h"

namespace {

class MaskForm : public TForm {
  public:
    explicit MaskForm(TComponent* owner) : TForm(owner) {
        edit = NewComponent<TMaskEdit>(this);
        edit->SetParent(this);
        edit->AutoSelect = false;
        other = NewComponent<TEdit>(this);
        other->SetParent(this);
        other->SetTop(40);
    }
    TMaskEdit* edit;
    TEdit* other;
};

class MaskEditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->Show();
        ui.ProcessMessages();
        form->edit->SetFocus();
    }
    platform::ui::HeadlessSession ui;
    MaskForm* form = nullptr;
};

struct TypingCase {
    const char* Mask;
    const char* Initial;  // set as Text before typing
    const char* Keys;
    const char* EditText;
    const char* Text;
};

TEST_F(MaskEditTest, TypingFollowsTheMask) {
    const TypingCase cases[] = {
        // Literals kept in the text or left out of it.
        {"000-00;1;_", "", "12345", "123-45", "123-45"},
        {"000-00;0;_", "", "12345", "123-45", "12345"},
        // A letter where a digit belongs is refused; nothing moves.
        {"000-00;0;_", "", "1a2", "12_-__", "12"},
        {"000-00;1;_", "", "x1-2", "12_-__", "12 -  "},
        // Typing starts past a leading literal; a literal typed at its place steps over it.
        {"(999)000;1;*", "", "12", "(12*)***", "(12 )   "},
        {"(000);1;_", "", "(1", "(1__)", "(1  )"},
        {"000-00;1;_", "", "123-45", "123-45", "123-45"},
        // Case rules, Cyrillic too.
        {">LL<ll;1;_", "", "abCD", "ABcd", "ABcd"},
        {">LLL;0;_", "", "жыя", "ЖЫЯ", "ЖЫЯ"},
        {"LL;0;_", "", "1я", "я_", "я"},
        // Signs only where '#' allows them.
        {"#99;0;_", "", "-12", "-12", "-12"},
        {"099;0;_", "", "-12", "12_", "12"},
        // Escaped mask characters and the blank literal.
        {"\\L\\0-0;1;_", "", "5", "L0-5", "L0-5"},
        {"00_00;1;*", "", "1234", "12 34", "12 34"},
        // A blank of one's own choosing; a space typed into an optional place leaves it blank.
        {"00;0;#", "", "", "##", ""},
        {"9L;1;_", "", " q", "_q", " q"},
        // Backspace and Delete blank positions and step over literals.
        {"000-00;1;_", "", "12345{BS}{BS}9", "123-9_", "123-9 "},
        {"000-00;1;_", "", "12345{HOME}{DEL}", "_23-45", " 23-45"},
        {"000-00;1;_", "123-45", "{END}{LEFT}{LEFT}{BS}", "12_-45", "12 -45"},
        // Typing over a selection blanks it first.
        {"000-00;1;_", "123-45", "{HOME}{S-RIGHT}{S-RIGHT}7", "7_3-45", "7 3-45"},
        // Past the last position nothing more goes in.
        {"00;1;_", "", "123", "12", "12"},
        // Escape brings back the text the program set.
        {"000;1;_", "123", "{END}{BS}{BS}{ESC}", "123", "123"},
        // A text set from outside: with literals place for place (what stands at a literal's place
        // is passed over), without them filling the inputs, right-aligned under '!'.
        {"000-00;1;_", "12-34", "", "12_-4_", "12 -4 "},
        {"000-00;0;_", "1234", "", "123-4_", "1234"},
        {"!999;0;_", "5", "", "__5", "5"},
        {"000;0;_", "1x3", "", "1_3", "1 3"},
        // What Text gives back sets the same edit text, blanks included.
        {"cc-cc;1;_", "a -b ", "", "a_-b_", "a -b "},
    };
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(std::string(c.Mask) + " typing " + c.Keys);
        form->edit->SetEditMask("");
        form->edit->SetText("");
        form->edit->SetEditMask(c.Mask);
        form->edit->SetText(c.Initial);
        form->edit->SetSelStart(0);
        edit_keys::Play(ui, c.Keys);
        EXPECT_EQ(form->edit->EditText(), c.EditText);
        EXPECT_EQ(form->edit->Text(), c.Text);
    }
}

TEST_F(MaskEditTest, SeparatorsComeFromTheLocaleSettingsGiven) {
    TEditMask mask("99:99 99/99/0000", '.', 'h');
    EXPECT_EQ(Utf32ToUtf8(mask.BlankEditText()), "__h__ __.__.____");
    EXPECT_EQ(FormatMaskText("000-00;0;_", "12"), "12 -  ");
    EXPECT_EQ(FormatMaskText("", "free text"), "free text");
}

TEST_F(MaskEditTest, ValidateEditNamesTheFirstBlankRequiredPlace) {
    form->edit->SetEditMask("990-00;1;_");
    edit_keys::Play(ui, "{HOME}{RIGHT}{RIGHT}7");
    try {
        form->edit->ValidateEdit();
        FAIL() << "no error";
    } catch (const EDBEditError& e) {
        EXPECT_STREQ(e.what(), "Invalid input value.  Use escape key to abandon changes");
    }
    EXPECT_EQ(form->edit->SelStart(), 4);
    EXPECT_EQ(form->edit->SelLength(), 0);
    edit_keys::Play(ui, "89");
    EXPECT_NO_THROW(form->edit->ValidateEdit());
    EXPECT_EQ(form->edit->Text(), "  7-89");
}

TEST_F(MaskEditTest, LeavingWithRequiredPlacesBlankKeepsTheFocus) {
    form->edit->SetEditMask("000;0;_");
    ui.TypeText("12");
    EXPECT_THROW(form->other->SetFocus(), EDBEditError);
    EXPECT_TRUE(form->edit->Focused());
    ui.TypeText("3");
    form->other->SetFocus();
    EXPECT_TRUE(form->other->Focused());
    EXPECT_EQ(form->edit->Text(), "123");
}

TEST_F(MaskEditTest, ChangingTheMaskKeepsTheTextAProgramReads) {
    form->edit->SetEditMask("000-000;0;_");
    form->edit->SetText("123456");
    form->edit->SetEditMask("00.00.00;0;_");
    EXPECT_EQ(form->edit->EditText(), "12.34.56");
    form->edit->SetEditMask("");
    EXPECT_EQ(form->edit->Text(), "123456");
    EXPECT_FALSE(form->edit->IsMasked());
}

TEST_F(MaskEditTest, CharCaseChangesTypedCharactersOnly) {
    form->edit->SetEditMask("cc-cc;1;x");
    ui.TypeText("ab");
    form->edit->SetCharCase(ecUpperCase);
    EXPECT_EQ(form->edit->EditText(), "AB-xx");
    ui.TypeText("q");
    EXPECT_EQ(form->edit->EditText(), "AB-Qx");
}

TEST_F(MaskEditTest, AnEmptyMaskBodyIsNoMask) {
    for (const char* mask : {"", ";0;_", ";1"}) {
        form->edit->SetEditMask(mask);
        EXPECT_FALSE(form->edit->IsMasked()) << mask;
        form->edit->SetText("");
        ui.TypeText("a-1");
        EXPECT_EQ(form->edit->Text(), "a-1");
    }
}

TEST_F(MaskEditTest, StrangeMasksGiveSaneEditTexts) {
    // A dangling escape, a control code as blank, case marks with nothing after them.
    for (const char* mask : {"00\\", "00;1;\x01", "><", "<>", "!", "\\;0;0;_"}) {
        form->edit->SetEditMask("");
        form->edit->SetText("");
        form->edit->SetEditMask(mask);
        ui.TypeText("12");
        std::u32string edit = Utf8ToUtf32(form->edit->EditText());
        EXPECT_LE(static_cast<int>(edit.size()), std::max(form->edit->MaxLength(), 2)) << mask;
        EXPECT_NO_FATAL_FAILURE(form->edit->Text());
    }
}

}  // namespace
