#pragma once
// Puts a data link's active record back however a walk over its buffered records ends.
#include "platform/db/data_link.h"

class ActiveRecordKeeper {
  public:
    explicit ActiveRecordKeeper(TDataLink& Link) : link_(Link), saved_(Link.ActiveRecord()) {}
    ~ActiveRecordKeeper() { link_.SetActiveRecord(saved_); }
    ActiveRecordKeeper(const ActiveRecordKeeper&) = delete;
    ActiveRecordKeeper& operator=(const ActiveRecordKeeper&) = delete;

  private:
    TDataLink& link_;
    int saved_;
};
