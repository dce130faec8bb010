#include "zoredit/source_writer.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/platform.h"
#include "zoredit/source_line.h"
#include "zoredit/values.h"

namespace zor::edit {
namespace {

// Texts this short leave any line well inside the compiler's 4095 bytes.
constexpr size_t kQuickLength = 3000;

struct Fault {
    std::string message;
};

void append_number(std::string& out, int64_t value) {
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// One block at a time; every line is checked against the splitter before it
// is taken.
class BlockWriter {
  public:
    explicit BlockWriter(std::string& out) : out_(out) {}

    void revision(int rev) {
        if (rev == rev_) return;
        rev_ = rev;
        out_ += "REV_NO = " + std::to_string(rev) + "\r\n\r\n";
    }
    void begin(std::string_view keyword, const std::string& name) {
        keyword_ = keyword;
        name_ = &name;
        if (!append_header_line(out_, keyword, name)) fail("the name cannot be written as source");
        out_ += "\r\n";
    }
    void number(std::string_view key, int64_t value) {
        out_ += "    ";
        out_ += key;
        out_ += " : ";
        append_number(out_, value);
        out_ += "\r\n";
    }
    void text(std::string_view key, const std::string& value) {
        size_t mark = out_.size();
        out_ += "    ";
        out_ += key;
        out_ += " : ";
        if (value.size() < kQuickLength && append_quick_form(out_, value)) {
            out_ += "\r\n";
            return;
        }
        out_.resize(mark);
        add(key, {}, {value});
    }
    void text(std::string_view key, const std::optional<std::string>& value) {
        if (value) text(key, *value);
    }
    // One text between a fixed part and an optional tail, the common case
    // of a formatted item; falls back to the checked writer like add().
    void add_one(std::string_view key, std::string_view fixed, const std::string& text,
                 std::string_view tail = {}) {
        size_t mark = out_.size();
        out_ += "    ";
        out_ += key;
        out_ += " : ";
        out_ += fixed;
        out_ += ' ';
        if (text.size() < kQuickLength && append_quick_form(out_, text)) {
            if (!tail.empty()) (out_ += ' ') += tail;
            out_ += "\r\n";
            return;
        }
        out_.resize(mark);
        std::vector<std::string> tails;
        if (!tail.empty()) tails.emplace_back(tail);
        add(key, {std::string(fixed)}, {text}, tails);
    }
    void add(std::string_view key, const std::vector<std::string>& fixed,
             const std::vector<std::string>& texts, const std::vector<std::string>& tail = {}) {
        // Quick path: every text has a form the quick rules vouch for.
        size_t mark = out_.size();
        out_ += "    ";
        out_ += key;
        out_ += " :";
        for (const auto& f : fixed) (out_ += ' ') += f;
        bool quick = true;
        for (const auto& t : texts) {
            out_ += ' ';
            if (t.size() >= kQuickLength || !append_quick_form(out_, t)) {
                quick = false;
                break;
            }
        }
        if (quick) {
            for (const auto& f : tail) (out_ += ' ') += f;
            out_ += "\r\n";
            return;
        }
        out_.resize(mark);
        auto line = item_line(key, fixed, texts, tail);
        if (!line) fail("the " + std::string(key) + " item cannot be written as source");
        out_ += "    ";
        out_ += *line;
        out_ += "\r\n";
    }
    void end() { out_ += "}\r\n\r\n"; }
    [[noreturn]] void fail(const std::string& why) const {
        throw Fault{std::string(keyword_) + " \"" + (name_ ? *name_ : std::string()) +
                    "\": " + why};
    }

  private:
    std::string& out_;
    std::string_view keyword_;
    const std::string* name_ = nullptr;
    int rev_ = 0;
};

template <class W>
std::string format_name(W& w, int form) {
    const FormatInfo* f = find_format(form);
    if (!f) w.fail("format code " + std::to_string(form) + " has no source name");
    return std::string(f->source_name);
}

// format : NAME, NAME[N] or NAME[N..M], whichever gives (size, msize).
template <class W>
std::string variable_spec(W& w, int form, int32_t size, int32_t msize) {
    std::string name = format_name(w, form);
    if (size == 1 && msize == 0) return name;
    if (msize == size) return name + "[" + std::to_string(size) + "]";
    if (form == kFormatAscii)
        return name + "[" + std::to_string(size) + ".." + std::to_string(msize) + "]";
    if (msize == 0) return name + "[" + std::to_string(size) + ".." + std::to_string(size) + "]";
    w.fail("size " + std::to_string(size) + " with maximum size " + std::to_string(msize) +
           " has no source form");
}

// "key : SPEC text" for a text with its format; an unknown format (code 255)
// comes from a name the compiler refused, which it keeps with sizes 0.
// `raised`: the compiler raises both sizes to the text's length (PPIDs).
template <class W>
void text_item(W& w, std::string_view key, const TextItem& item, bool with_msize,
               bool raised = false) {
    int32_t msize = with_msize ? item.msize : item.size;
    if (item.form == kFormatInvalid) {
        w.add_one(key, "?[0]", item.text);
        return;
    }
    std::string fixed = format_name(w, item.form);
    fixed += '[';
    append_number(fixed, item.size);
    if (msize == item.size) {
        fixed += ']';
        w.add_one(key, fixed, item.text);
    } else if (item.form == kFormatAscii) {
        fixed += "..";
        append_number(fixed, msize);
        fixed += ']';
        w.add_one(key, fixed, item.text);
    } else if (with_msize &&
               (msize == 0 || (raised && msize == static_cast<int32_t>(item.text.size())))) {
        // The long form of another format keeps no maximum size and takes
        // the text from where the maximum stands: NAME[N..text].
        fixed += "..";
        w.add_one(key, fixed, item.text, "]");
    } else {
        w.fail(std::string(key) + " size " + std::to_string(item.size) + " with maximum size " +
               std::to_string(msize) + " has no source form");
    }
}

// The fields each item line of a block splits into, without the text: what
// the compiler reads from the lines the BlockWriter would write.
class FieldWriter {
  public:
    explicit FieldWriter(BlockFields& out) : out_(out) {}

    void begin(std::string_view keyword, const std::string& name) {
        keyword_ = keyword;
        out_.name = name;
    }
    void number(std::string_view key, int64_t value) { item(key).push_back(std::to_string(value)); }
    void text(std::string_view key, const std::string& value) { item(key).push_back(value); }
    void text(std::string_view key, const std::optional<std::string>& value) {
        if (value) text(key, *value);
    }
    void add_one(std::string_view key, std::string_view fixed, const std::string& text,
                 std::string_view tail = {}) {
        auto& f = item(key);
        append_split(f, fixed);
        f.push_back(text);
        if (!tail.empty()) append_split(f, tail);
    }
    void add(std::string_view key, const std::vector<std::string>& fixed,
             const std::vector<std::string>& texts, const std::vector<std::string>& tail = {}) {
        auto& f = item(key);
        for (const auto& x : fixed) append_split(f, x);
        f.insert(f.end(), texts.begin(), texts.end());
        for (const auto& x : tail) append_split(f, x);
    }
    void end() {}
    [[noreturn]] void fail(const std::string& why) const {
        throw Fault{std::string(keyword_) + " \"" + out_.name + "\": " + why};
    }

  private:
    std::vector<std::string>& item(std::string_view key) {
        out_.items.push_back({std::string(key), ":"});
        return out_.items.back();
    }
    static void append_split(std::vector<std::string>& f, std::string_view part) {
        for (auto& x : split_item_line(std::string(part))) f.push_back(std::move(x));
    }

    BlockFields& out_;
    std::string_view keyword_;
};

std::string_view variable_keyword(Kind kind) {
    return kind == Kind::EC ? "def_ec" : kind == Kind::SV ? "def_sv" : "def_dv";
}

template <class W>
void put_block(W& w, const Variable& v, Kind kind, int32_t) {
    w.begin(variable_keyword(kind), v.name);
    w.number(kind == Kind::EC ? "ecid" : kind == Kind::SV ? "svid" : "dvid", v.id);
    // No format item leaves a list of size 0, as the compiler starts out.
    if (!(v.form == kFormatList && v.size == 0 && v.msize == 0))
        w.add("format", {variable_spec(w, v.form, v.size, v.msize)}, {});
    w.text("units", v.units);
    w.text("min", v.min);
    w.text("max", v.max);
    w.text("nominal", v.nominal);
    for (const auto& l : v.limits) w.add("limit", {}, {l.id, l.low, l.upper});
    for (const auto& e : v.events) w.text("event", e);
    for (const auto& n : v.vids) w.text("vid", n);
    w.end();
}

template <class W>
void put_block(W& w, const Event& e, Kind, int32_t) {
    w.begin("def_ce", e.name);
    w.number("ceid", e.id);
    w.text("enabled", e.enabled);
    for (const auto& r : e.reports) w.text("rptname", r);
    w.end();
}

template <class W>
void put_block(W& w, const Report& r, Kind, int32_t) {
    w.begin("def_report", r.name);
    w.number("rptid", r.id);
    for (const auto& v : r.variables) w.text("vname", v);
    w.end();
}

template <class W>
void put_block(W& w, const Alarm& a, Kind, int32_t) {
    w.begin("def_alarm", a.name);
    w.number("alid", a.id);
    w.text("alcd", a.alcd);
    w.text("altx", a.altx);
    w.text("ce_on", a.ce_on);
    w.text("ce_off", a.ce_off);
    w.text("enabled", a.enabled);
    w.end();
}

template <class W>
void put_block(W& w, const Spool& p, Kind, int32_t stream) {
    w.begin("def_spool", p.name);
    w.number("stream", stream);
    for (int32_t f : p.functions) w.number("function", f);
    w.end();
}

template <class W>
void put_block(W& w, const ProcessProgram& p, Kind, int32_t) {
    w.begin("def_pp", p.name);
    text_item(w, "ppid", p.ppid, true, true);
    text_item(w, "ppbody", p.body, true);
    w.end();
}

template <class W>
void put_block(W& w, const FormattedProgram& p, Kind, int32_t) {
    w.begin("def_fpp", p.name);
    text_item(w, "ppid", p.ppid, true, true);
    w.text("mdln", p.mdln);
    w.text("softrev", p.softrev);
    for (const auto& c : p.codes) {
        text_item(w, "ccode", c.code, true);
        for (const auto& a : c.params) text_item(w, "pparam", a, true);
    }
    w.end();
}

template <class W>
void put_block(W& w, const Recipe& r, Kind, int32_t) {
    w.begin("def_rcp", r.name);
    w.text("rcpid", r.id);
    w.text("rcpbody", r.body);
    for (const auto& p : r.params) {
        w.text("rcpparname", p.name.value_or(""));
        if (p.value) text_item(w, "rcpparval", *p.value, false);
    }
    w.end();
}

template <class W>
void put_block(W& w, const Trace& t, Kind, int32_t) {
    w.begin("def_trace", t.name);
    text_item(w, "trid", t.trid, true);
    w.text("dsper", t.dsper);
    w.number("totsmp", t.totsmp);
    w.number("repgsz", t.repgsz);
    for (const auto& n : t.svs) w.text("svname", n);
    w.end();
}

template <class Def, class F>
void each_live(const Table<Def>& t, F f) {
    for (const auto& e : t.entries())
        if (!e.deleted) f(e.def);
}

}  // namespace

int32_t written_stream(int32_t byte, int lap) { return byte + 256 * (lap + (byte == 0 ? 1 : 0)); }

int needed_revision(const Variable& v) {
    if (v.form == kFormatListEnd) return 1;
    return v.vids.empty() ? 0 : 2;
}

template <class Def>
bool write_block(const Def& def, Kind kind, int32_t stream, std::string& out, std::string& error) {
    size_t mark = out.size();
    BlockWriter w(out);
    try {
        put_block(w, def, kind, stream);
    } catch (const Fault& f) {
        out.resize(mark);
        error = f.message;
        return false;
    }
    return true;
}

template <class Def>
bool block_fields(const Def& def, Kind kind, int32_t stream, BlockFields& out) {
    out = {};
    FieldWriter w(out);
    try {
        put_block(w, def, kind, stream);
    } catch (const Fault&) {
        return false;
    }
    return true;
}

#define ZOR_BLOCK_FUNCTIONS(Def)                                                      \
    template bool write_block(const Def&, Kind, int32_t, std::string&, std::string&); \
    template bool block_fields(const Def&, Kind, int32_t, BlockFields&);
ZOR_BLOCK_FUNCTIONS(Variable)
ZOR_BLOCK_FUNCTIONS(Event)
ZOR_BLOCK_FUNCTIONS(Report)
ZOR_BLOCK_FUNCTIONS(Alarm)
ZOR_BLOCK_FUNCTIONS(Spool)
ZOR_BLOCK_FUNCTIONS(ProcessProgram)
ZOR_BLOCK_FUNCTIONS(FormattedProgram)
ZOR_BLOCK_FUNCTIONS(Recipe)
ZOR_BLOCK_FUNCTIONS(Trace)
#undef ZOR_BLOCK_FUNCTIONS

bool write_source(const Store& s, std::string& out, std::string& error) {
    std::string text;
    size_t definitions = s.ec.size() + s.sv.size() + s.dv.size() + s.ce.size() + s.rp.size() +
                         s.al.size() + s.sp.size() + s.pp.size() + s.fp.size() + s.rc.size() +
                         s.tr.size();
    text.reserve(256 + definitions * 160);
    text = "// GEM definitions written by zoredit\r\n\r\n";
    BlockWriter w(text);
    try {
        w.revision(2);
        for (Kind kind : {Kind::EC, Kind::SV, Kind::DV})
            each_live(s.variables(kind), [&](const Variable& v) {
                w.revision(v.form == kFormatListEnd ? 1 : 2);
                put_block(w, v, kind, 0);
            });
        w.revision(2);
        each_live(s.ce, [&](const Event& e) { put_block(w, e, Kind::CE, 0); });
        each_live(s.rp, [&](const Report& r) { put_block(w, r, Kind::RP, 0); });
        each_live(s.al, [&](const Alarm& a) { put_block(w, a, Kind::AL, 0); });
        // Streams are bytes in the object file.
        std::map<int32_t, int> laps;
        each_live(s.sp, [&](const Spool& p) {
            put_block(w, p, Kind::SP, written_stream(p.stream, laps[p.stream]++));
        });
        each_live(s.pp, [&](const ProcessProgram& p) { put_block(w, p, Kind::PP, 0); });
        each_live(s.fp, [&](const FormattedProgram& p) { put_block(w, p, Kind::FP, 0); });
        each_live(s.rc, [&](const Recipe& r) { put_block(w, r, Kind::RC, 0); });
        each_live(s.tr, [&](const Trace& t) { put_block(w, t, Kind::TR, 0); });
    } catch (const Fault& f) {
        error = f.message;
        return false;
    }
    out = std::move(text);
    return true;
}

bool replace_file(const std::string& path, const std::string& text, std::string& error) {
    namespace fs = std::filesystem;
    std::string temp = path + ".zoredit-tmp";
    {
        errno = 0;
        std::ofstream file(platform::native_path(temp), std::ios::binary | std::ios::trunc);
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
        file.close();
        if (!file) {
            error = "cannot write " + temp + ": " + std::strerror(errno != 0 ? errno : EIO);
            platform::remove_file(temp);
            return false;
        }
    }
    std::error_code ec;
    if (fs::exists(platform::native_path(path), ec)) {
        // A second name for the old file is the backup; the rename below
        // then only takes the first name away from it.
        const fs::path source = platform::native_path(path);
        const fs::path backup = platform::native_path(path + ".bak");
        fs::remove(backup, ec);
        fs::create_hard_link(source, backup, ec);
        if (ec) fs::copy_file(source, backup, fs::copy_options::overwrite_existing, ec);
        // A directory in the backup's place is the cause, not what copying
        // onto it reports.
        if (ec && fs::is_directory(backup)) ec = std::make_error_code(std::errc::is_a_directory);
        if (ec) {
            error = "cannot keep the previous source as " + path + ".bak: " + ec.message();
            platform::remove_file(temp);
            return false;
        }
    }
    if (!platform::rename_replacing(temp, path)) {
        error = "cannot rename " + temp + " to " + path + ": " + std::strerror(errno);
        platform::remove_file(temp);
        return false;
    }
    return true;
}

}  // namespace zor::edit
