#include "platform/rtl/writer.h"

#include <utility>

#include "platform/rtl/collection.h"
#include "platform/rtl/form_text.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/scope_exit.h"
#include "platform/rtl/string_stream.h"
#include "platform/rtl/value_scope.h"

namespace {

constexpr std::size_t kStringPiece = 64;
constexpr std::size_t kBinaryLine = 32;

}  // namespace

void TWriter::WriteRootComponent(TComponent& root, const TComponent* ancestor) {
    root_ = &root;
    rootAncestor_ = ancestor;
    level_ = 0;
    WriteObject(root, ancestor);
}

void TWriter::WriteComponent(TComponent& component) {
    const TComponent* ancestor = nullptr;
    if (rootAncestor_ != nullptr && component.Owner() == root_ && !component.Name().empty())
        ancestor = rootAncestor_->FindComponent(component.Name());
    WriteObject(component, ancestor);
}

void TWriter::WriteObject(TComponent& component, const TComponent* ancestor) {
    std::string header = ancestor != nullptr ? "inherited " : "object ";
    if (!component.Name().empty())
        header += component.Name() + ": ";
    Out(Indent(0) + header + component.ClassName() + "\n");
    {
        component.state_.Include(csWriting);
        TScopeExit written([&component] { component.state_.Exclude(csWriting); });
        TValueScope<const TPersistent*> savedAncestor(ancestor_, ancestor);
        TValueScope<int> savedLevel(level_, level_ + 1);
        WriteProperties(component);
        component.GetChildren([this](TComponent* child) { WriteComponent(*child); }, root_);
    }
    Out(Indent(0) + "end\n");
}

void TWriter::WriteProperties(TPersistent& instance) {
    const TPersistent* ancestor = ancestor_;
    instance.PublishedProperties().ForEach([&](const TPropertyList& declaredBy, const TPropInfo& info) {
        // An ancestor of a class without the property compares against the default.
        const bool ancestorHasIt =
            ancestor != nullptr && ancestor->PublishedProperties().Includes(declaredBy);
        WriteProperty(instance, info, ancestorHasIt ? ancestor : nullptr);
    });
    instance.DefineProperties(*this);
}

void TWriter::WriteProperty(const TPersistent& instance, const TPropInfo& info, const TPersistent* ancestor) {
    if (!info.IsStored(instance))
        return;
    const TPropValue value = info.Get(instance);
    const bool holdsObject = info.Kind == pkClass || info.Kind == pkCollection || info.Kind == pkComponent;
    const TPersistent* ancestorObject =
        ancestor != nullptr && holdsObject ? std::get<TPersistent*>(info.Get(*ancestor)) : nullptr;
    switch (info.Kind) {
        case pkClass:
        case pkCollection: {
            TPersistent* object = std::get<TPersistent*>(value);
            const auto* collection = dynamic_cast<const TCollection*>(object);
            if (collection != nullptr || info.Kind == pkCollection)
                WriteCollectionProperty(info, collection, dynamic_cast<const TCollection*>(ancestorObject));
            else if (object != nullptr)
                WriteNested(*object, ancestorObject, info.Name);
            return;
        }
        case pkComponent: {
            const std::string name = ReferenceName(std::get<TPersistent*>(value), root_);
            if (ancestor != nullptr ? name == ReferenceName(ancestorObject, rootAncestor_) : name.empty())
                return;
            BeginProperty(info.Name);
            WriteIdent(name.empty() ? "nil" : name);
            EndProperty();
            return;
        }
        default:
            if (ancestor != nullptr ? value == info.Get(*ancestor) : info.IsDefault(value))
                return;
            BeginProperty(info.Name);
            WriteScalar(info, value);
            EndProperty();
    }
}

void TWriter::WriteNested(TPersistent& object, const TPersistent* ancestor, const std::string& name) {
    TValueScope<std::string> savedPrefix(prefix_, prefix_ + name + ".");
    TValueScope<const TPersistent*> savedAncestor(ancestor_, ancestor);
    WriteProperties(object);
}

void TWriter::WriteCollectionProperty(const TPropInfo& info, const TCollection* collection,
                                      const TCollection* ancestor) {
    if (collection == nullptr)
        return;
    if (ancestor != nullptr ? CollectionsEqual(*collection, *ancestor) : collection->Count() == 0)
        return;
    BeginProperty(info.Name);
    WriteCollection(*collection);
    EndProperty();
}

