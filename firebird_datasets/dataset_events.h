#pragma once
// What a dataset tells its container, and the handlers that hear it: the dataset's own events, its
// errors, named user events passed between datasets, new-record default values, and record locks.
#include <functional>
#include <string>

#include "platform/db/dataset_types.h"
#include "platform/rtl/component.h"
#include "platform/rtl/database_error.h"

class TDataSet;
class TField;

// The numbers are fixed: handlers may keep or compare them.
enum TKindDataSetEvent {
    deBeforeOpen,
    deAfterOpen,
    deBeforeClose,
    deAfterClose,
    deBeforeInsert,
    deAfterInsert,
    deBeforeEdit,
    deAfterEdit,
    deBeforePost,
    deAfterPost,
    deBeforeCancel,
    deAfterCancel,
    deBeforeDelete,
    deAfterDelete,
    deBeforeScroll,
    deAfterScroll,
    deOnNewRecord,
    deOnCalcFields,
    deBeforeRefresh,
    deAfterRefresh
};

enum TKindDataSetError { deOnEditError, deOnPostError, deOnDeleteError };

using TOnDataSetEvent = std::function<void(TDataSet* DataSet, TKindDataSetEvent Event)>;
using TOnDataSetError =
    std::function<void(TDataSet* DataSet, TKindDataSetError Event, EDatabaseError& E, TDataAction& Action)>;
using TUserEvent =
    std::function<void(TObject* Sender, TDataSet* Receiver, const std::string& EventName, std::string& Info)>;
using TOnApplyDefaultValue = std::function<void(TDataSet* DataSet, TField* Field, bool& Applied)>;

// How an attempt to lock a record on the server ended.
enum TLockStatus { lsSuccess, lsDeadLock, lsNotExist, lsMultiply, lsUnknownError };

using TLockErrorEvent = std::function<void(TDataSet* DataSet, TLockStatus LockError,
                                           std::string& ErrorMessage, TDataAction& Action)>;
// Lets the application give the text that counts a dataset's records.
using TOnGetSQLTextProc = std::function<void(TDataSet* DataSet, std::string& SQLText)>;
