// Tab-separated text into the grid's columns: cells apart by TAB, rows ended by CR LF or LF, a
// cell in double quotes read back whole, lookup texts matched to their keys and key-list texts
// to their entries.
#include "data_grid/column.h"
#include "data_grid/column_value_field.h"
#include "data_grid/grid_import.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/stream.h"
#include "platform/rtl/string_list.h"

namespace {

enum TTextState { tsText = 0, tsTab = 1, tsLineEnd = 2, tsEnd = 3 };

[[noreturn]] void TextFormatError() {
    throw Exception("TDBGridEhImportAsText.CheckState: Неверный формат текста");
}

[[noreturn]] void NotInListError(const std::string& Text) {
    throw Exception("Значение \"" + Text + "\" не найдено в списке");
}

// The lookup record whose result field holds the text, compared whole and case-insensitively;
// the target's key fields take its key values, an empty text clears them.
void WriteLookupText(TField& LookupField, const std::string& Text) {
    TDataSet& dataSet = *LookupField.DataSet();
    if (Text.empty())
        return dataSet.SetFieldValues(LookupField.KeyFields, Variant::Null());
    TDataSet* lookup = LookupField.LookupDataSet();
    if (lookup == nullptr ||
        !lookup->Locate(LookupField.LookupResultField, Variant(Text), TLocateOptions{loCaseInsensitive}))
        NotInListError(Text);
    dataSet.SetFieldValues(LookupField.KeyFields, lookup->FieldValues(LookupField.LookupKeyFields));
}

void WriteKeyListText(TColumnEh& Column, TField& Target, const std::string& Text) {
    if (Text.empty())
        return Target.Clear();
    const int index = Column.PickList()->IndexOf(Text);
    if (index < 0 || index >= Column.KeyList()->Count())
        NotInListError(Text);
    Target.SetText(Column.KeyList()->Get(index));
}

}  // namespace

void TDBGridEhImportAsText::ImportStream(TStream& AStream, bool ImportAll) {
    IgnoreAllErrors = false;
    terminated_ = false;
    PreviousState = tsText;
    PreviousChar = 0;
    TDBGridEhImport::ImportStream(AStream, ImportAll);
}

// A zero byte ends the source as its end does: clipboard text carries one.
bool TDBGridEhImportAsText::NextChar(char& Char) {
    if (terminated_)
        return false;
    if (Stream->Read(&Char, 1) != 1 || Char == '\0') {
        terminated_ = true;
        return false;
    }
    return true;
}

void TDBGridEhImportAsText::CheckState() {
    char c = 0;
    if (!NextChar(c)) {
        EndOfSource = true;
        PreviousState = tsEnd;
    } else if (c == '\t') {
        PreviousState = tsTab;
    } else if (c == '\n') {
        PreviousState = tsLineEnd;
    } else if (c == '\r') {
        if (!NextChar(c) || c != '\n')
            TextFormatError();
        PreviousState = tsLineEnd;
    } else {
        PreviousState = tsText;
        PreviousChar = c;
    }
}

void TDBGridEhImportAsText::ReadPrefix() {
    CheckState();
}

void TDBGridEhImportAsText::ReadCellText() {
    if (PreviousChar == '"' && ReadQuotedCellText())
        return;
    LastText.assign(1, PreviousChar);
    for (CheckState(); PreviousState == tsText; CheckState()) LastText += PreviousChar;
    if (PreviousState == tsTab)
        CheckState();
}

// A cell that opens with a double quote is quoted when a closing quote comes before the cell's
// end; otherwise it is read again from the quote as plain text.
bool TDBGridEhImportAsText::ReadQuotedCellText() {
    const std::int64_t start = Stream->Position();
    std::string text;
    char c = 0;
    while (NextChar(c)) {
        if (c != '"') {
            text += c;
            continue;
        }
        const std::int64_t afterQuote = Stream->Position();
        if (NextChar(c) && c == '"') {
            text += '"';
            continue;
        }
        terminated_ = false;
        Stream->SetPosition(afterQuote);
        CheckState();
        if (PreviousState == tsText)
            break;
        LastText = std::move(text);
        if (PreviousState == tsTab)
            CheckState();
        return true;
    }
    terminated_ = false;
    EndOfSource = false;
    Stream->SetPosition(start);
    PreviousChar = '"';
    return false;
}

void TDBGridEhImportAsText::GiveCell(TColumnsEhList& Columns, int& Index) {
    if (Index < Columns.Count())
        ReadCell(Columns.ColumnAt(Index));
    ++Index;
}

void TDBGridEhImportAsText::ReadRow(TColumnsEhList& Columns) {
    if (PreviousState == tsEnd)
        return;
    int index = 0;
    if (PreviousState == tsText) {
        ReadCellText();
        GiveCell(Columns, index);
    }
    while (PreviousState == tsText || PreviousState == tsTab) {
        if (PreviousState == tsTab) {
            LastText.clear();
            CheckState();
        } else {
            ReadCellText();
        }
        GiveCell(Columns, index);
    }
    CheckState();
}

void TDBGridEhImportAsText::ReadCell(TColumnEh* Column) {
    if (!Column->IsEditable(false))
        return;
    TField* target = ColumnValueField(*Column);
    if (target == nullptr)
        return;
    GuardedWrite([&] {
        if (BeginTargetEdit(*target))
            WriteText(*Column, *target);
    });
}

void TDBGridEhImportAsText::WriteText(TColumnEh& Column, TField& Target) {
    TField* field = Column.ResolveField();
    if (field != nullptr && field->Lookup())
        return WriteLookupText(*field, LastText);
    if (Column.CellKind() == ckKeyPickListEh && Column.HasKeyList() && Column.HasPickList())
        return WriteKeyListText(Column, Target, LastText);
    Target.SetText(LastText);
}
