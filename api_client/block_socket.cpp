#include "api_client/block_socket.h"

#include <array>

std::string HookSocketReasonName(int reason) {
    static const std::array<const char*, 14> names = {
        "HR_ResolvingBegin", "HR_ResolvingEnd", "HR_SocketCreate", "HR_SocketClose", "HR_Bind",
        "HR_Connect",        "HR_CanRead",      "HR_CanWrite",     "HR_Listen",      "HR_Accept",
        "HR_ReadCount",      "HR_WriteCount",   "HR_Wait",         "HR_Error"};
    if (reason < 0 || reason >= static_cast<int>(names.size()))
        return "-unknown-";
    return names[reason];
}
