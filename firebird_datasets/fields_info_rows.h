#pragma once
// The FIB$FIELDS_INFO rows of one table: the user's labels, formats, widths and visibility of its
// fields, and what a field info takes from its row.
#include <map>
#include <string>
#include <utility>
#include <vector>

class TFIBTransaction;
class TpFIBFieldInfo;

// One row: the columns other than TABLE_NAME, FIELD_NAME and FIB$VERSION, by name, as text.
using TFieldsInfoRow = std::vector<std::pair<std::string, std::string>>;

class TFieldsInfoRows {
  public:
    // Reads the table's rows in the transaction; the server's error when that fails.
    void Read(TFIBTransaction& transaction, const std::string& table);
    // The row of the field (its name trimmed at the right); nullptr when it has none.
    const TFieldsInfoRow* Find(const std::string& fieldName) const;
    // The fields with a row, in name order.
    std::vector<std::string> FieldNames() const;

  private:
    std::map<std::string, TFieldsInfoRow> rows_;
};

// Fills the field info from its row and marks it as having repository info.
void ApplyFieldsInfoRow(const TFieldsInfoRow& row, TpFIBFieldInfo& info);
