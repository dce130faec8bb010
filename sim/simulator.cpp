#include "sim/simulator.h"

#include <algorithm>
#include <csignal>
#include <iostream>
#include <thread>

#include "platform/platform.h"
#include "sim/values.h"

namespace zor::sim {
namespace {

volatile std::sig_atomic_t g_stop = 0;

// How long the loop sleeps at most while nothing is due: the console and a
// stop request are looked at this often.
constexpr int kIdleMs = 10;
// Longest data of one item the host may send; longer is refused with S9F11.
constexpr size_t kMaxItemLength = 1024 * 1024;

EquipmentOptions equipment_options(const Settings& s) {
    EquipmentOptions o;
    o.device = s.device;
    o.mdln = s.mdln.value_or("");
    o.softrev = s.softrev.value_or("");
    o.offline = s.offline;
    o.trace_count = s.trace_count;
    o.spool_path = s.spool_path;
    return o;
}

secs::EndpointOptions endpoint_options(const Settings& s) {
    secs::EndpointOptions o;
    o.timeouts = s.timeouts;
    o.limits.max_item_length = kMaxItemLength;
    o.max_message_length = 16 * 1024 * 1024;
    return o;
}

std::string message_name(int stream, int function) {
    return "S" + std::to_string(stream) + "F" + std::to_string(function);
}

}  // namespace

Simulator::Simulator(Settings settings, Model model, Log& log)
    : settings_(std::move(settings)),
      log_(log),
      equipment_(std::move(model), equipment_options(settings_)),
      endpoint_(endpoint_options(settings_)) {}

Simulator::~Simulator() = default;

void Simulator::request_stop() { g_stop = 1; }

bool Simulator::start(std::string& error) {
    for (const auto& n : settings_.notes) log_.note(n);
    std::string spool_error;
    if (!equipment_.spool().load(spool_error)) log_.note(spool_error);
    if (equipment_.spool().size())
        log_.note(std::to_string(equipment_.spool().size()) + " spooled messages kept from before");
    if (!endpoint_.listen(settings_.bind, settings_.port, error)) return false;
    log_.note("listening on " + settings_.bind + ":" + std::to_string(endpoint_.port()) +
              ", device " + std::to_string(settings_.device) +
              (equipment_.online() ? ", ON-LINE REMOTE" : ", EQUIPMENT OFF-LINE"));
    return true;
}

// ---- commands -------------------------------------------------------------

bool Simulator::check(const Command& c, std::string& error) const {
    switch (c.kind) {
        case Command::Kind::set: {
            const Variable* v = equipment_.find_variable(c.name);
            if (!v) {
                error = "no variable " + c.name;
                return false;
            }
            if (v->format == 0 || !item_of(v->format, c.values)) {
                error = v->format == 0 ? v->name + " is a list: set its elements"
                                       : "not a value of " + v->name + "'s format";
                return false;
            }
            return true;
        }
        case Command::Kind::event:
            if (equipment_.find_event(c.name)) return true;
            error = "no collection event " + c.name;
            return false;
        case Command::Kind::alarm_set:
        case Command::Kind::alarm_clear:
            if (equipment_.find_alarm(c.name)) return true;
            error = "no alarm " + c.name;
            return false;
        case Command::Kind::trace_start:
            if (equipment_.find_trace(c.name)) return true;
            error = "no trace " + c.name;
            return false;
        default: return true;
    }
}

bool Simulator::read_script(const std::string& path, std::vector<Command>& out,
                            std::string& error) const {
    std::string text;
    if (!platform::read_whole_file(path, text, error)) return false;
    int number = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        Command c;
        bool blank = false;
        std::string why;
        if (!parse_command(line, number, c, blank, why) || (!blank && !check(c, why))) {
            error = path + ":" + std::to_string(number) + ": " + why;
            return false;
        }
        if (!blank) out.push_back(std::move(c));
    }
    return true;
}

