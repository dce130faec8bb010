// The answers to the host's primaries, one handler a message in one table.
#include <algorithm>
#include <ctime>

#include "secs/item_codec.h"
#include "sim/equipment.h"
#include "sim/values.h"
#include "textscan/language_limits.h"

namespace zor::sim {

struct Equipment::Reply {
    Reply(std::optional<secs::Item> body = std::nullopt, bool malformed = false,
          std::shared_ptr<const secs::EncodedBody> encoded = nullptr)
        : body(std::move(body)), malformed(malformed), encoded(std::move(encoded)) {}

    std::optional<secs::Item> body;
    bool malformed = false;
    std::shared_ptr<const secs::EncodedBody> encoded;  // in place of body
};

namespace {

using secs::Format;
using secs::Item;
using secs::Message;

// Most reports, most IDs a list of the host may ask the equipment to hold.
constexpr size_t kMaxReports = textscan::kMaxDefinitions;
constexpr size_t kMaxListIds = textscan::kMaxListEntries;
// Most process programs the host may store, and their bytes together.
constexpr size_t kMaxUploads = 1000;
constexpr size_t kMaxUploadBytes = 64 * 1024 * 1024;

Item code(uint8_t value) { return Item::binary(std::string(1, static_cast<char>(value))); }

// The body as a list of exactly `n` items (any count when n < 0), or null.
const std::vector<Item>* list_of(const std::optional<Item>& body, int n) {
    if (!body || !body->is_list()) return nullptr;
    if (n >= 0 && body->items().size() != static_cast<size_t>(n)) return nullptr;
    return &body->items();
}
const std::vector<Item>* list_of(const Item& item, int n) {
    if (!item.is_list()) return nullptr;
    if (n >= 0 && item.items().size() != static_cast<size_t>(n)) return nullptr;
    return &item.items();
}

// IDs asked for: a list of ID items, or a vector of one integer format
// (E5's ALID vector); nothing when an entry is no ID.
std::optional<std::vector<uint32_t>> ids_of(const Item& item) {
    std::vector<uint32_t> out;
    if (item.is_list()) {
        for (const auto& i : item.items()) {
            auto id = id_of(i);
            if (!id) return std::nullopt;
            out.push_back(*id);
        }
        return out;
    }
    if (!secs::is_signed_integer(item.format()) && !secs::is_unsigned_integer(item.format()))
        return std::nullopt;
    for (size_t i = 0; i < item.size(); ++i) {
        auto v = item.as_u64(i);
        if (!v || *v > 0xFFFFFFFFu) return std::nullopt;
        out.push_back(static_cast<uint32_t>(*v));
    }
    return out;
}

// A boolean-ish flag item of one element: BOOLEAN, B or an unsigned integer.
std::optional<uint64_t> flag_of(const Item& item) {
    if (item.size() != 1 || item.is_list() || secs::is_text(item.format()) ||
        secs::is_float(item.format()))
        return std::nullopt;
    return item.as_u64();
}

std::string text_of(const Item& item) { return std::string(item.data()); }

// A PPID is text or, as E5 allows too, binary.
bool is_ppid(const Item& item) {
    return secs::is_text(item.format()) || item.format() == Format::binary;
}

}  // namespace

const std::map<int, Equipment::Handler>& Equipment::handlers() {
    static const std::map<int, Handler> table = {
        {0x0101, &Equipment::s1f1},  {0x0103, &Equipment::s1f3},  {0x010B, &Equipment::s1f11},
        {0x010D, &Equipment::s1f13}, {0x010F, &Equipment::s1f15}, {0x0111, &Equipment::s1f17},
        {0x0115, &Equipment::s1f21}, {0x0117, &Equipment::s1f23}, {0x020D, &Equipment::s2f13},
        {0x020F, &Equipment::s2f15}, {0x0211, &Equipment::s2f17}, {0x0217, &Equipment::s2f23},
        {0x021D, &Equipment::s2f29}, {0x021F, &Equipment::s2f31}, {0x0221, &Equipment::s2f33},
        {0x0223, &Equipment::s2f35}, {0x0225, &Equipment::s2f37}, {0x0229, &Equipment::s2f41},
        {0x022B, &Equipment::s2f43}, {0x0503, &Equipment::s5f3},  {0x0505, &Equipment::s5f5},
        {0x0507, &Equipment::s5f7},  {0x060F, &Equipment::s6f15}, {0x0613, &Equipment::s6f19},
        {0x0617, &Equipment::s6f23}, {0x0701, &Equipment::s7f1},  {0x0703, &Equipment::s7f3},
        {0x0705, &Equipment::s7f5},  {0x0713, &Equipment::s7f19}, {0x0719, &Equipment::s7f25},
    };
    return table;
}

Equipment::Known Equipment::knows(int stream, int function) const {
    const auto& table = handlers();
    if (table.count(stream << 8 | function)) return Known::yes;
    // Replies to the equipment's own primaries are known too.
    if (function % 2 == 0 && function > 0 && table.count(stream << 8 | (function - 1)))
        return Known::yes;
    static const int kSent[][2] = {{1, 14}, {5, 2}, {6, 2}, {6, 12}, {9, 0}};
    for (const auto& s : kSent)
        if (s[0] == stream && (s[1] == function || s[1] == 0)) return Known::yes;
    for (const auto& [key, handler] : table)
        if (key >> 8 == stream) return Known::unknown_function;
    return stream == 6 ? Known::unknown_function : Known::unknown_stream;
}

Equipment::Answer Equipment::on_primary(const Message& m) {
    Answer out;
    // Before communication is established only S1F13 is served; off line
    // S1F17 as well.
    bool establish = m.stream == 1 && m.function == 13;
    bool online_request = m.stream == 1 && m.function == 17;
    if (!establish && (!communicating_ || (!online() && !online_request))) {
        if (m.wait) out.reply = secs::make_abort(m);
        return out;
    }
    auto it = handlers().find(m.stream << 8 | m.function);
    if (it == handlers().end()) return out;
    Reply result = (this->*(it->second))(m);
    if (result.malformed) {
        out.malformed = true;
        return out;
    }
    if (m.wait) {
        out.reply = secs::make_reply(m, std::move(result.body));
        out.encoded = std::move(result.encoded);
    }
    return out;
}

// ---- stream 1 -------------------------------------------------------------

Equipment::Reply Equipment::s1f1(const Message&) {
    return {Item::list({Item::ascii(options_.mdln), Item::ascii(options_.softrev)})};
}

Equipment::Reply Equipment::s1f3(const Message& m) {
    const auto* ids = list_of(m.body, -1);
    if (!ids) return {{}, true};
    // A host polls the same variables again and again: the answer is kept.
    if (ids->empty()) return {std::nullopt, false, poll(status_variables_)};
    std::vector<size_t> indices;
    for (const auto& i : *ids) {
        auto id = id_of(i);
        auto it = id ? by_vid_.find(*id) : by_vid_.end();
        bool sv = it != by_vid_.end() && model_.variables[it->second].kind == VariableKind::SV;
        indices.push_back(sv ? it->second : kNoVariable);
    }
    return {std::nullopt, false, poll(indices)};
}

namespace {

// A namelist of variables of one kind: every one for an empty request,
// else the ones asked (zero-length name and units for an unknown ID).
template <class Find, class Entry>
std::optional<Item> namelist(const std::optional<Item>& body, const std::vector<Variable>& vars,
                             VariableKind kind, Find find, Entry entry) {
    const auto* ids = list_of(body, -1);
    if (!ids) return std::nullopt;
    std::vector<Item> out;
    if (ids->empty()) {
        for (const auto& v : vars)
            if (v.kind == kind) out.push_back(entry(v.id, &v));
        return Item::list(std::move(out));
    }
    for (const auto& i : *ids) {
        auto id = id_of(i);
        if (!id) return std::nullopt;
        const Variable* found = find(*id);
        out.push_back(entry(*id, found && found->kind == kind ? found : nullptr));
    }
    return Item::list(std::move(out));
}

Item name_units(uint32_t id, const Variable* v) {
    return Item::list({id_item(id), Item::ascii(v ? v->name : ""), Item::ascii(v ? v->units : "")});
}

}  // namespace

Equipment::Reply Equipment::s1f11(const Message& m) {
    auto by_id = [&](uint32_t id) { return variable(id); };
    auto body = namelist(m.body, model_.variables, VariableKind::SV, by_id, name_units);
    return body ? Reply{body} : Reply{{}, true};
}

Equipment::Reply Equipment::s1f21(const Message& m) {
    auto by_id = [&](uint32_t id) { return variable(id); };
    auto body = namelist(m.body, model_.variables, VariableKind::DV, by_id, name_units);
    return body ? Reply{body} : Reply{{}, true};
}

Equipment::Reply Equipment::s1f13(const Message& m) {
    if (!list_of(m.body, -1)) return {{}, true};
    communicating_ = true;
    s1f13_again_at_.reset();
    return {Item::list(
        {code(0), Item::list({Item::ascii(options_.mdln), Item::ascii(options_.softrev)})})};
}

Equipment::Reply Equipment::s1f15(const Message&) {
    control_ = ControlState::host_offline;
    return {code(0)};
}

Equipment::Reply Equipment::s1f17(const Message&) {
    if (online()) return {code(2)};
    if (control_ != ControlState::host_offline) return {code(1)};
    control_ = ControlState::online_remote;
    return {code(0)};
}

Equipment::Reply Equipment::s1f23(const Message& m) {
    const auto* ids = list_of(m.body, -1);
    if (!ids) return {{}, true};
    // The variables an event sends are those of its linked reports.
    auto entry = [&](uint32_t ceid, const Event* e) {
        std::vector<Item> vids;
        std::set<uint32_t> seen;
        if (e)
            if (auto l = links_.find(ceid); l != links_.end())
                for (uint32_t r : l->second)
                    if (auto rp = reports_.find(r); rp != reports_.end())
                        for (uint32_t v : rp->second)
                            if (seen.insert(v).second) vids.push_back(id_item(v));
        return Item::list(
            {id_item(ceid), Item::ascii(e ? e->name : ""), Item::list(std::move(vids))});
    };
    std::vector<Item> out;
    if (ids->empty()) {
        for (const auto& e : model_.events) out.push_back(entry(e.id, &e));
        return {Item::list(std::move(out))};
    }
    for (const auto& i : *ids) {
        auto id = id_of(i);
        if (!id) return {{}, true};
        auto e = by_ceid_.find(*id);
        out.push_back(entry(*id, e == by_ceid_.end() ? nullptr : &model_.events[e->second]));
    }
    return {Item::list(std::move(out))};
}

// ---- stream 2: constants, clock ------------------------------------------

Equipment::Reply Equipment::s2f13(const Message& m) {
    const auto* ids = list_of(m.body, -1);
    if (!ids) return {{}, true};
    std::vector<Item> values;
    if (ids->empty()) {
        for (size_t i = 0; i < model_.variables.size(); ++i)
            if (model_.variables[i].kind == VariableKind::EC) values.push_back(value_at(i, 0));
    }
    for (const auto& i : *ids) {
        auto id = id_of(i);
        values.push_back(id && constant(*id) ? value(*id) : Item());
    }
    return {Item::list(std::move(values))};
}

Equipment::Reply Equipment::s2f15(const Message& m) {
    const auto* entries = list_of(m.body, -1);
    if (!entries) return {{}, true};
    std::vector<std::pair<size_t, Item>> changes;
    uint8_t eac = 0;
    for (const auto& e : *entries) {
        const auto* pair = list_of(e, 2);
        if (!pair) return {{}, true};
        auto id = id_of((*pair)[0]);
        const Variable* c = id ? constant(*id) : nullptr;
        if (!c) {
            eac = eac ? eac : 1;
            continue;
        }
        Item value;
        if (accept_value(*c, (*pair)[1], value) != ValueFault::none) {
            eac = eac ? eac : 3;
            continue;
        }
        changes.emplace_back(static_cast<size_t>(c - model_.variables.data()), std::move(value));
    }
    if (eac == 0)
        for (auto& [index, value] : changes) store_value(index, std::move(value));
    return {code(eac)};
}

Equipment::Reply Equipment::s2f29(const Message& m) {
    auto entry = [&](uint32_t id, const Variable* v) {
        if (!v)
            return Item::list({id_item(id), Item::ascii(""), Item::ascii(""), Item::ascii(""),
                               Item::ascii(""), Item::ascii("")});
        auto limit = [&](const std::optional<std::string>& text) {
            if (text)
                if (auto item = item_of(v->format, {*text})) return *item;
            auto format = secs::format_from_code(v->format);
            return format ? Item::empty(*format) : Item::ascii("");
        };
        return Item::list({id_item(id), Item::ascii(v->name), limit(v->min), limit(v->max),
                           initial_value(*v), Item::ascii(v->units)});
    };
    auto body = namelist(
        m.body, model_.variables, VariableKind::EC, [&](uint32_t id) { return constant(id); },
        entry);
    return body ? Reply{body} : Reply{{}, true};
}

Equipment::Reply Equipment::s2f17(const Message&) { return {Item::ascii(clock_text())}; }

Equipment::Reply Equipment::s2f31(const Message& m) {
    if (!m.body || m.body->format() != Format::ascii) return {{}, true};
    std::string t = text_of(*m.body);
    bool digits = std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || (t.size() != 12 && t.size() != 16)) return {code(1)};
    auto num = [&](size_t at, size_t n) { return std::stoi(t.substr(at, n)); };
    std::tm tm{};
    size_t p = 0;
    if (t.size() == 12) {
        int yy = num(0, 2);
        tm.tm_year = (yy < 70 ? 2000 + yy : 1900 + yy) - 1900;
        p = 2;
    } else {
        tm.tm_year = num(0, 4) - 1900;
        p = 4;
    }
    tm.tm_mon = num(p, 2) - 1;
    tm.tm_mday = num(p + 2, 2);
    tm.tm_hour = num(p + 4, 2);
    tm.tm_min = num(p + 6, 2);
    tm.tm_sec = num(p + 8, 2);
    int cs = t.size() == 16 ? num(14, 2) : 0;
    if (tm.tm_mon < 0 || tm.tm_mon > 11 || tm.tm_mday < 1 || tm.tm_mday > 31 || tm.tm_hour > 23 ||
        tm.tm_min > 59 || tm.tm_sec > 59)
        return {code(1)};
    tm.tm_isdst = -1;
    std::time_t when = std::mktime(&tm);
    if (when == static_cast<std::time_t>(-1)) return {code(1)};
    auto set = std::chrono::system_clock::from_time_t(when) + std::chrono::milliseconds(cs * 10);
    clock_offset_ = std::chrono::duration_cast<std::chrono::milliseconds>(
        set - std::chrono::system_clock::now());
    return {code(0)};
}

