// The edit control's window styles, height, image and the settings it stores.
#include <gtest/gtest.h>

#include "data_controls/popup_listbox.h"
#include "platform/rtl/form_stream.h"
#include "platform/ui/image_list.h"
#include "platform/ui/input.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_controls/db_edit_test_support.h"

namespace {

// An edit whose value is a number, as the combo box's is when its items carry one.
class TNumberEdit : public TDBEditEh {
  public:
    using TDBEditEh::TDBEditEh;
    Variant Number = Variant::Null();
    Variant FetchValue() const override { return Number; }
    int BaseImageIndex() const override { return 7; }
};

}  // namespace

TEST_F(DBEditForm, WindowStyles) {
    struct Case {
        const char* what;
        bool password;
        bool wordWrap;
        TAlignment alignment;
        TBiDiMode biDi;
        DWORD present;
        DWORD absent;
    };
    const Case cases[] = {
        {"plain", false, false, taLeftJustify, bdLeftToRight, ES_MULTILINE | ES_AUTOHSCROLL,
         ES_RIGHT | ES_CENTER},
        {"a password keeps one line", true, false, taLeftJustify, bdLeftToRight, ES_AUTOHSCROLL,
         ES_MULTILINE},
        {"aligned text is painted, not the window's", false, false, taRightJustify, bdLeftToRight, 0,
         ES_RIGHT | ES_CENTER},
        {"wrapped right", false, true, taRightJustify, bdLeftToRight, ES_MULTILINE | ES_RIGHT,
         ES_AUTOHSCROLL},
        {"wrapped centre", false, true, taCenter, bdLeftToRight, ES_CENTER, ES_AUTOHSCROLL | ES_RIGHT},
        {"wrapped right, right to left", false, true, taRightJustify, bdRightToLeft, 0, ES_RIGHT | ES_CENTER},
        {"right to left", false, false, taLeftJustify, bdRightToLeft, ES_RIGHT, ES_CENTER},
    };
    for (const Case& c : cases) {
        edit->SetPasswordChar(c.password ? U'*' : 0);
        edit->SetBiDiMode(c.biDi);
        edit->SetWordWrap(c.wordWrap);
        edit->SetAlignment(c.alignment);
        edit->RecreateWnd();
        EXPECT_EQ(edit->WindowStyle() & c.present, c.present) << c.what;
        EXPECT_EQ(edit->WindowStyle() & c.absent, 0u) << c.what;
    }
}

TEST_F(DBEditForm, HeightFollowsTheFontAndTheImages) {
    struct Case {
        const char* what;
        bool ctl3D;
        bool flat;
        int borders;
    };
    const Case cases[] = {
        {"3-D", true, false, 8},
        {"3-D and flat", true, true, 6},
        {"neither", false, false, 6},
        {"flat without 3-D", false, true, 4},
    };
    const int border = GetSystemMetrics(SM_CYBORDER);
    for (const Case& c : cases) {
        edit->SetCtl3D(c.ctl3D);
        edit->SetFlat(c.flat);
        edit->RecreateWnd();
        EXPECT_EQ(edit->Height(), border * c.borders + GetFontTextHeight(edit)) << c.what;
    }
    auto* images = NewComponent<TImageList>(form);
    images->SetHeight(40);
    edit->EditImage()->SetImages(images);
    edit->EditImage()->SetVisible(true);
    EXPECT_EQ(edit->Height(), border * 4 + 40) << "a taller picture sets the height";
    edit->EditImage()->SetUseImageHeight(false);
    EXPECT_EQ(edit->Height(), border * 4 + GetFontTextHeight(edit));
}

