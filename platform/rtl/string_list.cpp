#include "platform/rtl/string_list.h"

#include <algorithm>

#include "platform/rtl/format.h"
#include "platform/rtl/string_compare.h"
#include "platform/rtl/update_scope.h"

// ---- TStrings ----

int TStrings::IndexOf(std::string_view s) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), s) == 0)
            return i;
    return -1;
}

int TStrings::AddObject(std::string s, void* object) {
    const int index = Count();
    InsertObject(index, std::move(s), object);
    return index;
}

bool TStrings::Equals(const TStrings& other) const {
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other.Get(i))
            return false;
    return true;
}

void TStrings::AddStrings(const TStrings& other) {
    BeginUpdate();
    for (int i = 0; i < other.Count(); ++i) AddObject(other.Get(i), other.GetObject(i));
    EndUpdate();
}

void TStrings::Assign(const TStrings& other) {
    if (&other == this)
        return;
    BeginUpdate();
    Clear();
    AddStrings(other);
    EndUpdate();
}

int TStrings::IndexOfObject(const void* object) const {
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

void TStrings::Exchange(int a, int b) {
    CheckIndex(a, Count());
    CheckIndex(b, Count());
    BeginUpdate();
    std::string textA = Get(a);
    void* objectA = GetObject(a);
    Put(a, Get(b));
    PutObject(a, GetObject(b));
    Put(b, std::move(textA));
    PutObject(b, objectA);
    EndUpdate();
}

void TStrings::Move(int from, int to) {
    if (from == to)
        return;
    CheckIndex(from, Count());
    CheckIndex(to, Count());
    BeginUpdate();
    std::string text = Get(from);
    void* object = GetObject(from);
    Delete(from);
    InsertObject(to, std::move(text), object);
    EndUpdate();
}

std::string TStrings::Text() const {
    std::string out;
    for (int i = 0; i < Count(); ++i) out.append(Get(i)).append("\r\n");
    return out;
}

void TStrings::SetText(std::string_view text) {
    BeginUpdate();
    Clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        Add(std::string(text.substr(start, end - start)));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    EndUpdate();
}

namespace {

bool IsBlank(char c) {
    return c != '\0' && static_cast<unsigned char>(c) <= ' ';
}

bool NeedsQuotes(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',')
            return true;
    return false;
}

std::string Quoted(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + '"';
}

// The quoted item at text[pos] (pos on its opening quote): up to the closing quote, a doubled
// quote standing for one; an unclosed item runs to the end. pos ends past the closing quote.
std::string TakeQuoted(std::string_view text, std::size_t& pos) {
    std::string item;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == '"') {
            if (pos + 1 < text.size() && text[pos + 1] == '"') {
                item += '"';
                pos += 2;
                continue;
            }
            ++pos;
            return item;
        }
        item += text[pos++];
    }
    return item;
}

}  // namespace

std::string TStrings::CommaText() const {
    if (Count() == 1 && Get(0).empty())
        return "\"\"";
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        if (i > 0)
            out += ',';
        out += NeedsQuotes(Get(i)) ? Quoted(Get(i)) : Get(i);
    }
    return out;
}

void TStrings::SetCommaText(std::string_view text) {
    // A NUL ends the text, as it does the platform's.
    text = text.substr(0, text.find('\0'));
    const auto update = UpdateScope(*this);
    Clear();
    std::size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && IsBlank(text[pos])) ++pos;
    };
    skipBlanks();
    while (pos < text.size()) {
        if (text[pos] == '"') {
            Add(TakeQuoted(text, pos));
        } else {
            const std::size_t start = pos;
            while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != ',') ++pos;
            Add(std::string(text.substr(start, pos - start)));
        }
        skipBlanks();
        if (pos < text.size() && text[pos] == ',') {
            if (pos + 1 == text.size())
                Add("");
            ++pos;
            skipBlanks();
        }
    }
}

std::string TStrings::Names(int index) const {
    const std::string& s = Get(index);
    const std::size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStrings::ValueFromIndex(int index) const {
    const std::string& s = Get(index);
    const std::size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

int TStrings::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& s = Get(i);
        const std::size_t eq = s.find('=');
        if (eq != std::string::npos && CompareStrings(std::string_view(s).substr(0, eq), name) == 0)
            return i;
    }
    return -1;
}

