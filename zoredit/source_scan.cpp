#include "zoredit/source_scan.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <optional>

#include "textscan/field_split.h"
#include "textscan/fold_case.h"
#include "textscan/item_formats.h"
#include "textscan/numbers.h"
#include "textscan/sjis.h"
#include "textscan/textscan.h"
#include "zoredit/source_line.h"
#include "zoredit/text_util.h"
#include "zoredit/values.h"

namespace zor::edit {
namespace {

using textscan::is_lead_byte;
using textscan::is_trail_byte;

constexpr size_t kMaxPiece = 4095;

struct BlockKeyword {
    std::string_view keyword;
    Kind kind;
};
constexpr BlockKeyword kBlockKeywords[] = {
    {"def_ec", Kind::EC},    {"def_sv", Kind::SV},    {"def_dv", Kind::DV},
    {"def_ce", Kind::CE},    {"def_alarm", Kind::AL}, {"def_report", Kind::RP},
    {"def_pp", Kind::PP},    {"def_fpp", Kind::FP},   {"def_rcp", Kind::RC},
    {"def_spool", Kind::SP}, {"def_trace", Kind::TR},
};

// How the compiler reads an item's values.
enum class Reading {
    Text,       // the first value as written
    Id,         // s_atoi of the first value
    Number,     // decimal value of the first value
    Byte,       // its low byte
    Limit,      // three values, five fields at least
    Format,     // a format specification
    Formatted,  // a format specification and the value after it
    RaisedId,   // the same, sizes raised to the value's length
    SizeOnly,   // the same, the maximum size not kept
};

struct KeyRule {
    std::string_view key;
    Reading reading;
    int order_class;  // keys sharing a class depend on each other's order
};

// Every key is its own class but these: a list variable's element count
// comes from `nominal` read after `format` and takes the `vid` lines after
// it; a parameter belongs to the command code or name before it.
constexpr KeyRule kKeyRules[] = {
    {"ecid", Reading::Id, 1},
    {"svid", Reading::Id, 1},
    {"dvid", Reading::Id, 1},
    {"ceid", Reading::Id, 1},
    {"alid", Reading::Id, 1},
    {"rptid", Reading::Id, 1},
    {"format", Reading::Format, 2},
    {"nominal", Reading::Text, 2},
    {"vid", Reading::Text, 2},
    {"units", Reading::Text, 3},
    {"min", Reading::Text, 4},
    {"max", Reading::Text, 5},
    {"limit", Reading::Limit, 6},
    {"event", Reading::Text, 7},
    {"enabled", Reading::Text, 8},
    {"rptname", Reading::Text, 9},
    {"vname", Reading::Text, 10},
    {"alcd", Reading::Text, 11},
    {"altx", Reading::Text, 12},
    {"ce_on", Reading::Text, 13},
    {"ce_off", Reading::Text, 14},
    {"stream", Reading::Byte, 15},
    {"function", Reading::Byte, 16},
    {"ppid", Reading::RaisedId, 17},
    {"ppbody", Reading::Formatted, 18},
    {"mdln", Reading::Text, 19},
    {"softrev", Reading::Text, 20},
    {"ccode", Reading::Formatted, 21},
    {"pparam", Reading::Formatted, 21},
    {"rcpid", Reading::Text, 22},
    {"rcpbody", Reading::Text, 23},
    {"rcpparname", Reading::Text, 24},
    {"rcpparval", Reading::SizeOnly, 24},
    {"trid", Reading::Formatted, 25},
    {"dsper", Reading::Text, 26},
    {"totsmp", Reading::Number, 27},
    {"repgsz", Reading::Number, 28},
    {"svname", Reading::Text, 29},
};

// The format and the element names a variable keeps, one entry each.
constexpr int kFormatClass = 30;
constexpr int kElementsClass = 31;

const KeyRule* find_rule(const std::string& folded_key) {
    for (const auto& r : kKeyRules)
        if (r.key == folded_key) return &r;
    return nullptr;
}

// Values are length-prefixed so that no text can pose as two.
void put(std::string& out, std::string_view value) {
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value.size()).ptr);
    out += ':';
    out += value;
}
void put(std::string& out, int64_t value) {
    char digits[24];
    put(out, std::string_view(digits, std::to_chars(digits, digits + sizeof digits, value).ptr));
}

