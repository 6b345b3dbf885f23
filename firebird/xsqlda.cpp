#include "firebird/xsqlda.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "firebird/fib_errors.h"
#include "firebird/ident_quoting.h"
#include "firebird/sql_types.h"
#include "firebird/statement_context.h"
#include "firebird/status_vector.h"
#include "platform/rtl/strings.h"

void TFIBXSQLDA::FreeBlock::operator()(char* p) const {
    std::free(p);
}

TFIBXSQLDA::TFIBXSQLDA(IFIBStatementContext* ownerQuery, bool isParamArea)
    : ownerQuery_(ownerQuery), isParamArea_(isParamArea) {}

// The variables free their buffers; the block goes last.
TFIBXSQLDA::~TFIBXSQLDA() {
    vars_.clear();
}

void TFIBXSQLDA::SetCount(int n) {
    n = std::max(n, 0);
    RepeatedNames.clear();
    LookupCache.clear();
    NameList.clear();
    if (n > capacity_) {
        const std::size_t oldSize = capacity_ > 0 ? XSQLDALength(capacity_) : 0;
        block_.reset(static_cast<char*>(ReallocZeroed(block_.release(), oldSize, XSQLDALength(n))));
        GetXSQLDA()->version = SQLDA_VERSION1;
        while (static_cast<int>(vars_.size()) < n)
            vars_.push_back(std::make_unique<TFIBXSQLVAR>(this, ownerQuery_));
        for (int i = 0; i < n; ++i) {
            vars_[static_cast<std::size_t>(i)]->XSQLVar = &GetXSQLDA()->sqlvar[i];
            vars_[static_cast<std::size_t>(i)]->Position = i;
        }
        capacity_ = n;
    }
    count_ = n;
    if (capacity_ > 0) {
        GetXSQLDA()->sqln = static_cast<ISC_SHORT>(n);
        GetXSQLDA()->sqld = static_cast<ISC_SHORT>(n);
    }
}

TFIBXSQLVAR& TFIBXSQLDA::GetVar(int i) {
    if (i < 0 || i >= count_)
        RaiseClientError(fceXSQLDAIndexOutOfRange);
    return *vars_[static_cast<std::size_t>(i)];
}

std::string TFIBXSQLDA::StoredName(std::string_view name) const {
    if (!ownerQuery_)
        return std::string(name);
    if (ownerQuery_->SQLDialect() < 3 ||
        (isParamArea_ && ownerQuery_->UpperOldNames() && !IdentNeedsQuotesIgnoreCase(name)))
        return AnsiUpperCase(name);
    return std::string(name);
}

void TFIBXSQLDA::AddName(std::string_view name, int i) {
    const std::string stored = StoredName(name);
    if (isParamArea_) {
        const auto first = NameList.find(stored);
        if (first != NameList.end()) {
            if (RepeatedNames.find(stored) == RepeatedNames.end())
                RepeatedNames.emplace(stored, first->second);
            RepeatedNames.emplace(stored, i);
        }
    }
    NameList.emplace(stored, i);
    TFIBXSQLVAR& var = *vars_[static_cast<std::size_t>(i)];
    var.VarName = stored;
    var.Position = i;
}

std::string TFIBXSQLDA::NormalizedName(std::string_view name) const {
    if (!ownerQuery_ || ownerQuery_->SQLDialect() < 3)
        return DialectIdentifier(1, name);
    if (!ownerQuery_->UpperOldNames() || IdentNeedsQuotesIgnoreCase(name))
        return std::string(name);
    return AnsiUpperCase(name);
}

TFIBXSQLVAR* TFIBXSQLDA::FindByNameRaw(std::string_view name) {
    const std::string asked(name);
    if (const auto cached = LookupCache.find(asked); cached != LookupCache.end())
        return cached->second;
    TFIBXSQLVAR* found = nullptr;
    const auto it = NameList.find(NormalizedName(name));
    if (it != NameList.end() && it->second < count_)
        found = vars_[static_cast<std::size_t>(it->second)].get();
    if (!found && isParamArea_ && ownerQuery_ && ownerQuery_->AppParamArea() == this) {
        ownerQuery_->RebuildSQLIfMacrosChanged();
        if (TFIBXSQLDA* server = ownerQuery_->ServerParamArea(); server && server != this)
            found = server->FindByNameRaw(name);
    }
    if (found)
        LookupCache.emplace(asked, found);
    return found;
}

