#pragma once
// A descriptor area in the client API's XSQLDA layout, owning its block and one TFIBXSQLVAR per
// variable, with lookup by name.
#include <ibase.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "firebird/xsqlvar.h"

class IFIBStatementContext;

class TFIBXSQLDA {
  public:
    TFIBXSQLDA(IFIBStatementContext* ownerQuery, bool isParamArea);
    ~TFIBXSQLDA();
    TFIBXSQLDA(const TFIBXSQLDA&) = delete;
    TFIBXSQLDA& operator=(const TFIBXSQLDA&) = delete;

    // Names that occur more than once (parameter areas), with every position.
    std::multimap<std::string, int> RepeatedNames;
    std::map<std::string, TFIBXSQLVAR*> LookupCache;
    std::multimap<std::string, int> NameList;

    int Count() const { return count_; }
    int Capacity() const { return capacity_; }
    bool IsParamArea() const { return isParamArea_; }
    IFIBStatementContext* OwnerQuery() const { return ownerQuery_; }

    void SetCount(int n);
    TFIBXSQLVAR& GetVar(int i);
    TFIBXSQLVAR& operator[](int i) { return GetVar(i); }
    TFIBXSQLVAR* ByName(std::string_view name);
    TFIBXSQLVAR* FindByNameRaw(std::string_view name);
    void AddName(std::string_view name, int i);
    void MakeUniqueNames();
    void ClearValues();
    void ResetModified();
    XSQLDA* GetXSQLDA() { return reinterpret_cast<XSQLDA*>(block_.get()); }
    void AssignValues(TFIBXSQLDA& source);

  private:
    struct FreeBlock {
        void operator()(char* p) const;
    };
    std::string NormalizedName(std::string_view name) const;
    std::string StoredName(std::string_view name) const;
    std::string UniqueAlias(XSQLVAR& var, int& unnamedCount);
    void AllocVarBuffers(TFIBXSQLVAR& var);

    IFIBStatementContext* ownerQuery_;
    int count_ = 0;
    int capacity_ = 0;
    std::unique_ptr<char, FreeBlock> block_;
    std::vector<std::unique_ptr<TFIBXSQLVAR>> vars_;
    bool isParamArea_;
};
