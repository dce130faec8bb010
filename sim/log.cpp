#include "sim/log.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "platform/platform.h"
#include "secs/sml.h"

namespace zor::sim {
namespace {

void append_now(std::string& out) {
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
    std::tm tm = platform::local_time(t);
    char buffer[80];
    int n = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d.%03d ",
                          tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                          tm.tm_sec, static_cast<int>(ms.count()));
    out.append(buffer, static_cast<size_t>(n));
}

void append_head(std::string& out, bool incoming, const secs::Message& m) {
    char head[32];
    int n = std::snprintf(head, sizeof head, "%s S%uF%u%s [%08X]", incoming ? "<-" : "->", m.stream,
                          m.function, m.wait ? " W" : "", m.system_bytes);
    out.append(head, static_cast<size_t>(n));
}

void append_message(std::string& out, bool incoming, const secs::Message& m) {
    append_head(out, incoming, m);
    if (m.body) {
        out += ' ';
        secs::append_sml(out, *m.body);
    }
}

int count_lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    int n = 0;
    for (std::string line; std::getline(in, line);) ++n;
    return n;
}

}  // namespace

Log::~Log() {
    if (file_) std::fclose(file_);
}

bool Log::open(const std::string& path, int max_lines, std::string& error) {
    std::error_code ec;
    auto dir = std::filesystem::path(path).parent_path();
    if (!dir.empty()) std::filesystem::create_directories(dir, ec);
    std::FILE* f = std::fopen(path.c_str(), "ab");
    if (!f) {
        error = "cannot open the log " + path;
        return false;
    }
    if (file_) std::fclose(file_);
    file_ = f;
    path_ = path;
    max_lines_ = max_lines;
    lines_ = count_lines(path);
    return true;
}

std::string Log::message_text(bool incoming, const secs::Message& m) {
    std::string text;
    append_message(text, incoming, m);
    return text;
}

// Entries are built in one buffer kept from entry to entry: a message of
// many values must not cost fresh memory each time.
void Log::note(const std::string& text) {
    line_.clear();
    append_now(line_);
    line_ += "-- ";
    line_ += text;
    write();
}

void Log::message(bool incoming, const secs::Message& m) {
    line_.clear();
    append_now(line_);
    append_message(line_, incoming, m);
    write();
}

void Log::message(bool incoming, const secs::Message& m, std::string_view body_sml) {
    line_.clear();
    append_now(line_);
    append_head(line_, incoming, m);
    line_ += ' ';
    write(body_sml);
}

void Log::flush() {
    if (to_stdout_) std::fflush(stdout);
    if (file_) std::fflush(file_);
}

void Log::write(std::string_view tail) {
    const std::string& line = line_;
    if (to_stdout_) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        if (!tail.empty()) std::fwrite(tail.data(), 1, tail.size(), stdout);
        std::fputc('\n', stdout);
    }
    if (!file_) return;
    if (max_lines_ > 0 && lines_ >= max_lines_) {
        std::fclose(file_);
        file_ = nullptr;
        // A log that cannot be rotated is kept and written on, not emptied.
        bool rotated = platform::rename_replacing(path_, path_ + ".1");
        file_ = std::fopen(path_.c_str(), rotated ? "wb" : "ab");
        lines_ = 0;
        if (!file_) return;
    }
    std::fwrite(line.data(), 1, line.size(), file_);
    if (!tail.empty()) std::fwrite(tail.data(), 1, tail.size(), file_);
    std::fputc('\n', file_);
    ++lines_;
}

}  // namespace zor::sim
