#include "firebird_datasets/expression_parser.h"

#include "firebird_datasets/expression_constants.h"
#include "firebird_datasets/filter_variant_ops.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/string_list.h"
#include "platform/rtl/strings.h"

namespace {

// A list is a variant array of this many places at most (indexes 0 to 50).
constexpr int ListHighIndex = 50;

bool IsBlank(const Variant& v) {
    return v.IsNull() || v.IsEmpty();
}

// Visits a list's values up to its first empty one; true as soon as a visit answers true.
template <typename Visit>
bool AnyListValue(const Variant& list, Visit visit) {
    for (int i = list.LowBound(1); i <= list.HighBound(1) && !list[i].IsEmpty(); ++i)
        if (visit(list[i]))
            return true;
    return false;
}

std::string CutText(const std::string& text, int length) {
    // The parser measures the partial length in bytes of the constant, so the cut is in bytes too.
    return text.substr(0, static_cast<std::size_t>(length));
}

}  // namespace

TExpressionParser::TExpressionParser(TDataSet& dataSet, TLikeMatcher likeMatcher,
                                     TDateConverter dateConverter, TFilterOptions options,
                                     TParserOptions parserOptions, const std::string& text) try
    : TExprParser(&dataSet, text, options, parserOptions),
      dataSet_(dataSet),
      likeMatcher_(std::move(likeMatcher)),
      dateConverter_(std::move(dateConverter)),
      fieldCache_(std::make_unique<TStringList>()) {
    fieldCache_->SetSorted(true);
    fieldCache_->SetDuplicates(TDuplicates::dupIgnore);
} catch (Exception& e) {
    e.Message = "Can't parse Filter for: \r\n" + e.Message;
}

TExpressionParser::~TExpressionParser() = default;

TField* TExpressionParser::GetField(const std::string& name) {
    int index = 0;
    if (fieldCache_->Find(name, index))
        return static_cast<TField*>(fieldCache_->GetObject(index));
    TField* field = dataSet_.FieldByName(name);
    fieldCache_->AddObject(name, field);
    return field;
}

void TExpressionParser::ClearFieldCache() {
    fieldCache_->Clear();
}

bool TExpressionParser::Evaluate() {
    return filter_variants::Truth(EvaluateNode(Root()));
}

Variant TExpressionParser::EvaluateNode(const TExprNode& node) {
    switch (node.NodeClass) {
        case nodeUNARY:
            return EvaluateUnary(node);
        case nodeBINARY:
            return EvaluateBinary(node);
        case nodeCOMPARE:
            return EvaluateCompare(node);
        case nodeFIELD:
            return GetField(node.FieldName)->Value();
        case nodeCONST:
            return FilterConstant(node);
        case nodeFUNC:
            return CallFilterFunction(
                node.FunctionName, node.Args.empty() ? Variant() : EvaluateNode(node.Arg(0)), dateConverter_);
        case nodeLISTELEM:
            return EvaluateList(node);
        default:
            return Variant();
    }
}

Variant TExpressionParser::EvaluateUnary(const TExprNode& node) {
    const Variant operand = EvaluateNode(node.Arg(0));
    switch (node.Operator) {
        case coISBLANK:
            return Variant(IsBlank(operand));
        case coNOTBLANK:
            return Variant(!IsBlank(operand));
        case coNOT:
            return Variant(!filter_variants::Truth(operand));
        case coMINUS:
            return filter_variants::Negate(operand);
        case coUPPER:
            return IsBlank(operand) ? operand : Variant(AnsiUpperCase(operand.AsString()));
        case coLOWER:
            return IsBlank(operand) ? operand : Variant(AnsiLowerCase(operand.AsString()));
        default:
            return Variant();
    }
}

Variant TExpressionParser::EvaluateBinary(const TExprNode& node) {
    using namespace filter_variants;
    const TCANOperator op = node.Operator;
    const Variant left = EvaluateNode(node.Arg(0));
    // AND and OR leave the right side alone once the left decides.
    if (op == coAND)
        return Variant(Truth(left) && Truth(EvaluateNode(node.Arg(1))));
    if (op == coOR)
        return Variant(Truth(left) || Truth(EvaluateNode(node.Arg(1))));
    if (op == coASSIGN)
        return left;
    const Variant right = EvaluateNode(node.Arg(1));
    switch (op) {
        case coEQ:
            return Variant(Compare(left, right) == 0);
        case coNE:
            return Variant(Compare(left, right) != 0);
        case coGT:
            return Variant(Compare(left, right) > 0);
        case coLT:
            return Variant(Compare(left, right) < 0);
        case coGE:
            return Variant(Compare(left, right) >= 0);
        case coLE:
            return Variant(Compare(left, right) <= 0);
        case coADD:
        case coSUB:
        case coMUL:
        case coDIV:
        case coMOD:
        case coREM:
            return Arithmetic(op, left, right);
        case coIN:
            return Variant(In(left, right));
        case coLIKE:
            return Variant(Like(left, right));
        default:
            IncorrectFilterExpression();
    }
}

Variant TExpressionParser::EvaluateCompare(const TExprNode& node) {
    const TCANOperator op = node.Operator;
    const Variant left = EvaluateNode(node.Arg(0));
    const Variant right = EvaluateNode(node.Arg(1));
    if (left.IsNull() || right.IsNull()) {
        const bool equal = left.IsNull() && right.IsNull();
        return Variant(op == coNE ? !equal : equal);
    }
    std::string leftText = left.AsString(), rightText = right.AsString();
    if (node.CaseInsensitive) {
        leftText = AnsiUpperCase(leftText);
        rightText = AnsiUpperCase(rightText);
    }
    if (node.PartialLength > 0 && op != coLIKE) {
        leftText = CutText(leftText, node.PartialLength);
        rightText = CutText(rightText, node.PartialLength);
    }
    switch (op) {
        case coEQ:
            return Variant(leftText == rightText);
        case coNE:
            return Variant(leftText != rightText);
        case coLIKE:
            return Variant(Like(Variant(leftText), Variant(rightText)));
        default:
            IncorrectFilterExpression();
    }
}

Variant TExpressionParser::EvaluateList(const TExprNode& node) {
    Variant list = VarArrayCreate({0, ListHighIndex}, varVariant);
    int count = 0;
    const auto append = [&](const Variant& value) {
        list.PutElement({count++}, value);
        return false;
    };
    for (const auto& element : node.Args) {
        const Variant value = EvaluateNode(*element);
        if (value.IsArray())
            AnyListValue(value, append);
        else
            append(value);
    }
    if (count >= 2)
        return list;
    const Variant& first = list[0];
    return IsBlank(first) ? first : Variant(first.AsString());
}

bool TExpressionParser::In(const Variant& value, const Variant& list) const {
    if (!list.IsArray())
        return filter_variants::Equal(value, list);
    return AnyListValue(list, [&](const Variant& element) { return filter_variants::Equal(value, element); });
}

bool TExpressionParser::Like(const Variant& value, const Variant& pattern) const {
    if (!likeMatcher_)
        IncorrectFilterExpression();
    // An unknown value matches no pattern, as in the compare nodes.
    if (value.IsNull() || pattern.IsNull())
        return false;
    return likeMatcher_(value.AsString(), pattern.AsString());
}
