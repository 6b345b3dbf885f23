/* A stand-in for the Firebird client library with only the entry points that a test wants. The
   binding only looks the names up; the few that tests call return recognisable values. */
#include <stdio.h>
#include <string.h>

#define STUB(name)   \
    int name(void) { \
        return 0;    \
    }

STUB(isc_attach_database)
STUB(isc_detach_database)
STUB(isc_database_info)
STUB(isc_drop_database)
STUB(isc_start_multiple)
STUB(isc_commit_transaction)
STUB(isc_commit_retaining)
STUB(isc_rollback_transaction)
STUB(isc_transaction_info)
STUB(isc_dsql_alloc_statement2)
STUB(isc_dsql_prepare)
STUB(isc_dsql_describe)
STUB(isc_dsql_describe_bind)
STUB(isc_dsql_execute)
STUB(isc_dsql_execute2)
#ifndef STUB_NO_FETCH
STUB(isc_dsql_fetch)
#endif
STUB(isc_dsql_free_statement)
STUB(isc_dsql_set_cursor_name)
STUB(isc_dsql_sql_info)
STUB(isc_dsql_execute_immediate)
STUB(isc_dsql_exec_immed2)
#ifdef STUB_TEXTS
/* The texts of a failed call: an SQL message that already ends in ".", and server lines chosen by
   the values of the status vector's clusters, one of them empty. */
static const char* const server_lines[] = {"Dynamic SQL Error", "", "Token unknown."};

int isc_sqlcode(const long* status) {
    (void)status;
    return -104;
}
void isc_sql_interprete(short code, char* buffer, short length) {
    (void)code;
    snprintf(buffer, (size_t)length, "%s", "Invalid token.");
}
int isc_interprete(char* buffer, const long** cursor) {
    const long* v = *cursor;
    if (v[0] == 0)
        return 0;
    strcpy(buffer, server_lines[v[1]]);
    *cursor = v + 2;
    return 1; /* a line was written, even an empty one */
}
#else
STUB(isc_sqlcode)
STUB(isc_sql_interprete)
STUB(isc_interprete)
#endif
STUB(isc_decode_date)
STUB(isc_encode_date)
STUB(isc_open_blob2)
STUB(isc_create_blob2)
STUB(isc_close_blob)
STUB(isc_get_segment)
STUB(isc_put_segment)
STUB(isc_blob_info)
STUB(BLOB_get)
STUB(BLOB_put)
STUB(isc_array_lookup_bounds)
STUB(isc_array_get_slice)
STUB(isc_array_put_slice)
STUB(isc_event_block)
STUB(isc_event_counts)
STUB(isc_que_events)
STUB(isc_cancel_events)
STUB(isc_wait_for_event)
STUB(isc_free)
/* Offered, but never to be looked up by the binding. */
STUB(isc_add_user)
STUB(isc_prepare_transaction)
STUB(isc_cancel_blob)

long isc_vax_integer(const char* buffer, short length) {
    (void)buffer;
    return 4200 + length;
}

#ifdef STUB_LEVEL6
int isc_rollback_retaining(void) {
    return 0;
}
STUB(isc_portable_integer)
STUB(isc_decode_sql_date)
STUB(isc_decode_sql_time)
STUB(isc_decode_timestamp)
STUB(isc_encode_sql_date)
STUB(isc_encode_sql_time)
STUB(isc_encode_timestamp)
STUB(isc_service_attach)
STUB(isc_service_detach)
STUB(isc_service_query)
#ifndef STUB_NO_SERVICE_START
int isc_service_start(void) {
    return 77;
}
#endif
#endif

#ifdef STUB_CLIENT_VERSION
STUB(isc_get_client_version)
int isc_get_client_major_version(void) {
    return 7;
}
int isc_get_client_minor_version(void) {
    return 3;
}
#endif