Simulator::Step Simulator::execute(const Command& c) {
    auto now = Equipment::Clock::now();
    log_.note("command: " + c.text);
    switch (c.kind) {
        case Command::Kind::set: {
            std::string error;
            if (!equipment_.set_value(equipment_.find_variable(c.name)->id, c.values, error))
                log_.note(error);
            break;
        }
        case Command::Kind::event: equipment_.trigger(equipment_.find_event(c.name)->id); break;
        case Command::Kind::alarm_set:
        case Command::Kind::alarm_clear:
            equipment_.set_alarm(equipment_.find_alarm(c.name)->id,
                                 c.kind == Command::Kind::alarm_set);
            break;
        case Command::Kind::trace_start:
            equipment_.start_trace(*equipment_.find_trace(c.name), now);
            break;
        case Command::Kind::wait_time:
            wait_until_ = now + c.time;
            waiting_ = c;
            return Step::blocked;
        case Command::Kind::wait_s6f12:
        case Command::Kind::expect:
            expected_seen_ = false;
            waiting_ = c;
            return Step::blocked;
        case Command::Kind::offline:
            equipment_.go_offline();
            log_.note("EQUIPMENT OFF-LINE");
            break;
        case Command::Kind::online:
            equipment_.go_online();
            log_.note("ON-LINE REMOTE");
            break;
        case Command::Kind::disconnect:
            log_.note("disconnecting the host");
            endpoint_.separate();
            break;
        case Command::Kind::quit: return Step::quit;
    }
    flush();
    return Step::next;
}

bool Simulator::blocked() {
    if (!waiting_) return false;
    bool still = false;
    switch (waiting_->kind) {
        case Command::Kind::wait_time: still = Equipment::Clock::now() < wait_until_; break;
        case Command::Kind::wait_s6f12: still = !pending_s6f11_.empty(); break;
        case Command::Kind::expect: still = !expected_seen_; break;
        default: break;
    }
    if (!still) waiting_.reset();
    return still;
}

// ---- console ----------------------------------------------------------------

void Simulator::start_console() {
    console_ = std::make_shared<Console>();
    // The reader only hands lines over; it is left blocked in its read when
    // the program ends.
    std::thread([c = console_] {
        std::string line;
        while (std::getline(std::cin, line)) {
            std::lock_guard<std::mutex> lock(c->mutex);
            c->lines.push_back(line);
        }
        std::lock_guard<std::mutex> lock(c->mutex);
        c->ended = true;
    }).detach();
}

std::optional<std::string> Simulator::console_line() {
    if (!console_) return std::nullopt;
    std::lock_guard<std::mutex> lock(console_->mutex);
    if (console_->lines.empty()) return std::nullopt;
    std::string line = std::move(console_->lines.front());
    console_->lines.pop_front();
    return line;
}

// ---- the loop ---------------------------------------------------------------

int Simulator::step_timeout() const {
    auto now = Equipment::Clock::now();
    auto until = now + std::chrono::milliseconds(kIdleMs);
    if (auto due = equipment_.next_due()) until = std::min(until, *due);
    if (waiting_ && waiting_->kind == Command::Kind::wait_time)
        until = std::min(until, wait_until_);
    auto ms = std::chrono::ceil<std::chrono::milliseconds>(until - now).count();
    return static_cast<int>(std::clamp<long long>(ms, 0, kIdleMs));
}

int Simulator::run(std::vector<Command> script, bool console) {
    std::deque<Command> queue(script.begin(), script.end());
    if (console) start_console();
    while (!g_stop) {
        while (!blocked()) {
            Command c;
            if (!queue.empty()) {
                c = std::move(queue.front());
                queue.pop_front();
            } else if (auto line = console_line()) {
                bool blank = false;
                std::string why;
                ++console_line_number_;
                if (!parse_command(*line, console_line_number_, c, blank, why) ||
                    (!blank && !check(c, why))) {
                    std::cerr << "stdin:" << console_line_number_ << ": " << why << std::endl;
                    continue;
                }
                if (blank) continue;
            } else {
                break;
            }
            if (execute(c) == Step::quit) {
                log_.flush();
                return 0;
            }
        }
        log_.flush();
        for (const auto& e : endpoint_.step(step_timeout())) handle(e);
        equipment_.poll(Equipment::Clock::now());
        flush();
    }
    log_.note("stopped");
    log_.flush();
    return 0;
}