// ---- stream 2: reports, links, events -------------------------------------

Equipment::Reply Equipment::s2f33(const Message& m) {
    const auto* top = list_of(m.body, 2);
    const auto* defs = top ? list_of((*top)[1], -1) : nullptr;
    if (!defs) return {{}, true};
    if (defs->empty()) {
        reports_.clear();
        links_.clear();
        return {code(0)};
    }
    std::vector<std::pair<uint32_t, std::vector<uint32_t>>> wanted;
    std::set<uint32_t> named;
    uint8_t drack = 0;
    size_t added = 0;
    for (const auto& d : *defs) {
        const auto* pair = list_of(d, 2);
        const auto* vids = pair ? list_of((*pair)[1], -1) : nullptr;
        if (!vids) return {{}, true};
        auto rptid = id_of((*pair)[0]);
        std::vector<uint32_t> ids;
        bool format_ok = rptid.has_value();
        bool exist = true;
        for (const auto& v : *vids) {
            auto vid = id_of(v);
            if (!vid)
                format_ok = false;
            else if (!variable(*vid))
                exist = false;
            else
                ids.push_back(*vid);
        }
        uint8_t fault = 0;
        if (!format_ok)
            fault = 2;
        else if (!vids->empty() && (reports_.count(*rptid) || !named.insert(*rptid).second))
            fault = 3;
        else if (!exist)
            fault = 4;
        else if (vids->size() > kMaxListIds)
            fault = 1;
        if (fault) {
            drack = drack ? drack : fault;
            continue;
        }
        if (!vids->empty()) ++added;
        wanted.emplace_back(*rptid, std::move(ids));
    }
    if (!drack && reports_.size() + added > kMaxReports) drack = 1;
    if (drack) return {code(drack)};
    for (auto& [rptid, vids] : wanted) {
        if (vids.empty()) {
            reports_.erase(rptid);
            for (auto it = links_.begin(); it != links_.end();) {
                std::erase(it->second, rptid);
                it = it->second.empty() ? links_.erase(it) : std::next(it);
            }
        } else {
            reports_[rptid] = std::move(vids);
        }
    }
    return {code(0)};
}

