#pragma once
// The demo's table and how its records are printed: one line per record, "NAME=value" pairs in
// column order joined by "; ", a Null as an empty value.
#include <ostream>

class TDataSet;
class TMemoryDataSet;

enum DemoColumn { kDemoName, kDemoPolicy, kDemoCode, kDemoCity, kDemoAmount, kDemoVisit, kDemoPaid };

// Sets up the table's columns with one empty record; the table is left closed.
void DefineDemoTable(TMemoryDataSet& table);
// Writes every record of an open dataset, first to last.
void PrintRecords(TDataSet& dataSet, std::ostream& out);
