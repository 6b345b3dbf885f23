#pragma once
// The small types of the dataset framework: states, fetch modes, bookmark flags, update kinds and
// the notices a dataset sends to its data sources.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/rtl/set.h"

enum TDataSetState {
    dsInactive,
    dsBrowse,
    dsEdit,
    dsInsert,
    dsSetKey,
    dsCalcFields,
    dsFilter,
    dsNewValue,
    dsOldValue,
    dsCurValue,
    dsBlockRead,
    dsInternalCalc,
    dsOpening
};

enum TGetMode { gmCurrent, gmNext, gmPrior };
enum TGetResult { grOK, grBOF, grEOF, grError };
enum TBookmarkFlag { bfCurrent, bfBOF, bfEOF, bfInserted };
enum TUpdateStatus { usUnmodified, usModified, usInserted, usDeleted };
enum TUpdateKind { ukModify, ukInsert, ukDelete };
using TUpdateKinds = TSet<TUpdateKind>;
enum TDataAction { daFail, daAbort, daRetry };

enum TFilterOption { foCaseInsensitive, foNoPartialCompare };
using TFilterOptions = TSet<TFilterOption>;

enum TResyncModeItem { rmExact, rmCenter };
struct TResyncMode {
    bool Exact = false;
    bool Center = false;
};

enum TDataEvent {
    deFieldChange,
    deRecordChange,
    deDataSetChange,
    deDataSetScroll,
    deLayoutChange,
    deUpdateRecord,
    deUpdateState,
    deCheckBrowseMode,
    dePropertyChange,
    deFieldListChange,
    deFocusControl,
    deParentScroll,
    deConnectChange,
    deReconcileError,
    deDisabledStateChange
};

// A record buffer: raw bytes whose layout the dataset that allocated it decides.
using TRecordBuffer = std::byte*;
// Bookmarks are strings of BookmarkSize bytes; an empty one marks no record.
using TBookmark = std::string;
