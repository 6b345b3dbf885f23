#include "firebird_datasets/field_info.h"

#include "firebird/str_search.h"

bool TpFIBFieldInfo::DomainNameHolds(std::atomic<std::uint8_t>& answer, const char* word) const {
    std::uint8_t known = answer.load(std::memory_order_relaxed);
    if (known == kNotTested) {
        known = PosIgnoreCase(word, DomainName) > 0 ? kYes : kNo;
        answer.store(known, std::memory_order_relaxed);
    }
    return known == kYes;
}
