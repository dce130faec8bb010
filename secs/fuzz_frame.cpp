// Fuzz target for the frame reader: the bytes are fed in pieces whose sizes
// the first byte chooses; every frame taken is read as a message and shown
// as SML, and the reader holds no more than one frame and one piece.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "secs/hsms_frame.h"
#include "secs/sml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zor::secs;
    if (size == 0) return 0;
    std::size_t piece = data[0] % 16 + 1;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    constexpr std::uint32_t kMaxLength = 1024;
    DecodeLimits limits;
    limits.max_item_length = 512;
    FrameReader reader(kMaxLength);
    Frame frame;
    while (!rest.empty()) {
        std::size_t n = std::min(piece, rest.size());
        reader.feed(rest.substr(0, n));
        rest.remove_prefix(n);
        FrameReader::Status status;
        while ((status = reader.next(frame)) == FrameReader::Status::frame) {
            if (frame.body.size() + kHeaderSize > kMaxLength) std::abort();
            ReadMessage read = read_message(frame, limits);
            (void)to_sml(read.message);
            if (encode_frame(frame.header, frame.body).size() !=
                4 + kHeaderSize + frame.body.size())
                std::abort();
        }
        if (status == FrameReader::Status::error) {
            if (reader.error().empty() || reader.in_frame()) std::abort();
            return 0;
        }
    }
    return 0;
}
