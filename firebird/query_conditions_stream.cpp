// The conditions in a stored form. "Data" lists name, text and enabled flag of each condition;
// against an inherited form, "0" stands for the ancestor's text and unchanged conditions are left
// out, and the names the ancestor has but this list lacks follow the "#@DELETED" marker.
#include "firebird/query_conditions.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/reader.h"
#include "platform/rtl/writer.h"

namespace {

constexpr std::string_view kDeletedMarker = "#@DELETED";
constexpr std::string_view kAncestorText = "0";
constexpr std::string_view kEmptyText = "'";

}  // namespace

void TConditions::DefineProperties(TFiler& filer, const std::string& name, const TConditions* ancestor) {
    filer.DefineProperty(
        name + ".Strings", [this](TReader& reader) { ReadStrings(reader); }, nullptr, false);
    filer.DefineProperty(
        name + ".Enabled", [this](TReader& reader) { ReadEnabled(reader); }, nullptr, false);
    filer.DefineProperty(
        name + ".Data", [this](TReader& reader) { ReadData(reader); },
        [this, ancestor](TWriter& writer) { WriteData(writer, ancestor); }, StoresData(ancestor));
}

bool TConditions::StoresData(const TConditions* ancestor) const {
    if (ancestor == nullptr)
        return Count() > 0;
    if (!Equals(*ancestor))
        return true;
    for (int i = 0; i < Count(); ++i) {
        const TCondition* mine = GetCondition(i);
        const TCondition* theirs = ancestor->GetCondition(i);
        if (mine == nullptr || theirs == nullptr)
            continue;
        if (mine->GetName() != theirs->GetName() || mine->Enabled() != theirs->Enabled())
            return true;
    }
    return false;
}

void TConditions::ReadStrings(TReader& reader) {
    Clear();
    reader.ReadListBegin();
    while (!reader.EndOfList()) Add(reader.ReadString());
    reader.ReadListEnd();
}

void TConditions::ReadEnabled(TReader& reader) {
    const std::string flags = reader.ReadString();
    // Flags stand at the even positions, counted from 1, of the stored text.
    for (std::size_t position = 2; position < flags.size(); position += 2) {
        TCondition* condition = GetCondition(static_cast<int>(position / 2 - 1));
        if (condition == nullptr)
            break;
        condition->SetEnabled(flags[position - 1] == '1');
    }
}

void TConditions::ReadData(TReader& reader) {
    reader.ReadListBegin();
    bool deleted = false;
    while (!reader.EndOfList()) {
        const std::string name = reader.ReadString();
        if (deleted) {
            RemoveCondition(name);
            continue;
        }
        if (name == kDeletedMarker) {
            deleted = true;
            continue;
        }
        std::string text = reader.ReadString();
        const bool enabled = reader.ReadBoolean();
        if (text == kEmptyText)
            text.clear();
        if (TCondition* existing = FindCondition(name)) {
            if (existing->enabledInherited_) {
                existing->SetEnabled(enabled);
                existing->enabledInherited_ = true;
            }
            if (text != kAncestorText && existing->valueInherited_) {
                existing->SetValue(text);
                existing->valueInherited_ = true;
            }
        } else if (text != kAncestorText) {
            TCondition* added = AddCondition(name, text, enabled);
            added->enabledInherited_ = true;
            added->valueInherited_ = true;
        }
    }
    reader.ReadListEnd();
}

void TConditions::WriteData(TWriter& writer, const TConditions* ancestor) const {
    writer.WriteListBegin();
    for (int i = 0; i < Count(); ++i) {
        const TCondition* condition = GetCondition(i);
        if (condition == nullptr)
            continue;
        const std::string name = condition->GetName();
        const std::string value = condition->GetValue();
        const TCondition* inherited = ancestor != nullptr ? ancestor->FindCondition(name) : nullptr;
        const bool sameText = inherited != nullptr && inherited->GetValue() == value;
        if (sameText && inherited->Enabled() == condition->Enabled())
            continue;
        writer.WriteString(name);
        writer.WriteString(sameText ? kAncestorText : value.empty() ? kEmptyText : std::string_view(value));
        writer.WriteBoolean(condition->Enabled());
    }
    bool markerWritten = false;
    for (int i = 0; ancestor != nullptr && i < ancestor->Count(); ++i) {
        const TCondition* theirs = ancestor->GetCondition(i);
        if (theirs == nullptr || FindCondition(theirs->GetName()) != nullptr)
            continue;
        if (!markerWritten)
            writer.WriteString(kDeletedMarker);
        markerWritten = true;
        writer.WriteString(theirs->GetName());
    }
    writer.WriteListEnd();
}
