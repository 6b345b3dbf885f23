#include "firebird/sql_types.h"

bool IsNumericSQLType(int sqlType) {
    switch (sqlType) {
        case SQL_DOUBLE:
        case SQL_FLOAT:
        case SQL_LONG:
        case SQL_SHORT:
        case SQL_D_FLOAT:
        case SQL_INT64:
            return true;
        default:
            return false;
    }
}

bool IsDateTimeSQLType(int sqlType) {
    return sqlType == SQL_TIMESTAMP || sqlType == SQL_TYPE_TIME || sqlType == SQL_TYPE_DATE;
}

bool IsIntegerSQLType(int sqlType) {
    return sqlType == SQL_SHORT || sqlType == SQL_LONG || sqlType == SQL_INT64;
}