struct Spec {
    int code = kFormatInvalid;
    int32_t size = 0, max_size = 0;
    size_t value_index = 6;  // where a value after the specification stands
};

// As the compiler reads a specification from fields[2] on.
Spec read_spec(const std::vector<std::string_view>& f) {
    Spec spec;
    int code = f.size() > 2 ? textscan::source_format_code(f[2]) : -1;
    if (code < 0) return spec;
    if (f.size() < 6) {
        spec.code = code;
        spec.size = 1;
        return spec;
    }
    bool long_form = f.size() >= 8;
    if (f[3] != "[" || f[long_form ? 7 : 5] != "]") return spec;
    spec.code = code;
    spec.size = decimal_value(f[4]);
    if (!long_form) {
        spec.max_size = spec.size;
    } else if (code == kFormatAscii && f[5] == "..") {
        spec.max_size = decimal_value(f[6]);
        spec.value_index = 8;
    }
    return spec;
}

void put(std::string& out, const Spec& spec) {
    put(out, spec.code);
    put(out, spec.size);
    put(out, spec.max_size);
}

std::string folded(const std::string& text) { return fold_name(text); }

bool is_blank_or_tab(char c) { return c == ' ' || c == '\t'; }

// The line as the compiler's reader gives it (a CR LF end reads as LF),
// trimmed, in `out`.
void read_trimmed(std::string_view physical, std::string& out) {
    out.assign(physical);
    if (out.size() >= 2 && out[out.size() - 2] == '\r' && out.back() == '\n') {
        out.pop_back();
        out.back() = '\n';
    }
    trim(out.data());
    out.resize(std::strlen(out.c_str()));
}

// A line between blocks that the compiler passes over as a comment.
bool is_comment(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && is_blank_or_tab(line[i])) ++i;
    return (!line.empty() && line[0] == '/') ||
           (i + 1 < line.size() && line[i] == '/' && line[i + 1] == '/');
}

// A format the compiler refuses in a variable block, a counted error.
bool format_refused(int code, int revision) {
    return code == kFormatInvalid || (revision == 2 && code == kFormatListEnd);
}

// A variable block's items with its `format` lines replaced by the format
// the block keeps and its `vid` lines by the element names it keeps, as the compiler's list
// handling goes: the count comes from `nominal` while the format is a list (revision 2), names past
// it or outside a list are refused, and the names count only when as many
// as the count. Nothing when a line would be a counted error.
std::optional<std::vector<ItemMeaning>> variable_items(Kind kind, int revision,
                                                       const std::vector<ItemMeaning>& items) {
    std::vector<ItemMeaning> out;
    out.reserve(items.size());
    int code = kFormatList;
    int32_t count = 0;
    std::vector<const std::string*> names;
    // The last format counts; without one the block keeps a list of size 0.
    ItemMeaning format;
    format.order_class = kFormatClass;
    format.text = "format=";
    put(format.text, Spec{kFormatList, 0, 0});
    for (const auto& m : items) {
        if (m.key == "format") {
            if (format_refused(m.code, revision)) return std::nullopt;
            code = m.code;
            format.text = m.text;
            continue;
        } else if (m.key == "nominal") {
            if (revision == 2 && code == kFormatList) {
                count = decimal_value(m.value);
                names.clear();
            }
        } else if (m.key == "vid") {
            bool refused =
                revision == 1 || code != kFormatList || static_cast<int32_t>(names.size()) >= count;
            // Refusals count as errors in def_ec and in revision 1.
            if (refused && (revision == 1 || kind == Kind::EC)) return std::nullopt;
            if (!refused) names.push_back(&m.value);
            continue;
        }
        out.push_back(m);
    }
    out.push_back(std::move(format));
    if (revision == 2 && code == kFormatList && !names.empty() &&
        static_cast<int32_t>(names.size()) == count) {
        ItemMeaning list;
        list.order_class = kElementsClass;
        list.text = "vid=";
        for (const auto* n : names) put(list.text, *n);
        out.push_back(std::move(list));
    }
    return out;
}

}  // namespace

ItemMeaning item_meaning(const std::vector<std::string>& fields) {
    std::vector<std::string_view> views(fields.begin(), fields.end());
    return item_meaning(views);
}

