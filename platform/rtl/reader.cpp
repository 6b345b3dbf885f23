#include "platform/rtl/reader.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/rtl/collection.h"
#include "platform/rtl/format.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/update_scope.h"

namespace {

std::string ReadRest(TStream& stream) {
    const std::int64_t left = std::max<std::int64_t>(stream.Size() - stream.Position(), 0);
    std::string text(static_cast<std::size_t>(left), '\0');
    stream.ReadBuffer(text.data(), left);
    return text;
}

[[noreturn]] void NoSuchProperty(std::string_view name) {
    throw EReadError(Format("Property %s does not exist", {name}));
}

[[noreturn]] void InvalidValue(int line) {
    ReadErrorAt(line, "Invalid property value");
}

}  // namespace

void ReadErrorAt(int line, std::string_view message) {
    throw EReadError(Format("Line %d: %s", {line, message}));
}

TReader::TReader(TStream& stream, const TClassRegistry& classes) : TReader(ReadRest(stream), classes) {}

TReader::TReader(std::string_view text, const TClassRegistry& classes)
    : form_(ParseForm(text)), classes_(classes) {}

void TReader::ReadRootComponent(TComponent& root) {
    root_ = &root;
    try {
        ReadTree(root);
    } catch (...) {
        Fail();
        throw;
    }
}

TObjectPtr<TComponent> TReader::ReadRootComponent() {
    TObjectPtr<TComponent> root(classes_.FindClass(form_.ClassName).Create(nullptr));
    ReadRootComponent(*root);
    return root;
}

void TReader::ReadTree(TComponent& root) {
    ReadObject(root, form_, nullptr);
    ResolveFixups();
    const std::vector<TComponent*> loaded = std::exchange(loaded_, {});
    created_.clear();
    for (TComponent* component : loaded) component->Loaded();
}

void TReader::Fail() {
    for (TComponent* component : loaded_)
        if (std::find(created_.begin(), created_.end(), component) == created_.end())
            component->state_ = component->state_ - TComponentState{csLoading, csReading};
    for (auto made = created_.rbegin(); made != created_.rend(); ++made) Free(*made);
    loaded_.clear();
    created_.clear();
    fixups_.clear();
    frames_.clear();
}

void TReader::ReadObject(TComponent& component, const TFormObject& object, TComponent* parent) {
    component.state_.Include(csLoading).Include(csReading);
    if (std::find(loaded_.begin(), loaded_.end(), &component) == loaded_.end())
        loaded_.push_back(&component);
    if (!object.Name.empty())
        component.SetName(object.Name);
    if (parent != nullptr)
        component.SetParentComponent(parent);
    for (const TFormProperty& property : object.Properties) ReadProperty(component, property);
    component.state_.Exclude(csReading);
    for (const TFormObject& child : object.Children) ReadChild(component, child);
}

void TReader::ReadChild(TComponent& parent, const TFormObject& object) {
    TComponent* child = nullptr;
    if (object.Inherited) {
        child = root_->FindComponent(object.Name);
        if (child == nullptr)
            ReadErrorAt(object.Line, Format("Ancestor for '%s' not found", {object.Name}));
    } else {
        child = &MakeChild(object);
    }
    ReadObject(*child, object, parent.GetChildParent());
}

TComponent& TReader::MakeChild(const TFormObject& object) {
    const TComponentClass& componentClass = classes_.FindClass(object.ClassName);
    if (root_->FindComponent(object.Name) != nullptr)
        ReadErrorAt(object.Line, Format("A component named %s already exists", {object.Name}));
    TComponent* child = componentClass.Create(root_);
    created_.push_back(child);
    return *child;
}

void TReader::ReadProperty(TPersistent& instance, const TFormProperty& property) {
    TPersistent* target = &instance;
    std::string_view path = property.Name;
    for (;;) {
        const TPropertyList& list = target->PublishedProperties();
        const std::size_t dot = path.find('.');
        if (dot == std::string_view::npos) {
            if (const TPropInfo* info = list.Find(path))
                ReadPropValue(*target, *info, property.Value);
            else if (!ReadDefined(*target, std::string(path), property.Value))
                NoSuchProperty(path);
            return;
        }
        const std::string_view head = path.substr(0, dot);
        const TPropInfo* info = list.Find(head);
        if (info == nullptr || (info->Kind != pkClass && info->Kind != pkCollection)) {
            // A defined property may carry a dotted name of its own (Items.Strings).
            if (ReadDefined(*target, std::string(path), property.Value))
                return;
            if (info == nullptr)
                NoSuchProperty(head);
            ReadErrorAt(property.Line, "Invalid property path");
        }
        target = std::get<TPersistent*>(info->Get(*target));
        if (target == nullptr)
            ReadErrorAt(property.Line, "Invalid property path");
        path = path.substr(dot + 1);
    }
}

