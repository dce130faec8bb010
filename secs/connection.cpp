#include "secs/connection.h"

#include <algorithm>
#include <array>
#include <memory>
#include <thread>
#include <utility>

namespace zor::secs {
namespace {

// A host that is being turned away needs room for a select.req only.
constexpr std::uint32_t kRefusedMaxLength = 1024;
constexpr std::size_t kReadSize = 64 * 1024;
constexpr std::size_t kMaxKept = 10000;

Event event(Event::Kind kind, std::string text = {}) {
    Event e;
    e.kind = kind;
    e.text = std::move(text);
    return e;
}

}  // namespace

Connection::Connection(EndpointOptions options, bool passive)
    : options_(std::move(options)), passive_(passive) {}

bool Connection::listen(const std::string& address, int port, std::string& error) {
    listener_ = platform::Socket::listen(address, port, error);
    return listener_.is_open();
}

bool Connection::connect(const std::string& host, int port, std::string& error) {
    if (main_) {
        error = "already connected";
        return false;
    }
    // T5: the least time between the end of one connection and the next try.
    if (closed_at_) std::this_thread::sleep_until(*closed_at_ + ms(options_.timeouts.t5_ms));
    auto socket = platform::Socket::connect(host, port, options_.timeouts.t6_ms, error);
    if (!socket.is_open()) {
        closed_at_ = Clock::now();
        return false;
    }
    main_.emplace(options_.max_message_length);
    main_->socket = std::move(socket);
    main_->address = host + ":" + std::to_string(port);
    main_->last_bytes = Clock::now();
    state_ = State::not_selected;
    kept_.push_back(event(Event::Kind::connected, main_->address));
    return true;
}

std::uint32_t Connection::next_system_bytes() {
    if (++system_counter_ == 0) ++system_counter_;
    return system_counter_;
}

bool Connection::send(const std::string& bytes) {
    if (!main_) return false;
    if (main_->socket.send_all(bytes, options_.timeouts.t6_ms)) return true;
    close("cannot send to the peer");
    return false;
}

bool Connection::send_control(const Header& header) { return send(encode_frame(header)); }

bool Connection::send_raw(const std::string& bytes) { return send(bytes); }

void Connection::reject(const Header& rejected, std::uint8_t reason) {
    std::uint8_t what = reason == kRejectPTypeNotSupported ? rejected.ptype : rejected.stype;
    send_control(answer_header(rejected, SType::reject_req, what, reason));
}

std::optional<std::uint32_t> Connection::send_primary(Message message) {
    if (state_ != State::selected) return std::nullopt;
    message.system_bytes = next_system_bytes();
    std::string frame = encode_message(message);
    if (message.wait) {
        open_.push_back({message.system_bytes, Clock::now() + ms(options_.timeouts.t3_ms),
                         message_header(message), message, SType::data});
    }
    if (!send(frame)) return std::nullopt;
    return message.system_bytes;
}

bool Connection::send_reply(const Message& reply) {
    return send_reply(reply, reply.body ? encode(*reply.body) : std::string());
}

bool Connection::send_reply(const Message& reply, std::string_view encoded_body) {
    if (state_ != State::selected) return false;
    // Replies are framed in one kept buffer: a poll's answer can be large.
    frame_.clear();
    encode_frame_to(message_header(reply), encoded_body, frame_);
    return send(frame_);
}

std::optional<std::uint32_t> Connection::request_control(SType type) {
    if (!main_) return std::nullopt;
    Header header = control_header(type, next_system_bytes());
    open_.push_back(
        {header.system_bytes, Clock::now() + ms(options_.timeouts.t6_ms), header, Message{}, type});
    if (!send_control(header)) return std::nullopt;
    return header.system_bytes;
}

void Connection::await(std::uint32_t system_bytes) {
    awaited_ = system_bytes;
    awaited_header_.reset();
    awaited_reply_.reset();
    awaited_failed_ = false;
    std::vector<Event> events;
    while (!awaited_header_ && !awaited_reply_ && !awaited_failed_ && main_) {
        pump(next_deadline() - Clock::now(), events);
        keep(events);
    }
    awaited_.reset();
}

std::optional<Header> Connection::control(SType type) {
    auto system_bytes = request_control(type);
    if (!system_bytes) return std::nullopt;
    await(*system_bytes);
    return std::exchange(awaited_header_, std::nullopt);
}

std::optional<Message> Connection::request(Message primary) {
    primary.wait = true;
    auto system_bytes = send_primary(std::move(primary));
    if (!system_bytes) return std::nullopt;
    await(*system_bytes);
    return std::exchange(awaited_reply_, std::nullopt);
}

void Connection::separate() {
    if (!main_) return;
    send_control(control_header(SType::separate_req, next_system_bytes()));
    close("");
}

void Connection::close(const std::string& why) {
    std::vector<Event> events;
    end(why, events);
    keep(events);
}

void Connection::keep(std::vector<Event>& events) {
    for (Event& e : events) {
        kept_.push_back(std::move(e));
        // A peer that floods us while we wait for one answer is cut off
        // rather than held in memory.
        if (kept_.size() > kMaxKept) {
            std::vector<Event> closed;
            end("too many messages while waiting for an answer", closed);
            kept_.insert(kept_.end(), closed.begin(), closed.end());
            break;
        }
    }
    events.clear();
}

void Connection::end(const std::string& why, std::vector<Event>& out) {
    if (!main_) return;
    main_.reset();
    state_ = State::not_connected;
    // Open transactions die with the connection; nothing answers them now.
    open_.clear();
    awaited_failed_ = true;
    closed_at_ = Clock::now();
    out.push_back(event(Event::Kind::closed, why.empty() ? "separated" : why));
}

std::vector<Event> Connection::step(int timeout_ms) {
    std::vector<Event> events(kept_.begin(), kept_.end());
    kept_.clear();
    auto until = Clock::now() + ms(std::max(timeout_ms, 0));
    // Always one round, so what is there now is handled even with timeout 0;
    // no waiting when kept events are already there to hand back.
    do {
        auto wait = events.empty() ? std::min(until, next_deadline()) - Clock::now()
                                   : Clock::duration::zero();
        pump(wait, events);
    } while (events.empty() && Clock::now() < until);
    return events;
}

Connection::Clock::time_point Connection::next_deadline() const {
    auto next = Clock::time_point::max();
    for (const auto& t : open_) next = std::min(next, t.deadline);
    if (main_) {
        if (passive_ && state_ == State::not_selected) next = std::min(next, main_->t7_deadline);
        if (main_->reader.in_frame())
            next = std::min(next, main_->last_bytes + ms(options_.timeouts.t8_ms));
    }
    for (const auto& peer : refused_) next = std::min(next, peer.t7_deadline);
    return next;
}

void Connection::pump(Clock::duration wait, std::vector<Event>& out) {
    std::vector<platform::Socket*> sockets;
    sockets.push_back(listener_.is_open() ? &listener_ : nullptr);
    sockets.push_back(main_ ? &main_->socket : nullptr);
    for (auto& peer : refused_) sockets.push_back(&peer.socket);
    std::unique_ptr<bool[]> flags(new bool[sockets.size()]());
    auto wait_ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
    int timeout = static_cast<int>(std::clamp<long long>(wait_ms, 0, 60 * 60 * 1000));
    int n = platform::poll_readable(sockets, std::span(flags.get(), sockets.size()), timeout);
    if (n > 0) {
        // Refused hosts first: reading the main socket may add to them no more.
        for (std::size_t i = refused_.size(); i-- > 0;)
            if (flags[2 + i]) read_refused(i, out);
        if (flags[1] && main_) read_main(out);
        if (flags[0]) accept_all(out);
    }
    fire_timers(out);
}

void Connection::accept_all(std::vector<Event>& out) {
    for (;;) {
        std::string address;
        platform::Socket socket = listener_.accept(&address);
        if (!socket.is_open()) return;
        auto now = Clock::now();
        if (!main_) {
            main_.emplace(options_.max_message_length);
            main_->socket = std::move(socket);
            main_->address = address;
            main_->last_bytes = now;
            main_->t7_deadline = now + ms(options_.timeouts.t7_ms);
            state_ = State::not_selected;
            out.push_back(event(Event::Kind::connected, address));
        } else if (static_cast<int>(refused_.size()) < options_.max_refused_pending) {
            // One host at a time: a second one hears "already active" when
            // it asks to be selected.
            Peer peer(kRefusedMaxLength);
            peer.socket = std::move(socket);
            peer.address = address;
            peer.last_bytes = now;
            peer.t7_deadline = now + ms(options_.timeouts.t7_ms);
            refused_.push_back(std::move(peer));
        } else {
            out.push_back(event(Event::Kind::refused, address));
        }
    }
}

void Connection::read_refused(std::size_t index, std::vector<Event>& out) {
    Peer& peer = refused_[index];
    std::array<char, kRefusedMaxLength> buffer;
    std::size_t got = 0;
    bool done = peer.socket.receive(buffer.data(), buffer.size(), got, 0) ==
                platform::Socket::Received::closed;
    peer.reader.feed(std::string_view(buffer.data(), got));
    Frame frame;
    while (!done && peer.reader.next(frame) == FrameReader::Status::frame) {
        if (frame.header.stype == static_cast<std::uint8_t>(SType::select_req)) {
            peer.socket.send_all(encode_frame(answer_header(frame.header, SType::select_rsp, 0,
                                                            kSelectAlreadyActive)),
                                 options_.timeouts.t6_ms);
            done = true;
        }
    }
    if (done || peer.reader.failed()) {
        out.push_back(event(Event::Kind::refused, peer.address));
        refused_.erase(refused_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

void Connection::read_main(std::vector<Event>& out) {
    read_buffer_.resize(kReadSize);
    std::size_t got = 0;
    auto received = main_->socket.receive(read_buffer_.data(), read_buffer_.size(), got, 0);
    if (received == platform::Socket::Received::closed) {
        end("the peer closed the connection", out);
        return;
    }
    if (got == 0) return;
    main_->last_bytes = Clock::now();
    main_->reader.feed(std::string_view(read_buffer_.data(), got));
    Frame frame;
    for (;;) {
        if (!main_) return;
        auto status = main_->reader.next(frame);
        if (status == FrameReader::Status::need_more) return;
        if (status == FrameReader::Status::error) {
            end("bad frame: " + main_->reader.error(), out);
            return;
        }
        handle(frame, out);
    }
}

void Connection::handle(const Frame& frame, std::vector<Event>& out) {
    const Header& h = frame.header;
    if (h.ptype != 0) {
        reject(h, kRejectPTypeNotSupported);
        return;
    }
    switch (static_cast<SType>(h.stype)) {
        case SType::data: {
            if (state_ != State::selected) {
                reject(h, kRejectNotSelected);
                return;
            }
            ReadMessage read = read_message(frame, options_.limits);
            bool is_reply = read.message.function % 2 == 0;
            auto open = std::find_if(open_.begin(), open_.end(), [&](const Transaction& t) {
                return t.type == SType::data && t.system_bytes == h.system_bytes;
            });
            Event e =
                event(is_reply && open != open_.end() ? Event::Kind::reply : Event::Kind::message);
            if (e.kind == Event::Kind::reply) open_.erase(open);
            if (e.kind == Event::Kind::reply && awaited_ == h.system_bytes) {
                awaited_reply_ = std::move(read.message);
                return;
            }
            e.message = std::move(read.message);
            e.body_error = std::move(read.error);
            e.header = h;
            out.push_back(std::move(e));
            return;
        }
        case SType::select_req:
            if (state_ == State::selected) {
                send_control(answer_header(h, SType::select_rsp, 0, kSelectAlreadyActive));
                return;
            }
            if (send_control(answer_header(h, SType::select_rsp, 0, kSelectOk))) {
                state_ = State::selected;
                out.push_back(event(Event::Kind::selected));
            }
            return;
        case SType::deselect_req:
            if (state_ != State::selected) {
                send_control(answer_header(h, SType::deselect_rsp, 0, kDeselectNotEstablished));
                return;
            }
            if (send_control(answer_header(h, SType::deselect_rsp, 0, kDeselectOk))) {
                state_ = State::not_selected;
                main_->t7_deadline = Clock::now() + ms(options_.timeouts.t7_ms);
                out.push_back(event(Event::Kind::deselected));
            }
            return;
        case SType::linktest_req: send_control(answer_header(h, SType::linktest_rsp)); return;
        case SType::select_rsp:
        case SType::deselect_rsp:
        case SType::linktest_rsp: handle_response(frame, out); return;
        case SType::reject_req: {
            std::erase_if(open_, [&](const Transaction& t) {
                return t.type != SType::data && t.system_bytes == h.system_bytes;
            });
            if (awaited_ == h.system_bytes) awaited_failed_ = true;
            Event e = event(Event::Kind::rejected);
            e.header = h;
            out.push_back(std::move(e));
            return;
        }
        case SType::separate_req: end("separate.req from the peer", out); return;
    }
    reject(h, kRejectSTypeNotSupported);
}

void Connection::handle_response(const Frame& frame, std::vector<Event>& out) {
    const Header& h = frame.header;
    // The request a response answers has the response's SType less one.
    auto request = static_cast<SType>(h.stype - 1);
    auto open = std::find_if(open_.begin(), open_.end(), [&](const Transaction& t) {
        return t.type == request && t.system_bytes == h.system_bytes;
    });
    if (open == open_.end()) {
        reject(h, kRejectTransactionNotOpen);
        return;
    }
    open_.erase(open);
    if (request == SType::select_req && h.byte3 == kSelectOk) {
        state_ = State::selected;
        out.push_back(event(Event::Kind::selected));
    } else if (request == SType::deselect_req && h.byte3 == kDeselectOk) {
        state_ = State::not_selected;
        main_->t7_deadline = Clock::now() + ms(options_.timeouts.t7_ms);
        out.push_back(event(Event::Kind::deselected));
    }
    if (awaited_ == h.system_bytes) awaited_header_ = h;
}

void Connection::fire_timers(std::vector<Event>& out) {
    auto now = Clock::now();
    for (std::size_t i = refused_.size(); i-- > 0;) {
        if (now < refused_[i].t7_deadline) continue;
        out.push_back(event(Event::Kind::refused, refused_[i].address));
        refused_.erase(refused_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    if (!main_) return;
    if (passive_ && state_ == State::not_selected && now >= main_->t7_deadline) {
        end("T7: not selected in time", out);
        return;
    }
    if (main_->reader.in_frame() && now >= main_->last_bytes + ms(options_.timeouts.t8_ms)) {
        end("T8: the rest of a frame did not come in time", out);
        return;
    }
    for (std::size_t i = 0; i < open_.size();) {
        if (now < open_[i].deadline) {
            ++i;
            continue;
        }
        Transaction t = std::move(open_[i]);
        open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(i));
        if (t.type != SType::data) {
            end("T6: no answer to a control request in time", out);
            return;
        }
        if (awaited_ == t.system_bytes) {
            awaited_failed_ = true;
            continue;
        }
        Event e = event(Event::Kind::reply_timeout);
        e.header = t.header;
        e.message = std::move(t.message);
        out.push_back(std::move(e));
    }
}

}  // namespace zor::secs
