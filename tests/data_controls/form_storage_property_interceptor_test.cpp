// The form interceptor: stored placement values rescaled to the screen's resolution and applied
// to a normal, maximized or centred form.
#include <gtest/gtest.h>

#include <memory>

#include "data_controls/form_storage_property_interceptor.h"
#include "platform/ui/headless.h"

namespace {

// Qualified: the window system names its own window states and positions the same way.
namespace fp = form_placement;

class TPlacedForm : public TForm, public fp::TFormPlacement {
  public:
    using TForm::TForm;
    fp::TWindowState WindowState() const override { return state; }
    void SetWindowState(fp::TWindowState value) override { state = value; }
    fp::TPosition Position() const override { return position; }
    void SetPosition(fp::TPosition value) override { position = value; }
    int PixelsPerInch() const override { return pixelsPerInch; }
    TRect NormalPosition() const override { return normal; }
    void SetNormalPosition(const TRect& rect) override { normal = rect; }
    void SetActiveControlDirect(TWinControl* control) override { activeDirect = control; }

    fp::TWindowState state = fp::wsNormal;
    fp::TPosition position = fp::poDesigned;
    int pixelsPerInch = 96;
    TRect normal;
    TWinControl* activeDirect = nullptr;
};

struct Stored {
    int left, top, width, height, pixelsPerInch;
    fp::TWindowState state = fp::wsNormal;
};

class FormInterceptor : public ::testing::Test {
  protected:
    void SetUp() override {
        form = MakeComponent<TPlacedForm>(nullptr);
        form->SetBounds(10, 20, 300, 200);
    }
    // Writes the stored values as a storage facility would, then ends reading.
    void Restore(TPersistent* target, const Stored& s, int screenPixelsPerInch) {
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
    TObjectPtr<TPlacedForm> form;
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
        EXPECT_EQ(form->state, fp::wsNormal) << c.what;
    }
}

TEST_F(FormInterceptor, MaximizedFormGetsScaledNormalRectangleAndStaysMaximized) {
    form->HandleNeeded();
    const TRect maximizedBounds = form->BoundsRect();
    Restore(form.get(), {96, 48, 640, 480, 96, fp::wsMaximized}, 120);
    EXPECT_EQ(form->state, fp::wsMaximized);
    EXPECT_EQ(form->normal, (TRect{120, 60, 120 + 800, 60 + 600}));
    EXPECT_EQ(form->BoundsRect(), maximizedBounds);
    EXPECT_EQ(FormRestoredBounds(*form), (TRect{120, 60, 920, 660}));
}

TEST_F(FormInterceptor, StoredPositionStopsCentring) {
    struct Case {
        const char* what;
        fp::TPosition before;
        bool positionStored;
        fp::TPosition after;
    };
    const Case cases[] = {
        {"screen-centred with a stored Left", fp::poScreenCenter, true, fp::poDesigned},
        {"desktop-centred with a stored Left", fp::poDesktopCenter, true, fp::poDesigned},
        {"screen-centred without a stored position", fp::poScreenCenter, false, fp::poScreenCenter},
        {"default position keeps its rule", fp::poDefault, true, fp::poDefault},
    };
    for (const Case& c : cases) {
        form->position = c.before;
        TFormStoragePropertyInterceptor interceptor(form.get(), 96);
        interceptor.SetPixelsPerInch(96);
        if (c.positionStored)
            interceptor.SetLeft(70);
        interceptor.SetWidth(320);
        interceptor.AfterPropertiesRead();
        EXPECT_EQ(form->position, c.after) << c.what;
    }
}

// A storage facility writes through the published properties; write-only ones are never saved.
TEST_F(FormInterceptor, PublishedPropertiesAsAFacilitySeesThem) {
    form->position = fp::poScreenCenter;
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
    EXPECT_EQ(form->position, fp::poDesigned);
}

TEST_F(FormInterceptor, StartsFromTheFormAndReadsItsRestoredBounds) {
    form->state = fp::wsMaximized;
    form->normal = {5, 6, 105, 206};
    form->pixelsPerInch = 120;
    form->HandleNeeded();
    TFormStoragePropertyInterceptor interceptor(form.get(), 96);
    EXPECT_EQ(interceptor.Left(), 5);
    EXPECT_EQ(interceptor.Top(), 6);
    EXPECT_EQ(interceptor.Width(), 100);
    EXPECT_EQ(interceptor.Height(), 200);
    // Nothing stored: the form's own values, rescaled from its resolution, go back to it.
    interceptor.AfterPropertiesRead();
    EXPECT_EQ(form->state, fp::wsMaximized);
    EXPECT_EQ(form->normal, (TRect{4, 5, 84, 165}));
}

TEST_F(FormInterceptor, WithoutAFormOnlyRescales) {
    TPersistent notAForm;
    TFormStoragePropertyInterceptor interceptor(&notAForm, 120);
    EXPECT_EQ(interceptor.Left(), 0);
    EXPECT_EQ(interceptor.Width(), 0);
    EXPECT_NO_THROW(Restore(&notAForm, {40, 50, 400, 300, 96, fp::wsMaximized}, 120));
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