ItemMeaning item_meaning(const std::vector<std::string_view>& f) {
    ItemMeaning m;
    std::string key = textscan::fold_case(f[0]);
    const KeyRule* rule = find_rule(key);
    m.text.reserve(64);
    m.text = key;
    m.text += '=';
    if (!rule) {
        // Not a key the writer writes: kept whole, so it matches nothing.
        m.order_class = -1;
        for (size_t i = 1; i < f.size(); ++i) put(m.text, f[i]);
        return m;
    }
    m.order_class = rule->order_class;
    if (key == "format" || key == "nominal" || key == "vid") m.key = key;
    if (key == "nominal" || key == "vid") m.value = f[2];
    switch (rule->reading) {
        case Reading::Text: put(m.text, f[2]); break;
        case Reading::Id: put(m.text, textscan::integer_value(f[2])); break;
        case Reading::Number: put(m.text, decimal_value(f[2])); break;
        case Reading::Byte: put(m.text, decimal_value(f[2]) & 0xff); break;
        case Reading::Limit:
            if (f.size() < 5) {
                m.text += '!';
                break;
            }
            put(m.text, f[2]);
            put(m.text, f[3]);
            put(m.text, f[4]);
            break;
        case Reading::Format: {
            Spec spec = read_spec(f);
            m.code = spec.code;
            put(m.text, spec);
            break;
        }
        case Reading::Formatted:
        case Reading::RaisedId:
        case Reading::SizeOnly: {
            Spec spec = read_spec(f);
            if (f.size() <= 6 || spec.value_index >= f.size()) {
                m.text += '!';
                break;
            }
            std::string_view value = f[spec.value_index];
            if (rule->reading == Reading::RaisedId) {
                auto length = static_cast<int32_t>(value.size());
                spec.size = std::max(spec.size, length);
                spec.max_size = std::max(spec.max_size, length);
            }
            if (rule->reading == Reading::SizeOnly) spec.max_size = 0;
            put(m.text, spec);
            put(m.text, value);
            break;
        }
    }
    return m;
}

bool items_accepted(Kind kind, int revision, const std::vector<ItemMeaning>& items) {
    if (kind > Kind::DV) return true;
    // Without element names only a format can be refused.
    if (std::none_of(items.begin(), items.end(),
                     [](const ItemMeaning& m) { return m.key == "vid"; }))
        return std::none_of(items.begin(), items.end(), [&](const ItemMeaning& m) {
            return m.key == "format" && format_refused(m.code, revision);
        });
    return variable_items(kind, revision, items).has_value();
}

bool same_items(Kind kind, int revision, const std::vector<ItemMeaning>& a,
                const std::vector<ItemMeaning>& b) {
    if (a == b) return items_accepted(kind, revision, a);
    std::vector<ItemMeaning> ca, cb;
    if (kind <= Kind::DV) {
        auto va = variable_items(kind, revision, a), vb = variable_items(kind, revision, b);
        if (!va || !vb) return false;
        ca = std::move(*va);
        cb = std::move(*vb);
    }
    const auto& xa = kind <= Kind::DV ? ca : a;
    const auto& xb = kind <= Kind::DV ? cb : b;
    if (xa.size() != xb.size()) return false;
    auto by_class = [](const std::vector<ItemMeaning>& v) {
        std::vector<const ItemMeaning*> p;
        p.reserve(v.size());
        for (const auto& m : v) p.push_back(&m);
        std::stable_sort(p.begin(), p.end(), [](const ItemMeaning* x, const ItemMeaning* y) {
            return x->order_class < y->order_class;
        });
        return p;
    };
    auto pa = by_class(xa), pb = by_class(xb);
    for (size_t i = 0; i < pa.size(); ++i)
        if (!(*pa[i] == *pb[i])) return false;
    return true;
}

