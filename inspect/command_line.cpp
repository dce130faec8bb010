#include "inspect/command_line.h"

#include "inspect/check.h"
#include "inspect/finding_text.h"
#include "inspect/profile.h"
#include "inspect/snapshot.h"
#include "inspect/source_index.h"

namespace zor::inspect {
namespace {

constexpr const char* kVersion = "ZorInspect " ZOR_VERSION;

void usage(std::ostream& out) {
    out << "Usage: ZorInspect <command> [options]\n"
           "\n"
           "Commands:\n"
           "  check FILE.fil [--source FILE.txt] [--profile FILE] [--cnf FILE.cnf]\n"
           "                 [--json] [--werror]\n"
           "      Checks the definitions of an object file as a whole: links that name\n"
           "      nothing, VIDs the host cannot tell apart, spooling, traces, limits and\n"
           "      values. --source gives findings their line in the definition source;\n"
           "      --profile names definitions the equipment must have; --cnf loads an\n"
           "      environment file with it; --json prints the findings as a JSON array;\n"
           "      --werror fails the run on warnings too.\n"
           "\n"
           "Options:\n"
           "  --help       this text\n"
           "  --version    the program's name and version\n"
           "\n"
           "Exit status: 0 no errors, 1 errors (or warnings with --werror),\n"
           "2 the input could not be read or the command line is wrong.\n"
           "\n"
           "Rules of check:\n";
    for (const auto& r : rules()) out << "  " << r.code << "  " << r.title << "\n";
}

int usage_error(std::ostream& err, const std::string& text) {
    err << "ZorInspect: " << text << "\n"
        << "Try 'ZorInspect --help'.\n";
    return kExitUnreadable;
}

struct CheckOptions {
    std::string fil, source, profile, cnf;
    bool json = false, werror = false;
};

int run_check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CheckOptions o;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* value = a == "--source"    ? &o.source
                             : a == "--profile" ? &o.profile
                             : a == "--cnf"     ? &o.cnf
                                                : nullptr;
        if (value) {
            if (i + 1 >= args.size()) return usage_error(err, a + " needs a file name");
            *value = args[++i];
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--werror") {
            o.werror = true;
        } else if (a.starts_with("--")) {
            return usage_error(err, "unknown option " + a);
        } else if (o.fil.empty()) {
            o.fil = a;
        } else {
            return usage_error(err, "one object file only: " + a);
        }
    }
    if (o.fil.empty()) return usage_error(err, "check needs an object file");

    std::string error;
    Snapshot snapshot;
    if (!load_snapshot(o.fil, o.cnf, snapshot, error)) {
        err << "ZorInspect: " << error << "\n";
        return kExitUnreadable;
    }
    SourceIndex source;
    if (!o.source.empty() && !source.read(o.source, error)) {
        err << "ZorInspect: " << error << "\n";
        return kExitUnreadable;
    }
    Profile profile;
    if (!o.profile.empty() && !profile.read(o.profile, error)) {
        err << "ZorInspect: " << error << "\n";
        return kExitUnreadable;
    }
    auto findings = check(snapshot, o.source.empty() ? nullptr : &source,
                          o.profile.empty() ? nullptr : &profile);
    Counts counts = count(findings);
    if (o.json) {
        out << findings_json(findings);
    } else {
        for (const auto& f : findings) out << finding_line(f, o.fil, o.source) << "\n";
        out << o.fil << ": " << summary(counts) << " (" << snapshot.definition_count()
            << " definitions)\n";
    }
    return counts.errors > 0 || (o.werror && counts.warnings > 0) ? kExitFindings : kExitClean;
}

}  // namespace

int run_inspect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        usage(err);
        return kExitUnreadable;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        usage(out);
        return kExitClean;
    }
    if (args[0] == "--version") {
        out << kVersion << "\n";
        return kExitClean;
    }
    if (args[0] == "check") return run_check(args, out, err);
    return usage_error(err, "unknown command " + args[0]);
}

}  // namespace zor::inspect
