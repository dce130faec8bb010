#include "sim/scenario.h"

#include <charconv>

#include "textscan/fold_case.h"

namespace zor::sim {
namespace {

bool number(std::string_view text, long& out) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size() && out >= 0;
}

// "S6F12" (any case) as stream and function.
bool message_name(const std::string& word, int& stream, int& function) {
    std::string w = textscan::fold_case(word);
    size_t f = w.find('f');
    long s = 0, fn = 0;
    if (w.size() < 4 || w[0] != 's' || f == std::string::npos ||
        !number(std::string_view(w).substr(1, f - 1), s) ||
        !number(std::string_view(w).substr(f + 1), fn) || s > 127 || fn > 255)
        return false;
    stream = static_cast<int>(s);
    function = static_cast<int>(fn);
    return true;
}

bool duration(const std::string& word, std::chrono::milliseconds& out) {
    std::string w = textscan::fold_case(word);
    long n = 0;
    if (w.ends_with("ms") && number(std::string_view(w).substr(0, w.size() - 2), n)) {
        out = std::chrono::milliseconds(n);
        return true;
    }
    if (w.ends_with("s") && number(std::string_view(w).substr(0, w.size() - 1), n) &&
        n <= 86400 * 365) {
        out = std::chrono::seconds(n);
        return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> command_words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool in_word = false, quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quoted) {
            if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\'))
                word += text[++i];
            else if (c == '"')
                quoted = false;
            else
                word += c;
        } else if (c == '"') {
            quoted = in_word = true;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (in_word) words.push_back(std::move(word));
            word.clear();
            in_word = false;
        } else {
            word += c;
            in_word = true;
        }
    }
    if (in_word) words.push_back(std::move(word));
    return words;
}

bool parse_command(const std::string& text, int line, Command& out, bool& blank,
                   std::string& error) {
    auto words = command_words(text);
    blank = words.empty() || words[0].starts_with("#");
    if (blank) return true;
    out = Command{};
    out.line = line;
    size_t first = text.find_first_not_of(" \t");
    out.text = text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
    std::string verb = textscan::fold_case(words[0]);
    size_t n = words.size();
    auto expect_count = [&](size_t count, const char* form) {
        if (n == count) return true;
        error = std::string("expected ") + form;
        return false;
    };
    if (verb == "set") {
        if (n < 3) {
            error = "expected set VARIABLE VALUE...";
            return false;
        }
        out.kind = Command::Kind::set;
        out.name = words[1];
        out.values.assign(words.begin() + 2, words.end());
        return true;
    }
    if (verb == "event") {
        out.kind = Command::Kind::event;
        out.name = n > 1 ? words[1] : "";
        return expect_count(2, "event EVENT");
    }
    if (verb == "alarm") {
        std::string how = n > 1 ? textscan::fold_case(words[1]) : "";
        if (n != 3 || (how != "set" && how != "clear")) {
            error = "expected alarm set ALARM or alarm clear ALARM";
            return false;
        }
        out.kind = how == "set" ? Command::Kind::alarm_set : Command::Kind::alarm_clear;
        out.name = words[2];
        return true;
    }
    if (verb == "trace") {
        if (n != 3 || textscan::fold_case(words[1]) != "start") {
            error = "expected trace start TRACE";
            return false;
        }
        out.kind = Command::Kind::trace_start;
        out.name = words[2];
        return true;
    }
    if (verb == "wait") {
        if (n == 2 && textscan::fold_case(words[1]) == "s6f12") {
            out.kind = Command::Kind::wait_s6f12;
            return true;
        }
        out.kind = Command::Kind::wait_time;
        if (n == 2 && duration(words[1], out.time)) return true;
        error = "expected wait TIME (2s, 500ms) or wait S6F12";
        return false;
    }
    if (verb == "expect") {
        out.kind = Command::Kind::expect;
        if (n == 2 && message_name(words[1], out.stream, out.function) && out.function % 2 == 1)
            return true;
        error = "expected expect SxFy, a primary the host sends";
        return false;
    }
    static const std::pair<const char*, Command::Kind> kBare[] = {
        {"offline", Command::Kind::offline},
        {"online", Command::Kind::online},
        {"disconnect", Command::Kind::disconnect},
        {"quit", Command::Kind::quit},
    };
    for (const auto& [word, kind] : kBare)
        if (verb == word) {
            out.kind = kind;
            return expect_count(1, word);
        }
    error = "unknown command " + words[0];
    return false;
}

}  // namespace zor::sim
