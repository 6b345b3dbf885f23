#pragma once
// TStrings: an indexed list of texts, each with an attached object pointer that the list does not
// own. TStringList keeps its items in a vector and can keep them sorted.
//
// Comparison: a case-sensitive list orders by AnsiCompareStr, a case-insensitive one (the default)
// by AnsiCompareText. "Name=Value" lines are read by IndexOfName / Values.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/exceptions.h"

class EStringListError : public Exception {
  public:
    using Exception::Exception;
};

class TStrings {
  public:
    virtual ~TStrings() = default;

    virtual int Count() const = 0;
    virtual const std::string& Get(int index) const = 0;
    virtual void Put(int index, std::string s) = 0;
    virtual void* GetObject(int index) const = 0;
    virtual void PutObject(int index, void* object) = 0;
    virtual void InsertObject(int index, std::string s, void* object) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual int IndexOf(std::string_view s) const;
    virtual int Add(std::string s) { return AddObject(std::move(s), nullptr); }
    virtual int AddObject(std::string s, void* object);
    virtual bool CaseSensitive() const { return false; }

    const std::string& operator[](int index) const { return Get(index); }
    void Insert(int index, std::string s) { InsertObject(index, std::move(s), nullptr); }
    void AddStrings(const TStrings& other);
    void Assign(const TStrings& other);
    // The same lines in the same order (objects are not compared).
    bool Equals(const TStrings& other) const;
    int IndexOfObject(const void* object) const;
    void Exchange(int a, int b);
    void Move(int from, int to);

    // Lines joined with CR LF (each line ends with one); assignment splits at CR LF, LF or CR.
    std::string Text() const;
    void SetText(std::string_view text);
    // Items joined with commas, an item holding a blank, comma, quote or control character in
    // double quotes (a quote doubled); assignment splits at commas or blanks, a double-quoted item
    // keeping them. A single empty item reads as "".
    std::string CommaText() const;
    void SetCommaText(std::string_view text);

    // "Name=Value" lines.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    int IndexOfName(std::string_view name) const;
    std::string Values(std::string_view name) const;
    void SetValue(std::string_view name, std::string_view value);  // an empty value deletes the line

    // Change notification around every modification; nested BeginUpdate calls defer it.
    std::function<void()> OnChanging;
    std::function<void()> OnChange;
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

  protected:
    int CompareStrings(std::string_view a, std::string_view b) const;
    void Changing();
    void Changed();
    void CheckIndex(int index, int limit) const;  // raises EStringListError "List index out of bounds (%d)"

  private:
    int updateCount_ = 0;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
  public:
    TStringList() = default;
    TStringList(const TStringList& other);
    TStringList& operator=(const TStringList& other);

    int Count() const override { return static_cast<int>(items_.size()); }
    const std::string& Get(int index) const override;
    void Put(int index, std::string s) override;  // raises EStringListError on a sorted list
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;
    void InsertObject(int index, std::string s, void* object) override;  // not on a sorted list
    void Delete(int index) override;
    void Clear() override;
    int IndexOf(std::string_view s) const override;
    int AddObject(std::string s, void* object) override;
    bool CaseSensitive() const override { return caseSensitive_; }

    void SetCaseSensitive(bool value);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates value) { duplicates_ = value; }

    // Binary search of a sorted list: true when found; index is the match (the first of equal
    // items) or the insertion point.
    bool Find(std::string_view s, int& index) const;
    void Sort();
    // Sorts by a comparison of two item indexes (<0, 0, >0).
    void CustomSort(const std::function<int(const TStringList&, int, int)>& compare);

  private:
    struct Item {
        std::string text;
        void* object = nullptr;
    };
    std::vector<Item> items_;
    bool caseSensitive_ = false;
    bool sorted_ = false;
    TDuplicates duplicates_ = TDuplicates::dupIgnore;
};
