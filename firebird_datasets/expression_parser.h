#pragma once
// TExpressionParser: a dataset's filter text, parsed once and then evaluated against the current
// record for every record the dataset fetches or moves to. It reads the dataset's fields by name,
// looks each one up once and keeps it in a sorted cache, matches LIKE through the routine it is
// given and reads DATE(format, text) through the given date converter.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "firebird_datasets/expression_functions.h"
#include "platform/db/expr_parser.h"
#include "platform/rtl/variant.h"

class TDataSet;
class TField;
class TStringList;

using TLikeMatcher = std::function<bool(std::string_view value, std::string_view pattern)>;

class TExpressionParser : public TExprParser {
  public:
    // A parse failure raises again with "Can't parse Filter for: \r\n" before its message.
    // Without a matcher LIKE raises; without a converter DATE with two arguments raises.
    TExpressionParser(TDataSet& dataSet, TLikeMatcher likeMatcher, TDateConverter dateConverter,
                      TFilterOptions options, TParserOptions parserOptions, const std::string& text);
    ~TExpressionParser() override;

    // The cached field of that name, else the dataset's FieldByName (raising for a missing name).
    TField* GetField(const std::string& name);
    // The dataset calls this when its fields change.
    void ClearFieldCache();
    // Whether the current record passes. A Null or unassigned result does not.
    bool Evaluate();
    bool IsTrue() { return Evaluate(); }

  private:
    Variant EvaluateNode(const TExprNode& node);
    Variant EvaluateUnary(const TExprNode& node);
    Variant EvaluateBinary(const TExprNode& node);
    Variant EvaluateCompare(const TExprNode& node);
    Variant EvaluateList(const TExprNode& node);
    Variant EvaluateFunction(const TExprNode& node);
    bool In(const Variant& value, const Variant& list) const;
    bool Like(const Variant& value, const Variant& pattern) const;

    TDataSet& dataSet_;
    TLikeMatcher likeMatcher_;
    TDateConverter dateConverter_;
    std::unique_ptr<TStringList> fieldCache_;
};