Equipment::Reply Equipment::s2f35(const Message& m) {
    const auto* top = list_of(m.body, 2);
    const auto* entries = top ? list_of((*top)[1], -1) : nullptr;
    if (!entries) return {{}, true};
    std::vector<std::pair<uint32_t, std::vector<uint32_t>>> wanted;
    uint8_t lrack = 0;
    for (const auto& e : *entries) {
        const auto* pair = list_of(e, 2);
        const auto* rptids = pair ? list_of((*pair)[1], -1) : nullptr;
        if (!rptids) return {{}, true};
        auto ceid = id_of((*pair)[0]);
        std::vector<uint32_t> ids;
        bool format_ok = ceid.has_value(), exist = true;
        for (const auto& r : *rptids) {
            auto id = id_of(r);
            if (!id)
                format_ok = false;
            else if (!reports_.count(*id))
                exist = false;
            else
                ids.push_back(*id);
        }
        uint8_t fault = 0;
        if (!format_ok)
            fault = 2;
        else if (!by_ceid_.count(*ceid))
            fault = 4;
        else if (!exist)
            fault = 5;
        else if (!ids.empty() && links_.count(*ceid))
            fault = 3;
        else if (ids.size() > kMaxListIds)
            fault = 1;
        if (fault) {
            lrack = lrack ? lrack : fault;
            continue;
        }
        wanted.emplace_back(*ceid, std::move(ids));
    }
    if (lrack) return {code(lrack)};
    for (auto& [ceid, ids] : wanted) {
        if (ids.empty())
            links_.erase(ceid);
        else
            links_[ceid] = std::move(ids);
    }
    return {code(0)};
}

