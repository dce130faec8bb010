#include <ctime>

#include "platform/platform.h"

namespace zor::platform {

std::tm local_time(std::time_t t) {
    std::tm tm{};
    ::localtime_s(&tm, &t);
    return tm;
}

}  // namespace zor::platform