TEST_F(DBEditForm, ImageTakesRoomAtTheLeft) {
    auto* images = NewComponent<TImageList>(form);
    images->SetWidth(16);
    edit->EditImage()->SetImages(images);
    EXPECT_EQ(edit->ImageWidth(), 0) << "not shown yet";
    edit->EditImage()->SetVisible(true);
    EXPECT_EQ(edit->ImageWidth(), 20);
    EXPECT_EQ(edit->ComputeTextRect().Left, 20);
    TRect formatting;
    edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&formatting));
    EXPECT_EQ(formatting, edit->ComputeTextRect());
    edit->EditImage()->SetWidth(30);
    EXPECT_EQ(edit->ImageWidth(), 34);
    Free(images);
    EXPECT_EQ(edit->EditImage()->Images(), nullptr) << "a freed list is forgotten";
    EXPECT_EQ(edit->ImageWidth(), 0);
}

TEST_F(DBEditForm, PressesOnTheImageDoNotMoveTheCaret) {
    auto* images = NewComponent<TImageList>(form);
    edit->EditImage()->SetImages(images);
    edit->EditImage()->SetVisible(true);
    edit->SetText("abcdef");
    Focus();
    edit->SetSelStart(3);
    ui.ClickAt(edit, {2, 5});
    EXPECT_EQ(edit->SelStart(), 3);
    ui.Advance(1000);
    ui.ClickAt(edit, {edit->ImageWidth() + 1, 5});
    EXPECT_EQ(edit->SelStart(), 0) << "a press on the text places the caret";
}

TEST(DBEditImageIndex, FromTheValueAndTheHandler) {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    Application->CreateForm(&form);
    auto* edit = NewComponent<TNumberEdit>(form);
    edit->SetParent(form);
    auto* images = NewComponent<TImageList>(form);
    edit->EditImage()->SetImages(images);
    edit->EditImage()->SetVisible(true);
    struct Case {
        Variant value;
        int index;
    };
    const Case cases[] = {
        {Variant::Null(), 7}, {Variant(3), 3}, {Variant(2.6), 3}, {Variant("5"), 7}, {Variant(true), 7},
    };
    for (const Case& c : cases) {
        edit->Number = c.value;
        edit->RefreshImageIndex();
        EXPECT_EQ(edit->EditImage()->ImageIndex(), c.index) << VarToStr(c.value);
    }
    edit->SetOnGetImageIndex([](TObject*, int& index) { index += 100; });
    EXPECT_EQ(edit->EditImage()->ImageIndex(), 107) << "setting the handler refreshes";
    edit->EditImage()->SetVisible(false);
    edit->Number = Variant(1);
    edit->RefreshImageIndex();
    EXPECT_EQ(edit->EditImage()->ImageIndex(), 107) << "a hidden image is left alone";
}

TEST_F(DBEditForm, UnboundMaskShapesItsOwnValue) {
    edit->SetEditMask("000-000;1;_");
    edit->SetText("123-456");
    EXPECT_EQ(edit->EditText(), "123-456");
    EXPECT_EQ(edit->DataLink()->UnboundValue(), Variant("123-456"));
    Focus();
    Press(VK_HOME);
    Type("9");
    Press(VK_TAB);
    EXPECT_EQ(edit->DataLink()->UnboundValue(), Variant("923-456"));
}

TEST_F(DBEditForm, AnIncompleteMaskKeepsTheFocus) {
    edit->SetEditMask("000;1;_");
    Focus();
    Type("1");
    Press(VK_TAB);
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(edit->SelLength(), 3) << "all selected";
    EXPECT_EQ(ui.System().MessageBoxes().size(), 1u);
}