void TWriter::WriteScalar(const TPropInfo& info, const TPropValue& value) {
    switch (info.Kind) {
        case pkFloat:
            WriteFloat(std::get<double>(value));
            return;
        case pkString:
            WriteString(std::get<std::string>(value));
            return;
        default:
            break;
    }
    const std::int64_t ordinal = std::get<std::int64_t>(value);
    if (info.Kind == pkBoolean) {
        WriteBoolean(ordinal != 0);
    } else if (info.Kind == pkEnum) {
        if (ordinal < 0 || ordinal >= static_cast<std::int64_t>(info.Names.size()))
            throw EWriteError("Invalid property value");
        WriteIdent(info.Names[static_cast<std::size_t>(ordinal)]);
    } else if (info.Kind == pkSet) {
        std::string text = "[";
        for (std::size_t bit = 0; bit < info.Names.size() && bit < 63; ++bit)
            if ((ordinal >> bit) & 1)
                text += (text.size() > 1 ? ", " : "") + info.Names[bit];
        BeginValue();
        Out(text + "]");
    } else {
        for (const auto& [name, identValue] : info.Idents)
            if (identValue == ordinal) {
                WriteIdent(name);
                return;
            }
        WriteInteger(ordinal);
    }
}

std::string TWriter::ReferenceName(const TPersistent* target, const TComponent* root) const {
    const auto* component = dynamic_cast<const TComponent*>(target);
    if (component == nullptr || component->Name().empty())
        return {};
    const TComponent* owner = component->Owner();
    if (component == root || owner == root || owner == nullptr || owner->Name().empty())
        return component->Name();
    return owner->Name() + "." + component->Name();
}

bool TWriter::CollectionsEqual(const TCollection& a, const TCollection& b) const {
    auto text = [](const TCollection& collection, TComponent* root) {
        TStringStream out;
        TWriter writer(out);
        writer.root_ = root;
        writer.WriteCollection(collection);
        return out.DataString();
    };
    return text(a, root_) == text(b, const_cast<TComponent*>(rootAncestor_));
}

void TWriter::DefineProperty(const std::string& name, const TReaderProc&, const TWriterProc& writeData,
                             bool hasData) {
    if (!hasData || !writeData)
        return;
    BeginProperty(name);
    writeData(*this);
    EndProperty();
}

void TWriter::DefineBinaryProperty(const std::string& name, const TStreamProc&, const TStreamProc& writeData,
                                   bool hasData) {
    if (!hasData || !writeData)
        return;
    TMemoryStream data;
    writeData(data);
    const std::string_view bytes(static_cast<const char*>(data.Memory()),
                                 static_cast<std::size_t>(data.Size()));
    BeginProperty(name);
    Out("{");
    for (std::size_t at = 0; at < bytes.size(); at += kBinaryLine)
        Out("\n" + Indent(1) + FormHex(bytes.substr(at, kBinaryLine)));
    Out("}");
    EndProperty();
}

void TWriter::WriteInteger(std::int64_t value) {
    BeginValue();
    Out(std::to_string(value));
}

void TWriter::WriteFloat(double value) {
    BeginValue();
    Out(FormFloat(value));
}

void TWriter::WriteString(std::string_view value) {
    BeginValue();
    const std::vector<std::string> pieces = FormStringPieces(value, kStringPiece);
    for (std::size_t i = 0; i < pieces.size(); ++i)
        Out((i > 0 ? " +\n" + Indent(listDepth_ + 1) : "") + pieces[i]);
}

void TWriter::WriteIdent(std::string_view value) {
    BeginValue();
    Out(value);
}

void TWriter::WriteBoolean(bool value) {
    WriteIdent(value ? "True" : "False");
}

void TWriter::WriteListBegin() {
    BeginValue();
    Out("(");
    ++listDepth_;
}

void TWriter::WriteListEnd() {
    --listDepth_;
    Out(")");
}

void TWriter::WriteCollection(const TCollection& collection) {
    BeginValue();
    Out("<");
    const int itemLevel = level_ + listDepth_ + 1;
    for (int i = 0; i < collection.Count(); ++i) {
        Out("\n" + std::string(static_cast<std::size_t>(itemLevel) * 2, ' ') + "item\n");
        {
            TValueScope<int> savedLevel(level_, itemLevel + 1);
            TValueScope<int> savedDepth(listDepth_, 0);
            TValueScope<std::string> savedPrefix(prefix_, std::string());
            TValueScope<const TPersistent*> savedAncestor(ancestor_, nullptr);
            WriteProperties(*collection.Items(i));
        }
        Out(std::string(static_cast<std::size_t>(itemLevel) * 2, ' ') + "end");
    }
    Out(">");
}

void TWriter::BeginProperty(std::string_view name) {
    Out(Indent(0) + prefix_ + std::string(name) + " = ");
}

void TWriter::EndProperty() {
    Out("\n");
}

void TWriter::BeginValue() {
    if (listDepth_ > 0)
        Out("\n" + Indent(listDepth_));
}

std::string TWriter::Indent(int extra) const {
    return std::string(static_cast<std::size_t>(level_ + extra) * 2, ' ');
}

void TWriter::Out(std::string_view text) {
    stream_.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}
