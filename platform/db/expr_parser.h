#pragma once
// TExprParser: turns a filter text (NAME LIKE 'A%' AND YEAR(BIRTH) = 1970) into a tree of nodes
// that an evaluator walks against each record. Fields are looked up in the dataset when one is
// given: a missing or calculated field is an error, and text constants compared with a date or
// time field become dates, times or date-times. Any fault in the text raises EDatabaseError.
//
// Precedence, lowest first: OR; AND; NOT; comparisons (= <> < > <= >=, [NOT] LIKE, [NOT] IN (...),
// IS [NOT] NULL); + -; * /; unary minus; parentheses, constants, fields and function calls.
// With foCaseInsensitive, or a text constant ending in "*" (unless foNoPartialCompare), an equality
// becomes a compare node that ignores case or compares only the characters before the "*".
#include <memory>
#include <string>
#include <vector>

#include "platform/db/dataset_types.h"
#include "platform/db/expr_lexer.h"
#include "platform/db/expr_node.h"
#include "platform/rtl/set.h"

class TDataSet;
class TField;

enum TParserOption {
    poExtSyntax,
    poAggregate,
    poDefaultExpr,
    poUseOrigNames,
    poFieldNameGiven,
    poFieldDepend
};
using TParserOptions = TSet<TParserOption>;

class TExprParser {
  public:
    TExprParser(TDataSet* dataSet, const std::string& text, TFilterOptions options = {},
                TParserOptions parserOptions = {});
    virtual ~TExprParser() = default;
    TExprParser(const TExprParser&) = delete;
    TExprParser& operator=(const TExprParser&) = delete;

    const TExprNode& Root() const { return *root_; }
    const std::string& Text() const { return text_; }
    TFilterOptions FilterOptions() const { return options_; }
    TParserOptions ParserOptions() const { return parserOptions_; }
    // The names of the fields the expression reads, each once, in order of appearance.
    const std::vector<std::string>& FieldNames() const { return fieldNames_; }

    // Deeper nesting than this is refused rather than risking the stack.
    static constexpr int MaxDepth = 256;
    // A taller tree is refused too: evaluators walk it recursively, and a long chain of AND, OR or
    // arithmetic operators grows it one level per operator without any brackets.
    static constexpr int MaxHeight = 1024;

  private:
    using Node = std::unique_ptr<TExprNode>;
    Node ParseOr();
    Node ParseAnd();
    Node ParseNot();
    Node ParseComparison();
    Node ParseSum();
    Node ParseTerm();
    Node ParseFactor();
    Node ParsePrimary();
    Node ParseFunction(const std::string& name);
    Node ParseList();
    Node ParseIsNull(Node operand);
    Node MakeComparison(TCANOperator op, Node left, Node right);
    Node MakeField(const std::string& name);
    Node MakeNumber(const std::string& text);
    void Expect(const char* symbol, const char* message);
    void Enter();
    // A text constant compared with a date or time field becomes that kind of value.
    void TypeConstantByField(const TExprNode& field, TExprNode& constant) const;

    TDataSet* dataSet_;
    std::string text_;
    TFilterOptions options_;
    TParserOptions parserOptions_;
    TExprLexer lexer_;
    std::vector<std::string> fieldNames_;
    int depth_ = 0;
    Node root_;
};

std::unique_ptr<TExprNode> MakeExprNode(TNodeClass nodeClass, TCANOperator op);