bool TReader::ReadDefined(TPersistent& instance, const std::string& name, const TFormValue& value) {
    const std::string outerName = std::exchange(definedName_, name);
    const bool outerFound = std::exchange(definedFound_, false);
    frames_.push_back(Frame{{&value}, nullptr, 0, value.Line, false});
    const std::size_t depth = frames_.size();
    instance.DefineProperties(*this);
    const bool found = definedFound_;
    const bool allRead = frames_.size() == depth && frames_.back().index == frames_.back().Size();
    frames_.resize(depth - 1);
    definedName_ = outerName;
    definedFound_ = outerFound;
    if (found && !allRead)
        InvalidValue(value.Line);
    return found;
}

void TReader::DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc&, bool) {
    if (definedFound_ || !readData || !SameText(name, definedName_))
        return;
    definedFound_ = true;
    readData(*this);
}

void TReader::DefineBinaryProperty(const std::string& name, const TStreamProc& readData, const TStreamProc&,
                                   bool) {
    if (definedFound_ || !readData || !SameText(name, definedName_))
        return;
    definedFound_ = true;
    const TFormValue& value = Take(vaBinary);
    TMemoryStream data;
    data.WriteBuffer(value.Text.data(), static_cast<std::int64_t>(value.Text.size()));
    data.SetPosition(0);
    readData(data);
}

void TReader::ReadPropValue(TPersistent& instance, const TPropInfo& info, const TFormValue& value) {
    switch (info.Kind) {
        case pkInteger:
        case pkEnum:
        case pkBoolean:
        case pkSet:
            SetValue(instance, info, OrdinalValue(info, value), value.Line);
            return;
        case pkFloat:
            if (value.Type != vaInt && value.Type != vaExtended)
                InvalidValue(value.Line);
            SetValue(instance, info, value.Type == vaInt ? static_cast<double>(value.Integer) : value.Float,
                     value.Line);
            return;
        case pkString:
            if (value.Type != vaString)
                InvalidValue(value.Line);
            SetValue(instance, info, value.Text, value.Line);
            return;
        case pkClass:
        case pkCollection: {
            auto* collection = dynamic_cast<TCollection*>(std::get<TPersistent*>(info.Get(instance)));
            if (collection == nullptr || value.Type != vaCollection)
                InvalidValue(value.Line);
            ReadItems(*collection, value.CollectionItems);
            return;
        }
        case pkComponent:
            if (value.Type == vaNil)
                SetValue(instance, info, static_cast<TPersistent*>(nullptr), value.Line);
            else if (value.Type == vaIdent)
                fixups_.push_back({&instance, &info, value.Text, value.Line});
            else
                InvalidValue(value.Line);
            return;
    }
}

void TReader::SetValue(TPersistent& instance, const TPropInfo& info, const TPropValue& value, int line) {
    if (!info.Set)
        ReadErrorAt(line, "Property is read-only");
    if (!info.Set(instance, value))
        InvalidValue(line);
}

std::int64_t TReader::OrdinalValue(const TPropInfo& info, const TFormValue& value) const {
    auto nameIndex = [&](std::string_view name) -> std::int64_t {
        for (std::size_t i = 0; i < info.Names.size(); ++i)
            if (SameText(info.Names[i], name))
                return static_cast<std::int64_t>(i);
        InvalidValue(value.Line);
    };
    std::int64_t result = 0;
    if (info.Kind == pkBoolean && (value.Type == vaTrue || value.Type == vaFalse)) {
        result = value.Type == vaTrue ? 1 : 0;
    } else if (info.Kind == pkEnum && value.Type == vaIdent) {
        result = nameIndex(value.Text);
    } else if (info.Kind == pkSet && value.Type == vaSet) {
        for (const std::string& element : value.Elements) {
            const std::int64_t bit = nameIndex(element);
            if (bit >= 63)
                InvalidValue(value.Line);
            result |= std::int64_t{1} << bit;
        }
    } else if (info.Kind == pkInteger && value.Type == vaInt) {
        result = value.Integer;
    } else if (info.Kind == pkInteger && value.Type == vaIdent) {
        auto found = std::find_if(info.Idents.begin(), info.Idents.end(),
                                  [&](const auto& ident) { return SameText(ident.first, value.Text); });
        if (found == info.Idents.end())
            InvalidValue(value.Line);
        result = found->second;
    } else {
        InvalidValue(value.Line);
    }
    if (result < info.Min || result > info.Max)
        InvalidValue(value.Line);
    return result;
}

void TReader::ReadItems(TCollection& collection, const std::vector<std::vector<TFormProperty>>& items) {
    const auto update = UpdateScope(collection);
    collection.Clear();
    for (const std::vector<TFormProperty>& properties : items) {
        TCollectionItem* item = collection.Add();
        for (const TFormProperty& property : properties) ReadProperty(*item, property);
    }
}

