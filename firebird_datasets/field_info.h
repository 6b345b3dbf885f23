#pragma once
// What the library knows of one column of a table or one output parameter of a procedure: its
// domain and default from the system tables, and the user's description of it kept in the
// FIB$FIELDS_INFO repository table.
#include <atomic>
#include <cstdint>
#include <string>

#include "platform/rtl/component.h"
#include "platform/rtl/string_list.h"

class TpFIBFieldInfo : public TObject {
  public:
    std::string ClassName() const override { return "TpFIBFieldInfo"; }

    // From the system tables.
    std::string DomainName;
    bool Computed = false;
    std::string DefaultValue;
    bool DefaultIsEmptyString = false;
    // The column or its domain is NOT NULL. A select describes every column as nullable, so
    // only the system tables tell.
    bool NotNull = false;
    // Blobs and arrays can't be compared in a WHERE clause.
    bool CanBeInWhere = true;

    // From the repository row of the column, when WithRepositoryInfo.
    bool WithRepositoryInfo = false;
    std::string DisplayLabel;
    std::string DisplayFormat;
    std::string EditFormat;
    int DisplayWidth = 0;
    bool Visible = true;
    bool Triggered = false;  // the column is filled by a trigger
    TStringList OtherInfo;   // name=value of the row's further columns

    // The domain's name says so: it holds BOOLEAN or GUID in any letter case. Tested once;
    // datasets on several threads may ask at the same time.
    bool BooleanCapable() { return DomainNameHolds(canBeBoolean_, "BOOLEAN"); }
    bool GuidCapable() { return DomainNameHolds(canBeGuid_, "GUID"); }

  private:
    enum : std::uint8_t { kNo, kYes, kNotTested };
    bool DomainNameHolds(std::atomic<std::uint8_t>& answer, const char* word) const;

    std::atomic<std::uint8_t> canBeBoolean_{kNotTested};
    std::atomic<std::uint8_t> canBeGuid_{kNotTested};
};