TEST(DBEditStoredForm, WritesWhatWasSetAndReadsItBack) {
    platform::ui::HeadlessSession ui;
    auto edit = MakeComponent<TDBEditEh>(nullptr);
    edit->SetName("Edit1");
    EXPECT_EQ(ComponentToText(*edit), "object Edit1: TDBEditEh\nend\n")
        << "defaults and field-led settings stay out";
    edit->SetAlignment(taRightJustify);
    edit->SetFlat(true);
    edit->SetTooltips(true);
    edit->SetShowHint(true);
    edit->SetText("Привет");
    edit->SetEditMask("");
    edit->MRUList()->SetActive(true);
    const std::string text = ComponentToText(*edit);
    EXPECT_NE(text.find("Alignment = taRightJustify"), std::string::npos) << text;
    EXPECT_NE(text.find("Flat = True"), std::string::npos) << text;
    EXPECT_NE(text.find("ShowHint = True"), std::string::npos) << text;
    EXPECT_NE(text.find("Text = 'Привет'"), std::string::npos) << text;
    EXPECT_NE(text.find("EditMask = ''"), std::string::npos) << "set explicitly, even empty: " << text;
    EXPECT_NE(text.find("MRUList.Active = True"), std::string::npos) << text;

    TClassRegistry classes;
    classes.RegisterClass<TDBEditEh>("TDBEditEh");
    TObjectPtr<TComponent> read = TextToComponent(text, classes);
    auto& copy = dynamic_cast<TDBEditEh&>(*read);
    EXPECT_EQ(copy.Alignment(), taRightJustify);
    EXPECT_TRUE(copy.Tooltips());
    EXPECT_TRUE(copy.ShowHint) << "the window's hint follows the tool-tips";
    EXPECT_TRUE(copy.EditMaskAssigned());
    EXPECT_EQ(copy.Text(), "Привет");
    EXPECT_EQ(ComponentToText(copy), text);
}

TEST_F(DBEditForm, PointerIsTheArrowOverTheImageAndTheButtons) {
    auto* images = NewComponent<TImageList>(form);
    edit->EditImage()->SetImages(images);
    edit->EditImage()->SetVisible(true);
    edit->EditButton()->SetVisible(true);
    ui.ProcessMessages();
    auto pointerAt = [&](int x) {
        const TPoint o = edit->FormOrigin();
        platform::ui::PostMouseMove(*form, {}, {o.X + x, o.Y + 5});
        ui.ProcessMessages();
        return ui.System().PointerShapes().back();
    };
    EXPECT_EQ(pointerAt(2), crArrow);
    EXPECT_EQ(pointerAt(edit->ImageWidth() + 10), crIBeam);
    EXPECT_NE(pointerAt(edit->ClientWidth() - 2), crIBeam);
}

TEST_F(DBEditForm, ButtonAndTextAreasKeepInsideAPlainBorder) {
    struct Case {
        const char* what;
        bool ctl3D;
        TBiDiMode biDi;
        int buttonLeftFromRight;  // ClientWidth - ButtonRect.Left
        int buttonTop;
        int textLeft;
        int textRightFromRight;  // ClientWidth - TextAreaRect.Right
    };
    edit->EditButton()->SetVisible(true);
    ui.ProcessMessages();
    const int b = edit->ButtonWidth();
    const Case cases[] = {
        {"3-D", true, bdLeftToRight, b, 0, 0, b + 1},
        {"plain border", false, bdLeftToRight, b + 1, 1, 1, b + 2},
    };
    for (const Case& c : cases) {
        edit->SetCtl3D(c.ctl3D);
        edit->SetBiDiMode(c.biDi);
        edit->RecreateWnd();
        const int w = edit->ClientWidth();
        EXPECT_EQ(w - edit->ButtonRect().Left, c.buttonLeftFromRight) << c.what;
        EXPECT_EQ(edit->ButtonRect().Top, c.buttonTop) << c.what;
        EXPECT_EQ(edit->ButtonRect().Width(), b) << c.what;
        EXPECT_EQ(edit->TextAreaRect().Left, c.textLeft) << c.what;
        EXPECT_EQ(w - edit->TextAreaRect().Right, c.textRightFromRight) << c.what;
    }
    edit->SetCtl3D(false);
    edit->SetBiDiMode(bdRightToLeft);
    edit->RecreateWnd();
    EXPECT_EQ(edit->ButtonRect().Left, 1) << "mirrored to the left edge";
    EXPECT_EQ(edit->ButtonRect().Width(), b);
}