namespace {

// The line as the main loop splits it: read (a final CR LF as LF), its
// line end taken off by remove_cr_lf (the last two CR or LF), trimmed.
std::string_view head_text(std::string_view line) {
    size_t n = line.size();
    auto is_end = [&](size_t k) { return line[k] == '\n' || line[k] == '\r'; };
    if (n >= 2 && line[n - 2] == '\r' && line[n - 1] == '\n') {
        n -= 2;
        if (n > 0 && is_end(n - 1)) --n;
    } else {
        for (int i = 0; i < 2 && n > 0 && is_end(n - 1); ++i) --n;
    }
    size_t from = 0;
    while (from < n && is_blank_or_tab(line[from])) ++from;
    while (n > from && is_blank_or_tab(line[n - 1])) --n;
    return line.substr(from, n - from);
}

bool is_word_byte(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The length of a line as the compiler's reader gives it (CR LF reads as LF).
size_t read_length(std::string_view line) {
    size_t n = line.size();
    return n >= 2 && line[n - 2] == '\r' && line[n - 1] == '\n' ? n - 1 : n;
}

}  // namespace

namespace {

// Lines of words, blanks and a final brace (block headers) are split here,
// into views of the line; false for any other line, which goes through the
// compiler's splitter (split_header).
bool plain_header_fields(std::string_view line, std::vector<std::string_view>& fields) {
    static const auto word = [] {
        std::array<bool, 256> w{};
        for (int c = 0; c < 256; ++c) w[c] = is_word_byte(static_cast<unsigned char>(c));
        return w;
    }();
    std::string_view t = head_text(line);
    const bool brace = !t.empty() && t.back() == '{';
    const size_t n = t.size() - (brace ? 1 : 0);
    fields.clear();
    for (size_t at = 0; at < n;) {
        if (t[at] == ' ' || t[at] == '\t') {
            ++at;
            continue;
        }
        size_t end = at;
        while (end < n && word[static_cast<unsigned char>(t[end])]) ++end;
        if (end == at) return false;  // neither a word nor a blank
        fields.push_back(t.substr(at, end - at));
        at = end;
    }
    if (brace) fields.push_back(t.substr(n));
    if (fields.size() > static_cast<size_t>(kMaxFields)) fields.resize(kMaxFields);
    return true;
}

void split_header(std::string_view line, std::vector<std::string>& fields) {
    std::string head(head_text(line));
    textscan::split_fields(0, head.c_str(), fields, kHeaderSeparators, kMaxFields, kMaxFieldLength);
}

}  // namespace

void header_fields(std::string_view line, std::vector<std::string>& fields) {
    std::vector<std::string_view> views;
    if (plain_header_fields(line, views))
        fields.assign(views.begin(), views.end());
    else
        split_header(line, fields);
}

bool scan_source(std::string_view text, int revision, ScannedSource& out) {
    out = {};
    if (text.find('\0') != std::string_view::npos || text.size() > UINT32_MAX) return false;
    out.lines.reserve(text.size() / 16);
    out.blocks.reserve(text.size() / 128);
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        end = end == std::string_view::npos ? text.size() : end + 1;
        if (end - at > kMaxPiece && read_length(text.substr(at, end - at)) > kMaxPiece)
            return false;
        out.lines.emplace_back(at, end);
        at = end;
    }
    for (const auto& [b, e] : out.lines) {
        if (e - b >= 2 && text[e - 2] == '\r' && text[e - 1] == '\n') break;
        if (text[e - 1] == '\n') {
            out.crlf = false;
            break;
        }
    }

