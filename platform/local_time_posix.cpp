#include <ctime>

#include "platform/platform.h"

namespace zor::platform {

std::tm local_time(std::time_t t) {
    std::tm tm{};
    ::localtime_r(&t, &tm);
    return tm;
}

}  // namespace zor::platform
