#pragma once
// A compliance profile: the definitions an equipment must have, one per
// line as "KIND Name" (kinds EC, SV, DVVAL or DV, CE, RP, AL, PP, FPP, RCP,
// TRACE or TR); '#' starts a comment. A definition matches an entry of its
// kind by name without regard to ASCII case or '_', and without the kind
// prefix the editor proposes ("SV_", "EC_", …): SV_CONTROL_STATE is
// ControlState.

#include <string>
#include <vector>

#include "inspect/snapshot.h"

namespace zor::inspect {

struct ProfileEntry {
    Kind kind = Kind::SV;
    std::string name;
    int line = 0;
};

class Profile {
  public:
    // False with "<path>:<line>: <reason>" for an unreadable file or a line
    // that is not an entry.
    bool read(const std::string& path, std::string& error);
    bool parse(const std::string& text, std::string& error);

    const std::string& path() const { return path_; }
    const std::vector<ProfileEntry>& entries() const { return entries_; }
    // The entries no live definition of the snapshot matches, in file order.
    std::vector<ProfileEntry> missing(const Snapshot& snapshot) const;

  private:
    std::string path_;
    std::vector<ProfileEntry> entries_;
};

// The name a definition of `kind` is matched by: lower case, kind prefix
// and '_' removed.
std::string matching_name(Kind kind, const std::string& name);

}  // namespace zor::inspect