void TReader::ResolveFixups() {
    const std::vector<Fixup> fixups = std::exchange(fixups_, {});
    for (const Fixup& fixup : fixups) {
        TComponent* target = FindReference(fixup.name);
        if (target == nullptr)
            ReadErrorAt(fixup.line, Format("Unresolved reference to '%s'", {fixup.name}));
        SetValue(*fixup.instance, *fixup.info, static_cast<TPersistent*>(target), fixup.line);
    }
}

TComponent* TReader::FindReference(std::string_view name) const {
    TComponent* found = root_;
    bool first = true;
    while (found != nullptr && !name.empty()) {
        const std::size_t dot = name.find('.');
        const std::string_view part = name.substr(0, dot);
        TComponent* next = found->FindComponent(part);
        // "Form1.Button1" names the root's own component through the root's name.
        if (next == nullptr && first && SameText(part, root_->Name()))
            next = root_;
        found = next;
        first = false;
        name = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    }
    return found;
}

// The value calls.

const TFormValue& TReader::Current() const {
    if (frames_.empty())
        ReadErrorAt(0, "Invalid property value");
    const Frame& frame = frames_.back();
    if (frame.items != nullptr || frame.index >= frame.values.size())
        InvalidValue(frame.line);
    return *frame.values[frame.index];
}

void TReader::Advance() {
    ++frames_.back().index;
}

const TFormValue& TReader::Take(TValueType type) {
    const TFormValue& value = Current();
    if (value.Type != type)
        InvalidValue(value.Line);
    Advance();
    return value;
}

void TReader::Enter(const TFormValue& value) {
    Frame frame;
    frame.line = value.Line;
    frame.entered = true;
    if (value.Type == vaCollection) {
        frame.items = &value.CollectionItems;
    } else {
        for (const TFormValue& item : value.Items) frame.values.push_back(&item);
    }
    frames_.push_back(std::move(frame));
}

TValueType TReader::NextValue() const {
    if (frames_.empty() || frames_.back().index >= frames_.back().Size())
        return vaNull;
    const Frame& frame = frames_.back();
    return frame.items != nullptr ? vaList : frame.values[frame.index]->Type;
}

TValueType TReader::ReadValue() {
    const TValueType type = NextValue();
    if (type == vaList || type == vaCollection)
        Enter(Take(type));
    else
        SkipValue();
    return type;
}

std::int32_t TReader::ReadInteger() {
    const TFormValue& value = Take(vaInt);
    if (value.Integer < std::numeric_limits<std::int32_t>::min() ||
        value.Integer > std::numeric_limits<std::int32_t>::max())
        InvalidValue(value.Line);
    return static_cast<std::int32_t>(value.Integer);
}

std::int64_t TReader::ReadInt64() {
    return Take(vaInt).Integer;
}

double TReader::ReadFloat() {
    const TFormValue& value = Current();
    if (value.Type != vaInt && value.Type != vaExtended)
        InvalidValue(value.Line);
    Advance();
    return value.Type == vaInt ? static_cast<double>(value.Integer) : value.Float;
}

std::string TReader::ReadString() {
    return Take(vaString).Text;
}

std::string TReader::ReadIdent() {
    const TFormValue& value = Current();
    const char* fixed = value.Type == vaTrue ? "True" : value.Type == vaFalse ? "False" : "nil";
    if (value.Type != vaIdent && value.Type != vaTrue && value.Type != vaFalse && value.Type != vaNil)
        InvalidValue(value.Line);
    Advance();
    return value.Type == vaIdent ? value.Text : fixed;
}

bool TReader::ReadBoolean() {
    const TFormValue& value = Current();
    if (value.Type != vaTrue && value.Type != vaFalse)
        InvalidValue(value.Line);
    Advance();
    return value.Type == vaTrue;
}

void TReader::ReadListBegin() {
    Enter(Take(vaList));
}

bool TReader::EndOfList() const {
    return !frames_.empty() && frames_.back().index >= frames_.back().Size();
}

void TReader::ReadListEnd() {
    if (frames_.empty() || !frames_.back().entered || !EndOfList())
        InvalidValue(frames_.empty() ? 0 : frames_.back().line);
    frames_.pop_back();
}

void TReader::ReadCollection(TCollection& collection) {
    if (frames_.empty() || frames_.back().items == nullptr)
        Enter(Take(vaCollection));
    const auto* items = frames_.back().items;
    frames_.back().index = items->size();
    ReadItems(collection, *items);
    frames_.pop_back();
}

void TReader::SkipValue() {
    if (NextValue() == vaNull)
        InvalidValue(frames_.empty() ? 0 : frames_.back().line);
    Advance();
}
