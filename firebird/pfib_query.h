#pragma once
// TpFIBQuery: a statement with events around its execution and a retry loop an error handler
// drives; the class of pooled statements and of the datasets' own statements. Text blobs of its
// row read as lines or one text.
#include <functional>
#include <string>

#include "firebird/fib_errors.h"
#include "firebird/fib_query.h"
#include "platform/rtl/string_list.h"

enum TDataAction { daFail, daAbort, daRetry };

class TpFIBQuery;
using TFIBQueryErrorEvent = std::function<void(TpFIBQuery* query, EFIBError& E, TDataAction& Action)>;

class TpFIBQuery : public TFIBQuery {
  public:
    explicit TpFIBQuery(TComponent* AOwner) : TFIBQuery(AOwner) {}
    std::string ClassName() const override { return "TpFIBQuery"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    void Execute() override;

    std::string Description;
    TNotifyEvent BeforeExecute;
    TNotifyEvent AfterExecute;
    TFIBQueryErrorEvent OnExecuteError;
    std::string About() const { return "5.3.0 Release"; }
    void SetAbout(const std::string&) {}
};

// The text of a BLOB column of subtype 1 of an open query into the lines; false when it can't be
// read.
bool LoadTextBlobToStrings(TFIBQuery& query, const std::string& columnName, TStrings& lines);
// That text as one string; empty when it can't be read.
std::string GetTextBlobField(TFIBQuery& query, const std::string& columnName);
