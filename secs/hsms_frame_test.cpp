// Frames written by hand from the HSMS layout: length (4 bytes), session ID,
// header bytes 2 and 3, PType, SType, system bytes, body.
#include "secs/hsms_frame.h"

#include <gtest/gtest.h>

#include "secs/test_bytes.h"

namespace zor::secs {
namespace {

TEST(HsmsFrame, ControlAndDataFramesMatchTheStandardsBytes) {
    EXPECT_EQ(encode_frame(control_header(SType::select_req, 0x01020304)),
              bytes({0, 0, 0, 0x0A, 0xFF, 0xFF, 0, 0, 0, 0x01, 0x01, 0x02, 0x03, 0x04}));
    EXPECT_EQ(encode_frame(control_header(SType::select_rsp, 7, 0, kSelectAlreadyActive)),
              bytes({0, 0, 0, 0x0A, 0xFF, 0xFF, 0, 0x01, 0, 0x02, 0, 0, 0, 7}));
    EXPECT_EQ(encode_frame(control_header(SType::reject_req, 9, 0x0B, kRejectSTypeNotSupported)),
              bytes({0, 0, 0, 0x0A, 0xFF, 0xFF, 0x0B, 0x01, 0, 0x07, 0, 0, 0, 9}));
    EXPECT_EQ(encode_frame(control_header(SType::separate_req, 2)),
              bytes({0, 0, 0, 0x0A, 0xFF, 0xFF, 0, 0, 0, 0x09, 0, 0, 0, 2}));

    Message s1f1{.device_id = 1,
                 .stream = 1,
                 .function = 1,
                 .wait = true,
                 .system_bytes = 0x12345678,
                 .body = std::nullopt};
    EXPECT_EQ(encode_message(s1f1),
              bytes({0, 0, 0, 0x0A, 0x00, 0x01, 0x81, 0x01, 0, 0, 0x12, 0x34, 0x56, 0x78}));
    Message s1f4{.device_id = 0x0102,
                 .stream = 1,
                 .function = 4,
                 .wait = false,
                 .system_bytes = 5,
                 .body = Item::list({Item::u4(1001)})};
    std::string s1f4_wire = bytes({0, 0, 0, 0x12, 0x01, 0x02, 0x01, 0x04, 0,    0,    0,
                                   0, 0, 5, 0x01, 0x01, 0xB1, 0x04, 0x00, 0x00, 0x03, 0xE9});
    EXPECT_EQ(encode_message(s1f4), s1f4_wire);

    FrameReader reader(1000);
    reader.feed(s1f4_wire);
    Frame frame;
    ASSERT_EQ(reader.next(frame), FrameReader::Status::frame);
    EXPECT_EQ(frame.header.bytes_string(), s1f4_wire.substr(4, 10));
    ReadMessage read = read_message(frame);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.message, s1f4);
}

TEST(HsmsFrame, BodyThatDoesNotDecodeKeepsTheHeader) {
    FrameReader reader(1000);
    reader.feed(bytes({0, 0, 0, 0x0D, 0x00, 0x01, 0x81, 0x03, 0, 0, 0, 0, 0, 9, 0xB1, 0x01, 0x00}));
    Frame frame;
    ASSERT_EQ(reader.next(frame), FrameReader::Status::frame);
    ReadMessage read = read_message(frame);
    EXPECT_EQ(read.error.kind, DecodeError::Kind::bad_length);
    EXPECT_FALSE(read.message.body);
    EXPECT_EQ(read.message.stream, 1);
    EXPECT_EQ(read.message.function, 3);
    EXPECT_TRUE(read.message.wait);
    EXPECT_EQ(read.message.system_bytes, 9u);
}

TEST(HsmsFrame, ReaderCutsAStreamWhereverItIsSplit) {
    std::string one = encode_frame(control_header(SType::linktest_req, 1));
    std::string two = encode_message({.device_id = 0,
                                      .stream = 6,
                                      .function = 11,
                                      .wait = true,
                                      .system_bytes = 2,
                                      .body = Item::ascii(std::string(300, 'z'))});
    std::string stream = one + two + one;
    // Byte by byte: a partial frame waits, and T8 applies while it does.
    FrameReader reader(1000);
    Frame frame;
    std::vector<std::uint32_t> seen;
    for (std::size_t i = 0; i < stream.size(); ++i) {
        reader.feed(stream.substr(i, 1));
        bool boundary =
            i + 1 == one.size() || i + 1 == one.size() + two.size() || i + 1 == stream.size();
        EXPECT_EQ(reader.next(frame),
                  boundary ? FrameReader::Status::frame : FrameReader::Status::need_more)
            << i;
        if (boundary) seen.push_back(frame.header.system_bytes);
        EXPECT_EQ(reader.in_frame(), !boundary) << i;
    }
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{1, 2, 1}));
    // All at once: three frames in a row.
    reader.feed(stream);
    int frames = 0;
    while (reader.next(frame) == FrameReader::Status::frame) ++frames;
    EXPECT_EQ(frames, 3);
    EXPECT_FALSE(reader.in_frame());
}

TEST(HsmsFrame, ReaderRefusesLengthsOutsideTheBounds) {
    struct Bad {
        std::string wire;
        const char* error;
    };
    const Bad cases[] = {
        {bytes({0, 0, 0, 0}), "frame length 0 is below 10"},
        {bytes({0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0}), "frame length 9 is below 10"},
        {bytes({0, 0, 0x01, 0x01}), "frame length 257 is above the limit of 256"},
        {bytes({0xFF, 0xFF, 0xFF, 0xFF}), "frame length 4294967295 is above the limit of 256"},
    };
    for (const Bad& c : cases) {
        FrameReader reader(256);
        reader.feed(c.wire);
        Frame frame;
        EXPECT_EQ(reader.next(frame), FrameReader::Status::error);
        EXPECT_EQ(reader.error(), c.error);
        // Once refused, nothing more is taken, whatever comes.
        reader.feed(encode_frame(control_header(SType::linktest_req, 1)));
        EXPECT_EQ(reader.next(frame), FrameReader::Status::error);
        EXPECT_FALSE(reader.in_frame());
    }
    // The limit itself is allowed.
    FrameReader reader(12);
    reader.feed(encode_frame(control_header(SType::data, 1), "ab"));
    Frame frame;
    EXPECT_EQ(reader.next(frame), FrameReader::Status::frame);
    EXPECT_EQ(frame.body, "ab");
}

}  // namespace
}  // namespace zor::secs
