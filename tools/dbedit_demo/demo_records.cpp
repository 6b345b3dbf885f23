#include "tools/dbedit_demo/demo_records.h"

#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/fields.h"
#include "tests/support/memory_dataset.h"

void DefineDemoTable(TMemoryDataSet& table) {
    table.SetColumns({"NAME", "POLICY", "CODE", "CITY", "AMOUNT", "VISIT", "PAID"});
    table.SetColumnType(kDemoName, ftString, 30);
    table.SetColumnType(kDemoPolicy, ftString, 7);
    table.SetColumnType(kDemoCode, ftString, 20);
    table.SetColumnType(kDemoCity, ftString, 30);
    table.SetColumnType(kDemoAmount, ftInteger);
    table.SetColumnType(kDemoVisit, ftString, 1);
    table.SetColumnType(kDemoPaid, ftBoolean);
    table.AddRow({Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(),
                  Variant::Null(), Variant(false)});
}

void PrintRecords(TDataSet& dataSet, std::ostream& out) {
    dataSet.First();
    while (!dataSet.Eof()) {
        const TFields& fields = dataSet.Fields();
        for (int i = 0; i < fields.Count(); ++i) {
            TField* field = fields.Fields(i);
            out << (i > 0 ? "; " : "") << field->FieldName << '=' << field->AsString();
        }
        out << '\n';
        dataSet.Next();
    }
    out.flush();
}
