// Component streaming: a tree written to the textual form format and read back, the default and
// ancestor rules, the order of Loaded, and what bad texts raise.
#include <gtest/gtest.h>

#include "platform/rtl/form_stream.h"
#include "tests/platform/rtl/form_test_classes.h"

namespace {

using namespace formtest;

// Form1 holds Panel1, which holds Inner; Button1 sits on Form1.
struct Tree {
    TObjectPtr<TWidget> root = MakeComponent<TWidget>(nullptr);
    TWidget* panel = NewComponent<TWidget>(root.get());
    TWidget* inner = NewComponent<TWidget>(root.get());
    TWidget* button = NewComponent<TWidget>(root.get());

    Tree() {
        root->SetName("Form1");
        panel->SetName("Panel1");
        inner->SetName("Inner");
        button->SetName("Button1");
        panel->Holder = root.get();
        inner->Holder = panel;
        button->Holder = root.get();
        root->Left = 10;
        root->Caption =
            "It's"
            "\r\nx";
        root->Ratio = 0.25;
        root->Options = {goA, goC};
        root->Color = 0xFF;
        root->Font.Size = 10;
        root->Data = "\x0A\x0B\x0C";
        root->Lines = {"select *", "from T"};
        auto* id = static_cast<TColumn*>(root->Columns.Add());
        id->Title = "ID";
        static_cast<TColumn*>(root->Columns.Add())->Width = 120;
        static_cast<TColumn*>(panel->Hidden.Add())->Title = "kept apart";
        panel->Shape = shStar;
        panel->Visible = false;
        inner->Buddy = button;
        button->Buddy = root.get();
        button->Secret = 0;
    }
};

const char* const kTreeText =
    "object Form1: TWidget\n"
    "  Left = 10\n"
    "  Caption = 'It''s'#13#10'x'\n"
    "  Ratio = 0.25\n"
    "  Options = [goA, goC]\n"
    "  Color = clRed\n"
    "  Font.Size = 10\n"
    "  Columns = <\n"
    "    item\n"
    "      Title = 'ID'\n"
    "    end\n"
    "    item\n"
    "      Width = 120\n"
    "    end>\n"
    "  Data = {\n"
    "    0A0B0C}\n"
    "  Lines.Strings = (\n"
    "    'select *'\n"
    "    'from T')\n"
    "  object Panel1: TWidget\n"
    "    Left = 0\n"
    "    Visible = False\n"
    "    Shape = shStar\n"
    "    Hidden = <\n"
    "      item\n"
    "        Title = 'kept apart'\n"
    "      end>\n"
    "    object Inner: TWidget\n"
    "      Left = 0\n"
    "      Buddy = Button1\n"
    "    end\n"
    "  end\n"
    "  object Button1: TWidget\n"
    "    Left = 0\n"
    "    Buddy = Form1\n"
    "  end\n"
    "end\n";

TWidget* Child(const TComponent& root, const char* name) {
    return dynamic_cast<TWidget*>(root.FindComponent(name));
}

TEST(FormStream, ATreeIsWrittenAsTextAndReadBackTheSame) {
    Tree tree;
    const std::string text = ComponentToText(*tree.root);
    EXPECT_EQ(text, kTreeText);

    Journal journal;
    const TClassRegistry classes = WidgetClasses(journal);
    TObjectPtr<TComponent> read = TextToComponent(text, classes);
    auto& form = dynamic_cast<TWidget&>(*read);
    EXPECT_EQ(ComponentToText(form), text);

    EXPECT_EQ(form.Name(), "Form1");
    EXPECT_EQ(form.Caption, "It's\r\nx");
    EXPECT_EQ(form.Options, (TGridOptions{goA, goC}));
    EXPECT_EQ(form.Data, "\x0A\x0B\x0C");
    EXPECT_EQ(form.Lines, tree.root->Lines);
    ASSERT_EQ(form.Columns.Count(), 2);
    EXPECT_EQ(static_cast<TColumn*>(form.Columns.Items(1))->Width, 120);
    EXPECT_EQ(form.Columns.Items(1)->GetNamePath(), "Form1.Columns[1]");  // the property name, found
    TWidget* inner = Child(form, "Inner");
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->Holder, Child(form, "Panel1"));
    EXPECT_EQ(inner->Buddy, Child(form, "Button1"));
    EXPECT_EQ(inner->Owner(), &form);
    EXPECT_EQ(Child(form, "Button1")->Secret, 5);  // not stored: the default stays
    ASSERT_EQ(Child(form, "Panel1")->Hidden.Count(), 1);

