// Splitting a source line into fields: quotes, escapes, "//" comments, ".."
// ranges and sign fields. Every splitter is one loop driven by a rule set.

#include "textscan/field_split.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "textscan/sjis.h"
#include "textscan/textscan.h"

namespace {

// The only state kept between calls: the trace of get_str_field_item.
int g_trace = 0;

struct SplitRules {
    bool split_range;      // ".." becomes a field of its own
    bool strip_quotes;     // one pair of enclosing quotes removed per field
    bool cut_comment;      // "//" ends the line
    bool blank_for_comma;  // a ',' at an empty field gives a field " "
    bool sign_field;       // a leading sign gets a "0" field before it
    bool minus_is_sign;    // '-' counts as a sign as well as '+'
    bool trace;
};

SplitRules rules_for_mode(int mode) {
    switch (mode) {
        case 0: return {true, true, true, false, true, false, false};
        case 1: return {true, true, true, false, true, true, false};
        case 3: return {false, false, false, true, true, false, false};
        default:  // 2, 5 and anything unknown
            return {false, true, true, false, true, false, false};
    }
}

bool is_blank(unsigned char c) { return c == ' ' || c == '\t'; }

void trace(const SplitRules& r, const char* text) {
    if (r.trace) std::fputs(text, stdout);
}

using zor::textscan::is_lead_byte;
using zor::textscan::starts_pair;

// Bytes the splitter must look at one by one whatever the separators.
struct SpecialBytes {
    bool has[256] = {};
    SpecialBytes() {
        for (int c = 0; c < 256; ++c) has[c] = is_lead_byte(static_cast<unsigned char>(c));
        for (unsigned char c : {'\0', '\r', '\n', '\\', '"', '/', '.'}) has[c] = true;
    }
};

// Where the fields go: malloc'ed C strings for the C functions, a reused
// vector for the compiler's hot loop.
struct CArraySink {
    char** item;
    bool store(int count, const std::string& field) {
        char* copy = static_cast<char*>(std::malloc(field.size() + 1));
        if (copy == nullptr) return false;
        std::memcpy(copy, field.c_str(), field.size() + 1);
        item[count] = copy;
        return true;
    }
};

struct VectorSink {
    std::vector<std::string>& fields;
    bool store(int count, const std::string& field) {
        if (static_cast<size_t>(count) < fields.size())
            fields[static_cast<size_t>(count)] = field;
        else
            fields.push_back(field);
        return true;
    }
};

template <typename Sink>
int split(const char* text, Sink sink, const char* sep, int max_item, int max_len,
          const SplitRules& r) {
    if (text == nullptr || max_item <= 0 || max_len <= 0) return 0;
    if (sep == nullptr) sep = "";
    bool separator[256] = {};
    for (const char* s = sep; *s; ++s) separator[static_cast<unsigned char>(*s)] = true;
    auto is_sep = [&separator](unsigned char c) { return separator[c]; };
    // Bytes that need the careful path below; runs of all others are copied
    // in one go (most of a source line).
    static const SpecialBytes fixed_special;
    auto special = [&](unsigned char c) { return fixed_special.has[c] || separator[c]; };
    if (r.trace) std::printf("get_str  buf=%s", text);

    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    int count = 0;
    char previous_first = 0;  // first character of the field stored last
    bool line_end = false;
    while (count < max_item && !line_end && *p != 0) {
        std::string field;
        bool quoted = false;
        bool field_end = false;
        bool after_slash = false;  // the last thing appended was a plain '/'
        while (static_cast<int>(field.size()) < max_len && !field_end && *p != 0) {
            if (!quoted && !r.trace && !special(*p)) {
                const unsigned char* run = p;
                const unsigned char* limit = p + (max_len - static_cast<int>(field.size()));
                while (run < limit && !special(*run)) ++run;
                field.append(reinterpret_cast<const char*>(p), static_cast<size_t>(run - p));
                p = run;
                after_slash = false;
                continue;
            }
            const unsigned char c = *p;
            // A Shift-JIS character or an escape is one unit that is never split; one that
            // does not fit ends the field and begins the next (an empty field takes it anyway).
            // A lead byte without its trail byte is an ordinary byte.
            const bool pair = starts_pair(reinterpret_cast<const char*>(p));
            int unit = 1;
            if (pair || (c == '\\' && p[1] != 0)) unit = 2;
            if (c == '\\' && p[1] == 'x') {
                while (unit < 4 && p[unit] != 0) ++unit;  // \xNN: its digits are no separators
            }
            if (!field.empty() && static_cast<int>(field.size()) + unit > max_len) break;
            if (r.trace) std::printf("%c(0x%02x)", c, c);
            const bool slash_before = after_slash;
            after_slash = false;
            if (c == '\r' || c == '\n') {
                ++p;
                field_end = line_end = true;
            } else if (pair || c == '\\') {
                trace(r, pair ? "kanji" : "\\");
                field.append(reinterpret_cast<const char*>(p), static_cast<size_t>(unit));
                p += unit;
            } else if (quoted) {
                field += static_cast<char>(*p++);
                if (c == '"') {
                    trace(r, " \" flag=1 -->0");
                    quoted = false;
                }
            } else if (c == '"') {
                trace(r, " \" flag=0 -->1");
                field += static_cast<char>(*p++);
                quoted = true;
            } else if (is_sep(c)) {
                if (c == ',') {
                    ++p;
                    if (field.empty() && r.blank_for_comma) field.push_back(' ');
                } else if (field.empty()) {
                    field += static_cast<char>(*p++);
                }
                field_end = true;
            } else if (c == '/' && slash_before) {
                if (r.cut_comment) {
                    field.pop_back();
                    field_end = line_end = true;
                } else {
                    field += static_cast<char>(*p++);
                    after_slash = true;
                }
            } else if (c == '.' && p[1] == '.' && r.split_range) {
                if (field.empty()) {
                    field = "..";
                    p += 2;
                }
                field_end = true;
            } else {
                field += static_cast<char>(*p++);
                after_slash = (c == '/');
            }
        }

        // Trailing blanks go, but never the first character of a field.
        while (field.size() > 1 && is_blank(static_cast<unsigned char>(field.back()))) {
            field.pop_back();
        }
        if (!field.empty()) {
            const bool sign = field[0] == '+' || (r.minus_is_sign && field[0] == '-');
            if (r.sign_field && sign && (count == 0 || (count >= 2 && previous_first == '('))) {
                if (!sink.store(count, "0")) return count;
                ++count;
            }
            if (r.strip_quotes && field.size() >= 2 && field.front() == '"' &&
                field.back() == '"') {
                field = field.substr(1, field.size() - 2);
            }
            // The "0" may have taken the last free slot; the array is never overrun.
            if (count < max_item) {
                if (!sink.store(count, field)) return count;
                ++count;
                previous_first = field[0];
            }
        }
        while (is_blank(*p)) ++p;
    }
    return count;
}

}  // namespace

