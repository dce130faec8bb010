// Escape encoding and decoding of strings and file names, and file-name
// helpers. Shift-JIS characters pass whole: a trail byte 0x5C is not a
// backslash.

#include <cstddef>
#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "textscan/sjis.h"
#include "textscan/textscan.h"

namespace {

struct Escape {
    int byte;
    int letter;
};

// \a stands for 0x01 here, not for the bell.
constexpr Escape kEscapes[] = {
    {0x01, 'a'}, {0x08, 'b'}, {0x09, 't'}, {0x0A, 'n'},  {0x0B, 'v'},
    {0x0C, 'f'}, {0x0D, 'r'}, {'"', '"'},  {'\'', '\''}, {'\\', '\\'},
};

constexpr size_t kMaxFileName = 255;

bool lead_at(const std::string& s, size_t i) { return zor::textscan::char_width(s, i) == 2; }

}  // namespace

extern "C" {

int API_ck_dflt_esc(int byte) {
    for (const Escape& e : kEscapes) {
        if (e.byte == byte) return e.letter;
    }
    return -1;
}

int API_get_esc_char(int letter) {
    for (const Escape& e : kEscapes) {
        if (e.letter == letter) return e.byte;
    }
    return -1;
}

int API_str_encode(char* dst, const char* src) {
    if (dst == nullptr || src == nullptr) return -1;
    try {
        const std::string in(src);  // dst may be src
        std::string out;
        out.reserve(in.size());
        for (size_t i = 0; i < in.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(in[i]);
            const int letter = API_ck_dflt_esc(c);
            if (lead_at(in, i)) {
                out += in[i];
                out += in[++i];
            } else if (letter >= 0) {
                out += '\\';
                out += static_cast<char>(letter);
            } else if (c > 30) {
                out += static_cast<char>(c);
            } else {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02x", c);
                out += hex;
            }
        }
        out.copy(dst, out.size());
        dst[out.size()] = 0;
        return static_cast<int>(out.size());
    } catch (...) {
        return -1;
    }
}

int API_str_decode(char* dst, const char* src) {
    if (dst == nullptr || src == nullptr) return -1;
    try {
        const std::string in(src);  // dst may be src
        std::string out;
        out.reserve(in.size());
        size_t i = 0;
        while (i < in.size()) {
            const size_t rest = in.size() - i;
            const char next = rest > 1 ? in[i + 1] : 0;
            if (lead_at(in, i)) {
                out.append(in, i, 2);
                i += 2;
            } else if (in[i] != '\\' || next == 0 || lead_at(in, i + 1)) {
                // A backslash before a Shift-JIS character or at the end stays alone.
                out += in[i++];
            } else if ((next == 'x' || next == 'X') && rest >= 4) {
                out += static_cast<char>(x2toi(in.c_str() + i + 2));
                i += 4;
            } else if ((next == 'd' || next == 'D') && rest >= 5) {
                out += static_cast<char>(a3toi(in.c_str() + i + 2));
                i += 5;
            } else if (API_get_esc_char(static_cast<unsigned char>(next)) >= 0) {
                out += static_cast<char>(API_get_esc_char(static_cast<unsigned char>(next)));
                i += 2;
            } else {
                out.append(in, i, 2);
                i += 2;
            }
        }
        out.copy(dst, out.size());
        dst[out.size()] = 0;
        return static_cast<int>(out.size());
    } catch (...) {
        return -1;
    }
}

void API_encode_file_name(char* path) {
    if (path == nullptr) return;
    try {
        const std::string in(path);
        std::string out;
        for (size_t i = 0; i < in.size();) {
            // A pair that is already doubled stays a pair, so encoding twice changes nothing.
            const bool pair = in[i] == '\\' && i + 1 < in.size() && in[i + 1] == '\\';
            const size_t width = (lead_at(in, i) || pair) ? 2 : 1;
            const std::string piece = in[i] == '\\' ? std::string("\\\\") : in.substr(i, width);
            if (out.size() + piece.size() > kMaxFileName) break;
            out += piece;
            i += width;
        }
        out.copy(path, out.size());
        path[out.size()] = 0;
    } catch (...) {
    }
}

void API_decode_file_name(char* path) {
    if (path == nullptr) return;
    strip_double_quote(path);
    try {
        const std::string in(path);
        std::string out;
        for (size_t i = 0; i < in.size() && out.size() < kMaxFileName;) {
            if (lead_at(in, i)) {
                if (out.size() + 2 > kMaxFileName) break;
                out.append(in, i, 2);
                i += 2;
            } else {
                const bool pair = in[i] == '\\' && i + 1 < in.size() && in[i + 1] == '\\';
                out += in[i];
                i += pair ? 2 : 1;
            }
        }
        out.copy(path, out.size());
        path[out.size()] = 0;
    } catch (...) {
    }
}

int API_ck_file_exist(const char* path) {
    if (path == nullptr) return 0;
    FILE* f = zor::platform::open_file(path, "rb");
    if (f == nullptr) return 0;
    std::fclose(f);
    return 1;
}

int API_rename_file(const char* path, const char* suffix) {
    if (path == nullptr || !API_ck_file_exist(path)) return 0;
    try {
        const std::string backup = std::string(path) + (suffix != nullptr ? suffix : "");
        if (API_ck_file_exist(backup.c_str())) zor::platform::remove_file(backup);
        if (!zor::platform::rename_replacing(path, backup)) return -1;
        std::printf("    Backup file %s ==> %s ", path, backup.c_str());
        return 0;
    } catch (...) {
        return -1;
    }
}

void get_file_name(char* dst, const char* path) {
    if (dst == nullptr) return;
    size_t n = 0;
    for (; path != nullptr && path[n] != 0 && path[n] != '.'; ++n) dst[n] = path[n];
    dst[n] = 0;
}

void get_ext_name(char* dst, const char* path) {
    if (dst == nullptr) return;
    const char* dot = path != nullptr ? scan_char(path, '.') : nullptr;
    const char* src = dot != nullptr ? dot + 1 : "   ";
    size_t n = 0;
    for (; src[n] != 0; ++n) dst[n] = src[n];
    dst[n] = 0;
}

}  // extern "C"
