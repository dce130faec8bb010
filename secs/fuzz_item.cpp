// Fuzz target for the item decoder: whatever the bytes, decoding ends with
// an item or a reason, an item encodes to bytes that decode to the same
// item, and its SML reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "secs/item_codec.h"
#include "secs/sml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zor::secs;
    DecodeLimits limits;
    limits.max_item_length = 4096;
    limits.max_depth = 16;
    limits.max_items = 10000;
    Decoded decoded = decode(std::string_view(reinterpret_cast<const char*>(data), size), limits);
    if (!decoded.ok()) {
        if (decoded.error.reason.empty() || decoded.error.offset > size) std::abort();
        return 0;
    }
    Decoded again = decode(encode(decoded.item), limits);
    if (!again.ok() || !(again.item == decoded.item)) std::abort();
    if (!parse_sml_item(to_sml(decoded.item)).error.empty()) std::abort();
    return 0;
}
