#include "secs/sml.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>

#include "platform/code_page.h"
#include "textscan/sjis.h"

namespace zor::secs {
namespace {

platform::Cp932& code_page() {
    thread_local platform::Cp932 converter;
    return converter;
}

void hex_byte(std::string& out, unsigned char c, const char* prefix) {
    char text[8];
    std::snprintf(text, sizeof text, "%s%02X", prefix, c);
    out += text;
}

void write_text(std::string& out, std::string_view text) {
    out += '"';
    std::size_t i = 0;
    while (i < text.size()) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (c < 0x20 || c == 0x7F)
                hex_byte(out, c, "\\x");
            else if (c == '"' || c == '\\')
                out.append({'\\', static_cast<char>(c)});
            else
                out += static_cast<char>(c);
            ++i;
            continue;
        }
        // One Shift-JIS character at a time, so a trail byte that looks like
        // '"' or '\' stays part of its character.
        std::size_t width = textscan::char_width(text, i);
        if (code_page().to_utf8(text.substr(i, width), out) == width) {
            i += width;
        } else {
            hex_byte(out, c, "\\x");
            ++i;
        }
    }
    out += '"';
}

template <class T>
void write_number(std::string& out, T value) {
    char text[64];
    auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

void write_item(std::string& out, const Item& item) {
    Format format = item.format();
    out += '<';
    out += format_name(format);
    if (item.is_list()) {
        out += '[';
        write_number(out, item.size());
        out += ']';
        for (const Item& child : item.items()) {
            out += ' ';
            write_item(out, child);
        }
        out += '>';
        return;
    }
    if (is_text(format)) {
        out += ' ';
        write_text(out, item.data());
        out += '>';
        return;
    }
    for (std::size_t i = 0; i < item.size(); ++i) {
        out += ' ';
        if (format == Format::binary) {
            hex_byte(out, static_cast<unsigned char>(item.data()[i]), "0x");
        } else if (format == Format::boolean) {
            auto c = static_cast<unsigned char>(item.data()[i]);
            if (c <= 1)
                out += c ? "TRUE" : "FALSE";
            else
                hex_byte(out, c, "0x");
        } else if (format == Format::f4) {
            write_number(out, static_cast<float>(*item.as_double(i)));
        } else if (format == Format::f8) {
            write_number(out, *item.as_double(i));
        } else if (is_signed_integer(format)) {
            write_number(out, *item.as_i64(i));
        } else {
            write_number(out, *item.as_u64(i));
        }
    }
    out += '>';
}

// Reads SML from left to right; the first fault stops it.
class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    bool item(Item& out, int depth) {
        blanks();
        std::size_t start = at_;
        if (!expect('<')) return false;
        blanks();
        std::size_t name_at = at_;
        std::string_view name = word();
        auto format = format_from_name(upper(name));
        if (!format) return fail(name_at, "'" + std::string(name) + "' is no item format");
        if (*format == Format::list && depth >= kMaxDepth)
            return fail(start, "lists nested too deep");
        std::optional<std::size_t> count;
        if (peek() == '[') {
            ++at_;
            std::uint64_t n = 0;
            if (!unsigned_number(n)) return false;
            if (!expect(']')) return false;
            count = static_cast<std::size_t>(n);
        }
        bool ok = *format == Format::list ? list(out, depth)
                  : is_text(*format)      ? text(*format, out)
                                          : numbers(*format, out);
        if (!ok) return false;
        if (count && *count != out.size())
            return fail(name_at, "the count says " + std::to_string(*count) + " but there are " +
                                     std::to_string(out.size()));
        blanks();
        return expect('>');
    }

    bool message(Message& out) {
        blanks();
        std::size_t start = at_;
        std::string_view head = word();
        unsigned stream = 0, function = 0;
        char s = 0, f = 0;
        int used = 0;
        std::string head_text(head);
        if (std::sscanf(head_text.c_str(), "%c%u%c%u%n", &s, &stream, &f, &function, &used) != 4 ||
            used != static_cast<int>(head.size()) || (s != 'S' && s != 's') ||
            (f != 'F' && f != 'f') || stream > 127 || function > 255)
            return fail(start, "'" + head_text + "' is no SxFy");
        out.stream = static_cast<std::uint8_t>(stream);
        out.function = static_cast<std::uint8_t>(function);
        blanks();
        if (peek() == 'W' || peek() == 'w') {
            std::size_t w_at = at_;
            if (word().size() != 1) return fail(w_at, "expected W, an item or the end");
            out.wait = true;
            blanks();
        }
        if (peek() == '<') {
            Item body;
            if (!item(body, 0)) return false;
            out.body = std::move(body);
            blanks();
        }
        if (peek() == '.') ++at_;
        return end();
    }

    bool end() {
        blanks();
        if (at_ != text_.size()) return fail(at_, "unexpected text after the end");
        return true;
    }

    const std::string& error() const { return error_; }

  private:
    static constexpr int kMaxDepth = 64;

    bool list(Item& out, int depth) {
        std::vector<Item> items;
        for (;;) {
            blanks();
            if (peek() != '<') break;
            Item child;
            if (!item(child, depth + 1)) return false;
            items.push_back(std::move(child));
        }
        out = Item::list(std::move(items));
        return true;
    }

    bool text(Format format, Item& out) {
        std::string bytes;
        for (;;) {
            blanks();
            if (peek() == '"') {
                if (!quoted(bytes)) return false;
            } else if (peek() != '>' && peek() != '\0') {
                std::uint64_t n = 0;
                std::size_t at = at_;
                if (!unsigned_number(n)) return false;
                if (n > 0xFF) return fail(at, "a byte above 0xFF");
                bytes += static_cast<char>(n);
            } else {
                break;
            }
        }
        out = *Item::from_data(format, std::move(bytes));
        return true;
    }

    bool quoted(std::string& bytes) {
        std::size_t start = at_++;
        for (;;) {
            if (at_ >= text_.size()) return fail(start, "a text without its closing '\"'");
            char c = text_[at_];
            if (c == '"') {
                ++at_;
                return true;
            }
            if (c == '\\') {
                char next = at_ + 1 < text_.size() ? text_[at_ + 1] : '\0';
                if (next == '"' || next == '\\') {
                    bytes += next;
                    at_ += 2;
                    continue;
                }
                unsigned value = 0;
                if (next == 'x' && at_ + 3 < text_.size() &&
                    std::from_chars(text_.data() + at_ + 2, text_.data() + at_ + 4, value, 16)
                            .ptr == text_.data() + at_ + 4) {
                    bytes += static_cast<char>(value);
                    at_ += 4;
                    continue;
                }
                return fail(at_, "an escape other than \\\", \\\\ or \\xNN");
            }
            if (static_cast<unsigned char>(c) < 0x80) {
                bytes += c;
                ++at_;
                continue;
            }
            // A run of UTF-8 up to the next ASCII byte.
            std::size_t run = at_;
            while (run < text_.size() && static_cast<unsigned char>(text_[run]) >= 0x80) ++run;
            std::size_t done = code_page().from_utf8(text_.substr(at_, run - at_), bytes);
            at_ += done;
            if (at_ < run) return fail(at_, "a character Shift-JIS cannot hold, or no UTF-8");
        }
    }

    bool numbers(Format format, Item& out) {
        std::string data;
        std::size_t size = element_size(format);
        for (;;) {
            blanks();
            if (peek() == '>' || peek() == '\0') break;
            std::size_t at = at_;
            std::string_view token = word();
            if (token.empty()) return fail(at, "expected a number");
            std::uint64_t bits = 0;
            if (!element(format, token, bits))
                return fail(
                    at, "'" + std::string(token) + "' is no " + std::string(format_name(format)));
            for (std::size_t i = size; i-- > 0;)
                data += static_cast<char>((bits >> (8 * i)) & 0xFF);
        }
        out = *Item::from_data(format, std::move(data));
        return true;
    }

    // The big-endian bits of one element written as `token`.
    static bool element(Format format, std::string_view token, std::uint64_t& bits) {
        std::string upper_token = upper(token);
        if (format == Format::boolean && (upper_token == "TRUE" || upper_token == "T")) {
            bits = 1;
            return true;
        }
        if (format == Format::boolean && (upper_token == "FALSE" || upper_token == "F")) {
            bits = 0;
            return true;
        }
        if (is_float(format)) {
            double value;
            auto r = std::from_chars(token.data(), token.data() + token.size(), value);
            if (r.ec != std::errc() || r.ptr != token.data() + token.size()) return false;
            Item item = Item::float_array(format, std::span(&value, 1));
            bits = 0;
            for (char c : item.data()) bits = bits << 8 | static_cast<unsigned char>(c);
            return true;
        }
        bool negative = !token.empty() && token[0] == '-';
        std::string_view digits = negative ? token.substr(1) : token;
        int base = 10;
        if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
            base = 16;
            digits.remove_prefix(2);
        }
        std::uint64_t magnitude;
        auto r = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
        if (digits.empty() || r.ec != std::errc() || r.ptr != digits.data() + digits.size())
            return false;
        if (negative) {
            if (magnitude > static_cast<std::uint64_t>(INT64_MAX) + 1) return false;
            auto value = static_cast<std::int64_t>(0 - magnitude);
            if (!fits(format, value)) return false;
            bits = static_cast<std::uint64_t>(value);
        } else {
            if (!fits_unsigned(format, magnitude)) return false;
            bits = magnitude;
        }
        std::size_t size = element_size(format);
        if (size < 8) bits &= (std::uint64_t{1} << (8 * size)) - 1;
        return true;
    }

    bool unsigned_number(std::uint64_t& n) {
        std::size_t at = at_;
        std::string_view token = word();
        std::uint64_t bits = 0;
        if (!element(Format::u8, token, bits)) return fail(at, "expected a number");
        n = bits;
        return true;
    }

    static std::string upper(std::string_view s) {
        std::string out(s);
        for (char& c : out)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return out;
    }

    std::string_view word() {
        std::size_t start = at_;
        while (at_ < text_.size() && text_[at_] != '<' && text_[at_] != '>' && text_[at_] != '[' &&
               text_[at_] != ']' && text_[at_] != '"' && !blank(text_[at_]))
            ++at_;
        return text_.substr(start, at_ - start);
    }

    static bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    void blanks() {
        while (at_ < text_.size() && blank(text_[at_])) ++at_;
    }
    char peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }

    bool expect(char c) {
        if (peek() != c) return fail(at_, std::string("expected '") + c + "'");
        ++at_;
        return true;
    }

    bool fail(std::size_t at, const std::string& what) {
        error_ = "SML at byte " + std::to_string(at) + ": " + what;
        return false;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::string error_;
};

}  // namespace

std::string to_sml(const Item& item) {
    std::string out;
    write_item(out, item);
    return out;
}

void append_sml(std::string& out, const Item& item) { write_item(out, item); }

std::string to_sml(const Message& message) {
    std::string out = "S" + std::to_string(message.stream) + "F" + std::to_string(message.function);
    if (message.wait) out += " W";
    if (message.body) {
        out += ' ';
        write_item(out, *message.body);
    }
    return out;
}

SmlItem parse_sml_item(std::string_view text) {
    SmlItem result;
    Parser parser(text);
    if (!parser.item(result.item, 0) || !parser.end()) result.error = parser.error();
    return result;
}

SmlMessage parse_sml_message(std::string_view text) {
    SmlMessage result;
    Parser parser(text);
    if (!parser.message(result.message)) result.error = parser.error();
    return result;
}

}  // namespace zor::secs
