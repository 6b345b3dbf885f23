// Edit buttons: stored settings, the pressed part, auto-repeat on the clock, latching and clicks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_controls/edit_button.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "platform/ui/virtual_keys.h"

namespace {

class ButtonForm : public TForm {
  public:
    explicit ButtonForm(TComponent* owner) : TForm(owner) {
        SetBounds(0, 0, 200, 100);
        button = NewComponent<TEditButtonControlEh>(this);
        button->SetParent(this);
        button->SetBounds(10, 10, 17, 21);
    }
    TEditButtonControlEh* button;
};

class EditButtonControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->Show();
        ui.ProcessMessages();
        button()->OnDown = [this](TObject*, bool top, bool& autoRepeat, bool&) {
            downs.push_back({static_cast<long long>(ui.Clock().TickMillis() - start), top});
            if (stopAfter > 0 && static_cast<int>(downs.size()) >= stopAfter)
                autoRepeat = false;
        };
        button()->OnClick = [this](TObject*) { ++clicks; };
        start = ui.Clock().TickMillis();
    }
    TEditButtonControlEh* button() const { return form->button; }
    void Mouse(UINT what, TPoint at) {
        TPoint o = button()->FormOrigin();
        TPoint p{o.X + at.X, o.Y + at.Y};
        if (what == WM_LBUTTONDOWN)
            platform::ui::PostMouseDown(*form, mbLeft, {}, p);
        else if (what == WM_LBUTTONUP)
            platform::ui::PostMouseUp(*form, mbLeft, {ssLeft}, p);
        else
            platform::ui::PostMouseMove(*form, {ssLeft}, p);
        ui.ProcessMessages();
    }
    struct Down {
        long long at;
        bool top;
        bool operator==(const Down&) const = default;
    };
    platform::ui::HeadlessSession ui;
    ButtonForm* form = nullptr;
    std::vector<Down> downs;
    int stopAfter = 0;
    int clicks = 0;
    std::uint64_t start = 0;
};

TEST_F(EditButtonControlTest, HeldLowerArrowRepeatsUntilReleased) {
    button()->SetStyle(ebsUpDownEh);
    Mouse(WM_LBUTTONDOWN, {8, 18});
    EXPECT_EQ(button()->ActiveButtonIndex(), 2);
    ui.Advance(650);
    Mouse(WM_LBUTTONUP, {8, 18});
    ui.Advance(500);
    EXPECT_EQ(downs, (std::vector<Down>{{0, false}, {400, false}, {500, false}, {600, false}}));
    EXPECT_EQ(clicks, 1);
}

TEST_F(EditButtonControlTest, AHandlerClearingAutoRepeatStopsIt) {
    button()->SetStyle(ebsUpDownEh);
    stopAfter = 3;
    Mouse(WM_LBUTTONDOWN, {8, 2});
    ui.Advance(1000);
    EXPECT_EQ(downs, (std::vector<Down>{{0, true}, {400, true}, {500, true}}));
    Mouse(WM_LBUTTONUP, {8, 2});
}

TEST_F(EditButtonControlTest, ADropDownButtonDoesNotRepeat) {
    Mouse(WM_LBUTTONDOWN, {8, 18});
    ui.Advance(1000);
    Mouse(WM_LBUTTONUP, {8, 18});
    EXPECT_EQ(downs, (std::vector<Down>{{0, true}}));
    EXPECT_EQ(clicks, 1);
}

TEST_F(EditButtonControlTest, UpperArrowReleasedOnTheLowerHalfGivesNoClick) {
    button()->SetStyle(ebsUpDownEh);
    Mouse(WM_LBUTTONDOWN, {8, 2});
    Mouse(WM_MOUSEMOVE, {8, 18});
    EXPECT_EQ(button()->State(), bsUp);
    Mouse(WM_LBUTTONUP, {8, 18});
    EXPECT_EQ(clicks, 0);
    ui.Advance(1000);
    EXPECT_EQ(downs.size(), 1u);  // the repeat ended with the release
}

TEST_F(EditButtonControlTest, LatchingHoldsTheButtonDownOnce) {
    button()->SetLatchedDown(true);
    EXPECT_TRUE(button()->Down());
    EXPECT_EQ(button()->ActiveButtonIndex(), 1);
    EXPECT_EQ(button()->GroupIndex(), 1);
    button()->SetLatchedDown(true);
    EXPECT_TRUE(button()->Down());
    button()->SetLatchedDown(false);
    EXPECT_FALSE(button()->Down());
    EXPECT_EQ(button()->GroupIndex(), 0);
    EXPECT_EQ(button()->ActiveButtonIndex(), 0);
}

TEST(EditButtonSettings, NumGlyphsStaysWithinOneToFour) {
    TEditButtonEh button(nullptr);
    for (auto [set, kept] : {std::pair{0, 1}, {-3, 1}, {3, 3}, {5, 4}, {9, 4}}) {
        button.SetNumGlyphs(set);
        EXPECT_EQ(button.NumGlyphs(), kept) << set;
    }
}

TEST(EditButtonSettings, ChangesReachTheHookOrTheCollection) {
    TEditButtonEh own(nullptr);
    int ownChanges = 0;
    own.OnChangeHook = [&](TEditButtonEh*) { ++ownChanges; };
    own.SetStyle(ebsEllipsisEh);
    own.SetStyle(ebsEllipsisEh);  // unchanged: no notice
    own.SetWidth(20);
    EXPECT_EQ(ownChanges, 2);

    TEditButtonsEh buttons(nullptr, ItemClass<TVisibleEditButtonEh>());
    std::vector<TCollectionItem*> changed;
    buttons.OnChangeHook = [&](TCollectionItem* item) { changed.push_back(item); };
    auto* item = buttons.GetButton(buttons.Add()->Index());
    EXPECT_TRUE(item->Visible());
    EXPECT_EQ(item->ShortCut(), scAlt | VK_DOWN);
    changed.clear();
    item->SetHint("x");
    EXPECT_EQ(changed, (std::vector<TCollectionItem*>{item}));
}

TEST(EditButtonSettings, AssignCopiesEverySetting) {
    TEditButtonEh source(nullptr), copy(nullptr);
    source.SetStyle(ebsPlusEh);
    source.SetHint("more");
    source.SetNumGlyphs(2);
    source.SetVisible(true);
    source.SetWidth(15);
    source.SetShortCut(scCtrl | VK_DOWN);
    copy.Assign(source);
    EXPECT_EQ(copy.Style(), ebsPlusEh);
    EXPECT_EQ(copy.Hint(), "more");
    EXPECT_EQ(copy.NumGlyphs(), 2);
    EXPECT_TRUE(copy.Visible());
    EXPECT_EQ(copy.Width(), 15);
    EXPECT_EQ(copy.ShortCut(), scCtrl | VK_DOWN);
}

}  // namespace
