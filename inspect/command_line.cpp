#include "inspect/command_line.h"

#include <memory>
#include <sstream>
#include <utility>

#include "inspect/check.h"
#include "inspect/diff.h"
#include "inspect/export_csv.h"
#include "inspect/export_json.h"
#include "inspect/finding_text.h"
#include "inspect/profile.h"
#include "inspect/reference.h"
#include "inspect/snapshot.h"
#include "inspect/source_index.h"
#include "platform/platform.h"
#include "zoredit/cnf_reader.h"

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
           "      nothing, VIDs the host cannot tell apart, spooling, traces, limits,\n"
           "      values and names the ID files cannot hold. --source gives findings\n"
           "      their line in the definition source; --profile names definitions the\n"
           "      equipment must have; --cnf reads the environment file too; --json\n"
           "      prints the findings as a JSON array (UTF-8); --werror fails the run on\n"
           "      warnings too.\n"
           "  export FILE.fil --format json|csv|markdown|html [-o PATH]\n"
           "      Writes every definition: json (every field, UTF-8, schema 1), csv (one\n"
           "      file per kind and one per list in the directory -o names), markdown\n"
           "      or html (the GEM reference document). Without -o, json, markdown and\n"
           "      html go to standard output.\n"
           "  diff OLD.fil NEW.fil [--json]\n"
           "      Lists the definitions added, removed, renamed and changed, field by\n"
           "      field and link by link, sorted by kind and ID. Exit status 0 when\n"
           "      the files hold the same definitions, 1 when they differ.\n"
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

// The words after a command: options that take a value, flags, and the
// files. "" when they make sense, else what is wrong.
struct Options {
    std::vector<std::pair<std::string, std::string*>> values;
    std::vector<std::pair<std::string, bool*>> flags;
    std::vector<std::string> files;

    std::string read(const std::vector<std::string>& args) {
        for (size_t i = 1; i < args.size(); ++i) {
            const std::string& a = args[i];
            if (std::string* value = find(values, a)) {
                if (i + 1 >= args.size()) return a + " needs a value";
                *value = args[++i];
            } else if (bool* flag = find(flags, a)) {
                *flag = true;
            } else if (a.size() > 1 && a.starts_with("-")) {
                return "unknown option " + a;
            } else {
                files.push_back(a);
            }
        }
        return "";
    }

  private:
    template <class T>
    static T* find(const std::vector<std::pair<std::string, T*>>& list, const std::string& a) {
        for (const auto& [name, target] : list)
            if (name == a) return target;
        return nullptr;
    }
};

struct CheckOptions {
    std::string fil, source, profile, cnf;
    bool json = false, werror = false;
};

int run_check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CheckOptions o;
    Options options{{{"--source", &o.source}, {"--profile", &o.profile}, {"--cnf", &o.cnf}},
                    {{"--json", &o.json}, {"--werror", &o.werror}},
                    {}};
    if (std::string wrong = options.read(args); !wrong.empty()) return usage_error(err, wrong);
    if (options.files.size() > 1)
        return usage_error(err, "one object file only: " + options.files[1]);
    if (!options.files.empty()) o.fil = options.files[0];
    if (o.fil.empty()) return usage_error(err, "check needs an object file");

    std::string error;
    Snapshot snapshot;
    if (!snapshot.read(o.fil, error)) {
        err << "ZorInspect: " << error << "\n";
        return kExitUnreadable;
    }
    // The environment file changes no definition; it is read so that a
    // session's pair of files is checked as one.
    edit::CnfValues environment;
    if (!o.cnf.empty() && !edit::read_cnf_file(o.cnf, environment, error)) {
        err << "ZorInspect: " << o.cnf << ": " << error << "\n";
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

// Reads an object file into its snapshot; false after telling why.
bool read_snapshot(const std::string& fil, Snapshot& out, std::ostream& err) {
    std::string error;
    if (out.read(fil, error)) return true;
    err << "ZorInspect: " << error << "\n";
    return false;
}

struct ExportOptions {
    std::string fil, format, output;
};

int run_export(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ExportOptions o;
    Options options{{{"--format", &o.format}, {"-o", &o.output}}, {}, {}};
    if (std::string wrong = options.read(args); !wrong.empty()) return usage_error(err, wrong);
    if (options.files.size() > 1)
        return usage_error(err, "one object file only: " + options.files[1]);
    if (!options.files.empty()) o.fil = options.files[0];
    if (o.fil.empty()) return usage_error(err, "export needs an object file");
    if (o.format != "json" && o.format != "csv" && o.format != "markdown" && o.format != "html")
        return usage_error(err, "export needs --format json, csv, markdown or html");
    if (o.format == "csv" && o.output.empty())
        return usage_error(err, "export --format csv needs -o DIRECTORY");

    Snapshot snapshot;
    if (!read_snapshot(o.fil, snapshot, err)) return kExitUnreadable;
    DefinitionFields defs(snapshot);
    if (o.format == "csv") {
        std::string error;
        if (export_csv(defs, o.output, error)) return kExitClean;
        err << "ZorInspect: " << error << "\n";
        return kExitUnreadable;
    }
    // A file named with -o is replaced whole once the export is complete.
    std::ostringstream file;
    std::ostream& to = o.output.empty() ? out : file;
    if (o.format == "json") {
        export_json(defs, o.fil, to);
    } else {
        auto writer = o.format == "html" ? html_writer(to) : markdown_writer(to);
        write_reference(defs, o.fil, *writer);
    }
    to.flush();
    if (!to) {
        err << "ZorInspect: cannot write the output\n";
        return kExitUnreadable;
    }
    if (!o.output.empty()) {
        if (int fault = platform::replace_whole_file(o.output, file.view()); fault != 0) {
            err << "ZorInspect: cannot write " << o.output << ": "
                << platform::file_error_cause(fault) << "\n";
            return kExitUnreadable;
        }
    }
    return kExitClean;
}

int run_diff(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool json = false;
    Options options{{}, {{"--json", &json}}, {}};
    if (std::string wrong = options.read(args); !wrong.empty()) return usage_error(err, wrong);
    const std::vector<std::string>& files = options.files;
    if (files.size() != 2)
        return usage_error(err, "diff needs two object files, the old and the new");
    Snapshot old_snapshot, new_snapshot;
    if (!read_snapshot(files[0], old_snapshot, err) || !read_snapshot(files[1], new_snapshot, err))
        return kExitUnreadable;
    DefinitionFields old_defs(old_snapshot), new_defs(new_snapshot);
    auto changes = diff(old_defs, new_defs);
    if (json)
        diff_json(changes, files[0], files[1], out);
    else
        for (const auto& c : changes) out << change_line(c) << "\n";
    return changes.empty() ? kExitClean : kExitFindings;
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
    if (args[0] == "export") return run_export(args, out, err);
    if (args[0] == "diff") return run_diff(args, out, err);
    return usage_error(err, "unknown command " + args[0]);
}

}  // namespace zor::inspect
