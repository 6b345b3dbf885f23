#pragma once
// The texts the edit controls and the grid show to the user, kept in one table.
#include <string_view>

#define DATA_CONTROLS_LIBRARY_TEXTS(X)                         \
    X(SClearSelectedCells, "Очистить выделенные ячейки?")      \
    X(SInvalidTextFormat, "Неверный формат текста")            \
    X(SInvalidVCLDBIFFormat, "Неверный формат VCLDBIF")        \
    X(SErrorDuringInsertValue, "Ошибка при вставки значения:") \
    X(SIgnoreError, "Игнорировать ошибку?")                    \
    /* %s: the text searched for */                            \
    X(SSearchStringNotFound, "Строка \"%s\" не найдена.")      \
    X(SFilterEmptyValues, "(Пустые)")                          \
    X(SFilterNotEmptyValues, "(Не пустые)")                    \
    X(SFilterAllValues, "(Все)")                               \
    X(SFilterClear, "(Очистить фильтр)")                       \
    X(SFilterSortDescending, "(Сортировка по убыванию)")       \
    X(SFilterSortAscending, "(Сортировка по возрастанию)")

#define DATA_CONTROLS_DECLARE_TEXT(name, text) inline constexpr std::string_view name = text;
DATA_CONTROLS_LIBRARY_TEXTS(DATA_CONTROLS_DECLARE_TEXT)
#undef DATA_CONTROLS_DECLARE_TEXT