    TReader("object Form1: TWidget\n  Round = True\nend", classes).ReadRootComponent(form);
    EXPECT_EQ(form.Shape, shCircle);  // a property only read, for older forms
}

TEST(FormStream, LongStringsAreSplitAndReadBackWhole) {
    TWidget widget(nullptr);
    for (int i = 0; i < 30; ++i) widget.Caption += "слово " + std::to_string(i) + (i % 7 == 0 ? "\t" : "");
    widget.Lines = {std::string(150, 'x'), ""};
    const std::string text = ComponentToText(widget);
    EXPECT_NE(text.find("' +\n"), std::string::npos) << text;
    TWidget copy(nullptr);
    TReader(text).ReadRootComponent(copy);
    EXPECT_EQ(copy.Caption, widget.Caption);
    EXPECT_EQ(copy.Lines, widget.Lines);
}

TEST(FormStream, WithoutAncestorOnlyStoredValuesOtherThanTheDefaultAreWritten) {
    struct Case {
        const char* what;
        std::function<void(TWidget&)> change;
        std::string lines;  // the property lines written
    };
    const Case cases[] = {
        {"nothing changed: only what has no default", [](TWidget&) {}, "Left = 0\n"},
        {"boolean off its default", [](TWidget& w) { w.Visible = false; }, "Left = 0\nVisible = False\n"},
        {"enumeration", [](TWidget& w) { w.Shape = shCircle; }, "Left = 0\nShape = shCircle\n"},
        {"integer with a name", [](TWidget& w) { w.Color = 0xFF; }, "Left = 0\nColor = clRed\n"},
        {"integer without one", [](TWidget& w) { w.Color = 291; }, "Left = 0\nColor = 291\n"},
        {"negative", [](TWidget& w) { w.Left = -5; }, "Left = -5\n"},
        {"whole float", [](TWidget& w) { w.Ratio = 2; }, "Left = 0\nRatio = 2.0\n"},
        {"float", [](TWidget& w) { w.Ratio = 0.1; }, "Left = 0\nRatio = 0.1\n"},
        {"set", [](TWidget& w) { w.Options = {goB}; }, "Left = 0\nOptions = [goB]\n"},
        {"stored-when says no", [](TWidget& w) { w.Secret = 0; }, "Left = 0\n"},
        {"stored-when says yes", [](TWidget& w) { w.Secret = 7; }, "Left = 0\nSecret = 7\n"},
        {"nested object", [](TWidget& w) { w.Font.Name = "Verdana"; }, "Left = 0\nFont.Name = 'Verdana'\n"},
        {"empty collection", [](TWidget& w) { w.Columns.Clear(); }, "Left = 0\n"},
        {"item at its defaults", [](TWidget& w) { w.Columns.Add(); },
         "Left = 0\nColumns = <\n  item\n  end>\n"},
        {"empty string", [](TWidget& w) { w.Caption = ""; }, "Left = 0\n"},
        {"control characters only", [](TWidget& w) { w.Caption = "\t"; }, "Left = 0\nCaption = #9\n"},
    };
    for (const Case& c : cases) {
        TWidget widget(nullptr);
        c.change(widget);
        std::string lines;
        const std::string text = ComponentToText(widget);
        for (std::size_t at = text.find('\n') + 1; at < text.size();) {
            const std::size_t end = text.find('\n', at) + 1;
            const std::string line = text.substr(at, end - at);
            if (line != "end\n")
                lines += line.substr(2);
            at = end;
        }
        EXPECT_EQ(lines, c.lines) << c.what;
    }
}

