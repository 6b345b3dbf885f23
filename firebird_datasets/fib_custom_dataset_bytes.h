#pragma once
// Values at unaligned places of a record buffer or a column's data.
#include <cstring>

namespace fibds {

template <class T>
T LoadValue(const void* from) {
    T value;
    std::memcpy(&value, from, sizeof value);
    return value;
}

template <class T>
void StoreValue(void* to, T value) {
    std::memcpy(to, &value, sizeof value);
}

}  // namespace fibds
