#pragma once
// Byte vectors as the tests write them by hand: bytes({0xB1, 0x04, ...}).

#include <initializer_list>
#include <string>

namespace zor::secs {

inline std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

}  // namespace zor::secs
