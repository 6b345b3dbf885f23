// Filter texts parsed into node trees: precedence, the node classes and operators, compare nodes
// for case-insensitive and partial matches, constants typed by the fields they meet, and errors.
#include "platform/db/expr_parser.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/db/typed_fields.h"
#include "platform/rtl/database_error.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/timestamp.h"
#include "tests/support/memory_dataset.h"

namespace {

std::string OperatorName(TCANOperator op) {
    static const std::map<TCANOperator, std::string> names = {
        {coISBLANK, "ISBLANK"}, {coNOTBLANK, "NOTBLANK"},
        {coEQ, "EQ"},           {coNE, "NE"},
        {coGT, "GT"},           {coLT, "LT"},
        {coGE, "GE"},           {coLE, "LE"},
        {coNOT, "NOT"},         {coAND, "AND"},
        {coOR, "OR"},           {coMINUS, "MINUS"},
        {coADD, "ADD"},         {coSUB, "SUB"},
        {coMUL, "MUL"},         {coDIV, "DIV"},
        {coLIKE, "LIKE"},       {coIN, "IN"},
        {coUPPER, "UPPER"},     {coLOWER, "LOWER"}};
    auto found = names.find(op);
    return found == names.end() ? "?" + std::to_string(op) : found->second;
}

std::string ConstantText(const TExprNode& node) {
    switch (node.DataType) {
        case ftString:
            return "'" + node.Value.AsString() + "'";
        case ftBoolean:
            return node.Value.AsBoolean() ? "true" : "false";
        case ftFloat:
            return FloatToStr(node.Value.AsDouble());
        case ftDate:
            return "date:" + node.Value.AsString();
        case ftTime:
            return "time:" + node.Value.AsString();
        case ftDateTime:
            return "datetime:" + FormatFloat("0", node.Value.AsDouble());
        default:
            return node.Value.AsString();
    }
}

// The tree in a compact prefix form: (OP args), compare flags after a slash, lists in brackets.
// count terms "a", "a", ... joined by op: a tree one level taller per operator.
std::string Chain(const std::string& op, int count) {
    std::string text = "a";
    for (int i = 1; i < count; ++i) text += op + "a";
    return text;
}

std::string Show(const TExprNode& node) {
    std::string args;
    for (const auto& arg : node.Args) args += " " + Show(*arg);
    switch (node.NodeClass) {
        case nodeFIELD:
            return node.FieldName;
        case nodeCONST:
            return ConstantText(node);
        case nodeNULL:
            return "NULL";
        case nodeLISTELEM:
            return "[" + args.substr(args.empty() ? 0 : 1) + "]";
        case nodeFUNC:
            return "(FUNC " + node.FunctionName + args + ")";
        case nodeCOMPARE:
            return "(" + OperatorName(node.Operator) + (node.CaseInsensitive ? "/ci" : "") +
                   (node.PartialLength > 0 ? "/p" + std::to_string(node.PartialLength) : "") + args + ")";
        default:
            return "(" + OperatorName(node.Operator) + args + ")";
    }
}

std::string Parse(const std::string& text, TFilterOptions options = {}, TDataSet* dataSet = nullptr) {
    TExprParser parser(dataSet, text, options);
    return Show(parser.Root());
}

TEST(ExprParser, BuildsTheTreeWithItsPrecedence) {
    struct Case {
        std::string text;
        std::string tree;
    };
    const std::vector<Case> cases = {
        {"NAME LIKE 'A%' AND YEAR(BIRTH) = 1970", "(AND (LIKE NAME 'A%') (EQ (FUNC YEAR BIRTH) 1970))"},
        {"a = 1 or b = 2 and c = 3", "(OR (EQ a 1) (AND (EQ b 2) (EQ c 3)))"},
        {"(a = 1 or b = 2) and c = 3", "(AND (OR (EQ a 1) (EQ b 2)) (EQ c 3))"},
        {"not a = 1 and not not b", "(AND (NOT (EQ a 1)) (NOT (NOT b)))"},
        {"-a * (b + 2) - 3 / c", "(SUB (MUL (MINUS a) (ADD b 2)) (DIV 3 c))"},
        {"a - b - c", "(SUB (SUB a b) c)"},
        {"a < 1 or a > 2 or a <= 3 or a >= 4.5", "(OR (OR (OR (LT a 1) (GT a 2)) (LE a 3)) (GE a 4.5))"},
        {"a != 'x'", "(NE a 'x')"},
        {"X IN (1, 'two', 3.5)", "(IN X [1 'two' 3.5])"},
        {"X NOT IN (1)", "(NOT (IN X [1]))"},
        {"X NOT LIKE 'a%'", "(NOT (LIKE X 'a%'))"},
        {"X IS NULL", "(ISBLANK X)"},
        {"X is not null", "(NOTBLANK X)"},
        {"X = NULL", "(ISBLANK X)"},
        {"NULL <> X", "(NOTBLANK X)"},
        {"[First Name] >= 'Ann'", "(GE First Name 'Ann')"},
        {"\"a b\" <> 'it''s'", "(NE a b 'it's')"},
        {"NAME = 'Ann*'", "(EQ/p3 NAME 'Ann')"},
        {"NAME <> 'A*'", "(NE/p1 NAME 'A')"},
        {"NAME = '*'", "(EQ NAME '*')"},
        {"UPPER(NAME) = lower('A')", "(EQ (UPPER NAME) (LOWER 'A'))"},
        {"SUBSTRING(NAME, 2, 3) = 'BCD'", "(EQ (FUNC SUBSTRING [NAME 2 3]) 'BCD')"},
        {"GETDATE() > D", "(GT (FUNC GETDATE) D)"},
        {"TRUE = FLAG", "(EQ true FLAG)"},
        {"N = 99999999999", "(EQ N 99999999999)"},
        {"N = .5e1", "(EQ N 5)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Parse(c.text), c.tree);
    }
}

TEST(ExprParser, FilterOptionsMakeCompareNodes) {
    struct Case {
        std::string text;
        TFilterOptions options;
        std::string tree;
    };
    const std::vector<Case> cases = {
        {"NAME = 'ann'", {foCaseInsensitive}, "(EQ/ci NAME 'ann')"},
        {"NAME LIKE 'a%'", {foCaseInsensitive}, "(LIKE/ci NAME 'a%')"},
        {"NAME = 'an*'", {foCaseInsensitive}, "(EQ/ci/p2 NAME 'an')"},
        {"NAME = 'an*'", {foNoPartialCompare}, "(EQ NAME 'an*')"},
        {"NAME < 'b'", {foCaseInsensitive}, "(LT NAME 'b')"},
        {"ID = 1", {foCaseInsensitive}, "(EQ ID 1)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Parse(c.text, c.options), c.tree);
    }
}

class ExprParserWithFields : public ::testing::Test {
  protected:
    void SetUp() override {
        ds.SetColumns({"ID", "NAME", "BORN", "WAKES", "SEEN"});
        ds.SetColumnType(0, ftInteger);
        ds.SetColumnType(1, ftString, 20);
        ds.SetColumnType(2, ftDate);
        ds.SetColumnType(3, ftTime);
        ds.SetColumnType(4, ftDateTime);
        ds.Open();
    }
    TMemoryDataSet ds;
};

TEST_F(ExprParserWithFields, FieldsCarryTheirNumbersAndTypes) {
    TExprParser parser(&ds, "name = 'x' and ID > 2 or Name = 'y'");
    const TExprNode& first = parser.Root().Arg(0).Arg(0).Arg(0);
    EXPECT_EQ(first.NodeClass, nodeFIELD);
    EXPECT_EQ(first.FieldNo, 2);
    EXPECT_EQ(first.DataType, ftString);
    EXPECT_EQ(parser.Root().Arg(0).Arg(1).Arg(0).FieldNo, 1);
    EXPECT_EQ(parser.FieldNames(), (std::vector<std::string>{"name", "ID"}));
}

TEST_F(ExprParserWithFields, TextConstantsBecomeDatesTimesAndDateTimesOfTheirField) {
    const TDateTime day = EncodeDate(2001, 2, 3);
    const TDateTime time = EncodeTime(10, 0, 0, 0);
    const TTimeStamp stamp = DateTimeToTimeStamp(day + time);
    struct Case {
        std::string text;
        std::string tree;
    };
    const std::vector<Case> cases = {
        {"BORN = '" + DateToStr(day) + "'", "(EQ BORN date:" + std::to_string(stamp.Date) + ")"},
        {"'" + TimeToStr(time) + "' < WAKES", "(LT time:36000000 WAKES)"},
        {"SEEN >= '" + DateTimeToStr(day + time) + "'",
         "(GE SEEN datetime:" + FormatFloat("0", stamp.Date * 86400000.0 + 36000000) + ")"},
        {"BORN IN ('" + DateToStr(day) + "')", "(IN BORN [date:" + std::to_string(stamp.Date) + "])"},
        {"NAME = '" + DateToStr(day) + "'", "(EQ NAME '" + DateToStr(day) + "')"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Parse(c.text, {}, &ds), c.tree);
    }
    EXPECT_EQ(stamp.Date, 730519);  // 3 February 2001, counting 1 January of year 1 as day 1
}

TEST_F(ExprParserWithFields, FieldsTheDataSetCannotFilterOnAreRefused) {
    ds.Close();
    auto* calc = new TIntegerField(&ds);
    calc->FieldName = "CALC";
    calc->FieldKind = fkCalculated;
    ds.Open();
    calc->SetDataSet(&ds);
    struct Case {
        std::string text;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"NOPE = 1", "Field 'NOPE' not found"},
        {"CALC = 1", "Field 'CALC' cannot be used in a filter expression"},
        {"BORN = 'never'", "'never' is not a valid date and time for field 'BORN'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            TExprParser parser(&ds, c.text);
            ADD_FAILURE() << "no error";
        } catch (const EDatabaseError& e) {
            EXPECT_EQ(e.Message, c.error);
        }
    }
}

TEST(ExprParser, LongChainsOfOperatorsParseUpToTheHeightLimit) {
    TExprParser parser(nullptr, Chain(" OR ", 900));
    int height = 0;
    for (const TExprNode* node = &parser.Root(); node != nullptr;
         node = node->Args.empty() ? nullptr : node->Args.front().get())
        ++height;
    EXPECT_EQ(height, 900);
}

TEST(ExprParser, FaultsInTheTextRaiseDatabaseErrors) {
    struct Case {
        std::string text;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"", "Expression expected but nothing found"},
        {"a = ", "Expression expected but nothing found"},
        {"a = 'x", "Unterminated string constant"},
        {"[a = 1", "Unterminated field name"},
        {"\"a = 1", "Unterminated field name"},
        {"a ~ 1", "Invalid filter expression character: '~'"},
        {"(a = 1", "')' expected but nothing found"},
        {"a = 1)", "Filter expression incorrectly terminated"},
        {"a = 1 b", "Filter expression incorrectly terminated"},
        {"f(1, 2", "')' or ',' expected but nothing found"},
        {"a IN (1 2)", "')' or ',' expected but '2' found"},
        {"a < NULL", "NULL only allowed with '=' and '<>'"},
        {"a IN 1", "'(' expected but '1' found"},
        {"a IS 1", "NULL expected but '1' found"},
        {"a NOT = 1", "LIKE or IN expected but '=' found"},
        {"AND = 1", "Expression expected but 'AND' found"},
        {"a = )", "Expression expected but ')' found"},
        {std::string(1000, '(') + "a", "Filter expression nested too deeply"},
        {std::string(1000, '-') + "a", "Filter expression nested too deeply"},
        {Chain(" OR ", 2000), "Filter expression nested too deeply"},
        {Chain(" + ", 400000) + " = 1", "Filter expression nested too deeply"},
        {"1e999 = a", "Constant out of range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 20));
        try {
            TExprParser parser(nullptr, c.text);
            ADD_FAILURE() << "no error: " << Show(parser.Root());
        } catch (const EDatabaseError& e) {
            EXPECT_EQ(e.Message, c.error);
        }
    }
}

}  // namespace
