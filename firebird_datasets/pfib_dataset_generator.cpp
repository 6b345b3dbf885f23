// Key values from a generator.
#include "firebird/component_path.h"
#include "firebird/database.h"
#include "firebird/fib_errors.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/db/numeric_fields.h"

// The value goes in through the field's own setter, so a value the field cannot hold raises
// (a SMALLINT key past 32767, say) instead of wrapping round to another record's key.
void TpFIBDataSet::FetchGeneratorValue() {
    const TAutoUpdateOptions& options = AutoUpdateOptions();
    if (options.WhenGetGenID() == wgNever)
        return;
    TFIBDatabase* database = Database();
    if (database == nullptr)
        RaiseClientError(fceDatabaseNotAssigned, {ComponentPath(this)});
    TField* key = KeyField();
    if (key == nullptr || dynamic_cast<TNumericField*>(key) == nullptr || !key->IsNull())
        return;
    const std::int64_t value =
        database->GenerateID(options.GeneratorName(), Transaction(), options.GeneratorStep());
    auto* bcd = dynamic_cast<TFIBBCDField*>(key);
    if (bcd != nullptr && bcd->Size() == 0)
        bcd->SetAsInt64(value);
    else
        key->SetAsLargeInt(value);
}
