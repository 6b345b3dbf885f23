#pragma once
// What the HTTP client tells of its connection: the status and raw-data hooks and the last
// socket error. The transfer itself runs in libcurl; this object carries the socket's side of it.
#include <functional>
#include <string>

enum THookSocketReason : int {
    HR_ResolvingBegin = 0,
    HR_ResolvingEnd = 1,
    HR_SocketCreate = 2,
    HR_SocketClose = 3,
    HR_Bind = 4,
    HR_Connect = 5,
    HR_CanRead = 6,
    HR_CanWrite = 7,
    HR_Listen = 8,
    HR_Accept = 9,
    HR_ReadCount = 10,
    HR_WriteCount = 11,
    HR_Wait = 12,
    HR_Error = 13,
};

// The reason's name, "-unknown-" for a number outside the list.
std::string HookSocketReasonName(int reason);

class TBlockSocket;
using THookSocketStatus =
    std::function<void(TBlockSocket* sender, THookSocketReason reason, const std::string& value)>;
// writing is true for data sent, false for data received.
using THookMonitor = std::function<void(TBlockSocket* sender, bool writing, const void* buffer, int length)>;

class TBlockSocket {
  public:
    THookSocketStatus OnStatus;
    THookMonitor OnMonitor;
    int LastError = 0;          // errno-style number, 0 after a clean transfer
    std::string LastErrorDesc;  // its description

    void DoStatus(THookSocketReason reason, const std::string& value) {
        if (OnStatus)
            OnStatus(this, reason, value);
    }
    void DoMonitor(bool writing, const void* buffer, int length) {
        if (OnMonitor)
            OnMonitor(this, writing, buffer, length);
    }
    void SetError(int error, std::string description) {
        LastError = error;
        LastErrorDesc = std::move(description);
    }
    void ResetError() { SetError(0, {}); }
};
