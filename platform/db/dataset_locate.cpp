// Locate and Lookup by scanning the records, and adding a whole record at once.
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/scope_exit.h"
#include "platform/rtl/strings.h"

namespace {

bool KeyMatches(const Variant& value, const Variant& key, TLocateOptions options) {
    if (value.IsNull() || value.IsEmpty() || key.IsNull() || key.IsEmpty())
        return (value.IsNull() || value.IsEmpty()) && (key.IsNull() || key.IsEmpty());
    if (!value.IsString() && !key.IsString())
        return value.IsNumeric() || value.VarType() == varDate ? value.AsDouble() == key.AsDouble()
                                                               : value == key;
    std::string text = value.AsString();
    std::string wanted = key.AsString();
    if (options.Contains(loCaseInsensitive)) {
        text = AnsiUpperCase(text);
        wanted = AnsiUpperCase(wanted);
    }
    return options.Contains(loPartialKey) ? text.starts_with(wanted) : text == wanted;
}

}  // namespace

bool TDataSet::FindRecord(const std::string& keyFields, const Variant& keyValues, TLocateOptions options,
                          const std::function<void()>& found) {
    const std::vector<TField*> fields = GetFieldList(keyFields);
    const bool several = fields.size() > 1;
    auto matches = [&] {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const Variant& key = several ? keyValues[static_cast<int>(i)] : keyValues;
            if (!KeyMatches(fields[i]->Value(), key, options))
                return false;
        }
        return true;
    };
    CursorPosChanged();
    TRecordBuffer buffer = AllocRecordBuffer();
    bool hit = false;
    {
        TScopeExit release([this, &buffer] { FreeRecordBuffer(buffer); });
        InternalFirst();
        while (!hit && GetRecord(buffer, gmNext, true) == grOK)
            ReadRecord(buffer, [&] {
                if ((hit = matches()))
                    found();
            });
    }
    return hit;
}

bool TDataSet::Locate(const std::string& keyFields, const Variant& keyValues, TLocateOptions options) {
    CheckActive();
    CheckBrowseMode();
    if (!FindRecord(keyFields, keyValues, options, [] {}))
        return false;
    DoBeforeScroll();
    Resync({.Exact = true, .Center = true});
    DoAfterScroll();
    return true;
}

Variant TDataSet::Lookup(const std::string& keyFields, const Variant& keyValues,
                         const std::string& resultFields) {
    CheckActive();
    Variant result = Variant::Null();
    FindRecord(keyFields, keyValues, {}, [&] { result = FieldValues(resultFields); });
    CursorPosChanged();
    return result;
}

void TDataSet::SetFieldsInOrder(const std::vector<Variant>& values) {
    const int count = std::min(static_cast<int>(values.size()), fields_.Count());
    for (int i = 0; i < count; ++i) {
        const Variant& value = values[static_cast<std::size_t>(i)];
        if (value.IsEmpty())
            continue;
        TField* field = fields_.Fields(i);
        if (value.IsNull())
            field->Clear();
        else
            field->SetValue(value);
    }
}

void TDataSet::InsertRecord(const std::vector<Variant>& values) {
    Insert();
    SetFieldsInOrder(values);
    Post();
}

void TDataSet::AppendRecord(const std::vector<Variant>& values) {
    Append();
    SetFieldsInOrder(values);
    Post();
}
