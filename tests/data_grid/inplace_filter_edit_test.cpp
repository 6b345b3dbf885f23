// The grid's filter-row editor: the combo box the grid makes for its filter row, its text one pixel
// lower than a plain combo box's, and a key value shown together with a text of its own.
#include <gtest/gtest.h>

#include <string>

#include "data_grid/db_grid.h"
#include "data_grid/inplace_filter_edit.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/application.h"
#include "platform/ui/control_canvas.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"

namespace {

// A plain combo box and the filter editor of the grid, alike in place and size, unfocused.
struct FilterEditor : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TCustomDBGridEh* grid = nullptr;
    TDBComboBoxEh* plain = nullptr;
    TInplaceFilterEditEh* filter = nullptr;

    FilterEditor() {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 300);
        grid = NewComponent<TCustomDBGridEh>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 100, 400, 200);
        plain = NewComponent<TDBComboBoxEh>(form);
        filter = dynamic_cast<TInplaceFilterEditEh*>(grid->NewFilterEditor());
        for (TDBComboBoxEh* box : {plain, static_cast<TDBComboBoxEh*>(filter)}) {
            box->SetParent(form);
            box->SetBounds(10, box == plain ? 10 : 50, 150, 24);
        }
        form->Show();
        grid->SetFocus();
        ui.ProcessMessages();
    }
    // Where the last painting drew text, in the box's client coordinates.
    TPoint TextDrawnAt(TDBComboBoxEh& box, const std::string& text) {
        auto& log = ui.System().TextLog();
        log.Drawn.clear();
        box.Repaint();
        TControlCanvas canvas;
        canvas.SetControl(&box);
        TPoint origin;
        canvas.Surface(&origin);
        for (const auto& d : log.Drawn)
            if (d.Text == text)
                return {d.At.X - origin.X, d.At.Y - origin.Y};
        ADD_FAILURE() << "no " << text << " drawn";
        return {};
    }
};

TEST_F(FilterEditor, TheGridMakesItAndOwnsIt) {
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(filter->Owner(), grid);
    EXPECT_EQ(filter->ClassName(), "TInplaceFilterEditEh");
}

TEST_F(FilterEditor, ItsTextSitsOnePixelLowerThanAPlainComboBoxs) {
    const TRect plainRect = plain->ComputeTextRect();
    const TRect filterRect = filter->ComputeTextRect();
    EXPECT_EQ(filterRect.Top, plainRect.Top + 1);
    EXPECT_EQ(filterRect.Left, plainRect.Left);
    EXPECT_EQ(filterRect.Right, plainRect.Right) << "the drop-down button stays outside";
    EXPECT_EQ(filterRect.Bottom, plainRect.Bottom);
    EXPECT_LT(filterRect.Right, filter->ClientWidth());

    plain->SetText(">10");
    filter->SetText(">10");
    const TPoint plainText = TextDrawnAt(*plain, ">10");
    const TPoint filterText = TextDrawnAt(*filter, ">10");
    EXPECT_EQ(filterText.X, plainText.X);
    EXPECT_EQ(filterText.Y, plainText.Y + 1);
}

TEST_F(FilterEditor, ShowKeyAndTextKeepsTheKeyAndShowsTheText) {
    struct Case {
        const char* what;
        bool keyBased;
        Variant key;
        std::string text;
        Variant value;  // what the box answers as its value afterwards
    };
    const Case cases[] = {
        {"a key of the list with the filter's own text", true, Variant("2"), ">= 5", Variant("2")},
        {"a key the list does not hold", true, Variant("9"), "=9", Variant("9")},
        {"a plain box shows the text", false, Variant("Ivanov"), "Iv*", Variant("Iv*")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        filter->Items()->SetText(c.keyBased ? "One\nTwo" : "");
        filter->KeyItems()->SetText(c.keyBased ? "1\n2" : "");
        filter->ShowKeyAndText(c.key, c.text);
        EXPECT_EQ(filter->Text(), c.text);
        EXPECT_EQ(filter->Value().IsNull() ? "Null" : filter->Value().AsString(),
                  c.value.IsNull() ? "Null" : c.value.AsString());
    }
}

}  // namespace
