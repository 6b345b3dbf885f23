#pragma once
// What typing, Delete, Backspace and paste share in the grid editor's lookup and list cells: a text
// matched in the cell's list, and the matched text put into the editor with its completed part
// selected.
#include <string>

#include "platform/rtl/variant.h"

class TColumnEh;
class TDataSet;
class TDBGridInplaceEdit;

// A text matched in a cell's list.
struct TTypedTextMatchEh {
    bool Found = false;
    // The list's text when found, else the text looked for.
    std::string Text;
    // Lookup cells: the key values of the record found; Null when none was.
    Variant Key = Variant::Null();
    // List cells: the pick-list item found; -1 when none was.
    int ItemIndex = -1;
};

// The list dataset of a lookup cell, when it is open; nullptr otherwise.
TDataSet* OpenLookupListDataSet(TColumnEh& Column);
// Text looked for in the list dataset's LookupResultField without regard to letter case; Partial
// takes a record whose text starts with it.
TTypedTextMatchEh MatchLookupText(TColumnEh& Column, TDataSet& List, const std::string& Text, bool Partial);
// The first PickList item that starts with Text, without regard to letter case.
TTypedTextMatchEh MatchPickListText(TColumnEh& Column, const std::string& Text);
// The text before the editor's selection.
std::string TextBeforeSelection(const TDBGridInplaceEdit& Editor);
// The grid's link goes into edit; only when it edits is it marked modified and the match's text
// shown with what follows its first TypedLength characters selected, the grid's edit text and
// edited key (EditKeyValue, the grid's own) following and the lists following the match. False
// when the link does not edit.
bool PutTypedText(TDBGridInplaceEdit& Editor, const TTypedTextMatchEh& Match, int TypedLength,
                  Variant& EditKeyValue);
// The open list follows the grid's edited key (lookup grid) or edit text (pick list).
void OpenListFollowsEditText(TDBGridInplaceEdit& Editor);
