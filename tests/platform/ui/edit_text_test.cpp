// Typing into TEdit: whatever bytes or character codes arrive, the text the edit already holds
// stays as it was and the new characters land where the caret is.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/strings.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"

namespace {

class EditForm : public TForm {
  public:
    explicit EditForm(TComponent* owner) : TForm(owner) {
        edit = NewComponent<TEdit>(this);
        edit->SetParent(this);
        edit->AutoSelect = false;
    }
    TEdit* edit;
};

class EditTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->Show();
        ui.ProcessMessages();
    }
    void TypeChar(char32_t ch) { SendMessage(form->edit->Handle(), WM_CHAR, static_cast<WPARAM>(ch), 0); }
    platform::ui::HeadlessSession ui;
    EditForm* form = nullptr;
};

TEST_F(EditTextTest, AnyTypedBytesAreKeptExactlyAfterWhatWasThere) {
    for (std::string typed : {std::string("Ж№5"), std::string("\xF0\x9F\x98\x80"), std::string("\xFF\xFE"),
                              std::string("\xC0\xAF"), std::string("\xED\xA0\x80"), std::string("\xD0"),
                              std::string("a\xE2\x82")}) {
        form->edit->SetText("Кабинет\xB9");
        form->edit->SetSelStart(100);
        ui.TypeText(typed);
        EXPECT_EQ(form->edit->Text(), "Кабинет\xB9" + typed);
    }
}

TEST_F(EditTextTest, CodesThatAreNoCharactersDoNotBreakTheText) {
    form->edit->SetText("Ж");
    form->edit->SetSelStart(1);
    for (char32_t code : {char32_t{0xD800}, char32_t{0xDC41}, char32_t{0x110000}, char32_t{0xFFFFFFFF}})
        TypeChar(code);
    TypeChar(U'я');
    std::string text = form->edit->Text();
    EXPECT_EQ(text.substr(0, 2), "Ж");
    EXPECT_EQ(text.substr(text.size() - 2), "я");
    EXPECT_EQ(Utf32ToUtf8(Utf8ToUtf32(text)), text);
    for (char32_t c : Utf8ToUtf32(text))
        EXPECT_FALSE(c >= 0xD800 && c <= 0xDFFF) << std::hex << static_cast<unsigned>(c);
}

TEST_F(EditTextTest, TheCaretCountsCharactersNotBytes) {
    ui.TypeText("жёя");
    ui.PressKey(VK_LEFT);
    ui.PressKey(VK_LEFT);
    ui.TypeText("Ж");
    EXPECT_EQ(form->edit->Text(), "жЖёя");
    EXPECT_EQ(form->edit->SelStart(), 2);
    ui.PressKey(VK_DELETE);
    ui.PressKey(VK_BACK);
    EXPECT_EQ(form->edit->Text(), "жя");
}

}  // namespace
