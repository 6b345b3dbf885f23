#pragma once
// The tree a filter expression is parsed into: typed nodes, each with its class and operator, and
// the operands, field, literal or function name that its class carries.
#include <memory>
#include <string>
#include <vector>

#include "platform/db/field_type.h"
#include "platform/rtl/variant.h"

enum TNodeClass {
    nodeNULL,
    nodeUNARY,
    nodeBINARY,
    nodeCOMPARE,
    nodeFIELD,
    nodeCONST,
    nodeTUPLE,
    nodeCONTINUE,
    nodeUDF,
    nodeLIST,
    nodeFUNC,
    nodeLISTELEM
};

enum TCANOperator {
    coNOTDEFINED,
    coISBLANK,
    coNOTBLANK,
    coEQ,
    coNE,
    coGT,
    coLT,
    coGE,
    coLE,
    coNOT,
    coAND,
    coOR,
    coTUPLE2,
    coFIELD2,
    coCONST2,
    coMINUS,
    coADD,
    coSUB,
    coMUL,
    coDIV,
    coMOD,
    coREM,
    coSUM,
    coCOUNT,
    coMIN,
    coMAX,
    coAVG,
    coCONT,
    coUDF2,
    coCONTINUE2,
    coLIKE,
    coIN,
    coLIST2,
    coUPPER,
    coLOWER,
    coFUNC2,
    coLISTELEM2,
    coASSIGN
};

struct TExprNode {
    TExprNode() = default;
    // Takes the subtree apart without recursion, so a long chain of operators cannot exhaust the stack.
    ~TExprNode();
    TExprNode(const TExprNode&) = delete;
    TExprNode& operator=(const TExprNode&) = delete;

    TNodeClass NodeClass = nodeNULL;
    TCANOperator Operator = coNOTDEFINED;
    // Unary: one operand; binary and compare: left and right; function: none, one argument or a
    // list element node; list element: the elements in order.
    std::vector<std::unique_ptr<TExprNode>> Args;

    // Compare nodes: letter case ignored; compare only the first PartialLength characters (0: all).
    bool CaseInsensitive = false;
    int PartialLength = 0;

    // Field nodes: the name as written and the field's number (0 without a dataset).
    std::string FieldName;
    int FieldNo = 0;

    // Constant nodes: the literal and its type. Dates are days since 0001-01-01 counting from 1,
    // times milliseconds of the day (both integers), date-times milliseconds as a double.
    TFieldType DataType = ftUnknown;
    Variant Value;

    // Function nodes: the name as written.
    std::string FunctionName;

    const TExprNode& Arg(int index) const { return *Args.at(static_cast<std::size_t>(index)); }
};
