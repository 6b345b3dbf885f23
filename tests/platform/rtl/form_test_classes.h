#pragma once
// Components that publish one property of every kind, for the form reader and writer tests.
#include <string>
#include <vector>

#include "platform/rtl/class_registry.h"
#include "platform/rtl/collection.h"
#include "platform/rtl/reader.h"
#include "platform/rtl/writer.h"

namespace formtest {

enum TShape { shRect, shCircle, shStar };
enum TGridOption { goA, goB, goC };
using TGridOptions = TSet<TGridOption>;

class TPen : public TPersistent {
  public:
    std::string ClassName() const override { return "TPen"; }
    static const TPropertyList& Published() {
        static const TPropertyList list = TPublish<TPen>(TPersistent::Published())
                                              .String("Name", &TPen::Name, &TPen::Name)
                                              .Default("Arial")
                                              .Integer("Size", &TPen::Size, &TPen::Size)
                                              .Default(8);
        return list;
    }
    const TPropertyList& PublishedProperties() const override { return Published(); }
    std::string Name = "Arial";
    int Size = 8;
};

class TColumn : public TCollectionItem {
  public:
    std::string ClassName() const override { return "TColumn"; }
    static const TPropertyList& Published() {
        static const TPropertyList list = TPublish<TColumn>(TCollectionItem::Published())
                                              .Integer("Width", &TColumn::Width, &TColumn::Width)
                                              .Default(64)
                                              .String("Title", &TColumn::Title, &TColumn::Title);
        return list;
    }
    const TPropertyList& PublishedProperties() const override { return Published(); }
    void Assign(const TPersistent& source) override {
        const auto& other = dynamic_cast<const TColumn&>(source);
        Width = other.Width;
        Title = other.Title;
    }
    int Width = 64;
    std::string Title;
};

// Notes the order of Loaded calls, what each component saw then, and other events.
struct Journal {
    std::vector<std::string> entries;
};

class TWidget : public TComponent {
  public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TWidget"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    TComponent* GetParentComponent() const override { return Holder; }
    void SetParentComponent(TComponent* parent) override { Holder = dynamic_cast<TWidget*>(parent); }

    int Left = 0;  // no declared default: always written
    std::string Caption;
    double Ratio = 0;
    bool Visible = true;
    TShape Shape = shRect;
    TGridOptions Options;
    int Color = 0;
    int Secret = 5;  // stored only when positive
    TPen Font;
    TOwnedCollection Columns{this, ItemClass<TColumn>()};
    TWidget* Buddy = nullptr;
    TWidget* Holder = nullptr;
    std::string Data;                                     // binary, defined
    std::vector<std::string> Lines;                       // a list of strings, defined as "Lines.Strings"
    TOwnedCollection Hidden{this, ItemClass<TColumn>()};  // a collection stored as a defined property
    Journal* journal = nullptr;

  protected:
    void Loaded() override;
    void DefineProperties(TFiler& filer) override;
};

inline const TPropertyList& TWidget::Published() {
    static const TPropertyList list =
        TPublish<TWidget>(TComponent::Published())
            .Integer("Left", &TWidget::Left, &TWidget::Left)
            .String("Caption", &TWidget::Caption, &TWidget::Caption)
            .Float("Ratio", &TWidget::Ratio, &TWidget::Ratio)
            .Boolean("Visible", &TWidget::Visible, &TWidget::Visible)
            .Default(true)
            .Enum("Shape", &TWidget::Shape, &TWidget::Shape, {"shRect", "shCircle", "shStar"})
            .Default(shRect)
            .SetOf("Options", &TWidget::Options, &TWidget::Options, {"goA", "goB", "goC"})
            .Default(TGridOptions{})
            .Integer("Color", &TWidget::Color, &TWidget::Color)
            .Default(0)
            .Idents({{"clBlack", 0}, {"clRed", 0xFF}})
            .Integer("Secret", &TWidget::Secret, &TWidget::Secret)
            .Default(5)
            .StoredWhen([](const TWidget& w) { return w.Secret > 0; })
            .Object("Font", [](const TWidget& w) { return &w.Font; })
            .Collection("Columns", [](const TWidget& w) { return &w.Columns; })
            .Component("Buddy", &TWidget::Buddy, &TWidget::Buddy);
    return list;
}

inline void TWidget::Loaded() {
    TComponent::Loaded();
    if (journal != nullptr)
        journal->entries.push_back(Name() + (Buddy != nullptr ? " buddy " + Buddy->Name() : ""));
}

inline void TWidget::DefineProperties(TFiler& filer) {
    const auto* ancestor = dynamic_cast<const TWidget*>(filer.Ancestor());
    filer.DefineBinaryProperty(
        "Data",
        [this](TStream& s) {
            Data.assign(static_cast<std::size_t>(s.Size()), '\0');
            s.ReadBuffer(Data.data(), s.Size());
        },
        [this](TStream& s) { s.WriteBuffer(Data.data(), static_cast<std::int64_t>(Data.size())); },
        ancestor != nullptr ? ancestor->Data != Data : !Data.empty());
    filer.DefineProperty(
        "Lines.Strings",
        [this](TReader& reader) {
            Lines.clear();
            reader.ReadListBegin();
            while (!reader.EndOfList()) Lines.push_back(reader.ReadString());
            reader.ReadListEnd();
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            for (const std::string& line : Lines) writer.WriteString(line);
            writer.WriteListEnd();
        },
        ancestor != nullptr ? ancestor->Lines != Lines : !Lines.empty());
    filer.DefineProperty(
        "Hidden",
        [this](TReader& reader) {
            reader.ReadValue();
            reader.ReadCollection(Hidden);
        },
        [this](TWriter& writer) { writer.WriteCollection(Hidden); },
        ancestor != nullptr ? ancestor->Hidden.Count() != Hidden.Count() : Hidden.Count() > 0);
    // Read from older forms only: "Round = True" stands for Shape = shCircle.
    filer.DefineProperty(
        "Round",
        [this](TReader& reader) {
            if (reader.ReadBoolean())
                Shape = shCircle;
        },
        nullptr, false);
}

// Widgets made by the reader all write to one journal.
inline TClassRegistry WidgetClasses(Journal& journal) {
    TClassRegistry classes;
    classes.RegisterClass({"TWidget", [&journal](TComponent* owner) -> TComponent* {
                               auto* widget = static_cast<TWidget*>(CreateComponent<TWidget>(owner));
                               widget->journal = &journal;
                               return widget;
                           }});
    return classes;
}

}  // namespace formtest
