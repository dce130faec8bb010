#include "sim/equipment.h"

#include <algorithm>
#include <ctime>

#include "platform/platform.h"
#include "secs/item_codec.h"
#include "sim/values.h"
#include "textscan/fold_case.h"

namespace zor::sim {
namespace {

using secs::Format;
using secs::Item;
using secs::Message;

// Lists deeper than this (a list variable naming itself) stop at an empty list.
constexpr int kMaxValueDepth = 8;

bool decimal_id(const std::string& text, uint32_t& out) {
    if (text.empty() || text.size() > 10 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    uint64_t v = std::stoull(text);
    if (v > 0xFFFFFFFFu) return false;
    out = static_cast<uint32_t>(v);
    return true;
}

// Names folded to their index, the first definition of a name winning.
template <class Def>
std::unordered_map<std::string, size_t> name_index(const std::vector<Def>& defs) {
    std::unordered_map<std::string, size_t> out;
    for (size_t i = 0; i < defs.size(); ++i) out.emplace(textscan::fold_case(defs[i].name), i);
    return out;
}

// A definition by decimal ID, else by name.
template <class Def>
const Def* find_by(const std::vector<Def>& defs, const std::unordered_map<uint32_t, size_t>& ids,
                   const std::unordered_map<std::string, size_t>& names, const std::string& key) {
    uint32_t id = 0;
    if (decimal_id(key, id))
        if (auto it = ids.find(id); it != ids.end()) return &defs[it->second];
    auto it = names.find(textscan::fold_case(key));
    return it == names.end() ? nullptr : &defs[it->second];
}

// A GEM variable whose value is the equipment's live state.
bool reads_live_state(const Variable& v) {
    switch (v.role) {
        case GemRole::none:
        case GemRole::process_state:
        case GemRole::previous_process_state:
        case GemRole::establish_communications_timeout: return false;
        default: return true;
    }
}

}  // namespace

Equipment::Equipment(Model model, EquipmentOptions options)
    : model_(std::move(model)), options_(std::move(options)), spool_(options_.spool_path) {
    if (options_.mdln.empty() && !model_.formatted.empty())
        options_.mdln = model_.formatted.front().mdln;
    if (options_.softrev.empty() && !model_.formatted.empty())
        options_.softrev = model_.formatted.front().softrev;
    control_ = options_.offline ? ControlState::equipment_offline : ControlState::online_remote;
    for (size_t i = 0; i < model_.variables.size(); ++i) {
        by_vid_.emplace(model_.variables[i].id, i);
        const Variable& v = model_.variables[i];
        values_.push_back(initial_value(v));
        computed_.push_back(reads_live_state(v) || v.format == 0);
        if (v.kind == VariableKind::SV) status_variables_.push_back(i);
    }
    changed_at_.assign(values_.size(), 0);
    for (size_t i = 0; i < model_.events.size(); ++i) {
        const Event& e = model_.events[i];
        by_ceid_.emplace(e.id, i);
        if (e.enabled) events_enabled_.insert(e.id);
        if (!e.reports.empty()) links_[e.id] = e.reports;
    }
    for (const auto& r : model_.reports) reports_.emplace(r.id, r.variables);
    for (size_t i = 0; i < model_.alarms.size(); ++i) {
        by_alid_.emplace(model_.alarms[i].id, i);
        if (model_.alarms[i].enabled) alarms_enabled_.insert(model_.alarms[i].id);
    }
    for (const auto& s : model_.spools)
        spool_setting_[s.stream].insert(s.functions.begin(), s.functions.end());
    variable_names_ = name_index(model_.variables);
    event_names_ = name_index(model_.events);
    alarm_names_ = name_index(model_.alarms);
}

// ---- values ---------------------------------------------------------------

const Variable* Equipment::variable(uint32_t vid) const {
    auto it = by_vid_.find(vid);
    return it == by_vid_.end() ? nullptr : &model_.variables[it->second];
}

const Variable* Equipment::constant(uint32_t ecid) const {
    if (const Variable* v = variable(ecid); v && v->kind == VariableKind::EC) return v;
    // Another kind's variable with the same ID came first.
    for (const auto& v : model_.variables)
        if (v.kind == VariableKind::EC && v.id == ecid) return &v;
    return nullptr;
}

const Variable* Equipment::find_variable(const std::string& key) const {
    return find_by(model_.variables, by_vid_, variable_names_, key);
}
const Event* Equipment::find_event(const std::string& key) const {
    return find_by(model_.events, by_ceid_, event_names_, key);
}
const Alarm* Equipment::find_alarm(const std::string& key) const {
    return find_by(model_.alarms, by_alid_, alarm_names_, key);
}
const Trace* Equipment::find_trace(const std::string& key) const {
    std::string folded = textscan::fold_case(key);
    for (const auto& t : model_.traces)
        if (textscan::fold_case(t.name) == folded || t.trid.text == key) return &t;
    return nullptr;
}

Item Equipment::id_set_item(const Variable& v, const std::vector<uint32_t>& ids) const {
    auto format = secs::format_from_code(v.format);
    if (!format || *format == Format::list || !secs::is_unsigned_integer(*format)) {
        std::vector<Item> items;
        for (uint32_t id : ids) items.push_back(id_item(id));
        return Item::list(std::move(items));
    }
    std::vector<uint64_t> values(ids.begin(), ids.end());
    return Item::unsigned_array(*format, values);
}

Item Equipment::live_value(const Variable& v) const {
    switch (v.role) {
        case GemRole::clock: {
            std::string text = clock_text();
            return v.format == 17 ? Item::jis(text) : Item::ascii(text);
        }
        case GemRole::control_state:
            return item_of(v.format, {std::to_string(static_cast<int>(control_))})
                .value_or(Item::u1(static_cast<uint8_t>(control_)));
        case GemRole::events_enabled:
            return id_set_item(v, {events_enabled_.begin(), events_enabled_.end()});
        case GemRole::alarms_enabled:
            return id_set_item(v, {alarms_enabled_.begin(), alarms_enabled_.end()});
        case GemRole::alarms_set: return id_set_item(v, {alarms_set_.begin(), alarms_set_.end()});
        default: return Item();
    }
}

Item Equipment::value_at(size_t index, int depth) const {
    const Variable& v = model_.variables[index];
    if (reads_live_state(v)) return live_value(v);
    if (v.format != 0) return values_[index];
    std::vector<Item> items;
    if (depth < kMaxValueDepth)
        for (uint32_t e : v.elements)
            if (auto it = by_vid_.find(e); it != by_vid_.end())
                items.push_back(value_at(it->second, depth + 1));
    return Item::list(std::move(items));
}

Item Equipment::value(uint32_t vid) const {
    auto it = by_vid_.find(vid);
    return it == by_vid_.end() ? Item() : value_at(it->second, 0);
}

bool Equipment::set_value(uint32_t vid, const std::vector<std::string>& texts, std::string& error) {
    auto it = by_vid_.find(vid);
    if (it == by_vid_.end()) {
        error = "no variable " + std::to_string(vid);
        return false;
    }
    const Variable& v = model_.variables[it->second];
    if (v.format == 0) {
        error = v.name + " is a list: set its elements";
        return false;
    }
    auto item = item_of(v.format, texts);
    if (!item || (texts.empty() && !secs::is_text(item->format()))) {
        error = "not a value of " + v.name + "'s format";
        return false;
    }
    store_value(it->second, std::move(*item));
    return true;
}

void Equipment::store_value(size_t index, Item value) {
    values_[index] = std::move(value);
    changed_at_[index] = ++changes_;
}

std::shared_ptr<const secs::EncodedBody> Equipment::poll(const std::vector<size_t>& indices) {
    auto value = [&](size_t index) { return index == kNoVariable ? Item() : value_at(index, 0); };
    // Every SV is asked as status_variables_ itself, which never changes.
    bool all = &indices == &status_variables_;
    if (!poll_ || poll_->all != all || (!all && poll_->indices != indices)) {
        std::vector<Item> values;
        std::vector<size_t> computed;
        values.reserve(indices.size());
        for (size_t i = 0; i < indices.size(); ++i) {
            values.push_back(value(indices[i]));
            if (indices[i] != kNoVariable && computed_[indices[i]]) computed.push_back(i);
        }
        poll_.emplace(Poll{all, indices, std::move(computed), changes_, secs::EncodedList(values)});
        return poll_->values.body();
    }
    for (size_t i : poll_->computed) poll_->values.replace(i, value(poll_->indices[i]));
    if (changes_ != poll_->as_of) {
        for (size_t i = 0; i < poll_->indices.size(); ++i) {
            size_t index = poll_->indices[i];
            if (index != kNoVariable && changed_at_[index] > poll_->as_of)
                poll_->values.replace(i, value(index));
        }
        poll_->as_of = changes_;
    }
    return poll_->values.body();
}

// ---- clock ----------------------------------------------------------------

std::string Equipment::time_text(int width) const {
    auto now = std::chrono::system_clock::now() + clock_offset_;
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    auto cs =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000 / 10;
    std::tm tm = platform::local_time(t);
    char buffer[64];
    if (width == 12)
        std::snprintf(buffer, sizeof buffer, "%02d%02d%02d%02d%02d%02d", tm.tm_year % 100,
                      tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
    else
        std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d%02d%02d", tm.tm_year + 1900,
                      tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
                      static_cast<int>(cs.count()));
    return buffer;
}

std::string Equipment::clock_text() const {
    for (const auto& v : model_.variables)
        if (v.role == GemRole::clock) return time_text(v.size == 12 ? 12 : 16);
    return time_text(16);
}

// ---- events, alarms -------------------------------------------------------

void Equipment::emit(Message primary) {
    primary.device_id = static_cast<uint16_t>(options_.device);
    if (communicating_) {
        outbox_.push_back(std::move(primary));
        return;
    }
    if (spooled(primary.stream, primary.function)) spool_.add(primary);
}

bool Equipment::spooled(int stream, int function) const {
    auto it = spool_setting_.find(stream);
    return it != spool_setting_.end() && (it->second.empty() || it->second.count(function));
}

Item Equipment::report_values(uint32_t rptid) const {
    std::vector<Item> values;
    if (auto it = reports_.find(rptid); it != reports_.end())
        for (uint32_t vid : it->second) values.push_back(value(vid));
    return Item::list(std::move(values));
}

Item Equipment::event_body(uint32_t ceid) {
    std::vector<Item> reports;
    if (auto it = links_.find(ceid); it != links_.end())
        for (uint32_t r : it->second) reports.push_back(Item::list({id_item(r), report_values(r)}));
    return Item::list({id_item(++data_id_), id_item(ceid), Item::list(std::move(reports))});
}

void Equipment::trigger(uint32_t ceid) {
    if (!online() || !events_enabled_.count(ceid)) return;
    emit({0, 6, 11, true, 0, event_body(ceid)});
}

void Equipment::set_alarm(uint32_t alid, bool set) {
    auto it = by_alid_.find(alid);
    if (it == by_alid_.end()) return;
    const Alarm& a = model_.alarms[it->second];
    if (set ? !alarms_set_.insert(alid).second : !alarms_set_.erase(alid)) return;
    if (online() && alarms_enabled_.count(alid)) {
        uint8_t code = static_cast<uint8_t>(a.code | (set ? 0x80 : 0));
        emit({0, 5, 1, true, 0,
              Item::list({Item::binary(std::string(1, static_cast<char>(code))), id_item(alid),
                          Item::ascii(a.text)})});
    }
    if (auto ce = set ? a.set_event : a.clear_event) trigger(*ce);
}

// ---- traces ---------------------------------------------------------------

void Equipment::start_trace(const Trace& t, Clock::time_point now, std::optional<secs::Item> trid) {
    RunningTrace r;
    r.trid = trid ? std::move(*trid) : typed_item(t.trid);
    r.period = trace_period(t.period).value_or(std::chrono::seconds(1));
    r.total = static_cast<uint32_t>(std::max(t.total_samples, 1));
    // Bounded by the total taken, which is at least 1 (clamp needs low <= high).
    r.group = std::clamp<uint32_t>(static_cast<uint32_t>(std::max(t.group_size, 1)), 1, r.total);
    r.svids = t.variables;
    r.next = now;
    traces_[secs::encode(r.trid)] = std::move(r);
}

void Equipment::poll(Clock::time_point now) {
    if (s1f13_again_at_ && *s1f13_again_at_ <= now) {
        s1f13_again_at_.reset();
        if (!communicating_) send_s1f13_now();
    }
    for (auto it = traces_.begin(); it != traces_.end();) {
        RunningTrace& t = it->second;
        while (t.next <= now && t.taken < t.total) {
            // SMPLN and STIME of a group are its last sample's.
            t.last_time = clock_text();
            for (uint32_t sv : t.svids) t.samples.push_back(value(sv));
            ++t.taken;
            t.next += t.period;
            if (t.samples.size() >= t.group * t.svids.size() || t.taken == t.total) {
                emit({0, 6, 1, true, 0,
                      Item::list({t.trid, id_item(t.taken), Item::ascii(t.last_time),
                                  Item::list(std::move(t.samples))})});
                t.samples.clear();
            }
            // A period far shorter than the loop: catch up without a burst.
            if (t.next + t.period < now) t.next = now;
        }
        if (t.taken >= t.total)
            it = traces_.erase(it);
        else
            ++it;
    }
}

std::optional<Equipment::Clock::time_point> Equipment::next_due() const {
    std::optional<Clock::time_point> out = s1f13_again_at_;
    for (const auto& [key, t] : traces_)
        if (!out || t.next < *out) out = t.next;
    return out;
}

// ---- connection -----------------------------------------------------------

void Equipment::on_selected(bool send_s1f13) {
    communicating_ = false;
    s1f13_again_at_.reset();
    if (send_s1f13) send_s1f13_now();
}

void Equipment::send_s1f13_now() {
    outbox_.push_back({static_cast<uint16_t>(options_.device), 1, 13, true, 0, Item::list({})});
}

void Equipment::on_disconnected() {
    communicating_ = false;
    s1f13_again_at_.reset();
}

void Equipment::on_reply(const Message& primary, const Message& reply, Clock::time_point now) {
    if (primary.stream != 1 || primary.function != 13) return;
    if (reply.body && reply.body->is_list() && !reply.body->items().empty() &&
        reply.body->items()[0].size() == 1 && reply.body->items()[0].as_u64() == 0u)
        communicating_ = true;
    else
        on_no_reply(primary, now);
}

// The host refused or did not answer our S1F13: we try again after the
// establish communications timeout, unless the host establishes first.
void Equipment::on_no_reply(const Message& primary, Clock::time_point now) {
    if (primary.stream == 1 && primary.function == 13 && !communicating_)
        s1f13_again_at_ = now + establish_communications_timeout();
}

std::chrono::seconds Equipment::establish_communications_timeout() const {
    for (size_t i = 0; i < model_.variables.size(); ++i) {
        if (model_.variables[i].role != GemRole::establish_communications_timeout) continue;
        auto seconds = values_[i].as_double();
        // Below a second the equipment would press the host without pause.
        if (seconds && *seconds >= 1 && *seconds <= 86400)
            return std::chrono::seconds(static_cast<long>(*seconds));
    }
    return std::chrono::seconds(10);
}

}  // namespace zor::sim
