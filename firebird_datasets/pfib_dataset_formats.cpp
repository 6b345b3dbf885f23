// TpFIBDataSet's field settings after an open: display and edit formats, and what the repository
// and the columns' metadata say of each field (read-only, required, defaults, labels).
#include <mutex>

#include "firebird/database.h"
#include "firebird/date_text.h"
#include "firebird/sql_from_tables.h"
#include "firebird/str_basics.h"
#include "firebird_datasets/field_formats.h"
#include "firebird_datasets/pfib_dataset.h"
#include "firebird_datasets/repository.h"
#include "platform/db/bcd_fields.h"
#include "platform/db/datetime_fields.h"
#include "platform/db/numeric_fields.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/strings.h"

namespace {

const TpPrepareOptions kRepositoryOptions{pfSetRequiredFields, pfSetReadOnlyFields, pfImportDefaultValues,
                                          psUseBooleanField, psApplyRepositary};

void SetWhenEmpty(std::string& format, const std::string& value) {
    if (format.empty())
        format = value;
}

bool IsScaledNumber(const TField* field) {
    return dynamic_cast<const TSmallintField*>(field) != nullptr ||
           dynamic_cast<const TIntegerField*>(field) != nullptr ||
           dynamic_cast<const TFloatField*>(field) != nullptr;
}

TDateTimeTextKind TextKindOf(const TField* field) {
    if (dynamic_cast<const TDateField*>(field) != nullptr)
        return dtkDate;
    if (dynamic_cast<const TTimeField*>(field) != nullptr)
        return dtkTime;
    return dtkDateTime;
}

// The column's default as the field's DefaultExpression: numbers in the locale's notation, dates
// in its date format, texts quoted. A default the library cannot read is left out: the server
// still applies it.
void ImportColumnDefault(TField* field, const TpFIBFieldInfo& info) {
    const std::string& value = info.DefaultValue;
    if (auto* text = dynamic_cast<TFIBstringField*>(field)) {
        text->SetDefaultValueEmptyString(info.DefaultIsEmptyString);
        if (!value.empty())
            field->DefaultExpression = "'" + value + "'";
        return;
    }
    if (value.empty())
        return;
    if (dynamic_cast<TNumericField*>(field) != nullptr) {
        std::string number = value;
        for (char& c : number)
            if (c == '.')
                c = NumberFormat().DecimalSeparator;
        field->DefaultExpression = number;
    } else if (dynamic_cast<TDateTimeField*>(field) != nullptr) {
        if (IsDateKeyword(AsciiUpperCase(Trim(value)))) {
            field->DefaultExpression = Trim(value);
            return;
        }
        try {
            field->DefaultExpression = NormalizeDateTimeStr(value, TextKindOf(field));
        } catch (const EConvertError&) {
        }
    } else {
        field->DefaultExpression = value;
    }
}

void ApplyRepositoryDisplay(TField* field, const TpFIBFieldInfo& info) {
    if (info.DisplayWidth != 0)
        field->SetDisplayWidth(info.DisplayWidth);
    if (!info.DisplayLabel.empty())
        field->DisplayLabel = info.DisplayLabel;
    field->Visible = info.Visible;
    if (auto* number = dynamic_cast<TNumericField*>(field)) {
        if (!info.DisplayFormat.empty())
            number->DisplayFormat = info.DisplayFormat;
        if (!info.EditFormat.empty())
            number->EditFormat = info.EditFormat;
    } else if (auto* date = dynamic_cast<TDateTimeField*>(field);
               date != nullptr && !info.DisplayFormat.empty()) {
        date->DisplayFormat = info.DisplayFormat;
    }
}

}  // namespace

void TpFIBDataSet::SetPrepareOptions(TpPrepareOptions value) {
    const bool repositoryOn =
        value.Contains(psApplyRepositary) && !PrepareOptions().Contains(psApplyRepositary);
    TFIBDataSet::SetPrepareOptions(value);
    if (repositoryOn)
        ApplyDefaultFormats();
}

