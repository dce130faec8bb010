// Reading the lines of an edit text (a head line and SECS-II item lines),
// checking variable names and cutting a comment into three display parts.

#include <cstring>
#include <string>

#include "textscan/sjis.h"
#include "textscan/textscan.h"

namespace {

// Owns the fields of one split so that every return path releases them.
class Fields {
  public:
    explicit Fields(int capacity) : item_(new char*[capacity]()), capacity_(capacity) {}
    ~Fields() {
        free_item_mem(item_, count_);
        delete[] item_;
    }
    Fields(const Fields&) = delete;
    Fields& operator=(const Fields&) = delete;

    int split(const char* text, const char* sep, int max_len) {
        count_ = get_msg_field_item(text, item_, sep, capacity_, max_len);
        return count_;
    }
    int count() const { return count_; }
    // An absent field reads as empty.
    const char* operator[](int i) const { return i < count_ ? item_[i] : ""; }

  private:
    char** item_;
    int capacity_;
    int count_ = 0;
};

void copy_to(char* dst, const char* src) {
    if (dst != nullptr) std::memmove(dst, src, std::strlen(src) + 1);
}

bool is_letter(int c) { return a_ck(c) == 0; }

}  // namespace

extern "C" {

int API_examine_str_var(const char* text) {
    if (text == nullptr) return 1;
    const unsigned char first = static_cast<unsigned char>(text[0]);
    if (!(is_letter(first) || first == '_' || first == '@')) return 1;
    for (const char* p = text + 1; *p != 0; ++p) {
        const int c = static_cast<unsigned char>(*p);
        if (!(an_ck(c) == 0 || c == '[' || c == ']')) return 1;
    }
    return 0;
}

int API_get_edit_head(char* line, char* first, char* second, char* write_mark, char* end_mark) {
    if (line == nullptr) return -1;
    try {
        trim(line);
        Fields f(4);
        if (f.split(line, " \t", 128) < 2) return -1;
        copy_to(first, f[0]);
        copy_to(second, f[1]);
        copy_to(write_mark, " ");
        copy_to(end_mark, " ");
        if (f.count() > 2) {
            const int mark = upper_to_lower(static_cast<unsigned char>(f[2][0]));
            const bool single = f[2][1] == 0;
            if (single && mark == 'w') copy_to(write_mark, f[2]);
            if (single && mark == 'e') copy_to(end_mark, f[2]);
        }
        return 0;
    } catch (...) {
        return -1;
    }
}

int API_get_edit_item(char* line, char* format, char* size, char* second_size, char* value,
                      char* indent) {
    if (line == nullptr) return -1;
    try {
        size_t blanks = 0;
        while (line[blanks] == ' ' && blanks < 255) ++blanks;
        if (indent != nullptr) {
            std::memset(indent, ' ', blanks);
            indent[blanks] = 0;
        }
        copy_to(format, "");
        copy_to(size, "");
        copy_to(second_size, "");
        copy_to(value, "");

        trim(line);
        Fields f(128);
        if (f.split(line, "<>[]= \t", 10000) == 0) return -1;
        if (f[0][0] == '>') {
            copy_to(format, f[0]);
            return 0;
        }
        if (f[0][0] != '<') return -1;
        if (f[1][0] == 'L' || f[1][0] == 'l') {
            copy_to(format, f[1]);
            return 0;
        }
        if (f.count() <= 4) return -1;
        copy_to(format, f[1]);
        if (std::strcmp(f[2], "[") != 0 || std::strcmp(f[4], "]") != 0) return -1;
        copy_to(size, f[3]);

        int value_at = -1;
        if (f.count() > 5 && std::strcmp(f[5], ">") != 0) {
            if (std::strcmp(f[5], "=") == 0) {
                value_at = 6;
            } else {
                copy_to(second_size, f[5]);
                if (std::strcmp(f[6], "=") == 0) value_at = 7;
            }
        }
        if (value_at < 0 || value_at >= f.count()) return 0;
        copy_to(value, f[value_at]);

        const char kind = f[1][0];
        const bool text_format = kind == 'A' || kind == 'a' || kind == 'J' || kind == 'j';
        if (text_format && f[value_at][0] != 0) {
            // A text value must be closed on its own line: the next field is the '>'.
            if (f[value_at + 1][0] != '>') return 1;
            double_quoted_str(value);
        }
        return 0;
    } catch (...) {
        return -1;
    }
}

void API_divide_string_3(const char* text, int char_width, int width1, int width2, int width3,
                         char* part1, char* part2, char* part3) {
    (void)width3;  // the last part takes the rest, whatever its width
    if (part1 == nullptr || part2 == nullptr || part3 == nullptr) return;
    try {
        std::string src(text != nullptr ? text : "");
        strip_double_quote(src.data());
        src.resize(std::strlen(src.c_str()));

        size_t pos = 0;
        // Takes whole characters while the part is shorter than limit bytes.
        auto take = [&](std::string part, size_t limit_bytes, bool below) {
            while (pos < src.size()) {
                const size_t width = zor::textscan::char_width(src, pos);
                if (below ? part.size() >= limit_bytes : part.size() + width > limit_bytes) break;
                part.append(src, pos, width);
                pos += width;
            }
            return part;
        };
        const double cell = char_width + 0.2;
        const long limit1 = static_cast<long>(width1 / cell);
        const long limit2 = static_cast<long>(width2 / cell);
        const std::string p1 = take("// ", limit1 > 0 ? static_cast<size_t>(limit1) : 0, true);
        const std::string p2 = take("", limit2 > 0 ? static_cast<size_t>(limit2) : 0, true);
        const std::string p3 = take("", 256, false);
        copy_to(part1, p1.c_str());
        copy_to(part2, p2.c_str());
        copy_to(part3, p3.c_str());
    } catch (...) {
        part1[0] = part2[0] = part3[0] = 0;
    }
}

}  // extern "C"
