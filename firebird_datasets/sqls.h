#pragma once
// A dataset's five SQL texts in one place; the dataset keeps them, this object only forwards.
#include <string>

#include "platform/rtl/component.h"
#include "platform/rtl/string_list.h"

enum class TSQLKind { Select, Update, Delete, Insert, Refresh };

// What TSQLs needs of its dataset.
class TSQLsOwner {
  public:
    virtual TStrings& GetSQLText(TSQLKind kind) = 0;
    virtual void SetSQLText(TSQLKind kind, const TStrings& text) = 0;

  protected:
    ~TSQLsOwner() = default;
};

class TSQLs : public TPersistent {
  public:
    explicit TSQLs(TSQLsOwner& owner) : owner_(owner) {}
    std::string ClassName() const override { return "TSQLs"; }

    TStrings& SelectSQL() const { return owner_.GetSQLText(TSQLKind::Select); }
    void SetSelectSQL(const TStrings& text) { owner_.SetSQLText(TSQLKind::Select, text); }
    TStrings& UpdateSQL() const { return owner_.GetSQLText(TSQLKind::Update); }
    void SetUpdateSQL(const TStrings& text) { owner_.SetSQLText(TSQLKind::Update, text); }
    TStrings& DeleteSQL() const { return owner_.GetSQLText(TSQLKind::Delete); }
    void SetDeleteSQL(const TStrings& text) { owner_.SetSQLText(TSQLKind::Delete, text); }
    TStrings& InsertSQL() const { return owner_.GetSQLText(TSQLKind::Insert); }
    void SetInsertSQL(const TStrings& text) { owner_.SetSQLText(TSQLKind::Insert, text); }
    TStrings& RefreshSQL() const { return owner_.GetSQLText(TSQLKind::Refresh); }
    void SetRefreshSQL(const TStrings& text) { owner_.SetSQLText(TSQLKind::Refresh, text); }

  protected:
    void DefineProperties(TFiler& filer) override;

  private:
    TSQLsOwner& owner_;
};
