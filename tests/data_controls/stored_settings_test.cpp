// The special row and the remembered-texts settings written to a stored form and read back.
#include <gtest/gtest.h>

#include <string>

#include "data_controls/mru_list.h"
#include "data_controls/spec_row.h"
#include "platform/rtl/class_registry.h"
#include "platform/rtl/form_stream.h"
#include "platform/rtl/published_properties.h"

namespace {

class TSettingsHost : public TComponent {
  public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TSettingsHost"; }
    static const TPropertyList& Published() {
        static const TPropertyList list =
            TPublish<TSettingsHost>(TComponent::Published())
                .Object("MRUList", [](const TSettingsHost& h) { return &h.MRUList; })
                .Object("SpecRow", [](const TSettingsHost& h) { return &h.SpecRow; });
        return list;
    }
    const TPropertyList& PublishedProperties() const override { return Published(); }

    TMRUListEh MRUList{this};
    TSpecRowEh SpecRow{this};
};

TObjectPtr<TComponent> ReadBack(const std::string& text) {
    TClassRegistry classes;
    classes.RegisterClass<TSettingsHost>("TSettingsHost");
    return TextToComponent(text, classes);
}

TEST(StoredSettings, DefaultsWriteNothing) {
    TSettingsHost host(nullptr);
    host.SetName("Edit1");
    EXPECT_EQ(ComponentToText(host), "object Edit1: TSettingsHost\nend\n");
}

TEST(StoredSettings, ChangedSettingsAreWrittenAndReadBack) {
    TSettingsHost host(nullptr);
    host.SetName("Edit1");
    host.MRUList.SetActive(true);
    host.MRUList.SetLimit(20);
    host.MRUList.AddItem("первый");
    host.MRUList.AddItem("it's");
    host.SpecRow.SetCellsText("a;\"b;c\"");
    host.SpecRow.SetColor(clYellow);
    host.SpecRow.SetVisible(true);
    host.SpecRow.SetValue(Variant(-1));
    const std::string text = ComponentToText(host);
    EXPECT_EQ(text,
              "object Edit1: TSettingsHost\n"
              "  MRUList.Active = True\n"
              "  MRUList.Limit = 20\n"
              "  MRUList.Items.Strings = (\n"
              "    'первый'\n"
              "    'it''s')\n"
              "  SpecRow.CellsText = 'a;\"b;c\"'\n"
              "  SpecRow.Color = 65535\n"
              "  SpecRow.Visible = True\n"
              "  SpecRow.Value = -1\n"
              "end\n");

    TObjectPtr<TComponent> read = ReadBack(text);
    auto& copy = dynamic_cast<TSettingsHost&>(*read);
    EXPECT_EQ(ComponentToText(copy), text);
    EXPECT_TRUE(copy.MRUList.Active());
    EXPECT_EQ(copy.MRUList.Items()->Count(), 2);
    EXPECT_EQ(copy.MRUList.Items()->Get(1), "it's");
    EXPECT_EQ(copy.SpecRow.CellTextAt(1), "b;c");
    EXPECT_EQ(copy.SpecRow.Value(), Variant(-1));
}

TEST(StoredSettings, KeyValuesOfEveryKindReadBack) {
    const Variant values[] = {Variant(42), Variant(2.5), Variant(true), Variant("K-7")};
    for (const Variant& value : values) {
        TSettingsHost host(nullptr);
        host.SetName("Edit1");
        host.SpecRow.SetValue(value);
        TObjectPtr<TComponent> read = ReadBack(ComponentToText(host));
        EXPECT_EQ(dynamic_cast<TSettingsHost&>(*read).SpecRow.Value(), value) << value.AsString();
    }
}

}  // namespace
