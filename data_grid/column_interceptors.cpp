#include "data_grid/column_interceptors.h"

#include "data_grid/columns.h"
#include "data_grid/db_grid.h"

namespace {

bool NeverStored(const TPersistent&) {
    return false;
}

}  // namespace

TColumnEh* TColumnEhPropertyInterceptor::Column() const {
    return dynamic_cast<TColumnEh*>(FTarget);
}

int TColumnEhPropertyInterceptor::Width() const {
    const TColumnEh* column = Column();
    return column != nullptr ? column->Width() : 0;
}

void TColumnEhPropertyInterceptor::SetWidth(int Value) {
    TColumnEh* column = Column();
    if (column == nullptr)
        return;
    TCustomDBGridEh* grid = column->OwnerGrid();
    if (grid != nullptr && grid->AutoFitColWidths())
        column->SetInitialWidth(Value);
    else
        column->SetWidth(Value);
}

const TPropertyList& TColumnEhPropertyInterceptor::Published() {
    using T = TColumnEhPropertyInterceptor;
    static const TPropertyList list = TPublish<T>(TPersistent::Published())
                                          .Integer("Width", &T::Width, &T::SetWidth)
                                          .StoredWhen(NeverStored);
    return list;
}

TDBGridColumnsEh* TColumnsEhPropertyInterceptor::Columns() const {
    return dynamic_cast<TDBGridColumnsEh*>(FTarget);
}

std::string TColumnsEhPropertyInterceptor::ColumnsIndex() const {
    const TDBGridColumnsEh* columns = Columns();
    return columns != nullptr ? columns->ColumnsIndex() : std::string();
}

void TColumnsEhPropertyInterceptor::SetColumnsIndex(const std::string& Value) {
    written_ = Value;
    if (TDBGridColumnsEh* columns = Columns())
        columns->SetColumnsIndex(Value);
}

const TPropertyList& TColumnsEhPropertyInterceptor::Published() {
    using T = TColumnsEhPropertyInterceptor;
    static const TPropertyList list =
        TPublish<T>(TPersistent::Published()).String("ColumnsIndex", &T::ColumnsIndex, &T::SetColumnsIndex);
    return list;
}

void RegisterColumnPropertyInterceptors(TPropertyInterceptorRegistry& Registry) {
    Registry.Register(
        InterceptedClassOf<TColumnEh>("TColumnEh"),
        PropertyInterceptorClassOf<TColumnEhPropertyInterceptor>("TColumnEhPropertyInterceptor"));
    Registry.Register(
        InterceptedClassOf<TDBGridColumnsEh>("TDBGridColumnsEh"),
        PropertyInterceptorClassOf<TColumnsEhPropertyInterceptor>("TColumnsEhPropertyInterceptor"));
}
