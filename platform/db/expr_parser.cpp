#include "platform/db/expr_parser.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/datetime_parse.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/numbers.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/timestamp.h"

namespace {

constexpr double MillisecondsPerDay = 86400000.0;

bool IsKeyword(const std::string& name) {
    for (const char* word : {"AND", "OR", "NOT", "LIKE", "IN", "IS", "NULL"})
        if (SameText(name, word))
            return true;
    return false;
}

bool IsTextual(const TExprNode& node) {
    if (node.NodeClass == nodeCONST)
        return node.DataType == ftString;
    if (node.NodeClass == nodeFIELD)
        return node.DataType == ftString || node.DataType == ftFixedChar || node.DataType == ftWideString ||
               node.DataType == ftMemo || node.DataType == ftUnknown;
    return node.NodeClass == nodeUNARY && (node.Operator == coUPPER || node.Operator == coLOWER);
}

// A constant or a field of a known type that is not text.
bool IsNonText(const TExprNode& node) {
    return (node.NodeClass == nodeCONST || node.NodeClass == nodeFIELD) && !IsTextual(node);
}

// Gives back the nesting depth that Enter took.
class DepthGuard {
  public:
    explicit DepthGuard(int& depth) : depth_(depth) {}
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

  private:
    int& depth_;
};

// The number of levels of the tree, walked with a stack of its own.
int TreeHeight(const TExprNode& root) {
    std::vector<std::pair<const TExprNode*, int>> pending{{&root, 1}};
    int height = 0;
    while (!pending.empty()) {
        const auto [node, level] = pending.back();
        pending.pop_back();
        height = std::max(height, level);
        for (const auto& arg : node->Args)
            if (arg)
                pending.emplace_back(arg.get(), level + 1);
    }
    return height;
}

}  // namespace

TExprNode::~TExprNode() {
    std::vector<std::unique_ptr<TExprNode>> pending = std::move(Args);
    while (!pending.empty()) {
        std::unique_ptr<TExprNode> node = std::move(pending.back());
        pending.pop_back();
        if (!node)
            continue;
        for (auto& arg : node->Args) pending.push_back(std::move(arg));
        node->Args.clear();
    }
}

std::unique_ptr<TExprNode> MakeExprNode(TNodeClass nodeClass, TCANOperator op) {
    auto node = std::make_unique<TExprNode>();
    node->NodeClass = nodeClass;
    node->Operator = op;
    return node;
}

TExprParser::TExprParser(TDataSet* dataSet, const std::string& text, TFilterOptions options,
                         TParserOptions parserOptions)
    : dataSet_(dataSet), text_(text), options_(options), parserOptions_(parserOptions), lexer_(text_) {
    root_ = ParseOr();
    if (lexer_.Token() != etEnd)
        DatabaseError("Filter expression incorrectly terminated");
    if (TreeHeight(*root_) > MaxHeight)
        DatabaseError("Filter expression nested too deeply");
}

void TExprParser::Enter() {
    if (++depth_ > MaxDepth)
        DatabaseError("Filter expression nested too deeply");
}

void TExprParser::Expect(const char* symbol, const char* message) {
    if (!lexer_.Is(symbol))
        DatabaseError(std::string(message) + lexer_.Describe() + " found");
    lexer_.Next();
}

TExprParser::Node TExprParser::ParseOr() {
    Node left = ParseAnd();
    while (lexer_.Is("OR")) {
        lexer_.Next();
        Node node = MakeExprNode(nodeBINARY, coOR);
        node->Args.push_back(std::move(left));
        node->Args.push_back(ParseAnd());
        left = std::move(node);
    }
    return left;
}

TExprParser::Node TExprParser::ParseAnd() {
    Node left = ParseNot();
    while (lexer_.Is("AND")) {
        lexer_.Next();
        Node node = MakeExprNode(nodeBINARY, coAND);
        node->Args.push_back(std::move(left));
        node->Args.push_back(ParseNot());
        left = std::move(node);
    }
    return left;
}

TExprParser::Node TExprParser::ParseNot() {
    Enter();
    DepthGuard guard(depth_);
    if (!lexer_.Is("NOT"))
        return ParseComparison();
    lexer_.Next();
    Node node = MakeExprNode(nodeUNARY, coNOT);
    node->Args.push_back(ParseNot());
    return node;
}