namespace zor::textscan {

int split_fields(int mode, const char* text, std::vector<std::string>& fields, const char* sep,
                 int max_item, int max_len) {
    int count = split(text, VectorSink{fields}, sep, max_item, max_len, rules_for_mode(mode));
    fields.resize(static_cast<size_t>(count));
    return count;
}

}  // namespace zor::textscan

extern "C" {

int get_field_item_common(int mode, const char* text, char** item, const char* sep, int max_item,
                          int max_len) {
    try {
        if (item == nullptr) return 0;
        return split(text, CArraySink{item}, sep, max_item, max_len, rules_for_mode(mode));
    } catch (...) {
        return 0;
    }
}

int get_field_item(const char* text, char** item, const char* sep, int max_item, int max_len) {
    return get_field_item_common(0, text, item, sep, max_item, max_len);
}

int get_field_item_v(const char* text, char** item, const char* sep, int max_item, int max_len) {
    return get_field_item_common(1, text, item, sep, max_item, max_len);
}

int get_msg_field_item(const char* text, char** item, const char* sep, int max_item, int max_len) {
    return get_field_item_common(2, text, item, sep, max_item, max_len);
}

int get_field_item_c(const char* text, char** item, const char* sep, int max_item, int max_len) {
    return get_field_item_common(5, text, item, sep, max_item, max_len);
}

int get_str_field_item(int comment_flag, const char* text, char** item, const char* sep,
                       int max_item, int max_len) {
    const SplitRules r{true, false, comment_flag == 0, false, false, false, g_trace != 0};
    try {
        if (item == nullptr) return 0;
        return split(text, CArraySink{item}, sep, max_item, max_len, r);
    } catch (...) {
        return 0;
    }
}

void free_item_mem(char** item, int count) {
    if (item == nullptr) return;
    for (int i = 0; i < count; ++i) {
        std::free(item[i]);
        item[i] = nullptr;
    }
}

int API_set_debug(int flag) {
    g_trace = flag;
    return flag;
}

}  // extern "C"