Equipment::Reply Equipment::s2f37(const Message& m) {
    const auto* top = list_of(m.body, 2);
    const auto* ids = top ? list_of((*top)[1], -1) : nullptr;
    auto enable = top ? flag_of((*top)[0]) : std::nullopt;
    if (!ids || !enable) return {{}, true};
    std::vector<uint32_t> chosen;
    for (const auto& i : *ids) {
        auto id = id_of(i);
        if (!id) return {{}, true};
        if (!by_ceid_.count(*id)) return {code(1)};
        chosen.push_back(*id);
    }
    if (ids->empty())
        for (const auto& e : model_.events) chosen.push_back(e.id);
    for (uint32_t id : chosen) {
        if (*enable)
            events_enabled_.insert(id);
        else
            events_enabled_.erase(id);
    }
    return {code(0)};
}

Equipment::Reply Equipment::s2f41(const Message& m) {
    if (!list_of(m.body, 2)) return {{}, true};
    // The definitions hold no remote commands.
    return {Item::list({code(1), Item::list({})})};
}

// ---- stream 2: traces, spooling -------------------------------------------

Equipment::Reply Equipment::s2f23(const Message& m) {
    const auto* f = list_of(m.body, 5);
    const auto* svids = f ? list_of((*f)[4], -1) : nullptr;
    if (!svids || (*f)[0].is_list() || (*f)[1].format() != Format::ascii) return {{}, true};
    auto total = id_of((*f)[2]);
    auto group = id_of((*f)[3]);
    if (!total || !group) return {{}, true};
    std::string key = secs::encode((*f)[0]);
    if (*total == 0) {
        traces_.erase(key);
        return {code(0)};
    }
    Trace t;
    t.period = text_of((*f)[1]);
    t.total_samples = static_cast<int32_t>(std::min<uint32_t>(*total, 0x7FFFFFFF));
    t.group_size = static_cast<int32_t>(std::min<uint32_t>(*group, 0x7FFFFFFF));
    if (svids->size() > kMaxListIds) return {code(1)};
    if (!traces_.count(key) && traces_.size() >= static_cast<size_t>(options_.trace_count))
        return {code(2)};
    if (!trace_period(t.period)) return {code(3)};
    for (const auto& s : *svids) {
        auto id = id_of(s);
        const Variable* v = id ? variable(*id) : nullptr;
        if (!v || v->kind != VariableKind::SV) return {code(4)};
        t.variables.push_back(*id);
    }
    if (*group == 0 || *group > *total) return {code(5)};
    start_trace(t, Clock::now(), (*f)[0]);
    return {code(0)};
}