TExprParser::Node TExprParser::ParseComparison() {
    Node left = ParseSum();
    static constexpr std::pair<const char*, TCANOperator> symbols[] = {
        {"=", coEQ}, {"<>", coNE}, {"<", coLT}, {">", coGT}, {"<=", coLE}, {">=", coGE}};
    for (const auto& [symbol, op] : symbols) {
        if (!lexer_.Is(symbol))
            continue;
        lexer_.Next();
        return MakeComparison(op, std::move(left), ParseSum());
    }
    if (lexer_.Is("IS"))
        return ParseIsNull(std::move(left));
    const bool negated = lexer_.Is("NOT");
    if (negated)
        lexer_.Next();
    Node result;
    if (lexer_.Is("LIKE")) {
        lexer_.Next();
        result = MakeComparison(coLIKE, std::move(left), ParseSum());
    } else if (lexer_.Is("IN")) {
        lexer_.Next();
        result = MakeExprNode(nodeBINARY, coIN);
        Node list = ParseList();
        for (auto& element : list->Args)
            if (left->NodeClass == nodeFIELD && element->NodeClass == nodeCONST)
                TypeConstantByField(*left, *element);
        result->Args.push_back(std::move(left));
        result->Args.push_back(std::move(list));
    } else if (negated) {
        DatabaseError("LIKE or IN expected but " + lexer_.Describe() + " found");
    } else {
        return left;
    }
    if (!negated)
        return result;
    Node node = MakeExprNode(nodeUNARY, coNOT);
    node->Args.push_back(std::move(result));
    return node;
}

TExprParser::Node TExprParser::ParseIsNull(Node operand) {
    lexer_.Next();
    const bool negated = lexer_.Is("NOT");
    if (negated)
        lexer_.Next();
    if (!lexer_.Is("NULL"))
        DatabaseError("NULL expected but " + lexer_.Describe() + " found");
    lexer_.Next();
    Node node = MakeExprNode(nodeUNARY, negated ? coNOTBLANK : coISBLANK);
    node->Args.push_back(std::move(operand));
    return node;
}

TExprParser::Node TExprParser::MakeComparison(TCANOperator op, Node left, Node right) {
    // Comparing with NULL asks whether the other side is blank.
    const bool leftNull = left->NodeClass == nodeNULL;
    if (leftNull || right->NodeClass == nodeNULL) {
        if (op != coEQ && op != coNE)
            DatabaseError("NULL only allowed with '=' and '<>'");
        Node node = MakeExprNode(nodeUNARY, op == coEQ ? coISBLANK : coNOTBLANK);
        node->Args.push_back(leftNull ? std::move(right) : std::move(left));
        return node;
    }
    if (left->NodeClass == nodeFIELD && right->NodeClass == nodeCONST)
        TypeConstantByField(*left, *right);
    if (right->NodeClass == nodeFIELD && left->NodeClass == nodeCONST)
        TypeConstantByField(*right, *left);

    int partial = 0;
    const bool equality = op == coEQ || op == coNE;
    if (equality && !options_.Contains(foNoPartialCompare) && right->NodeClass == nodeCONST &&
        right->DataType == ftString) {
        const std::string pattern = right->Value.AsString();
        if (pattern.size() > 1 && pattern.back() == '*') {
            right->Value = Variant(pattern.substr(0, pattern.size() - 1));
            partial = static_cast<int>(pattern.size() - 1);
        }
    }
    const bool textual = (IsTextual(*left) || IsTextual(*right)) && !IsNonText(*left) && !IsNonText(*right);
    const bool ignoreCase = options_.Contains(foCaseInsensitive) && textual && (equality || op == coLIKE);
    Node node = MakeExprNode(partial > 0 || ignoreCase ? nodeCOMPARE : nodeBINARY, op);
    node->CaseInsensitive = ignoreCase;
    node->PartialLength = partial;
    node->Args.push_back(std::move(left));
    node->Args.push_back(std::move(right));
    return node;
}

void TExprParser::TypeConstantByField(const TExprNode& field, TExprNode& constant) const {
    if (constant.DataType != ftString)
        return;
    const TFieldType type = field.DataType;
    if (type != ftDate && type != ftTime && type != ftDateTime)
        return;
    const std::string text = constant.Value.AsString();
    TDateTime value = 0;
    const bool ok = type == ftDate   ? TryStrToDate(text, value)
                    : type == ftTime ? TryStrToTime(text, value)
                                     : TryStrToDateTime(text, value);
    if (!ok || !std::isfinite(value) || std::fabs(value) > 3.0e6)
        DatabaseError("'" + text + "' is not a valid date and time for field '" + field.FieldName + "'");
    const TTimeStamp stamp = DateTimeToTimeStamp(value);
    constant.DataType = type;
    if (type == ftDate)
        constant.Value = Variant(stamp.Date);
    else if (type == ftTime)
        constant.Value = Variant(stamp.Time);
    else
        constant.Value = Variant(stamp.Date * MillisecondsPerDay + stamp.Time);
}

TExprParser::Node TExprParser::ParseSum() {
    Node left = ParseTerm();
    while (lexer_.Is("+") || lexer_.Is("-")) {
        Node node = MakeExprNode(nodeBINARY, lexer_.Is("+") ? coADD : coSUB);
        lexer_.Next();
        node->Args.push_back(std::move(left));
        node->Args.push_back(ParseTerm());
        left = std::move(node);
    }
    return left;
}

