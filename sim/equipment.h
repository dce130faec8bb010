#pragma once
// The GEM equipment: the model's definitions as live state (values,
// reports and their links, enabled events and alarms, alarms set, clock,
// control and communication state, traces, spool setting, process
// programs) and the answers to the host's messages. No sockets: the caller
// feeds it the host's primaries and sends what it gives back.

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "secs/encoded_list.h"
#include "secs/item.h"
#include "secs/message.h"
#include "sim/model.h"
#include "sim/spool.h"

namespace zor::sim {

// E30's control states, as the ControlState variable reads them.
enum class ControlState : uint8_t {
    equipment_offline = 1,
    attempt_online = 2,
    host_offline = 3,
    online_local = 4,
    online_remote = 5,
};

struct EquipmentOptions {
    int device = 0;
    std::string mdln, softrev;  // empty: the first FPP's, else empty
    bool offline = false;
    int trace_count = 8;
    std::string spool_path;  // empty: spooled messages kept in memory only
};

class Equipment {
  public:
    using Clock = std::chrono::steady_clock;

    Equipment(Model model, EquipmentOptions options);

    // What one primary of the host gives: the reply (none for a primary
    // without the W-bit, or when an S9F7 is due instead), and whether the
    // body was not the message's structure (the caller sends S9F7).
    struct Answer {
        std::optional<secs::Message> reply;
        bool malformed = false;
        // When set, the reply's body made beforehand (reply->body is empty).
        std::shared_ptr<const secs::EncodedBody> encoded;
    };
    enum class Known { yes, unknown_stream, unknown_function };
    // Whether the equipment answers this stream and function at all.
    Known knows(int stream, int function) const;
    Answer on_primary(const secs::Message& primary);
    // The host's reply to one of our primaries, and no reply in time.
    void on_reply(const secs::Message& primary, const secs::Message& reply, Clock::time_point now);
    void on_no_reply(const secs::Message& primary, Clock::time_point now);

    // The connection: selected (S1F13 is sent when `send_s1f13`), ended.
    void on_selected(bool send_s1f13);
    void on_disconnected();
    bool communicating() const { return communicating_; }
    ControlState control_state() const { return control_; }
    bool online() const {
        return control_ == ControlState::online_local || control_ == ControlState::online_remote;
    }

    // ---- operator and scenario ------------------------------------------
    void go_online() { control_ = ControlState::online_remote; }
    void go_offline() { control_ = ControlState::equipment_offline; }
    // A variable by name (folded) or decimal ID; null when none.
    const Variable* find_variable(const std::string& name_or_id) const;
    const Event* find_event(const std::string& name_or_id) const;
    const Alarm* find_alarm(const std::string& name_or_id) const;
    const Trace* find_trace(const std::string& name_or_trid) const;
    // False with the reason when the values are not of the variable's format.
    bool set_value(uint32_t vid, const std::vector<std::string>& texts, std::string& error);
    // Sends S6F11 when the event is enabled (and the control state allows).
    void trigger(uint32_t ceid);
    void set_alarm(uint32_t alid, bool set);
    // Starts (or starts again) a trace, under the host's TRID item when
    // given, else the definition's.
    void start_trace(const Trace& trace, Clock::time_point now,
                     std::optional<secs::Item> trid = std::nullopt);

    // The current value of a variable (lists of their elements' values).
    secs::Item value(uint32_t vid) const;
    // The clock as the Clock variable and S2F18 show it.
    std::string clock_text() const;

    // ---- timers ----------------------------------------------------------
    // Samples due traces and sends S1F13 again when due; the next time
    // either is due.
    void poll(Clock::time_point now);
    std::optional<Clock::time_point> next_due() const;

    // Primaries to send, oldest first (the caller empties it). Those sent
    // while not communicating went to the spool instead, when spooled.
    std::vector<secs::Message>& outbox() { return outbox_; }
    SpoolStore& spool() { return spool_; }
    std::size_t active_traces() const { return traces_.size(); }

  private:
    struct Reply;
    using Handler = Reply (Equipment::*)(const secs::Message&);
    struct RunningTrace {
        secs::Item trid;
        Clock::duration period;
        uint32_t total = 0, group = 0, taken = 0;
        std::vector<uint32_t> svids;
        Clock::time_point next;
        std::vector<secs::Item> samples;  // of the group being gathered
        std::string last_time;            // of the group's last sample
    };

