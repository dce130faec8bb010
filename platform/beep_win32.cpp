#include <windows.h>

#include <atomic>

#include "platform/platform.h"

namespace zor::platform {
namespace {
std::atomic<int> beeps{0};
}

void beep(int /*kind*/) {
    ++beeps;
    MessageBeep(MB_OK);
}

int beep_count() { return beeps.load(); }

}  // namespace zor::platform