void Simulator::handle(const secs::Event& e) {
    using Kind = secs::Event::Kind;
    switch (e.kind) {
        case Kind::connected: log_.note("host connected from " + e.text); break;
        case Kind::selected:
            log_.note("selected");
            equipment_.on_selected(settings_.s1f13_send == 2);
            break;
        case Kind::deselected:
        case Kind::closed: {
            log_.note(e.kind == Kind::closed
                          ? "connection closed" + (e.text.empty() ? "" : ": " + e.text)
                          : "deselected");
            if (!pending_s6f11_.empty())
                log_.note(std::to_string(pending_s6f11_.size()) + " S6F11 not delivered");
            equipment_.on_disconnected();
            open_.clear();
            pending_s6f11_.clear();
            break;
        }
        case Kind::message:
            log_.message(true, e.message);
            handle_primary(e);
            break;
        case Kind::reply: {
            log_.message(true, e.message);
            auto it = open_.find(e.message.system_bytes);
            if (it != open_.end()) {
                equipment_.on_reply(it->second, e.message, Equipment::Clock::now());
                open_.erase(it);
            }
            pending_s6f11_.erase(e.message.system_bytes);
            break;
        }
        case Kind::reply_timeout: {
            uint32_t sys = e.message.system_bytes;
            log_.note("T3: no reply to " + message_name(e.message.stream, e.message.function) +
                      (pending_s6f11_.count(sys) ? ", the event counts as not delivered" : ""));
            if (auto it = open_.find(sys); it != open_.end()) {
                equipment_.on_no_reply(it->second, Equipment::Clock::now());
                open_.erase(it);
            }
            pending_s6f11_.erase(sys);
            send_s9(9, e.header);
            break;
        }
        case Kind::rejected: log_.note("the host rejected a message"); break;
        case Kind::refused: log_.note("refused a second host from " + e.text); break;
    }
    flush();
}

void Simulator::handle_primary(const secs::Event& e) {
    const secs::Message& m = e.message;
    if (m.function % 2 == 0) return;  // a reply that answers nothing of ours
    if (m.device_id != settings_.device) {
        send_s9(1, e.header);
        return;
    }
    if (e.body_error.kind == secs::DecodeError::Kind::too_long) {
        send_s9(11, e.header);
        return;
    }
    auto known = equipment_.knows(m.stream, m.function);
    if (known != Equipment::Known::yes) {
        send_s9(known == Equipment::Known::unknown_stream ? 3 : 5, e.header);
        return;
    }
    if (e.body_error.kind != secs::DecodeError::Kind::none) {
        send_s9(7, e.header);
        return;
    }
    auto answer = equipment_.on_primary(m);
    if (answer.malformed)
        send_s9(7, e.header);
    else if (answer.reply)
        send_reply(answer);
    if (waiting_ && waiting_->kind == Command::Kind::expect && waiting_->stream == m.stream &&
        waiting_->function == m.function)
        expected_seen_ = true;
}

void Simulator::send_s9(int function, const secs::Header& header) {
    secs::Message s9{
        static_cast<uint16_t>(settings_.device),  9, static_cast<uint8_t>(function), false, 0,
        secs::Item::binary(header.bytes_string())};
    if (auto sys = endpoint_.send_primary(s9)) {
        s9.system_bytes = *sys;
        log_.message(false, s9);
    }
}

void Simulator::send_reply(const Equipment::Answer& answer) {
    const secs::Message& reply = *answer.reply;
    if (!answer.encoded) {
        if (endpoint_.send_reply(reply)) log_.message(false, reply);
    } else if (endpoint_.send_reply(reply, answer.encoded->wire)) {
        log_.message(false, reply, answer.encoded->sml);
    }
}

void Simulator::flush() {
    auto& out = equipment_.outbox();
    for (auto& m : out) {
        auto sys = endpoint_.send_primary(m);
        if (!sys) {
            log_.note("not sent (no host): " + message_name(m.stream, m.function));
            continue;
        }
        m.system_bytes = *sys;
        log_.message(false, m);
        if (m.wait) open_[*sys] = m;
        if (m.stream == 6 && m.function == 11) pending_s6f11_.insert(*sys);
    }
    out.clear();
}

}  // namespace zor::sim
