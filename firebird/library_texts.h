#pragma once
// The library's own message texts beside the numbered client errors.

// SQL parameter scanning
inline constexpr const char* SEofInComment = "EOF in comment detected";
inline constexpr const char* SEofInString = "EOF in string detected";
inline constexpr const char* SParamNameExpected = "Parameter name expected";
// parameter lookup
inline constexpr const char* SParameterNotFound = "Parameter \"%s\" does not exist in %s";
// client library binding
inline constexpr const char* SCantLoadLibrary = "Can't load library %s ";
inline constexpr const char* SCantFindProcedure = "Can't find procedure %s in %s";
// transactions
inline constexpr const char* SDifferentClientLibrary =
    "%s.\r\nTransaction can't work with different client library.";
// disconnecting
inline constexpr const char* SBeforeDisconnectDestroyed =
    "Error of %s.BeforeDisconnect. Probably you are trying to get access to destroyed components. %s";
inline constexpr const char* SBeforeDisconnectError = "Error of %s.BeforeDisconnect. %s";
inline constexpr const char* SAfterDisconnectDestroyed =
    "Error of %s.AfterDisconnect. Probably you are trying to get access to destroyed components. %s";
inline constexpr const char* SAfterDisconnectError = "Error of %s.AfterDisconnect. %s";
// login prompt
inline constexpr const char* SLoginDialogNotFound = "Unable to find Database login dialog. ";
inline constexpr const char* SInstallEditorsPackage = "Please, install package with property editors.";
inline constexpr const char* SAddLoginDialogUnit =
    "Please, add FIBDBLoginDlg into USES statement of your project.";
inline constexpr const char* SLoginCaption = "Database login";
inline constexpr const char* SLoginDatabase = "Database:";
inline constexpr const char* SLoginUserName = "&User name";
inline constexpr const char* SLoginPassword = "&Password";
inline constexpr const char* SLoginRole = "Rol&e";
inline constexpr const char* SLoginOk = "&OK";
inline constexpr const char* SLoginCancel = "&Cancel";
// numbers
inline constexpr const char* SInvalidCompValue = "Invalid comp value";
// blobs
inline constexpr const char* SUnknownClientLibrary = "Can't perform operation %s. Unknown client library";
// variant arrays
inline constexpr const char* SVariantIsNotArray = "Variant is not an array.";
inline constexpr const char* SVariantArrayIndexOutOfBounds = "Variant array index out of bounds.";
inline constexpr const char* SVariantArrayCreateFailed = "Unable to create variant array.";
// repository
inline constexpr const char* SDataSetIdNotPositive = ".DataSet_ID should be greater than 0";
inline constexpr const char* SDataSetsInfoMissing = "Table FIB$DATASETS_INFO does not exist.";
inline constexpr const char* SDataSetsInfoNotUsed =
    "Can't use FIB$DATASETS_INFO.\r\nurDataSetInfo not included into Database.UseRepositories.";
inline constexpr const char* SInfoRecordInsertFailed = "Error of inserting new information record";
inline constexpr const char* SSaveDataSetProperties = "Save FIBDataSet properties";
inline constexpr const char* SSetDataSetDescription = "Set dataset description";
inline constexpr const char* SCantGetInfoFor = "Can't get info for ";
inline constexpr const char* SDatabaseNotAssigned = "Database is not assigned";
// datasets and dataset containers
inline constexpr const char* SUserAbortApplyUpdates = "User abort apply updates for %s %s";
inline constexpr const char* SCantGetRecordCount = "%s unable to get number of records";
inline constexpr const char* SLockQueryEmpty = "Unable to lock record. Update query is empty";
inline constexpr const char* SCantGenerateSql =
    "%s: unable to generate %s because fields for \"%s\" do not exist in dataset.";
inline constexpr const char* SNoMetadataRepository = "%s: no metadata repository for %s.";
inline constexpr const char* SRecordUpdateError = "Error of record updating:";
inline constexpr const char* SDeadlockDetected = "Deadlock detected";
inline constexpr const char* SRecordDoesNotExist = "Record does not exist";
inline constexpr const char* SMultipleRecordsEdited = "Attempt to edit multiple records";
inline constexpr const char* SCantSortInvalidField = "Can't sort. Invalid parameter: Fields[";
inline constexpr const char* SCircularLink = "Circular link is not allowed.";
