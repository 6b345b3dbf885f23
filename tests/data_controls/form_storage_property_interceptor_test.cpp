// The form interceptor: stored placement values rescaled to the screen's resolution and applied
// to a normal, maximized or centred form.
#include <gtest/gtest.h>

#include <cstdint>

#include "data_controls/form_storage_property_interceptor.h"
#include "platform/ui/headless.h"
#include "platform/ui/screen.h"

namespace {

struct Stored {
    int left, top, width, height, pixelsPerInch;
    TWindowState state = wsNormal;
};

class FormInterceptor : public ::testing::Test {
  protected:
    void SetUp() override {
        form = MakeComponent<TForm>(nullptr);
        form->SetBounds(10, 20, 300, 200);
    }
    // Writes the stored values as a storage facility would, then ends reading.
    static void Restore(TPersistent* target, const Stored& s, int screenPixelsPerInch) {
        TFormStoragePropertyInterceptor interceptor(target, screenPixelsPerInch);
        interceptor.SetPixelsPerInch(s.pixelsPerInch);
        interceptor.SetWindowState(s.state);
        interceptor.SetLeft(s.left);
        interceptor.SetTop(s.top);
        interceptor.SetWidth(s.width);
        interceptor.SetHeight(s.height);
        interceptor.AfterPropertiesRead();
    }

    platform::ui::HeadlessSession ui;
    TObjectPtr<TForm> form;
};

TEST_F(FormInterceptor, NormalFormTakesRescaledBounds) {
    struct Case {
        const char* what;
        Stored stored;
        int screenPixelsPerInch;
        TRect expected;
    };
    const Case cases[] = {
        {"same resolution", {40, 50, 400, 300, 96}, 96, {40, 50, 440, 350}},
        {"96 to 120", {40, 50, 400, 300, 96}, 120, {50, 63, 550, 438}},
        {"120 to 96", {50, 62, 500, 375, 120}, 96, {40, 50, 440, 350}},
        {"stored resolution 0 leaves values as stored", {40, 50, 400, 300, 0}, 120, {40, 50, 440, 350}},
        {"negative stored resolution leaves values as stored",
         {40, 50, 400, 300, -96},
         120,
         {40, 50, 440, 350}},
    };
    for (const Case& c : cases) {
        Restore(form.get(), c.stored, c.screenPixelsPerInch);
        EXPECT_EQ(form->BoundsRect(), c.expected) << c.what;
        EXPECT_EQ(form->WindowState(), wsNormal) << c.what;
    }
}

TEST_F(FormInterceptor, MaximizedFormGetsScaledNormalRectangleAndStaysMaximized) {
    form->HandleNeeded();
    Restore(form.get(), {96, 48, 640, 480, 96, wsMaximized}, 120);
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_EQ(form->RestoredBounds(), (TRect{120, 60, 120 + 800, 60 + 600}));
    EXPECT_EQ(FormRestoredBounds(*form), (TRect{120, 60, 920, 660}));
    EXPECT_NE(form->BoundsRect(), form->RestoredBounds());
    form->SetWindowState(wsNormal);
    EXPECT_EQ(form->BoundsRect(), (TRect{120, 60, 920, 660}));
}

TEST_F(FormInterceptor, StoredPositionStopsCentring) {
    struct Case {
        const char* what;
        TPosition before;
        bool positionStored;
        TPosition after;
    };
    const Case cases[] = {
        {"screen-centred with a stored Left", poScreenCenter, true, poDesigned},
        {"desktop-centred with a stored Left", poDesktopCenter, true, poDesigned},
        {"screen-centred without a stored position", poScreenCenter, false, poScreenCenter},
        {"default position keeps its rule", poDefault, true, poDefault},
    };
    for (const Case& c : cases) {
        form->SetPosition(c.before);
        TFormStoragePropertyInterceptor interceptor(form.get(), 96);
        interceptor.SetPixelsPerInch(96);
        if (c.positionStored)
            interceptor.SetLeft(70);
        interceptor.SetWidth(320);
        interceptor.AfterPropertiesRead();
        EXPECT_EQ(form->Position(), c.after) << c.what;
    }
}

// A storage facility writes through the published properties; write-only ones are never saved.
TEST_F(FormInterceptor, PublishedPropertiesAsAFacilitySeesThem) {
    form->SetPosition(poScreenCenter);
    TFormStoragePropertyInterceptor interceptor(form.get(), 96);
    const TPropertyList& properties = interceptor.PublishedProperties();
    for (const char* writeOnly : {"ActiveControl", "PixelsPerInch", "WindowState"}) {
        ASSERT_NE(properties.Find(writeOnly), nullptr) << writeOnly;
        EXPECT_FALSE(properties.Find(writeOnly)->IsStored(interceptor)) << writeOnly;
    }
    ASSERT_NE(properties.Find("Top"), nullptr);
    properties.Find("Top")->Set(interceptor, TPropValue(std::int64_t{33}));
    interceptor.AfterPropertiesRead();
    EXPECT_EQ(form->Top(), 33);
    EXPECT_EQ(form->Position(), poDesigned);
}

TEST_F(FormInterceptor, StartsFromTheFormAndReadsItsRestoredBounds) {
    form->HandleNeeded();
    form->SetWindowState(wsMaximized);
    TFormStoragePropertyInterceptor interceptor(form.get(), 96);
    EXPECT_EQ(interceptor.Left(), 10);
    EXPECT_EQ(interceptor.Top(), 20);
    EXPECT_EQ(interceptor.Width(), 300);
    EXPECT_EQ(interceptor.Height(), 200);
    // Nothing stored: the form keeps its state and its normal rectangle.
    interceptor.AfterPropertiesRead();
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_EQ(form->RestoredBounds(), (TRect{10, 20, 310, 220}));
}

TEST_F(FormInterceptor, WithoutAFormOnlyRescales) {
    TPersistent notAForm;
    TFormStoragePropertyInterceptor interceptor(&notAForm, 120);
    EXPECT_EQ(interceptor.Left(), 0);
    EXPECT_EQ(interceptor.Width(), 0);
    EXPECT_NO_THROW(Restore(&notAForm, {40, 50, 400, 300, 96, wsMaximized}, 120));
}

TEST(DefaultPropertyInterceptors, FormsGetTheFormInterceptor) {
    platform::ui::HeadlessSession ui;
    auto form = MakeComponent<TForm>(nullptr);
    const TPropertyInterceptorClass* found = PropertyInterceptors().InterceptorClassFor(*form);
    ASSERT_NE(found, nullptr);
    auto interceptor = found->Create(form.get());
    EXPECT_NE(dynamic_cast<TFormStoragePropertyInterceptor*>(interceptor.get()), nullptr);
    EXPECT_EQ(interceptor->Target(), form.get());
}

}  // namespace
