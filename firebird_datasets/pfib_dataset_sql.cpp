// The modify and refresh statements the dataset writes for itself from AutoUpdateOptions: the key
// fields, the key condition, and the texts of each kind.
#include <mutex>

#include "firebird/blob_stream.h"
#include "firebird/component_path.h"
#include "firebird/database.h"
#include "firebird/ident_quoting.h"
#include "firebird/library_texts.h"
#include "firebird/str_basics.h"
#include "firebird/string_list_utils.h"
#include "firebird_datasets/generated_sql.h"
#include "firebird_datasets/pfib_dataset.h"
#include "firebird_datasets/repository.h"
#include "platform/rtl/flag_scope.h"
#include "platform/rtl/format.h"
#include "platform/rtl/scope_exit.h"
#include "platform/rtl/strings.h"

namespace {

std::vector<std::string> SplitNames(const std::string& names) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= names.size()) {
        const std::size_t end = std::min(names.find(';', start), names.size());
        std::string part = Trim(std::string_view(names).substr(start, end - start));
        if (!part.empty())
            parts.push_back(std::move(part));
        start = end + 1;
    }
    return parts;
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : ";") + name;
    return joined;
}

// The name without one pair of surrounding double quotes.
std::string Unquoted(const std::string& name) {
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        return name.substr(1, name.size() - 2);
    return name;
}

bool SameName(const std::string& a, const std::string& b) {
    return AsciiUpperCase(a) == AsciiUpperCase(b);
}

}  // namespace

// How the dataset's database writes names: its dialect, and whether unquoted names are upper-cased.
struct TpFIBDataSet::TNameStyle {
    int Dialect = 3;
    bool UpperCase = false;
    std::string Ident(const std::string& name) const { return DialectIdentifierEx(Dialect, name, UpperCase); }
};

TpFIBDataSet::TNameStyle TpFIBDataSet::NameStyle() const {
    TNameStyle style;
    if (TFIBDatabase* database = Database()) {
        style.Dialect = database->SQLDialect();
        style.UpperCase = database->UsesUpperCaseNames();
    }
    return style;
}

TField* TpFIBDataSet::FindFieldCached(const std::string& name) {
    const std::string key = AsciiUpperCase(Unquoted(name));
    auto found = fieldNameCache_.find(key);
    if (found != fieldNameCache_.end()) {
        // A field freed since (default fields go with every close) leaves the cache here.
        TField* field = found->second;
        if (Fields().IndexOf(field) >= 0 && SameName(field->FieldName, Unquoted(name)))
            return field;
        fieldNameCache_.erase(found);
    }
    TField* field = FindField(Unquoted(name));
    if (field != nullptr)
        fieldNameCache_.emplace(key, field);
    return field;
}

TpFIBRepository& TpFIBDataSet::MetadataRepository(const char* neededFor) const {
    auto* repository = dynamic_cast<TpFIBRepository*>(ColumnRepository());
    if (repository == nullptr)
        throw Exception(Format(SNoMetadataRepository, {ComponentPath(this), neededFor}));
    return *repository;
}

TpFIBTableInfo* TpFIBDataSet::UpdateTableInfo(TpFIBRepository& repository, const std::string& table) const {
    TFIBDatabase* database = Database();
    if (database == nullptr || table.empty())
        return nullptr;
    TpFIBTableInfo* info =
        repository.TableInfos().GetTableInfo(*database, NameStyle().Ident(Trim(table)), false);
    return info != nullptr && info->FieldCount() > 0 ? info : nullptr;
}

// The data field's relation, written as the table is (upper-cased unless the table is quoted).
bool TpFIBDataSet::FieldOfTable(TField* field, const std::string& table) {
    const bool quotedTable = !table.empty() && table.front() == '"';
    return field->FieldKind == fkData &&
           DialectIdentifierEx(NameStyle().Dialect, GetRelationName(field), !quotedTable) == table;
}

TField* TpFIBDataSet::KeyField() {
    return FindFieldCached(AutoUpdateOptions().KeyFields());
}

std::string TpFIBDataSet::KeyFieldsFromPrimaryKey(const std::string& table) {
    TpFIBTableInfo* info = UpdateTableInfo(MetadataRepository("KeyFields"), table);
    if (info == nullptr)
        return {};
    std::vector<std::string> names;
    for (const std::string& column : SplitNames(info->GetPrimaryKey())) {
        TField* match = nullptr;
        for (int i = 0; i < Fields().Count() && match == nullptr; ++i) {
            TField* field = Fields().Fields(i);
            if (FieldOfTable(field, NameStyle().Ident(Trim(table))) && GetSQLFieldName(field) == column)
                match = field;
        }
        if (match == nullptr)
            return {};
        names.push_back(match->FieldName);
    }
    return JoinNames(names);
}

