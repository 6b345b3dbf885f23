// A grid column's filter text, read for every column kind, written as the dataset's local filter
// and read back by the dataset's own parser: the local filter must always parse, test only the
// column's field and hold each typed value as one literal of the same value (a text ending in "*"
// after "=" or "<>" keeps the local filter's meaning of a leading-part match).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "data_grid/column_filter.h"
#include "platform/db/expr_parser.h"

namespace {

void Expect(bool holds) {
    if (!holds)
        std::abort();
}

void AddValues(const Variant& operand, std::vector<Variant>& out) {
    if (!operand.IsArray()) {
        out.push_back(operand);
        return;
    }
    for (int i = operand.LowBound(1); i <= operand.HighBound(1); ++i) out.push_back(operand[i]);
}

void AddOperand(TFilterOperatorKindEh op, const Variant& operand, std::vector<Variant>& out) {
    if (op != fokNoneEh && op != fokNullEh && op != fokNotNullEh)
        AddValues(operand, out);
}

// The literals in order; a negative number is read as a minus over its magnitude.
void ReadLiterals(const TExprNode& node, std::vector<Variant>& out) {
    if (node.NodeClass == nodeFIELD)
        Expect(node.FieldName == "F");
    if (node.NodeClass == nodeCONST) {
        out.push_back(node.Value);
        return;
    }
    // The local filter's own rule: an equality with a text ending in "*" compares the text before it.
    if (node.NodeClass == nodeCOMPARE && node.PartialLength > 0 && node.Args.size() == 2) {
        ReadLiterals(*node.Args[0], out);
        out.push_back(Variant(node.Args[1]->Value.AsString() + "*"));
        return;
    }
    if (node.NodeClass == nodeUNARY && node.Operator == coMINUS && node.Args.size() == 1 &&
        node.Args[0]->NodeClass == nodeCONST) {
        out.push_back(Variant(-node.Args[0]->Value.AsDouble()));
        return;
    }
    for (const auto& arg : node.Args) ReadLiterals(*arg, out);
}

bool SameValue(const Variant& typed, const Variant& read) {
    if (VarType(typed) == varDouble)
        return VarIsNumeric(read) && read.AsDouble() == typed.AsDouble();
    if (VarType(typed) == varDate)
        return VarIsStr(read);
    return VarIsStr(read) && read.AsString() == VarToStr(typed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    TSTFilterExpressionEh e;
    e.DataKind = static_cast<TFilterDataKindEh>(in.ConsumeIntegralInRange<int>(fdkOtherEh, fdkBooleanEh));
    TFilterTextSettingsEh settings = SystemFilterTextSettings();
    settings.Number = in.ConsumeBool() ? TNumberFormat{',', ' '} : TNumberFormat{'.', ','};
    const std::string text = in.ConsumeRemainingBytesAsString();
    std::string local;
    try {
        ParseFilterExpression(text, e, settings);
        local = LocalFilterCondition("F", e);
    } catch (const Exception&) {
        return 0;
    }
    if (local.empty())
        return 0;
    std::vector<Variant> typed;
    AddOperand(e.FirstOperator, e.FirstOperand, typed);
    if (e.Joiner != fokNoneEh)
        AddOperand(e.SecondOperator, e.SecondOperand, typed);
    TExprParser parser(nullptr, local);  // raises, and so fails the run, for a text it cannot read
    std::vector<Variant> read;
    ReadLiterals(parser.Root(), read);
    Expect(read.size() == typed.size());
    for (std::size_t i = 0; i < read.size(); ++i) Expect(SameValue(typed[i], read[i]));
    return 0;
}
