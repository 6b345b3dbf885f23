#include "firebird/string_list_utils.h"

#include <algorithm>

#include "firebird/str_basics.h"
#include "platform/rtl/string_compare.h"
#include "platform/rtl/strings.h"

bool IsEmptyStrings(const TStrings& list) {
    for (int i = 0; i < list.Count(); ++i)
        if (!IsBlankStr(list[i]))
            return false;
    return true;
}

void DeleteEmptyStrings(TStrings& list) {
    list.BeginUpdate();
    for (int i = list.Count() - 1; i >= 0; --i)
        if (list[i].empty())
            list.Delete(i);
    list.EndUpdate();
}

int CompareListItems(const TStringList& list, int i, int j) {
    return list.CaseSensitive() ? CompareStr(list[i], list[j]) : CompareText(list[i], list[j]);
}

int CompareListStrings(std::string_view a, std::string_view b, bool ansi, const TStrings& list) {
    if (ansi)
        return list.CaseSensitive() ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
    return list.CaseSensitive() ? CompareStr(a, b) : CompareText(a, b);
}

bool FindInSortedStrings(const TStringList& list, std::string_view s, int lo, int& index, bool ansi, int hi) {
    lo = std::max(lo, 0);
    hi = std::min(hi, list.Count() - 1);
    bool found = false;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        const int c = CompareListStrings(list[mid], s, ansi, list);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (list.Duplicates() != TDuplicates::dupAccept) {
                    lo = mid;
                    break;
                }
            }
        }
    }
    index = lo;
    return found;
}

void StringsDifference(const TStrings& a, const TStringList& b, TStrings& result) {
    result.BeginUpdate();
    result.Clear();
    for (int i = 0; i < a.Count(); ++i) {
        int at;
        const bool inB = b.Sorted() ? b.Find(a[i], at) : b.IndexOf(a[i]) >= 0;
        if (!inB)
            result.AddObject(a[i], a.GetObject(i));
    }
    result.EndUpdate();
}