    static const std::map<int, Handler>& handlers();
    void emit(secs::Message primary);
    bool spooled(int stream, int function) const;
    secs::Item event_body(uint32_t ceid);
    secs::Item report_values(uint32_t rptid) const;
    secs::Item value_at(size_t index, int depth) const;
    secs::Item live_value(const Variable& v) const;
    void store_value(size_t index, secs::Item value);
    static constexpr size_t kNoVariable = SIZE_MAX;
    // The values of the variables at `indices` (kNoVariable: a zero-length
    // item), encoded. The last such answer is kept, and the next one for the
    // same indices encodes only the values that changed since.
    std::shared_ptr<const secs::EncodedBody> poll(const std::vector<size_t>& indices);
    secs::Item id_set_item(const Variable& v, const std::vector<uint32_t>& ids) const;
    const Variable* variable(uint32_t vid) const;
    const Variable* constant(uint32_t ecid) const;
    std::string time_text(int width) const;
    void send_s1f13_now();
    std::chrono::seconds establish_communications_timeout() const;

    // Handlers, one a message; each says the reply's body or a malformed body.
    Reply s1f1(const secs::Message&);
    Reply s1f3(const secs::Message&);
    Reply s1f11(const secs::Message&);
    Reply s1f13(const secs::Message&);
    Reply s1f15(const secs::Message&);
    Reply s1f17(const secs::Message&);
    Reply s1f21(const secs::Message&);
    Reply s1f23(const secs::Message&);
    Reply s2f13(const secs::Message&);
    Reply s2f15(const secs::Message&);
    Reply s2f17(const secs::Message&);
    Reply s2f23(const secs::Message&);
    Reply s2f29(const secs::Message&);
    Reply s2f31(const secs::Message&);
    Reply s2f33(const secs::Message&);
    Reply s2f35(const secs::Message&);
    Reply s2f37(const secs::Message&);
    Reply s2f41(const secs::Message&);
    Reply s2f43(const secs::Message&);
    Reply s5f3(const secs::Message&);
    Reply s5f5(const secs::Message&);
    Reply s5f7(const secs::Message&);
    Reply s6f15(const secs::Message&);
    Reply s6f19(const secs::Message&);
    Reply s6f23(const secs::Message&);
    Reply s7f1(const secs::Message&);
    Reply s7f3(const secs::Message&);
    Reply s7f5(const secs::Message&);
    Reply s7f19(const secs::Message&);
    Reply s7f25(const secs::Message&);

    Model model_;
    EquipmentOptions options_;
    std::unordered_map<uint32_t, size_t> by_vid_;  // first of EC, SV, DV with the ID
    std::unordered_map<uint32_t, size_t> by_ceid_, by_alid_;
    std::unordered_map<std::string, size_t> variable_names_, event_names_, alarm_names_;
    std::vector<secs::Item> values_;    // by variable index
    std::vector<uint64_t> changed_at_;  // by variable index: the change count at its last change
    // By variable index: a value made anew on every read (a list of other
    // variables' values, or a GEM variable that reads the live state).
    std::vector<bool> computed_;
    std::vector<size_t> status_variables_;  // the SVs' indices, in order
    uint64_t changes_ = 0;
    struct Poll {
        bool all = false;  // of every SV (indices is then status_variables_)
        std::vector<size_t> indices;
        std::vector<size_t> computed;  // positions in `indices` of computed values
        uint64_t as_of = 0;            // changes_ when it was last brought up to date
        secs::EncodedList values;
    };
    std::optional<Poll> poll_;
    std::optional<Clock::time_point> s1f13_again_at_;
    std::map<uint32_t, std::vector<uint32_t>> reports_;
    std::map<uint32_t, std::vector<uint32_t>> links_;  // CEID -> RPTIDs
    std::set<uint32_t> events_enabled_, alarms_enabled_, alarms_set_;
    std::map<int, std::set<int>> spool_setting_;  // stream -> functions (empty: all)
    std::map<std::string, secs::Item> uploaded_;  // PPID bytes -> <L[2] PPID PPBODY> as sent
    std::size_t uploaded_bytes_ = 0;
    std::map<std::string, RunningTrace> traces_;  // by TRID's encoding
    SpoolStore spool_;
    std::vector<secs::Message> outbox_;
    std::chrono::milliseconds clock_offset_{0};
    ControlState control_ = ControlState::online_remote;
    bool communicating_ = false;
    uint32_t data_id_ = 0;
};

}  // namespace zor::sim
