#include "secs/encoded_list.h"

#include <algorithm>

#include "secs/item_codec.h"
#include "secs/sml.h"

namespace zor::secs {

EncodedList::EncodedList(const std::vector<Item>& items) {
    auto body = std::make_shared<EncodedBody>();
    encode_header(Format::list, items.size(), body->wire);
    body->sml = "<L[" + std::to_string(items.size()) + "]";
    wire_at_.reserve(items.size() + 1);
    sml_at_.reserve(items.size() + 1);
    for (const Item& item : items) {
        wire_at_.push_back(body->wire.size());
        encode_to(item, body->wire);
        sml_at_.push_back(body->sml.size());
        body->sml += ' ';
        append_sml(body->sml, item);
    }
    wire_at_.push_back(body->wire.size());
    sml_at_.push_back(body->sml.size());
    body->sml += '>';
    body_ = std::move(body);
}

void EncodedList::replace(std::size_t i, const Item& item) {
    Replacement r{i, encode(item), " "};
    append_sml(r.sml, item);
    const EncodedBody& now = *body_;
    bool same = now.wire.compare(wire_at_[i], wire_at_[i + 1] - wire_at_[i], r.wire) == 0 &&
                now.sml.compare(sml_at_[i], sml_at_[i + 1] - sml_at_[i], r.sml) == 0;
    auto at =
        std::lower_bound(pending_.begin(), pending_.end(), i,
                         [](const Replacement& p, std::size_t index) { return p.index < index; });
    bool pending = at != pending_.end() && at->index == i;
    if (same) {
        if (pending) pending_.erase(at);
    } else if (pending) {
        *at = std::move(r);
    } else {
        pending_.insert(at, std::move(r));
    }
}

std::shared_ptr<const EncodedBody> EncodedList::body() {
    if (pending_.empty()) return body_;
    const EncodedBody& old = *body_;
    auto next = std::make_shared<EncodedBody>();
    next->wire.reserve(old.wire.size() + old.wire.size() / 8);
    next->sml.reserve(old.sml.size() + old.sml.size() / 8);
    next->wire.append(old.wire, 0, wire_at_[0]);
    next->sml.append(old.sml, 0, sml_at_[0]);
    // Elements [from, to) are copied as one run; their offsets move with them.
    std::size_t from = 0;
    auto copy_run = [&](std::size_t to) {
        std::size_t old_wire = wire_at_[from], old_sml = sml_at_[from];
        std::size_t new_wire = next->wire.size(), new_sml = next->sml.size();
        next->wire.append(old.wire, old_wire, wire_at_[to] - old_wire);
        next->sml.append(old.sml, old_sml, sml_at_[to] - old_sml);
        for (std::size_t j = from; j < to; ++j) {
            wire_at_[j] = wire_at_[j] - old_wire + new_wire;
            sml_at_[j] = sml_at_[j] - old_sml + new_sml;
        }
    };
    for (const Replacement& r : pending_) {
        copy_run(r.index);
        wire_at_[r.index] = next->wire.size();
        sml_at_[r.index] = next->sml.size();
        next->wire += r.wire;
        next->sml += r.sml;
        from = r.index + 1;
    }
    copy_run(size());
    std::size_t end_wire = wire_at_[size()], end_sml = sml_at_[size()];
    wire_at_[size()] = next->wire.size();
    sml_at_[size()] = next->sml.size();
    next->wire.append(old.wire, end_wire);
    next->sml.append(old.sml, end_sml);
    pending_.clear();
    body_ = std::move(next);
    return body_;
}

}  // namespace zor::secs
