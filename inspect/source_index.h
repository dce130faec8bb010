#pragma once
// Where each definition starts in a definition source. The object file has
// no line numbers: the check takes each finding's line from here.

#include <string>
#include <unordered_map>
#include <vector>

#include "inspect/snapshot.h"

namespace zor::inspect {

struct SourceBlock {
    Kind kind = Kind::EC;
    std::string name;
    int line = 0;     // 1-based line of the header
    int stream = -1;  // a spool's stream (low eight bits); -1 for the other kinds
};

class SourceIndex {
  public:
    // Reads `path`; false with a reason when it cannot be read.
    bool read(const std::string& path, std::string& error);
    // Scans source text already in memory (Shift-JIS, any line ends).
    void scan(const std::string& text);

    const std::string& path() const { return path_; }
    // The block of that kind and name (names as the compiler compares them,
    // then without regard to ASCII case); null when there is none.
    const SourceBlock* find(Kind kind, const std::string& name) const;
    // The spool block of a stream; null when there is none.
    const SourceBlock* find_spool(int stream) const;

  private:
    static std::string key_of(Kind kind, const std::string& name);

    std::string path_;
    std::vector<SourceBlock> blocks_;
    std::unordered_map<std::string, size_t> by_name_, by_folded_name_;  // first block wins
};

}  // namespace zor::inspect
