// TFIBQuery and TpFIBQuery in stored forms: published properties, the SQL lines and the options
// as one Boolean per option set.
#include "firebird/database.h"
#include "firebird/fib_query.h"
#include "firebird/pfib_query.h"
#include "firebird/strings_property.h"
#include "firebird/transaction.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/reader.h"
#include "platform/rtl/writer.h"

namespace {

struct TOptionName {
    TpFIBQueryOption Option;
    const char* Name;
};
constexpr TOptionName kOptionNames[] = {
    {qoAutoCommit, "qoAutoCommit"},
    {qoStartTransaction, "qoStartTransaction"},
    {qoTrimCharFields, "qoTrimCharFields"},
    {qoNoForceIsNull, "qoNoForceIsNull"},
};

}  // namespace

const TPropertyList& TFIBQuery::Published() {
    static const TPropertyList list =
        TPublish<TFIBQuery>(TComponent::Published())
            .Component("Transaction", &TFIBQuery::Transaction, &TFIBQuery::SetTransaction)
            .Component("Database", &TFIBQuery::Database, &TFIBQuery::SetDatabase)
            .Boolean("GoToFirstRecordOnExecute", &TFIBQuery::GoToFirstRecordOnExecute,
                     &TFIBQuery::GoToFirstRecordOnExecute)
            .Default(true)
            .Boolean("ParamCheck", &TFIBQuery::ParamCheck, &TFIBQuery::ParamCheck)
            .Default(true);
    return list;
}

void TFIBQuery::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    DefineLinesProperty(
        filer, "SQL", sql_, [this](const TStrings& lines) { sql_.Assign(lines); }, sql_.Count() > 0);
    const auto* ancestor = dynamic_cast<const TFIBQuery*>(filer.Ancestor());
    for (const TOptionName& option : kOptionNames) {
        const bool set = Options.Contains(option.Option);
        const bool hasData = ancestor ? set != ancestor->Options.Contains(option.Option) : set;
        filer.DefineProperty(
            option.Name,
            [this, option](TReader& reader) {
                if (reader.ReadBoolean())
                    Options.Include(option.Option);
                else
                    Options.Exclude(option.Option);
            },
            [this, option](TWriter& writer) { writer.WriteBoolean(Options.Contains(option.Option)); },
            hasData);
    }
    conditions_.DefineProperties(filer, "Conditions", ancestor ? &ancestor->Conditions() : nullptr);
}

const TPropertyList& TpFIBQuery::Published() {
    static const TPropertyList list =
        TPublish<TpFIBQuery>(TFIBQuery::Published())
            .String("Description", &TpFIBQuery::Description, &TpFIBQuery::Description)
            .String("About", &TpFIBQuery::About, &TpFIBQuery::SetAbout)
            .StoredWhen([](const TpFIBQuery&) { return false; });
    return list;
}