std::string TpFIBDataSet::KeyFieldsFromTable(const std::string& table) {
    std::vector<std::string> names;
    for (int i = 0; i < Fields().Count(); ++i) {
        TField* field = Fields().Fields(i);
        if (!field->IsBlob() && FieldOfTable(field, NameStyle().Ident(Trim(table))))
            names.push_back(field->FieldName);
    }
    return JoinNames(names);
}

bool TpFIBDataSet::CanAutoGenerateSQL() const {
    const TAutoUpdateOptions& options = AutoUpdateOptions();
    return options.UpdateOnlyModifiedFields() && options.AutoReWriteSqls() && options.CanChangeSQLs() &&
           !options.KeyFields().empty() && !options.UpdateTableName().empty();
}

// The key condition, from the last key field to the first. Every name must be a field of the
// dataset: a shorter condition could match several rows.
std::string TpFIBDataSet::KeyCondition(const std::string& table, const std::vector<TField*>& keys,
                                       TpFIBTableInfo& info) {
    const TNameStyle style = NameStyle();
    std::vector<TGeneratedColumn> columns;
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        TField* field = *it;
        if (!FieldOfTable(field, table))
            continue;
        std::string column = DialectIdentifierEx(style.Dialect, GetSQLFieldName(field), style.Dialect < 3);
        TpFIBFieldInfo* fieldInfo = info.FieldInfo(column);
        if (fieldInfo == nullptr || !fieldInfo->CanBeInWhere) {
            if (!IsDBKeyStringField(field))
                continue;
            column = "RDB$DB_KEY";
        }
        columns.push_back({column, style.Ident("OLD_" + field->FieldName)});
    }
    return KeyConditionText(table, columns);
}

TRecordBuffer TpFIBDataSet::PostingRecord() const {
    return applyingRecord_ != nullptr ? applyingRecord_ : ActiveBuffer();
}

// A field's value in a record other than the one the state points at.
Variant TpFIBDataSet::RecordValue(TRecordBuffer record, TField* field) {
    Variant value;
    const TFlagScope anyStatus = ReadingHiddenRecords();
    ReadRecord(record, [&] { value = field->AsVariant(); });
    return value;
}

bool TpFIBDataSet::BlobFieldModified(TRecordBuffer record, TField* field) {
    const std::int32_t* slot = BlobStreamSlot(record, field);
    TFIBBlobStream* stream = slot != nullptr ? BlobStreamAt(*slot) : nullptr;
    return stream != nullptr && stream->Modified();
}

bool TpFIBDataSet::FieldGoesToServer(TField* field, TGeneratedSQLKind kind, TRecordBuffer record,
                                     TRecordBuffer oldImage) {
    if (!AutoUpdateOptions().UpdateOnlyModifiedFields())
        return true;
    if (kind == gsInsert)
        return !RecordValue(record, field).IsNull() || BlobFieldModified(record, field);
    if (field->IsBlob())
        return BlobFieldModified(record, field);
    return !(RecordValue(oldImage, field) == RecordValue(record, field));
}

std::vector<TGeneratedColumn> TpFIBDataSet::ChangedColumns(const std::string& table, TGeneratedSQLKind kind,
                                                           TpFIBTableInfo& info) {
    const TNameStyle style = NameStyle();
    TRecordBuffer record = PostingRecord();
    std::vector<std::byte> oldImage;
    if (record != nullptr) {
        oldImage.assign(record, record + RecordBufferSize());
        if (RecordIndexOf(record) >= 0 && RecordIndexOf(record) < FetchedCount())
            InitRecordBuffer(RecordIndexOf(record), oldImage.data(), true);
    }
    std::vector<TGeneratedColumn> columns;
    for (int i = 0; i < Fields().Count(); ++i) {
        TField* field = Fields().Fields(i);
        if (!FieldOfTable(field, table))
            continue;
        if (record != nullptr && !FieldGoesToServer(field, kind, record, oldImage.data()))
            continue;
        const std::string column =
            DialectIdentifierEx(style.Dialect, GetSQLFieldName(field), style.Dialect < 3);
        TpFIBFieldInfo* fieldInfo = info.FieldInfo(column);
        if (fieldInfo == nullptr ||
            (fieldInfo->Computed && !PrepareOptions().Contains(psCanEditComputedFields)))
            continue;
        columns.push_back({column, style.Ident("NEW_" + field->FieldName)});
    }
    return columns;
}

