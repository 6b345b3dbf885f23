#pragma once
// Expected bytes written compactly: hex pairs, spaces between them ignored, and a quoted run ('Ab')
// standing for its own bytes.
#include <cstddef>
#include <string>

namespace byte_spec {

inline std::string Bytes(const std::string& spec) {
    std::string out;
    for (std::size_t i = 0; i < spec.size();) {
        if (spec[i] == ' ') {
            ++i;
        } else if (spec[i] == '\'') {
            const std::size_t end = spec.find('\'', i + 1);
            out += spec.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            out += static_cast<char>(std::stoi(spec.substr(i, 2), nullptr, 16));
            i += 2;
        }
    }
    return out;
}

}  // namespace byte_spec