Equipment::Reply Equipment::s2f43(const Message& m) {
    const auto* streams = list_of(m.body, -1);
    if (!streams) return {{}, true};
    if (streams->empty()) {
        spool_setting_.clear();
        return {Item::list({code(0), Item::list({})})};
    }
    // The primaries the equipment sends, by stream.
    static const std::map<int, std::set<int>> kSent = {
        {2, {17}}, {5, {1}}, {6, {1, 11, 13}}, {7, {1, 3}}, {9, {1, 3, 5, 7, 9, 11}}};
    std::vector<Item> faults;
    std::map<int, std::set<int>> wanted;
    for (const auto& s : *streams) {
        const auto* pair = list_of(s, 2);
        const auto* fns = pair ? list_of((*pair)[1], -1) : nullptr;
        auto stream = pair ? id_of((*pair)[0]) : std::nullopt;
        if (!fns || !stream) return {{}, true};
        std::vector<uint32_t> functions;
        for (const auto& f : *fns) {
            auto fn = id_of(f);
            if (!fn) return {{}, true};
            functions.push_back(*fn);
        }
        uint8_t strack = 0;
        auto known = kSent.find(static_cast<int>(*stream));
        if (*stream == 1)
            strack = 1;
        else if (known == kSent.end())
            strack = 2;
        for (uint32_t fn : functions) {
            if (strack) break;
            if (fn % 2 == 0)
                strack = 4;
            else if (!known->second.count(static_cast<int>(fn)))
                strack = 3;
        }
        if (strack) {
            std::vector<Item> fs;
            for (uint32_t fn : functions) fs.push_back(Item::u1(static_cast<uint8_t>(fn)));
            faults.push_back(Item::list({Item::u1(static_cast<uint8_t>(*stream)), code(strack),
                                         Item::list(std::move(fs))}));
            continue;
        }
        wanted[static_cast<int>(*stream)].insert(functions.begin(), functions.end());
    }
    if (!faults.empty()) return {Item::list({code(1), Item::list(std::move(faults))})};
    // The host's setting replaces the whole of the one before.
    spool_setting_ = std::move(wanted);
    return {Item::list({code(0), Item::list({})})};
}