TExprParser::Node TExprParser::ParseTerm() {
    Node left = ParseFactor();
    while (lexer_.Is("*") || lexer_.Is("/")) {
        Node node = MakeExprNode(nodeBINARY, lexer_.Is("*") ? coMUL : coDIV);
        lexer_.Next();
        node->Args.push_back(std::move(left));
        node->Args.push_back(ParseFactor());
        left = std::move(node);
    }
    return left;
}

TExprParser::Node TExprParser::ParseFactor() {
    Enter();
    DepthGuard guard(depth_);
    if (!lexer_.Is("-"))
        return ParsePrimary();
    lexer_.Next();
    Node node = MakeExprNode(nodeUNARY, coMINUS);
    node->Args.push_back(ParseFactor());
    return node;
}

TExprParser::Node TExprParser::ParsePrimary() {
    if (lexer_.Is("(")) {
        lexer_.Next();
        Node inner = ParseOr();
        Expect(")", "')' expected but ");
        return inner;
    }
    const std::string text = lexer_.Text();
    switch (lexer_.Token()) {
        case etString: {
            lexer_.Next();
            Node node = MakeExprNode(nodeCONST, coCONST2);
            node->DataType = ftString;
            node->Value = Variant(text);
            return node;
        }
        case etNumber:
            lexer_.Next();
            return MakeNumber(text);
        case etQuotedName:
            lexer_.Next();
            return MakeField(text);
        case etName:
            break;
        default:
            DatabaseError("Expression expected but " + lexer_.Describe() + " found");
    }
    if (SameText(text, "NULL")) {
        lexer_.Next();
        return MakeExprNode(nodeNULL, coNOTDEFINED);
    }
    if (SameText(text, "TRUE") || SameText(text, "FALSE")) {
        lexer_.Next();
        Node node = MakeExprNode(nodeCONST, coCONST2);
        node->DataType = ftBoolean;
        node->Value = Variant(SameText(text, "TRUE"));
        return node;
    }
    if (IsKeyword(text))
        DatabaseError("Expression expected but " + lexer_.Describe() + " found");
    const bool call = lexer_.Peek() == '(';
    lexer_.Next();
    return call ? ParseFunction(text) : MakeField(text);
}

TExprParser::Node TExprParser::MakeNumber(const std::string& text) {
    Node node = MakeExprNode(nodeCONST, coCONST2);
    std::int32_t integer = 0;
    if (text.find_first_of(".eE") == std::string::npos && TryStrToInt(text, integer)) {
        node->DataType = ftInteger;
        node->Value = Variant(integer);
        return node;
    }
    double value = 0;
    if (!TryStrToFloat(text, value, TNumberFormat{}) || !std::isfinite(value))
        DatabaseError("Constant out of range");
    node->DataType = ftFloat;
    node->Value = Variant(value);
    return node;
}

TExprParser::Node TExprParser::MakeField(const std::string& name) {
    Node node = MakeExprNode(nodeFIELD, coFIELD2);
    node->FieldName = name;
    if (dataSet_ != nullptr) {
        const TField* field = dataSet_->FieldByName(name);
        if (field->FieldKind == fkCalculated || field->FieldKind == fkLookup)
            DatabaseError("Field '" + name + "' cannot be used in a filter expression");
        node->FieldNo = field->FieldNo();
        node->DataType = field->DataType();
    }
    if (std::none_of(fieldNames_.begin(), fieldNames_.end(),
                     [&](const auto& n) { return SameText(n, name); }))
        fieldNames_.push_back(name);
    return node;
}

TExprParser::Node TExprParser::ParseFunction(const std::string& name) {
    Expect("(", "'(' expected but ");
    std::vector<Node> args;
    if (!lexer_.Is(")")) {
        args.push_back(ParseOr());
        while (lexer_.Is(",")) {
            lexer_.Next();
            args.push_back(ParseOr());
        }
    }
    Expect(")", "')' or ',' expected but ");
    const bool upper = SameText(name, "UPPER");
    if ((upper || SameText(name, "LOWER")) && args.size() == 1) {
        Node node = MakeExprNode(nodeUNARY, upper ? coUPPER : coLOWER);
        node->Args.push_back(std::move(args.front()));
        return node;
    }
    Node node = MakeExprNode(nodeFUNC, coFUNC2);
    node->FunctionName = name;
    if (args.size() == 1) {
        node->Args.push_back(std::move(args.front()));
    } else if (args.size() > 1) {
        Node list = MakeExprNode(nodeLISTELEM, coLISTELEM2);
        list->Args = std::move(args);
        node->Args.push_back(std::move(list));
    }
    return node;
}

TExprParser::Node TExprParser::ParseList() {
    Expect("(", "'(' expected but ");
    Node list = MakeExprNode(nodeLISTELEM, coLISTELEM2);
    list->Args.push_back(ParseSum());
    while (lexer_.Is(",")) {
        lexer_.Next();
        list->Args.push_back(ParseSum());
    }
    Expect(")", "')' or ',' expected but ");
    return list;
}
