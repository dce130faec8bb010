#include "sim/spool.h"

#include <cstdio>
#include <filesystem>

#include "platform/platform.h"
#include "secs/hsms_frame.h"

namespace zor::sim {

SpoolStore::SpoolStore(std::string directory, std::size_t capacity) : capacity_(capacity) {
    if (!directory.empty()) file_ = (std::filesystem::path(directory) / "spool.dat").string();
}

bool SpoolStore::load(std::string& error) {
    messages_.clear();
    if (file_.empty() || !platform::file_exists(file_)) return true;
    std::string bytes;
    if (!platform::read_whole_file(file_, bytes, error)) return false;
    secs::FrameReader reader(16 * 1024 * 1024);
    reader.feed(bytes);
    secs::Frame frame;
    secs::FrameReader::Status status;
    while ((status = reader.next(frame)) == secs::FrameReader::Status::frame) {
        auto read = secs::read_message(frame);
        if (!read.ok()) break;
        if (messages_.size() < capacity_) messages_.push_back(read.message);
    }
    if (status == secs::FrameReader::Status::frame || reader.failed() || reader.in_frame()) {
        error = "damaged spool file " + file_ + " set aside as " + file_ + ".bad";
        platform::rename_replacing(file_, file_ + ".bad");
        messages_.clear();
        return false;
    }
    return true;
}

bool SpoolStore::add(const secs::Message& message) {
    if (full()) return false;
    if (!file_.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(file_).parent_path(), ec);
        std::FILE* f = std::fopen(file_.c_str(), "ab");
        if (!f) return false;
        std::string frame = secs::encode_message(message);
        bool ok = std::fwrite(frame.data(), 1, frame.size(), f) == frame.size();
        ok = std::fclose(f) == 0 && ok;
        if (!ok) return false;
    }
    messages_.push_back(message);
    return true;
}

std::vector<secs::Message> SpoolStore::take() {
    std::vector<secs::Message> out;
    out.swap(messages_);
    if (!file_.empty()) platform::remove_file(file_);
    return out;
}

}  // namespace zor::sim