// ---- stream 5: alarms -----------------------------------------------------

namespace {
Item alarm_entry(const Alarm* a, uint32_t id, bool set) {
    if (!a) return Item::list({Item::empty(Format::binary), id_item(id), Item::ascii("")});
    return Item::list({code(static_cast<uint8_t>(a->code | (set ? 0x80 : 0))), id_item(id),
                       Item::ascii(a->text)});
}
}  // namespace

Equipment::Reply Equipment::s5f3(const Message& m) {
    const auto* top = list_of(m.body, 2);
    auto aled = top ? flag_of((*top)[0]) : std::nullopt;
    auto ids = top ? ids_of((*top)[1]) : std::nullopt;
    if (!aled || !ids) return {{}, true};
    std::vector<uint32_t> chosen = *ids;
    for (uint32_t id : chosen)
        if (!by_alid_.count(id)) return {code(1)};
    if (chosen.empty())
        for (const auto& a : model_.alarms) chosen.push_back(a.id);
    for (uint32_t id : chosen) {
        if (*aled & 0x80)
            alarms_enabled_.insert(id);
        else
            alarms_enabled_.erase(id);
    }
    return {code(0)};
}

Equipment::Reply Equipment::s5f5(const Message& m) {
    auto ids = m.body ? ids_of(*m.body) : std::optional<std::vector<uint32_t>>{};
    if (!ids) return {{}, true};
    std::vector<Item> out;
    if (ids->empty())
        for (const auto& a : model_.alarms)
            out.push_back(alarm_entry(&a, a.id, alarms_set_.count(a.id)));
    for (uint32_t id : *ids) {
        auto it = by_alid_.find(id);
        out.push_back(alarm_entry(it == by_alid_.end() ? nullptr : &model_.alarms[it->second], id,
                                  alarms_set_.count(id)));
    }
    return {Item::list(std::move(out))};
}

Equipment::Reply Equipment::s5f7(const Message&) {
    std::vector<Item> out;
    for (const auto& a : model_.alarms)
        if (alarms_enabled_.count(a.id))
            out.push_back(alarm_entry(&a, a.id, alarms_set_.count(a.id)));
    return {Item::list(std::move(out))};
}

// ---- stream 6 -------------------------------------------------------------

