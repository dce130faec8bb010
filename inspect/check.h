#pragma once
// The check of an equipment's definitions as a whole: the links between
// them, the IDs the host sees, and the settings GEM gives a meaning to.
// Each finding carries a stable code scripts can filter on.

#include <string>
#include <vector>

#include "inspect/snapshot.h"

namespace zor::inspect {

class SourceIndex;
class Profile;

enum class Severity { Error, Warning };

struct Rule {
    const char* code;
    Severity severity;
    const char* title;  // one line for --help and the README
};

// Every rule, errors first, in code order.
const std::vector<Rule>& rules();

struct Finding {
    std::string code;
    Severity severity = Severity::Error;
    Kind kind = Kind::EC;
    std::string id;    // the definition's ID as text (a spool's stream number)
    std::string name;  // empty for a spool the source does not name
    std::string text;  // English, without the definition's kind, ID and name
    int line = 0;      // header line in the source; 0 unknown
};

// All findings in a fixed order: variables (then the VIDs they share),
// events, reports, alarms, spools, traces, each kind in source order, and
// the profile's last. Links are named as the object file writes them; with
// `source`, findings get their header line.
std::vector<Finding> check(const Snapshot& snapshot, const SourceIndex* source = nullptr,
                           const Profile* profile = nullptr);

struct Counts {
    int errors = 0;
    int warnings = 0;
};
Counts count(const std::vector<Finding>& findings);
// "1 error, 3 warnings"
std::string summary(Counts counts);

}  // namespace zor::inspect
