#include "secs/endpoint.h"

#include "secs/connection.h"

namespace zor::secs {

Endpoint::Endpoint(EndpointOptions options, bool passive)
    : connection_(std::make_unique<Connection>(std::move(options), passive)) {}
Endpoint::~Endpoint() = default;

std::vector<Event> Endpoint::step(int timeout_ms) { return connection_->step(timeout_ms); }
State Endpoint::state() const { return connection_->state(); }
std::optional<std::uint32_t> Endpoint::send_primary(Message message) {
    return connection_->send_primary(std::move(message));
}
bool Endpoint::send_reply(const Message& reply) { return connection_->send_reply(reply); }
bool Endpoint::send_reply(const Message& reply, std::string_view encoded_body) {
    return connection_->send_reply(reply, encoded_body);
}
void Endpoint::separate() { connection_->separate(); }

bool PassiveEndpoint::listen(const std::string& address, int port, std::string& error) {
    return connection_->listen(address, port, error);
}
int PassiveEndpoint::port() const { return connection_->port(); }
bool PassiveEndpoint::linktest() {
    return connection_->request_control(SType::linktest_req).has_value();
}

bool ActiveEndpoint::connect(const std::string& host, int port, std::string& error) {
    return connection_->connect(host, port, error);
}

bool ActiveEndpoint::select() {
    auto answer = connection_->control(SType::select_req);
    select_status_ = answer ? answer->byte3 : -1;
    return select_status_ == kSelectOk;
}

bool ActiveEndpoint::deselect() {
    auto answer = connection_->control(SType::deselect_req);
    return answer && answer->byte3 == kDeselectOk;
}

bool ActiveEndpoint::linktest() { return connection_->control(SType::linktest_req).has_value(); }
void ActiveEndpoint::drop() { connection_->close("dropped"); }
std::optional<Message> ActiveEndpoint::request(Message primary) {
    return connection_->request(std::move(primary));
}
bool ActiveEndpoint::send_raw(const std::string& bytes) { return connection_->send_raw(bytes); }

}  // namespace zor::secs