TFIBXSQLVAR* TFIBXSQLDA::ByName(std::string_view name) {
    return FindByNameRaw(name);
}

std::string TFIBXSQLDA::UniqueAlias(XSQLVAR& var, int& unnamedCount) {
    const auto aliasLength =
        std::clamp<int>(var.aliasname_length, 0, static_cast<int>(sizeof(var.aliasname)));
    std::string base(var.aliasname, static_cast<std::size_t>(aliasLength));
    if (base.empty())
        return "F_" + std::to_string(++unnamedCount);
    if (NameList.find(StoredName(base)) == NameList.end())
        return base;
    for (int n = 1;; ++n) {
        const std::string number = std::to_string(n);
        std::string candidate = base + number;
        if (candidate.size() > sizeof(var.aliasname))
            candidate = base.substr(0, sizeof(var.aliasname) - number.size()) + number;
        if (NameList.find(StoredName(candidate)) == NameList.end())
            return candidate;
    }
}

void TFIBXSQLDA::AllocVarBuffers(TFIBXSQLVAR& var) {
    XSQLVAR& x = *var.XSQLVar;
    const int type = x.sqltype & ~1;
    const auto len = static_cast<std::size_t>(std::max<int>(x.sqllen, 0));
    switch (type) {
        case SQL_VARYING:
            var.AllocData(len + 2);
            break;
        case SQL_TEXT:
        case SQL_NULL:
            var.AllocData(std::max<std::size_t>(len, 1));
            break;
        case SQL_DOUBLE:
        case SQL_FLOAT:
        case SQL_LONG:
        case SQL_SHORT:
        case SQL_TIMESTAMP:
        case SQL_BLOB:
        case SQL_D_FLOAT:
        case SQL_ARRAY:
        case SQL_QUAD:
        case SQL_TYPE_TIME:
        case SQL_TYPE_DATE:
        case SQL_INT64:
        case SQL_BOOLEAN:
        case SQL_BOOLEAN16:
            var.AllocData(std::max<std::size_t>(len, 1));
            break;
        case 0:
            if (isParamArea_ && ownerQuery_ && ownerQuery_->AppParamArea() == this) {
                var.AllocData(1);
                break;
            }
            [[fallthrough]];
        default:
            RaiseClientError(fceUnknownSQLDataType, {type});
    }
    if (x.sqltype & 1)
        var.AllocIndicator();
    else
        var.FreeIndicator();
}

void TFIBXSQLDA::MakeUniqueNames() {
    const bool nameThem = NameList.empty();
    int unnamedCount = 0;
    for (int i = 0; i < count_; ++i) {
        TFIBXSQLVAR& var = *vars_[static_cast<std::size_t>(i)];
        XSQLVAR& x = *var.XSQLVar;
        var.DescribedType = static_cast<short>(x.sqltype & ~1);
        var.ValueAssigned = true;
        if (nameThem) {
            const std::string name = UniqueAlias(x, unnamedCount);
            x.aliasname_length = static_cast<ISC_SHORT>(std::min(name.size(), sizeof(x.aliasname)));
            std::memcpy(x.aliasname, name.data(), static_cast<std::size_t>(x.aliasname_length));
            AddName(name, i);
        }
        AllocVarBuffers(var);
    }
}

// A variable that was not nullable becomes so: NULL can't be sent otherwise.
void TFIBXSQLDA::ClearValues() {
    for (int i = 0; i < count_; ++i) vars_[static_cast<std::size_t>(i)]->WriteIsNull(true);
}

void TFIBXSQLDA::ResetModified() {
    for (int i = 0; i < count_; ++i) vars_[static_cast<std::size_t>(i)]->Changed = false;
}