std::string TStrings::Values(std::string_view name) const {
    const int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValue(std::string_view name, std::string_view value) {
    const int i = IndexOfName(name);
    std::string line = std::string(name) + "=" + std::string(value);
    if (value.empty()) {
        if (i >= 0)
            Delete(i);
    } else if (i < 0) {
        Add(std::move(line));
    } else {
        Put(i, std::move(line));
    }
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0)
        Changed();
}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const {
    return CaseSensitive() ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

void TStrings::Changing() {
    if (updateCount_ == 0 && OnChanging)
        OnChanging();
}

void TStrings::Changed() {
    if (updateCount_ == 0 && OnChange)
        OnChange();
}

void TStrings::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit)
        throw EStringListError(Format("List index out of bounds (%d)", {index}));
}

// ---- TStringList ----

TStringList::TStringList(const TStringList& other)
    : TStrings(),
      items_(other.items_),
      caseSensitive_(other.caseSensitive_),
      sorted_(other.sorted_),
      duplicates_(other.duplicates_) {}

TStringList& TStringList::operator=(const TStringList& other) {
    if (this != &other) {
        Changing();
        items_ = other.items_;
        caseSensitive_ = other.caseSensitive_;
        sorted_ = other.sorted_;
        duplicates_ = other.duplicates_;
        Changed();
    }
    return *this;
}

const std::string& TStringList::Get(int index) const {
    CheckIndex(index, Count());
    return items_[static_cast<std::size_t>(index)].text;
}

void TStringList::Put(int index, std::string s) {
    if (sorted_)
        throw EStringListError("Operation not allowed on sorted list");
    CheckIndex(index, Count());
    Changing();
    items_[static_cast<std::size_t>(index)].text = std::move(s);
    Changed();
}

void* TStringList::GetObject(int index) const {
    CheckIndex(index, Count());
    return items_[static_cast<std::size_t>(index)].object;
}

void TStringList::PutObject(int index, void* object) {
    CheckIndex(index, Count());
    Changing();
    items_[static_cast<std::size_t>(index)].object = object;
    Changed();
}

void TStringList::InsertObject(int index, std::string s, void* object) {
    if (sorted_)
        throw EStringListError("Operation not allowed on sorted list");
    CheckIndex(index, Count() + 1);
    Changing();
    items_.insert(items_.begin() + index, Item{std::move(s), object});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty())
        return;
    Changing();
    items_.clear();
    Changed();
}

int TStringList::IndexOf(std::string_view s) const {
    if (!sorted_)
        return TStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

int TStringList::AddObject(std::string s, void* object) {
    if (!sorted_)
        return TStrings::AddObject(std::move(s), object);
    int index;
    if (Find(s, index)) {
        if (duplicates_ == TDuplicates::dupIgnore)
            return index;
        if (duplicates_ == TDuplicates::dupError)
            throw EStringListError("String list does not allow duplicates");
        // Behind the equal items, so that items added later stay later.
        while (index < Count() && CompareStrings(items_[static_cast<std::size_t>(index)].text, s) == 0)
            ++index;
    }
    Changing();
    items_.insert(items_.begin() + index, Item{std::move(s), object});
    Changed();
    return index;
}

void TStringList::SetCaseSensitive(bool value) {
    if (value == caseSensitive_)
        return;
    caseSensitive_ = value;
    if (sorted_)
        Sort();
}

void TStringList::SetSorted(bool value) {
    if (value == sorted_)
        return;
    if (value)
        Sort();
    sorted_ = value;
}

bool TStringList::Find(std::string_view s, int& index) const {
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        const int c = CompareStrings(items_[static_cast<std::size_t>(mid)].text, s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0)
                found = true;
        }
    }
    index = lo;
    return found;
}

void TStringList::Sort() {
    CustomSort([](const TStringList& list, int a, int b) {
        return list.CompareStrings(list.items_[static_cast<std::size_t>(a)].text,
                                   list.items_[static_cast<std::size_t>(b)].text);
    });
}

void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& compare) {
    if (items_.size() < 2)
        return;
    Changing();
    // Sort a permutation so that the callback sees the items by their current indexes.
    std::vector<int> order(items_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<Item> sortedItems;
    sortedItems.reserve(items_.size());
    for (int i : order) sortedItems.push_back(std::move(items_[static_cast<std::size_t>(i)]));
    items_ = std::move(sortedItems);
    Changed();
}
