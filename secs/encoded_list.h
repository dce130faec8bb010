#pragma once
// A SECS-II list kept as its wire bytes and its SML, element by element, for
// a sender that sends one large list many times while few of its elements
// change (a host polling every status variable): sending it again costs a
// copy of the bytes, a changed element its own encoding.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "secs/item.h"

namespace zor::secs {

// A message body made once: its bytes on the wire and its SML.
struct EncodedBody {
    std::string wire;
    std::string sml;
};

class EncodedList {
  public:
    // std::length_error when a list or item is longer than the wire allows.
    explicit EncodedList(const std::vector<Item>& items);

    std::size_t size() const { return wire_at_.size() - 1; }
    // Element i becomes `item` (i < size()). An element whose bytes stay the
    // same costs only its encoding.
    void replace(std::size_t i, const Item& item);
    // The list with every replacement so far. A body once handed out never
    // changes: later replacements make a new one.
    std::shared_ptr<const EncodedBody> body();

  private:
    struct Replacement {
        std::size_t index;
        std::string wire, sml;
    };

    std::shared_ptr<const EncodedBody> body_;
    // Where element i starts in the body's wire bytes and in its SML (from the
    // blank before it); entry size() is where the elements end.
    std::vector<std::size_t> wire_at_, sml_at_;
    std::vector<Replacement> pending_;  // by index, at most one each
};

}  // namespace zor::secs
