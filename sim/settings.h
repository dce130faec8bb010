#pragma once
// What the simulator runs with: the environment file's communication, spool
// and log keys, then the command line's options over them.

#include <optional>
#include <string>
#include <vector>

#include "secs/endpoint.h"

namespace zor::sim {

struct Settings {
    std::string cnf, fil;
    std::string bind = "127.0.0.1";
    int port = 5000;
    int device = 0;
    int s1f13_send = 1;  // 0 or 1: the host establishes; 2: the equipment too
    int trace_count = 8;
    std::string spool_path;  // empty: no spooling to disk
    std::string log_path;    // the log file's full path, empty: standard output only
    int log_size = 0;        // lines a log file holds before it is rotated; 0: no rotation
    std::optional<std::string> mdln, softrev;
    bool offline = false;
    std::string script;
    secs::Timeouts timeouts;
    // What the reading said about paths it replaced, for the log.
    std::vector<std::string> notes;
};

// The usage text printed on a bad command line.
std::string usage();

// Reads the command line (without the program name) and the environment
// file it names. False with the reason; "" as reason for --help.
bool read_settings(const std::vector<std::string>& args, Settings& out, std::string& error);

// A .cnf path this machine cannot use (a drive path or one with '\')
// becomes a directory under `base`: "C:\CVD300\LOG" -> base/CVD300/LOG.
// Nothing when the path can be used as it is.
std::optional<std::string> local_path(const std::string& cnf_path, const std::string& base);

}  // namespace zor::sim