    std::vector<std::string> split;
    std::vector<std::string_view> fields;
    auto line_at = [&](size_t i) { return out.line(text, i); };
    // The compiler ends a body, and a skipped stretch, at a line whose first
    // character after blanks and tabs is a closing brace.
    auto is_close = [&](size_t i) {
        std::string_view l = line_at(i);
        size_t first = 0;
        while (first < l.size() && is_blank_or_tab(l[first])) ++first;
        return first < l.size() && l[first] == '}';
    };
    size_t after_block = 0;  // first line after the last block's closing brace
    for (size_t i = 0; i < out.lines.size(); ++i) {
        std::string_view line = line_at(i);
        if (line[0] == '/') continue;
        size_t first = 0;
        while (first < line.size() && is_blank_or_tab(line[first])) ++first;
        if (first == line.size() || line[first] == '\r' || line[first] == '\n') continue;
        if (!plain_header_fields(line, fields)) {
            split_header(line, split);
            fields.assign(split.begin(), split.end());
        }
        if (fields.empty()) continue;
        if (textscan::folds_equal(fields[0], "rev_no")) {
            int value = fields.size() > 2 ? textscan::integer_value(fields[2]) : 0;
            revision = value == 1 || value == 2 ? value : 1;
            continue;
        }
        if (fields.size() != 3 || fields[2].empty() || fields[2][0] != '{') {
            // The compiler skips through the next closing brace.
            while (++i < out.lines.size() && !is_close(i)) {
            }
            after_block = i + 1;
            continue;
        }
        auto kw = std::find_if(
            std::begin(kBlockKeywords), std::end(kBlockKeywords),
            [&](const BlockKeyword& k) { return textscan::folds_equal(fields[0], k.keyword); });
        if (kw == std::end(kBlockKeywords)) return false;

        ScannedBlock block;
        block.kind = kw->kind;
        block.name = fields[1];
        block.header = i;
        block.revision = revision;
        block.lead = i;
        while (block.lead > after_block && is_comment(line_at(block.lead - 1))) --block.lead;
        while (++i < out.lines.size() && !is_close(i)) {
        }
        if (i >= out.lines.size()) return false;
        block.close = i;
        after_block = i + 1;
        out.blocks.push_back(std::move(block));
    }
    out.end_revision = revision;
    return true;
}

void item_fields(std::string_view line, std::vector<std::string>& fields) {
    // Reused: this runs for every item line that differs from the writer's.
    thread_local std::string item;
    read_trimmed(line, item);
    textscan::split_fields(0, item.c_str(), fields, kItemSeparators, kMaxFields, kMaxFieldLength);
    for (auto& field : fields)
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
            field.pop_back();
            field.erase(0, 1);
        }
}

namespace {

// Bytes the reduction looks at one by one; runs of the others are copied.
struct ReducedBytes {
    bool special[256] = {};
    ReducedBytes() {
        for (int c = 0; c < 256; ++c) special[c] = is_lead_byte(static_cast<unsigned char>(c));
        for (unsigned char c : {' ', '\t', '"', '\\', '/', '\r', '\n', '\0'}) special[c] = true;
    }
};

// Follows the splitter's units (a Shift-JIS pair, an escape, "\xNN") and
// quotes; outside quotes a blank or tab only ever ends a field or is passed
// over, and "//" ends the line, so only those are changed. No field of a
// line this short is ever cut at the field length limit.
// `out` takes the reduced text byte by byte (`put`, false to stop) and says
// how much it has taken (`size`).
template <class Out>
bool reduce(std::string_view line, Out& out) {
    static const ReducedBytes bytes;
    size_t n = line.size();
    if (n >= 2 && line[n - 2] == '\r' && line[n - 1] == '\n')
        n -= 2;
    else if (n >= 1 && line[n - 1] == '\n')
        --n;
    static_assert(kMaxPiece < static_cast<size_t>(kMaxFieldLength));
    if (n > kMaxPiece) return false;
    const char* from = line.data();
    bool quoted = false, blank = false;
    for (size_t i = 0; i < n;) {
        const auto c = static_cast<unsigned char>(from[i]);
        if (!bytes.special[c]) {
            // Byte by byte: runs are a few bytes long, too short for memcpy.
            if (blank && out.size() > 0 && !out.put(' ')) return false;
            blank = false;
            do
                if (!out.put(from[i++])) return false;
            while (i < n && !bytes.special[static_cast<unsigned char>(from[i])]);
            continue;
        }
        if (!quoted && (c == ' ' || c == '\t')) {
            // A run of blanks: alignment, most of the special bytes of a line.
            blank = true;
            do ++i;
            while (i < n && (from[i] == ' ' || from[i] == '\t'));
            continue;
        }
        size_t unit = 1;
        if (c == '\r' || c == '\n' || c == '\0') {
            return false;
        } else if (i + 1 < n && is_lead_byte(c) &&
                   is_trail_byte(static_cast<unsigned char>(from[i + 1]))) {
            unit = 2;
        } else if (c == '\\') {
            unit = i + 1 < n && from[i + 1] == 'x' ? 4 : 2;
            if (i + unit > n) return false;
            for (size_t k = 1; k < unit; ++k)
                if (from[i + k] == '\r' || from[i + k] == '\n' || from[i + k] == '\0') return false;
        } else if (!quoted && c == '/' && i + 1 < n && from[i + 1] == '/') {
            break;
        }
        if (blank && out.size() > 0 && !out.put(' ')) return false;
        blank = false;
        if (c == '"') quoted = !quoted;
        for (size_t end = i + unit; i < end;)
            if (!out.put(from[i++])) return false;
    }
    return true;
}

// Never longer than the line: written in place, cut to size at the end.
struct ToBuffer {
    char* to;
    size_t length = 0;
    bool put(char c) {
        to[length++] = c;
        return true;
    }
    size_t size() const { return length; }
};

// Compared as it comes, up to the first difference.
struct AgainstText {
    std::string_view text;
    size_t at = 0;
    bool put(char c) { return at < text.size() && text[at++] == c; }
    size_t size() const { return at; }
};

}  // namespace

