#include "firebird/query_conditions.h"

#include "firebird/fib_query.h"
#include "platform/rtl/scope_exit.h"
#include "platform/rtl/strings.h"

namespace {

bool IsBlank(std::string_view text) {
    return Trim(text).empty();
}

}  // namespace

// TCondition

TCondition::~TCondition() {
    if (destroying_)
        return;
    destroying_ = true;
    const int index = Index();
    if (index >= 0)
        owner_.Delete(index);
}

int TCondition::Index() const {
    return owner_.IndexOfObject(this);
}

std::string TCondition::GetName() const {
    const int index = Index();
    return index < 0 ? std::string() : owner_.Names(index);
}

std::string TCondition::GetValue() const {
    const int index = Index();
    if (index < 0)
        return {};
    const std::string& line = owner_.Get(index);
    const std::size_t equals = line.find('=');
    return equals == std::string::npos ? std::string() : line.substr(equals + 1);
}

void TCondition::SetValue(const std::string& text) {
    const int index = Index();
    if (index >= 0) {
        std::string line = owner_.Names(index) + "=" + text;
        if (owner_.Get(index) != line)
            owner_.Put(index, std::move(line));
    }
    valueInherited_ = false;
}

void TCondition::SetEnabled(bool value) {
    if (enabled_ == value)
        return;
    owner_.applied_ = false;
    enabled_ = value;
    enabledInherited_ = false;
}

// TConditions

TConditions::~TConditions() {
    FreeConditions();
}

TCondition* TConditions::NewCondition() {
    return new TCondition(*this);
}

void TConditions::FreeConditions() {
    for (int i = Count() - 1; i >= 0; --i) delete GetCondition(i);
}

int TConditions::Add(std::string s) {
    const int index = TStringList::AddObject(std::move(s), nullptr);
    TStringList::PutObject(index, NewCondition());
    return index;
}

void TConditions::Put(int index, std::string s) {
    if (index == Count())
        Add(std::move(s));
    else
        TStringList::Put(index, std::move(s));
}

int TConditions::AddObject(std::string s, void* object) {
    if (object != nullptr)
        return -1;
    return TStringList::AddObject(std::move(s), nullptr);
}

void TConditions::Delete(int index) {
    TCondition* condition = GetCondition(index);
    if (condition == nullptr || condition->destroying_)
        TStringList::Delete(index);
    else
        delete condition;  // its destructor deletes the line
}

void TConditions::Clear() {
    FreeConditions();
    TStringList::Clear();
}

TCondition* TConditions::AddCondition(const std::string& name, const std::string& text, bool enabled) {
    TCondition* condition = FindCondition(name);
    if (condition == nullptr)
        condition = GetCondition(Add(name + "=" + text));
    else
        condition->SetValue(text);
    condition->enabled_ = enabled;
    if (enabled)
        applied_ = false;
    return condition;
}

TCondition* TConditions::FindCondition(std::string_view name) const {
    const int index = IndexOfName(name);
    return index < 0 ? nullptr : GetCondition(index);
}

void TConditions::RemoveCondition(std::string_view name) {
    const int index = IndexOfName(name);
    if (index >= 0)
        Delete(index);
    applied_ = false;
}

TCondition* TConditions::GetCondition(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return static_cast<TCondition*>(GetObject(index));
}

std::string JoinEnabledConditions(const TConditions& conditions) {
    static constexpr std::string_view separator = "\r\n and ";
    std::string joined;
    for (int i = 0; i < conditions.Count(); ++i) {
        const TCondition* condition = conditions.GetCondition(i);
        // A blank condition would leave "()" in the statement.
        if (condition == nullptr || !condition->Enabled() || IsBlank(condition->GetValue()))
            continue;
        joined += "(" + condition->GetValue() + ")\r\n";
        joined += separator;
    }
    if (!IsBlank(joined))
        joined.resize(joined.size() - separator.size());
    return joined;
}

void TConditions::Apply() {
    if (query_ == nullptr)
        return;
    query_->BeginSQLChange();
    applyState_ |= Applying;
    {
        const TScopeExit end([this] {
            applyState_ &= ~Applying;
            query_->EndSQLChange();
        });
        const std::string joined = JoinEnabledConditions(*this);
        if (IsBlank(baseSQLText_))
            baseSQLText_ = query_->SQL().Text();
        else
            CancelApply();
        if (!IsBlank(joined)) {
            // The old condition is bracketed so that an OR in it cannot swallow the new ones.
            const std::string where = Trim(query_->GetMainWhereText());
            query_->SetMainWhereText(where.empty() ? joined : "(" + where + ")\r\nand " + joined);
        }
    }
    applied_ = true;
}

void TConditions::CancelApply() {
    applyState_ |= Cancelling;
    applied_ = false;
    const TScopeExit end([this] { applyState_ &= ~Cancelling; });
    if (query_ != nullptr && !IsBlank(baseSQLText_) && baseSQLText_ != query_->SQL().Text())
        query_->SQL().SetText(baseSQLText_);
}