Equipment::Reply Equipment::s6f15(const Message& m) {
    auto ceid = m.body ? id_of(*m.body) : std::nullopt;
    if (!ceid) return {{}, true};
    if (!by_ceid_.count(*ceid))
        return {Item::list({id_item(++data_id_), id_item(*ceid), Item::list({})})};
    return {event_body(*ceid)};
}

Equipment::Reply Equipment::s6f19(const Message& m) {
    auto rptid = m.body ? id_of(*m.body) : std::nullopt;
    if (!rptid) return {{}, true};
    return {report_values(*rptid)};
}

Equipment::Reply Equipment::s6f23(const Message& m) {
    auto rsdc = m.body ? flag_of(*m.body) : std::nullopt;
    if (!rsdc || *rsdc > 1) return {{}, true};
    if (spool_.size() == 0) return {code(2)};
    auto messages = spool_.take();
    if (*rsdc == 0)
        for (auto& s : messages) outbox_.push_back(std::move(s));
    return {code(0)};
}

// ---- stream 7: process programs -------------------------------------------

Equipment::Reply Equipment::s7f1(const Message& m) {
    const auto* f = list_of(m.body, 2);
    auto length = f ? id_of((*f)[1]) : std::nullopt;
    if (!length) return {{}, true};
    // PPGNT 3: no PPID; 2: the body would not fit in what the uploads may
    // still hold (a PPID sent again frees its old body).
    if (!is_ppid((*f)[0])) return {code(3)};
    auto old = uploaded_.find(text_of((*f)[0]));
    size_t freed = old == uploaded_.end() ? 0 : old->second.items()[1].data().size();
    bool room = (old != uploaded_.end() || uploaded_.size() < kMaxUploads) &&
                *length <= kMaxUploadBytes - (uploaded_bytes_ - freed);
    return {code(room ? 0 : 2)};
}

Equipment::Reply Equipment::s7f3(const Message& m) {
    const auto* f = list_of(m.body, 2);
    if (!f || !is_ppid((*f)[0]) || (*f)[1].is_list()) return {{}, true};
    std::string ppid = text_of((*f)[0]);
    // Kept as sent: a binary body must come back binary.
    const Item& body = (*f)[1];
    auto old = uploaded_.find(ppid);
    size_t freed = old == uploaded_.end() ? 0 : old->second.items()[1].data().size();
    if ((old == uploaded_.end() && uploaded_.size() >= kMaxUploads) ||
        uploaded_bytes_ - freed + body.data().size() > kMaxUploadBytes)
        return {code(3)};
    uploaded_bytes_ = uploaded_bytes_ - freed + body.data().size();
    uploaded_[ppid] = *m.body;
    return {code(0)};
}

Equipment::Reply Equipment::s7f5(const Message& m) {
    if (!m.body || !is_ppid(*m.body)) return {{}, true};
    std::string ppid = text_of(*m.body);
    if (auto it = uploaded_.find(ppid); it != uploaded_.end())
        return {Item::list({*m.body, it->second.items()[1]})};
    for (const auto& p : model_.programs)
        if (p.ppid.text == ppid) return {Item::list({typed_item(p.ppid), typed_item(p.body)})};
    return {Item::list({})};
}

Equipment::Reply Equipment::s7f19(const Message&) {
    std::vector<Item> ids;
    std::set<std::string> seen;
    for (const auto& p : model_.programs)
        if (seen.insert(p.ppid.text).second) ids.push_back(typed_item(p.ppid));
    for (const auto& [ppid, upload] : uploaded_)
        if (seen.insert(ppid).second) ids.push_back(upload.items()[0]);
    return {Item::list(std::move(ids))};
}

Equipment::Reply Equipment::s7f25(const Message& m) {
    if (!m.body || !is_ppid(*m.body)) return {{}, true};
    std::string ppid = text_of(*m.body);
    for (const auto& f : model_.formatted) {
        if (f.ppid.text != ppid) continue;
        std::vector<Item> codes;
        for (const auto& c : f.codes) {
            std::vector<Item> params;
            for (const auto& p : c.params) params.push_back(typed_item(p));
            codes.push_back(Item::list({typed_item(c.code), Item::list(std::move(params))}));
        }
        return {Item::list({typed_item(f.ppid), Item::ascii(f.mdln), Item::ascii(f.softrev),
                            Item::list(std::move(codes))})};
    }
    return {Item::list({})};
}

}  // namespace zor::sim
