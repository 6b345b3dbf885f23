// What the edit asks its holder before it acts on a key: whether the data may change, whether the
// key goes on, and whether Tab stays with the editor.
#include <gtest/gtest.h>

#include "data_controls/db_edit.h"
#include "data_controls/inplace_editor.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"

namespace {

// A holder with the answers a grid gives, set by the test.
class TGridLikeHolder : public TWinControl, public IInplaceEditHolderEh {
  public:
    using TWinControl::TWinControl;
    bool EditorCanModify(TControl*) override { return canModify; }
    void EditorMouseDownPlace(TPoint& ScreenPoint, DWORD& Time) override {
        ScreenPoint = {-1000, -1000};
        Time = 0;
    }
    void EditorWindowProc(TControl*, TMessage&) override {}
    void EditorKeyDown(TControl*, WORD& Key, TShiftState) override {
        if (Key == swallowedKey)
            Key = 0;
    }
    void EditorKeyPress(TControl*, char32_t& Key) override {
        if (Key == swallowedChar)
            Key = 0;
    }
    void EditorKeyUp(TControl*, WORD&, TShiftState) override {}

    bool canModify = true;
    bool wantsTab = false;
    WORD swallowedKey = 0;
    char32_t swallowedChar = 0;

  protected:
    LRESULT DialogCode() const override { return wantsTab ? DLGC_WANTTAB : 0; }
};

struct EditInHolder : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TGridLikeHolder* holder = nullptr;
    TDBEditEh* edit = nullptr;

    EditInHolder() {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 400, 300);
        holder = NewComponent<TGridLikeHolder>(form);
        holder->SetParent(form);
        holder->SetBounds(10, 10, 300, 200);
        edit = NewComponent<TDBEditEh>(form);
        edit->SetParent(holder);
        edit->SetBounds(0, 0, 100, 20);
        form->Show();
        ui.ProcessMessages();
        edit->AttachEditHolder(holder);
        edit->SetFocus();
        ui.ProcessMessages();
    }
    void Type(const std::string& text) {
        ui.TypeText(text);
        ui.ProcessMessages();
    }
};

}  // namespace

TEST_F(EditInHolder, AHolderThatRefusesChangesMakesTheEditReadOnly) {
    holder->canModify = false;
    edit->RefreshReadOnly();
    Type("ab");
    EXPECT_EQ(edit->Text(), "");
    holder->canModify = true;
    edit->RefreshReadOnly();
    Type("ab");
    EXPECT_EQ(edit->Text(), "ab");
}

TEST_F(EditInHolder, KeysTheHolderTakesGoNoFurther) {
    holder->swallowedChar = U'x';
    holder->swallowedKey = VK_HOME;
    Type("axb");
    EXPECT_EQ(edit->Text(), "ab");
    ui.PressKey(VK_HOME);
    ui.ProcessMessages();
    EXPECT_EQ(edit->SelStart(), 2) << "Home stayed with the holder";
}

TEST_F(EditInHolder, TabStaysWithTheEditorWhenTheHolderWantsIt) {
    EXPECT_EQ(edit->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
    holder->wantsTab = true;
    EXPECT_EQ(edit->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, DLGC_WANTTAB);
    EXPECT_EQ(edit->Perform(WM_GETDLGCODE) & (DLGC_WANTARROWS | DLGC_HASSETSEL | DLGC_WANTCHARS),
              DLGC_WANTARROWS | DLGC_HASSETSEL | DLGC_WANTCHARS);
}