void TpFIBDataSet::GenerateSQLText(const std::string& tableName, const std::string& keyFields,
                                   std::string& text, TGeneratedSQLKind kind) {
    text.clear();
    if (Trim(tableName).empty() || Trim(keyFields).empty())
        return;
    const std::string table = NameStyle().Ident(tableName);
    std::vector<TField*> keys;
    bool missing = false;
    for (const std::string& name : SplitNames(keyFields)) {
        TField* field = FindFieldCached(name);
        missing = missing || field == nullptr;
        if (field != nullptr)
            keys.push_back(field);
    }
    if (keys.empty())
        return;
    TpFIBRepository& repository = MetadataRepository(GeneratedSQLName(kind));
    std::lock_guard<std::recursive_mutex> lock(repository.TableInfos().Lock());
    TpFIBTableInfo* info = UpdateTableInfo(repository, tableName);
    if (info == nullptr)
        return;
    const std::string condition = missing ? std::string() : KeyCondition(table, keys, *info);
    if (condition.empty())
        throw Exception(Format(SCantGenerateSql, {ComponentPath(this), GeneratedSQLName(kind), tableName}));
    switch (kind) {
        case gsDelete:
            text = DeleteText(table, condition);
            break;
        case gsRefresh:
            text = RefreshText(SelectSQL().Text(), condition);
            break;
        case gsUpdate:
            text = UpdateText(table, ChangedColumns(table, kind, *info), condition);
            break;
        case gsInsert:
            text = InsertText(table, ChangedColumns(table, kind, *info),
                              AutoUpdateOptions().UpdateOnlyModifiedFields());
            break;
    }
}

TFIBQuery& TpFIBDataSet::GeneratedStatement(TGeneratedSQLKind kind) const {
    switch (kind) {
        case gsUpdate:
            return QUpdate();
        case gsInsert:
            return QInsert();
        case gsDelete:
            return QDelete();
        case gsRefresh:
            break;
    }
    return QRefresh();
}

// The statement takes the text only when it differs, so a prepared statement stays prepared.
void TpFIBDataSet::GenerateInto(TGeneratedSQLKind kind) {
    const TAutoUpdateOptions& options = AutoUpdateOptions();
    std::string text;
    GenerateSQLText(options.UpdateTableName(), options.KeyFields(), text, kind);
    TFIBQuery& statement = GeneratedStatement(kind);
    TStringList lines;
    lines.SetText(text);
    if (!statement.SQL().Equals(lines))
        statement.SQL().Assign(lines);
    generatedTexts_[kind] = statement.SQL().Text();
}

bool TpFIBDataSet::HoldsGeneratedText(TGeneratedSQLKind kind) const {
    const std::string& generated = generatedTexts_[kind];
    return !generated.empty() && GeneratedStatement(kind).SQL().Text() == generated;
}

void TpFIBDataSet::CompleteKeyFields() {
    TAutoUpdateOptions& options = AutoUpdateOptions();
    if (!Trim(options.KeyFields()).empty())
        return;
    std::string keys = KeyFieldsFromPrimaryKey(options.UpdateTableName());
    if (keys.empty())
        keys = KeyFieldsFromTable(options.UpdateTableName());
    options.SetKeyFields(keys);
}

void TpFIBDataSet::AutoGenerateSQLs() {
    if (Fields().Count() == 0)
        FieldDefs().Update();
    TFIBQuery* statements[] = {&QDelete(), &QUpdate(), &QInsert(), &QRefresh()};
    TNotifyEvent notices[4];
    for (int i = 0; i < 4; ++i) notices[i] = std::exchange(statements[i]->OnSQLChanging, nullptr);
    {
        const TScopeExit restoreNotices([&] {
            for (int i = 0; i < 4; ++i) statements[i]->OnSQLChanging = notices[i];
        });
        CompleteKeyFields();
        if (!Trim(AutoUpdateOptions().KeyFields()).empty()) {
            for (TGeneratedSQLKind kind : {gsDelete, gsUpdate, gsInsert, gsRefresh}) {
                if (AutoUpdateOptions().CanChangeSQLs() || IsEmptyStrings(GeneratedStatement(kind).SQL()))
                    GenerateInto(kind);
            }
        }
    }
}

void TpFIBDataSet::RegenerateModifySQL(TDataSetState state) {
    const TAutoUpdateOptions& options = AutoUpdateOptions();
    if (!options.UpdateOnlyModifiedFields() || Trim(options.KeyFields()).empty() ||
        Trim(options.UpdateTableName()).empty())
        return;
    if (state == dsEdit)
        GenerateInto(gsUpdate);
    else if (state == dsInsert)
        GenerateInto(gsInsert);
}

void TpFIBDataSet::PrepareAfterOpen() {
    const std::string select = SelectSQL().Text();
    if (select != openedSelect_) {
        openedSelect_ = select;
        GenerateSQLsAfterOpen();
    }
}

// After an open that follows a change of the select text.
void TpFIBDataSet::GenerateSQLsAfterOpen() {
    const TAutoUpdateOptions& options = AutoUpdateOptions();
    if (!options.AutoReWriteSqls())
        return;
    if (!options.UpdateOnlyModifiedFields()) {
        AutoGenerateSQLs();
    } else if (!Trim(options.UpdateTableName()).empty()) {
        CompleteKeyFields();
        GenerateInto(gsRefresh);
        GenerateInto(gsDelete);
    }
}
