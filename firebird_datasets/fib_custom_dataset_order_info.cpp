// The order a dataset's records come in: the select's ORDER BY read into the sort description, a
// DoSort order kept over a reopen (poPersistentSorting), and the fields found by their origin.
#include "firebird/sql_from_tables.h"
#include "firebird/sql_order_by.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "platform/rtl/strings.h"

namespace {

std::string Unquoted(std::string text) {
    std::erase(text, '"');
    return text;
}

bool IsNumber(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string TFIBCustomDataSet::GetFieldOrigin(TField* field) {
    return GetRelationName(field) + "." + GetSQLFieldName(field);
}

TField* TFIBCustomDataSet::FindFieldByOrigin(const std::string& origin) {
    const std::string wanted = Unquoted(origin);
    for (int i = 0; i < Fields().Count(); ++i)
        if (TField* field = Fields().Fields(i); AnsiSameText(GetFieldOrigin(field), wanted))
            return field;
    return nullptr;
}

TField* TFIBCustomDataSet::FindFieldBySQLName(const std::string& name) {
    const std::string wanted = Unquoted(name);
    for (int i = 0; i < Fields().Count(); ++i)
        if (TField* field = Fields().Fields(i);
            field->FieldKind == fkData && AnsiSameText(GetSQLFieldName(field), wanted))
            return field;
    return nullptr;
}

void TFIBCustomDataSet::ReadOrderInfo() {
    if (!(options_.Contains(poPersistentSorting) && sortedByDoSort_ && IsSorted())) {
        if (!IsSorted() && !sortedByDoSort_) {
            const std::string sql = SelectSQL().Text();
            const Variant order = GetOrderByFields(sql);
            for (int i = 0; order.IsArray() && i <= order.HighBound(1); ++i) {
                const std::string item = order.GetElement({i, 0}).AsString();
                TField* field = nullptr;
                std::string name;
                if (IsNumber(item)) {
                    for (int f = 0; f < Fields().Count() && field == nullptr; ++f)
                        if (Fields().Fields(f)->FieldNo() == std::stoi(item))
                            field = Fields().Fields(f);
                    name = field != nullptr ? field->FieldName : "NotPresented";
                } else {
                    field = item.find('.') != std::string::npos ? FindFieldByOrigin(item)
                                                                : FindFieldBySQLName(item);
                    if (field == nullptr && item.find('.') != std::string::npos)
                        field = FindFieldByOrigin(AliasToTableName(sql, item));
                    if (field == nullptr) {
                        sortFields_.clear();
                        break;
                    }
                    name = field->FieldName;
                }
                sortFields_.push_back({name, order.GetElement({i, 1}).AsBoolean()});
            }
        }
        sortedByDoSort_ = false;
    }
    tableNames_.Clear();
    tableNames_.SetSorted(true);
    tableNames_.SetDuplicates(TDuplicates::dupIgnore);
    for (int i = 0; i < Fields().Count(); ++i)
        if (const std::string relation = GetRelationName(Fields().Fields(i)); !relation.empty())
            tableNames_.Add(relation);
}

// A DoSort order is put back after a reopen with poPersistentSorting; any other order is the one
// the new select gives, read from its ORDER BY with psGetOrderInfo.
void TFIBCustomDataSet::ApplySortingAfterOpen() {
    if (options_.Contains(poPersistentSorting) && sortedByDoSort_ && IsSorted())
        ReapplySortAfterOpen();
    else
        ClearSortInfo();
    if (prepareOptions_.Contains(psGetOrderInfo))
        ReadOrderInfo();
}

void TFIBCustomDataSet::ReapplySortAfterOpen() {
    std::vector<TSortFieldRef> fields;
    std::vector<bool> ordering;
    for (const TSortField& sortField : sortFields_) {
        fields.emplace_back(sortField.Name);
        ordering.push_back(sortField.Asc);
    }
    try {
        DoSort(fields, ordering);
    } catch (const std::exception&) {
        // The new select lacks a field of the old order: the records stay as the server sent them.
        ClearSortInfo();
    }
}