TEST(FormStream, WithAnAncestorOnlyDifferencesAreWrittenAndReadOverTheAncestorsForm) {
    Tree ancestor;
    Tree descendant;
    descendant.root->Left = 10;  // as the ancestor: not written
    descendant.root->Visible = false;
    descendant.root->Font.Size = 8;  // back to its default, but not the ancestor's value
    descendant.root->Lines.push_back("where 1=1");
    descendant.panel->Caption = "Panel";
    descendant.button->Buddy = nullptr;
    static_cast<TColumn*>(descendant.root->Columns.Items(0))->Width = 80;
    auto* extra = NewComponent<TWidget>(descendant.root.get());
    extra->SetName("Extra");

    const std::string text = ComponentToText(*descendant.root, ancestor.root.get());
    EXPECT_EQ(text,
              "inherited Form1: TWidget\n"
              "  Visible = False\n"
              "  Font.Size = 8\n"
              "  Columns = <\n"
              "    item\n"
              "      Width = 80\n"
              "      Title = 'ID'\n"
              "    end\n"
              "    item\n"
              "      Width = 120\n"
              "    end>\n"
              "  Lines.Strings = (\n"
              "    'select *'\n"
              "    'from T'\n"
              "    'where 1=1')\n"
              "  inherited Panel1: TWidget\n"
              "    Caption = 'Panel'\n"
              "    inherited Inner: TWidget\n"
              "    end\n"
              "  end\n"
              "  inherited Button1: TWidget\n"
              "    Buddy = nil\n"
              "  end\n"
              "  object Extra: TWidget\n"
              "    Left = 0\n"
              "  end\n"
              "end\n");

    // The ancestor's form first, then the differences: the descendant again.
    Journal journal;
    const TClassRegistry classes = WidgetClasses(journal);
    TObjectPtr<TComponent> read = TextToComponent(ComponentToText(*ancestor.root), classes);
    TReader(text, classes).ReadRootComponent(*read);
    EXPECT_EQ(ComponentToText(*read), ComponentToText(*descendant.root));
}

TEST(FormStream, LoadedRunsOnEveryComponentInReadingOrderOnceAllIsRead) {
    Tree tree;
    const std::string text = ComponentToText(*tree.root);
    Journal journal;
    const TClassRegistry classes = WidgetClasses(journal);
    TWidget root(nullptr);
    root.journal = &journal;
    TReader(text, classes).ReadRootComponent(root);
    // Inner's reference to Button1, written before Button1 exists, is there when Inner is loaded.
    EXPECT_EQ(journal.entries,
              (std::vector<std::string>{"Form1", "Panel1", "Inner buddy Button1", "Button1 buddy Form1"}));
    for (int i = 0; i < root.ComponentCount(); ++i)
        EXPECT_TRUE(root.Components(i)->ComponentState().Empty()) << root.Components(i)->Name();
    EXPECT_TRUE(root.ComponentState().Empty());
}

// While Loaded runs, components after it in reading order are still loading.
class TLoadWatcher : public TComponent {
  public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TLoadWatcher"; }
    std::vector<std::string>* seen = nullptr;

  protected:
    void Loaded() override {
        seen->push_back(Name() + (ComponentState().Contains(csLoading) ? " loading" : "") +
                        (ComponentState().Contains(csReading) ? " reading" : ""));
        TComponent::Loaded();
        for (int i = 0; i < Owner()->ComponentCount(); ++i)
            if (Owner()->Components(i)->ComponentState().Contains(csLoading))
                seen->back() += " " + Owner()->Components(i)->Name();
    }
};

TEST(FormStream, ComponentsSayLoadingUntilTheirOwnLoaded) {
    std::vector<std::string> seen;
    TClassRegistry classes;
    classes.RegisterClass({"TLoadWatcher", [&seen](TComponent* owner) -> TComponent* {
                               auto* watcher =
                                   static_cast<TLoadWatcher*>(CreateComponent<TLoadWatcher>(owner));
                               watcher->seen = &seen;
                               return watcher;
                           }});
    TComponent root(nullptr);
    TReader("object R: TComponent\n  object A: TLoadWatcher\n  end\n  object B: TLoadWatcher\n  end\nend",
            classes)
        .ReadRootComponent(root);
    EXPECT_EQ(seen, (std::vector<std::string>{"A loading B", "B loading"}));
}

