#pragma once
// Primaries kept while the host is not communicating, in one file under the
// spool directory ("spool.dat": each message as its HSMS frame) so they
// outlive a restart. Bounded: past `capacity` messages new ones are
// refused, as E30's spool-full without overwrite.

#include <cstddef>
#include <string>
#include <vector>

#include "secs/message.h"

namespace zor::sim {

class SpoolStore {
  public:
    // An empty directory keeps the messages in memory only.
    explicit SpoolStore(std::string directory, std::size_t capacity = 10000);

    // Reads what an earlier run left; false with the reason (the store is
    // then empty and a damaged file is set aside as spool.dat.bad).
    bool load(std::string& error);
    // False when full or the file cannot be written.
    bool add(const secs::Message& message);
    std::size_t size() const { return messages_.size(); }
    bool full() const { return messages_.size() >= capacity_; }
    // Everything spooled, oldest first; the store is emptied.
    std::vector<secs::Message> take();
    void purge() { take(); }
    const std::string& file() const { return file_; }

  private:
    std::string file_;
    std::size_t capacity_;
    std::vector<secs::Message> messages_;
};

}  // namespace zor::sim
