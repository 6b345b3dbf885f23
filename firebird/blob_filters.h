#pragma once
// Per-database table of blob filters: for a user-defined (negative) blob subtype, a routine that
// transforms the data read from the server and one that transforms the data written to it.
#include <functional>
#include <string>
#include <vector>

// Transforms the data in place; it may change its size.
using TBlobFilterProc = std::function<void(std::string& data)>;

class TIBBlobFilters {
  public:
    // Registers the routines of a subtype, replacing earlier ones; either may be empty.
    void Add(int subtype, TBlobFilterProc readProc, TBlobFilterProc writeProc);
    void Sort();
    // True with the entry's index; else false with the index where it would go.
    bool Find(int subtype, int& index);
    const TBlobFilterProc* GetFilterProc(int subtype, bool writing);
    // Only negative subtypes are filtered, and only data that is not empty.
    void DoFilter(std::string& data, bool writing, int subtype);
    bool HasFilter(int subtype) { return GetFilterProc(subtype, false) || GetFilterProc(subtype, true); }

  private:
    struct Entry {
        int Subtype;
        TBlobFilterProc ReadProc;
        TBlobFilterProc WriteProc;
    };
    std::vector<Entry> entries_;
    bool sorted_ = true;
};