TEST(FormStream, BadTextsRaiseWithTheirLineAndLeaveNothingBehind) {
    struct Case {
        std::string body;  // between "object Form1: TWidget" and "end"
        std::string message;
    };
    const Case cases[] = {
        {"  Nope = 1\n", "Property Nope does not exist"},
        {"  Font.Nope = 1\n", "Property Nope does not exist"},
        {"  Nope.Size = 1\n", "Property Nope does not exist"},
        {"  Columns = <\n    item\n      Nope = 1\n    end>\n", "Property Nope does not exist"},
        {"  Left = 'x'\n", "Line 2: Invalid property value"},
        {"  Left = 99999999999\n", "Line 2: Invalid property value"},
        {"  Left = 1.5\n", "Line 2: Invalid property value"},
        {"  Caption = 5\n", "Line 2: Invalid property value"},
        {"  Shape = shHex\n", "Line 2: Invalid property value"},
        {"  Visible = 1\n", "Line 2: Invalid property value"},
        {"  Options = [goA, goZ]\n", "Line 2: Invalid property value"},
        {"  Color = clGreen\n", "Line 2: Invalid property value"},
        {"  Left = 1\n  Lines.Strings = 'x'\n", "Line 3: Invalid property value"},
        {"  Data = (1)\n", "Line 2: Invalid property value"},
        {"  Left.Size = 1\n", "Line 2: Invalid property path"},
        {"  Buddy = Nobody\n", "Line 2: Unresolved reference to 'Nobody'"},
        {"  Left = 1\n  Caption = 'abc\n", "Line 3: Unterminated string"},
        {"  Caption = 'a' +\n  Left = 1\n", "Line 3: String expected"},
        {"  Left 5\n", "Line 2: '=' expected"},
        {"  Left = 12ab\n", "Line 2: Invalid number"},
        {"  Left = 99999999999999999999\n", "Line 2: Invalid number"},
        {"  Data = {0A0}\n", "Line 2: Invalid binary value"},
        {"  Data = {0A\n  0G}\n", "Line 3: Invalid binary value"},
        {"  Options = [goA goB]\n", "Line 2: ',' expected"},
        {"  Columns = <\n    Width = 1>\n", "Line 3: 'item' expected"},
        {"  Left = 1\n  object B: TWidget\n  end\n  Left = 2\n", "Line 5: 'end' expected"},
        {"  object B: TUnknown\n  end\n", "Class TUnknown not found"},
        {"  object B: TWidget\n  end\n  object B: TWidget\n  end\n",
         "Line 4: A component named B already exists"},
        {"  inherited Gone: TWidget\n  end\n", "Line 2: Ancestor for 'Gone' not found"},
        {"  object B: TWidget\n    Left = )\n  end\n", "Line 3: Invalid property value"},
    };
    Journal journal;
    const TClassRegistry classes = WidgetClasses(journal);
    for (const Case& c : cases) {
        TWidget root(nullptr);
        try {
            TReader("object Form1: TWidget\n" + c.body + "end\n", classes).ReadRootComponent(root);
            ADD_FAILURE() << c.body;
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message, c.message) << c.body;
        } catch (const EClassNotFound& e) {
            EXPECT_EQ(e.Message, c.message) << c.body;
        }
        EXPECT_EQ(root.ComponentCount(), 0) << c.body;
        EXPECT_TRUE(root.ComponentState().Empty()) << c.body;
    }
    EXPECT_TRUE(journal.entries.empty());  // nothing was loaded

    const std::pair<std::string, std::string> whole[] = {
        {"", "Line 1: 'object' expected"},
        {"object Form1: TWidget\n  Left = 1\n", "Line 3: 'end' expected"},
        {"object Form1: TWidget\nend\nend\n", "Line 3: End of text expected"},
        {"object Form1 TWidget\nend\n", "Line 2: '=' expected"},
    };
    for (const auto& [text, message] : whole) {
        try {
            TReader reader(text, classes);
            ADD_FAILURE() << text;
        } catch (const EParserError& e) {
            EXPECT_EQ(e.Message, message) << text;
        }
    }
}

TEST(FormStream, ARootMadeByTheReaderGoesWhenReadingFails) {
    Journal journal;
    const TClassRegistry classes = WidgetClasses(journal);
    EXPECT_THROW(TextToComponent("object F: TWidget\n  object B: TWidget\n    Nope = 1\n  end\nend", classes),
                 EReadError);
    EXPECT_THROW(TextToComponent("object F: TNothing\nend", classes), EClassNotFound);
}

}  // namespace