void TpFIBDataSet::ApplyDefaultFormats() {
    const bool useRepository = Database() != nullptr && Database()->UseRepositories.Contains(urFieldsInfo) &&
                               !(PrepareOptions() * kRepositoryOptions).Empty() && Fields().Count() > 0;
    TpFIBRepository* repository = useRepository ? &MetadataRepository("field settings") : nullptr;
    for (int i = 0; i < Fields().Count(); ++i) {
        TField* field = Fields().Fields(i);
        if (Options().Contains(poAutoFormatFields))
            ApplyFieldFormats(field);
        if (repository != nullptr)
            ApplyRepositoryToField(field, *repository);
    }
}

void TpFIBDataSet::ApplyFieldFormats(TField* field) {
    const TFormatFields& formats = DefaultFormats();
    if (auto* bcd = dynamic_cast<TBCDField*>(field)) {
        if (bcd->Size() > 0) {
            SetWhenEmpty(bcd->DisplayFormat, FormatWithDecimals(formats.NumericDisplayFormat(), bcd->Size()));
            SetWhenEmpty(bcd->EditFormat, FormatWithDecimals(formats.NumericEditFormat(), bcd->Size()));
        }
    } else if (IsScaledNumber(field) && ColumnOfField(field) != nullptr) {
        const int scale = GetFieldScale(field);
        auto* number = dynamic_cast<TNumericField*>(field);
        if (scale < 0) {
            SetWhenEmpty(number->DisplayFormat, FormatWithDecimals(formats.NumericDisplayFormat(), -scale));
            SetWhenEmpty(number->EditFormat, FormatWithDecimals(formats.NumericEditFormat(), -scale));
        }
    } else if (auto* date = dynamic_cast<TDateTimeField*>(field)) {
        const TDateTimeTextKind kind = TextKindOf(field);
        SetWhenEmpty(date->DisplayFormat, kind == dtkDate   ? formats.DisplayFormatDate()
                                          : kind == dtkTime ? formats.DisplayFormatTime()
                                                            : formats.DateTimeDisplayFormat());
    }
}

// A data field whose table is not the one the dataset writes to can't be changed.
bool TpFIBDataSet::FieldOfOtherTable(TField* field) {
    const std::string relation = GetRelationName(field);
    if (AutoUpdateOptions().AutoReWriteSqls())
        return !AsciiSameStr(relation, AutoUpdateOptions().UpdateTableName(), false);
    return !AsciiSameStr(relation, GetMainTableName(InsertSQL().Text(), false), false) &&
           !AsciiSameStr(relation, GetMainTableName(UpdateSQL().Text(), false), false);
}

void TpFIBDataSet::ApplyRepositoryToField(TField* field, TpFIBRepository& repository) {
    const TpPrepareOptions options = PrepareOptions();
    const bool data = field->FieldKind == fkData;
    TFIBDatabase& database = *Database();
    TpFIBTableInfoCollect& tables = repository.TableInfos();
    const std::lock_guard lock(tables.Lock());
    TpFIBFieldInfo* aliasInfo = tables.FindFieldInfo(database, kAliasTable, true, field->FieldName);
    TpFIBFieldInfo* tableInfo = nullptr;
    if (data && !GetRelationName(field).empty())
        tableInfo = tables.FindFieldInfo(database, GetRelationName(field), true, GetSQLFieldName(field));
    if (options.Contains(pfSetReadOnlyFields) && data && !field->ReadOnly && FieldOfOtherTable(field))
        field->ReadOnly = true;
    if (options.Contains(pfImportDefaultValues) && tableInfo != nullptr)
        ImportColumnDefault(field, *tableInfo);
    const TpFIBFieldInfo* info = aliasInfo != nullptr ? aliasInfo : tableInfo;
    if (info == nullptr)
        return;
    if (data) {
        if (options.Contains(pfSetReadOnlyFields) && !options.Contains(psCanEditComputedFields) &&
            !field->ReadOnly && info->Computed)
            field->ReadOnly = true;
        if (options.Contains(pfSetRequiredFields))
            field->Required = info->NotNull && info->DefaultValue.empty() && !info->DefaultIsEmptyString &&
                              !info->Triggered;
    }
    if (options.Contains(psApplyRepositary) && info->WithRepositoryInfo)
        ApplyRepositoryDisplay(field, *info);
}
