#pragma once
// The grid's property-storage interceptors: a column's stored width goes to its initial width
// while the grid fits widths to its client area; a column collection is stored with its order by
// field name ("ColumnsIndex"), restored by name when read.
#include <string>

#include "data_controls/property_interceptor.h"

class TColumnEh;
class TDBGridColumnsEh;

class TColumnEhPropertyInterceptor : public TStoragePropertyInterceptor {
  public:
    using TStoragePropertyInterceptor::TStoragePropertyInterceptor;
    std::string ClassName() const override { return "TColumnEhPropertyInterceptor"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    // Written only: the column's width as the storage keeps it.
    int Width() const;
    void SetWidth(int Value);

  private:
    TColumnEh* Column() const;
};

class TColumnsEhPropertyInterceptor : public TStoragePropertyInterceptor {
  public:
    using TStoragePropertyInterceptor::TStoragePropertyInterceptor;
    std::string ClassName() const override { return "TColumnsEhPropertyInterceptor"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    void AfterPropertiesRead() override {}

    // "A","B": the field names in column order.
    std::string ColumnsIndex() const;
    void SetColumnsIndex(const std::string& Value);

  private:
    TDBGridColumnsEh* Columns() const;
    std::string written_;
};

// Pairs the columns and the column collections with their interceptors.
void RegisterColumnPropertyInterceptors(TPropertyInterceptorRegistry& Registry);
