#pragma once
// The platform's textual form format, parsed into a tree before anything is made from it, so a
// malformed text fails before the first component is touched:
//
//   object Form1: TForm1            (or "inherited Name: TClass" for one the ancestor made)
//     Left = 10                     integers, "$" hexadecimal, floats with "."
//     Caption = 'It''s'#13#10'x' +  strings: quoted runs with '' for a quote, #nn characters,
//       'more'                      split over lines with +
//     Align = alClient              identifiers (enumerations, True / False, nil, component names)
//     Options = [goA, goB]          sets
//     Items.Strings = ('a' 'b')     lists; a dotted name reaches a nested object's property
//     Columns = <                   collections
//       item
//         Width = 64
//       end>
//     Data = {0A0B0C}               binary data in hexadecimal
//     object Button1: TButton ... end
//   end
//
// Properties come before child objects. Keywords and True / False / nil ignore letter case.
// Errors raise EParserError "Line %d: %s".
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/stream.h"

// A malformed form text; it is a read error as well.
class EParserError : public EReadError {
  public:
    using EReadError::EReadError;
};

enum TValueType {
    vaNull,  // the end of a list
    vaList,
    vaInt,
    vaExtended,
    vaString,
    vaIdent,
    vaFalse,
    vaTrue,
    vaBinary,
    vaSet,
    vaNil,
    vaCollection,
};

struct TFormProperty;

struct TFormValue {
    TValueType Type = vaNull;
    int Line = 0;
    std::int64_t Integer = 0;
    double Float = 0;
    std::string Text;                                         // string, identifier, binary bytes
    std::vector<std::string> Elements;                        // set
    std::vector<TFormValue> Items;                            // list
    std::vector<std::vector<TFormProperty>> CollectionItems;  // collection: each item's properties
};

struct TFormProperty {
    std::string Name;  // dotted for a nested object's property
    int Line = 0;
    TFormValue Value;
};

struct TFormObject {
    bool Inherited = false;
    std::string Name;
    std::string ClassName;
    int Line = 0;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
};

TFormObject ParseForm(std::string_view text);