bool reduced_item_line(std::string_view line, std::string& out) {
    out.resize(line.size());
    ToBuffer buffer{out.data()};
    if (!reduce(line, buffer)) return false;
    out.resize(buffer.length);
    return true;
}

bool reduces_to(std::string_view line, std::string_view text) {
    AgainstText against{text};
    return reduce(line, against) && against.at == text.size();
}

namespace {

bool is_item_separator(unsigned char c) {
    static const auto table = [] {
        std::array<bool, 256> t{};
        for (const char* p = kItemSeparators; *p; ++p) t[static_cast<unsigned char>(*p)] = true;
        return t;
    }();
    return table[c];
}

}  // namespace

bool reduced_fields(std::string_view r, std::vector<std::string_view>& fields) {
    auto strip = [](std::string_view f) {
        return f.size() >= 2 && f.front() == '"' && f.back() == '"' ? f.substr(1, f.size() - 2) : f;
    };
    auto is_range = [&](size_t i) { return r[i] == '.' && i + 1 < r.size() && r[i + 1] == '.'; };
    fields.clear();
    const size_t n = r.size();
    for (size_t i = 0; i < n;) {
        const char c = r[i];
        if (c == ' ' || c == ',') {  // between fields; an empty field is not kept
            ++i;
            continue;
        }
        size_t start = i;
        if (c == ':' || c == '{' || c == '}' || c == '[' || c == ']' || is_range(i)) {
            i += c == '.' ? 2 : 1;  // a field of its own
        } else {
            if (c == '+') return false;  // a sign field: the splitter adds a "0"
            bool quoted = false;
            while (i < n) {
                const auto u = static_cast<unsigned char>(r[i]);
                size_t unit = 1;
                if (i + 1 < n && is_lead_byte(u) &&
                    is_trail_byte(static_cast<unsigned char>(r[i + 1])))
                    unit = 2;
                else if (u == '\\')
                    unit = i + 1 < n && r[i + 1] == 'x' ? 4 : 2;
                else if (quoted)
                    quoted = u != '"';
                else if (u == '"')
                    quoted = true;
                else if (is_item_separator(u) || is_range(i))
                    break;
                else if (u == '/' && i + 1 < n && r[i + 1] == '/')
                    return false;  // never in a reduced line
                if (i + unit > n) return false;
                i += unit;
            }
            if (quoted) return false;  // an open quote loses its trailing blanks
        }
        std::string_view field = r.substr(start, i - start);
        // An escaped blank or tab at the end goes as the splitter's trailing blanks.
        while (field.size() > 1 && is_blank_or_tab(field.back())) field.remove_suffix(1);
        fields.push_back(strip(strip(field)));
        if (fields.size() > static_cast<size_t>(kMaxFields)) return false;
    }
    return true;
}

bool scan_items(std::string_view text, const ScannedSource& s, ScannedBlock& b, BlockItems& out) {
    out.lines.clear();
    out.meanings.clear();
    b.stream = 0;
    std::vector<std::string> fields;
    for (size_t i = b.header + 1; i < b.close; ++i) {
        item_fields(s.line(text, i), fields);
        if (fields.empty()) continue;
        if (fields.size() <= 2 || fields[1][0] != ':') return false;
        out.lines.push_back(i);
        out.meanings.push_back(item_meaning(fields));
        if (folded(fields[0]) == "stream") b.stream = decimal_value(fields[2]);
    }
    return true;
}

}  // namespace zor::edit
