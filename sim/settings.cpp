#include "sim/settings.h"

#include <cctype>
#include <charconv>
#include <filesystem>

#include "platform/platform.h"
#include "zoredit/cnf_reader.h"

namespace zor::sim {
namespace {

bool number_of(const std::string& text, int low, int high, int& out) {
    int v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || v < low ||
        v > high)
        return false;
    out = v;
    return true;
}

std::string trimmed(const std::string& t) {
    size_t a = t.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    return t.substr(a, t.find_last_not_of(" \t\r") - a + 1);
}

// A directory key of the .cnf, made usable here; notes say what was replaced.
std::string directory_of(const edit::CnfValues& cnf, const char* key, Settings& s) {
    auto it = cnf.find(key);
    if (it == cnf.end()) return "";
    std::string path = trimmed(it->second);
    if (path.empty()) return "";
    if (platform::takes_drive_paths()) return path;
    auto local = local_path(path, std::filesystem::current_path().string());
    if (!local) return path;
    s.notes.push_back(std::string(key) + " " + path + " is no path on this machine; using " +
                      *local);
    return *local;
}

}  // namespace

std::string usage() {
    return "usage: ZorGemSim EQUIPMENT.cnf EQUIPMENT.fil [--port N] [--bind ADDR] [--device N]\n"
           "                 [--mdln TEXT] [--softrev TEXT] [--offline] [--script FILE]\n"
           "                 [--log FILE] [--t3 MS] [--t5 MS] [--t6 MS] [--t7 MS] [--t8 MS]\n";
}

std::optional<std::string> local_path(const std::string& path, const std::string& base) {
    bool drive =
        path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
    if (!drive && path.find('\\') == std::string::npos) return std::nullopt;
    std::string rest = drive ? path.substr(2) : path;
    std::filesystem::path out(base);
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find_first_of("\\/", start);
        if (end == std::string::npos) end = rest.size();
        std::string part = rest.substr(start, end - start);
        if (!part.empty() && part != "." && part != "..") out /= part;
        start = end + 1;
    }
    return out.string();
}

bool read_settings(const std::vector<std::string>& args, Settings& s, std::string& error) {
    std::vector<std::string> files;
    std::optional<int> port, device;
    std::optional<std::string> bind, log;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            error.clear();
            return false;
        }
        if (a == "--offline") {
            s.offline = true;
            continue;
        }
        if (!a.starts_with("--")) {
            files.push_back(a);
            continue;
        }
        if (i + 1 >= args.size()) {
            error = a + " needs a value";
            return false;
        }
        const std::string& v = args[++i];
        int n = 0;
        auto numeric = [&](int low, int high) {
            if (number_of(v, low, high, n)) return true;
            error = a + " " + v + ": not a number from " + std::to_string(low) + " to " +
                    std::to_string(high);
            return false;
        };
        if (a == "--port") {
            if (!numeric(0, 65535)) return false;
            port = n;
        } else if (a == "--device") {
            if (!numeric(0, 32767)) return false;
            device = n;
        } else if (a == "--t3" || a == "--t5" || a == "--t6" || a == "--t7" || a == "--t8") {
            if (!numeric(1, 240000)) return false;
            int* t = a == "--t3"   ? &s.timeouts.t3_ms
                     : a == "--t5" ? &s.timeouts.t5_ms
                     : a == "--t6" ? &s.timeouts.t6_ms
                     : a == "--t7" ? &s.timeouts.t7_ms
                                   : &s.timeouts.t8_ms;
            *t = n;
        } else if (a == "--bind") {
            bind = v;
        } else if (a == "--mdln") {
            s.mdln = v;
        } else if (a == "--softrev") {
            s.softrev = v;
        } else if (a == "--script") {
            s.script = v;
        } else if (a == "--log") {
            log = v;
        } else {
            error = "unknown option " + a;
            return false;
        }
    }
    if (files.size() != 2) {
        error = "expected the environment file and the object file";
        return false;
    }
    s.cnf = files[0];
    s.fil = files[1];
    edit::CnfValues cnf;
    if (!edit::read_cnf_file(s.cnf, cnf, error)) return false;
    auto key = [&](const char* name, int low, int high, int& out) {
        auto it = cnf.find(name);
        if (it == cnf.end()) return true;
        if (number_of(trimmed(it->second), low, high, out)) return true;
        error = s.cnf + ": " + name + " = " + it->second + " is not a number from " +
                std::to_string(low) + " to " + std::to_string(high);
        return false;
    };
    if (!key("COMM_PORT", 0, 65535, s.port) || !key("COMM_DEVICE", 0, 32767, s.device) ||
        !key("S1F13_SEND", 0, 2, s.s1f13_send) || !key("TRACE_COUNT", 0, 8192, s.trace_count) ||
        !key("LOG_SIZE", 0, 1 << 30, s.log_size))
        return false;
    s.spool_path = directory_of(cnf, "SPOOL_PATH", s);
    std::string log_dir = directory_of(cnf, "LOG_PATH", s);
    auto file = cnf.find("LOG_FILE");
    if (!log_dir.empty() && file != cnf.end() && !trimmed(file->second).empty())
        s.log_path = (std::filesystem::path(log_dir) / trimmed(file->second)).string();
    if (port) s.port = *port;
    if (device) s.device = *device;
    if (bind) s.bind = *bind;
    if (log) s.log_path = *log;
    return true;
}

}  // namespace zor::sim
