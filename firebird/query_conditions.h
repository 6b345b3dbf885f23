#pragma once
// Named SQL conditions of a query, each switched on and off by itself, and applied together to the
// query's SQL text as one more part of its top-level WHERE. The list's lines read name=condition
// text; each line's object is its TCondition, which the list owns.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/component.h"
#include "platform/rtl/string_list.h"

class TFIBQuery;
class TFiler;
class TReader;
class TWriter;
class TConditions;

class TCondition : public TObject {
  public:
    ~TCondition() override;
    std::string ClassName() const override { return "TCondition"; }

    std::string GetName() const;
    std::string GetValue() const;
    void SetValue(const std::string& text);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

  private:
    friend class TConditions;
    explicit TCondition(TConditions& owner) : owner_(owner) {}
    int Index() const;

    TConditions& owner_;
    bool enabled_ = false;
    bool destroying_ = false;
    bool enabledInherited_ = false;
    bool valueInherited_ = false;
};

class TConditions : public TStringList {
  public:
    // Bits of ApplyState.
    static constexpr std::uint8_t Applying = 1;
    static constexpr std::uint8_t Cancelling = 4;

    explicit TConditions(TFIBQuery* query) : query_(query) {}
    ~TConditions() override;
    TConditions(const TConditions&) = delete;
    TConditions& operator=(const TConditions&) = delete;

    int Add(std::string s) override;
    void Put(int index, std::string s) override;
    // Only a line without an object can be added this way: conditions are made by the list.
    int AddObject(std::string s, void* object) override;
    void Delete(int index) override;
    void Clear() override;

    TCondition* AddCondition(const std::string& name, const std::string& text, bool enabled);
    TCondition* FindCondition(std::string_view name) const;
    void RemoveCondition(std::string_view name);
    TCondition* GetCondition(int index) const;

    void Apply();
    void CancelApply();
    bool Applied() const { return applied_; }
    void SetApplied(bool value) { applied_ = value; }
    const std::string& BaseSQLText() const { return baseSQLText_; }
    void SetBaseSQLText(std::string text) { baseSQLText_ = std::move(text); }
    std::uint8_t ApplyState() const { return applyState_; }
    TFIBQuery* Query() const { return query_; }

    // One line per condition: name#$#$text#$#$1 (or 0 when disabled).
    void SaveToStrings(TStrings& list) const;
    std::string GetAsText() const;
    void LoadFromStrings(const TStrings& list);
    void SetAsText(std::string_view text);

    // The stored form: "Strings" and "Enabled" of older forms are read, "Data" is read and
    // written. The ancestor is the same query's conditions in the form this one inherits from.
    void DefineProperties(TFiler& filer, const std::string& name, const TConditions* ancestor);
    void ReadData(TReader& reader);
    void WriteData(TWriter& writer, const TConditions* ancestor) const;
    bool StoresData(const TConditions* ancestor) const;

  private:
    friend class TCondition;
    TCondition* NewCondition();
    void FreeConditions();
    void ReadStrings(TReader& reader);
    void ReadEnabled(TReader& reader);

    TFIBQuery* query_;
    bool applied_ = false;
    std::string baseSQLText_;
    std::uint8_t applyState_ = 0;
};

// The enabled, non-blank conditions of the list, each bracketed, joined with "and".
std::string JoinEnabledConditions(const TConditions& conditions);
