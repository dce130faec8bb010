#include "zoredit/cnf_reader.h"

#include <cstring>

#include "platform/platform.h"
#include "zoredit/memory.h"
#include "zoredit/text_util.h"

namespace zor::edit {
namespace {

enum class Type { Text, Number, Side };

struct Key {
    std::string_view name;
    Type type;
    size_t offset;
};

#define ZOR_KEY(name, type, member) \
    { name, Type::type, offsetof(TEq_Mgr, member) }
// Key sets A and B together: the record has one field per key.
const Key kKeys[] = {
    ZOR_KEY("ENG_FILE", Text, eng_file),
    ZOR_KEY("APPLOG", Text, applog),
    ZOR_KEY("ENGLOG", Text, englog),
    ZOR_KEY("APPLOG_ON", Number, applog_on),
    ZOR_KEY("ENGLOG_ON", Number, englog_on),
    ZOR_KEY("APPLOG_SIZE", Number, applog_size),
    ZOR_KEY("ENGLOG_SIZE", Number, englog_size),
    ZOR_KEY("SHMFILE", Text, shmfile),
    ZOR_KEY("SHMNAME", Text, shmname),
    ZOR_KEY("IPC_APP1", Text, ipc_app1),
    ZOR_KEY("IPC_ENG1", Text, ipc_eng1),
    ZOR_KEY("IPC_TIMEOUT", Number, ipc_timeout),
    ZOR_KEY("LOG_PATH", Text, log_path),
    ZOR_KEY("LOG_FILE", Text, log_file),
    ZOR_KEY("LOG_SIZE", Number, log_size),
    ZOR_KEY("ENG_PATH", Text, eng_path),
    ZOR_KEY("BKUP_PATH", Text, bkup_path),
    ZOR_KEY("SPOOL_PATH", Text, spool_path),
    ZOR_KEY("PP_COUNT", Number, pp_count),
    ZOR_KEY("FPP_COUNT", Number, fpp_count),
    ZOR_KEY("RCP_COUNT", Number, rcp_count),
    ZOR_KEY("CAR_COUNT", Number, car_count),
    ZOR_KEY("CAR_CAPACITY", Number, car_capacity),
    ZOR_KEY("SUBST_COUNT", Number, subst_count),
    ZOR_KEY("CJ_COUNT", Number, cj_count),
    ZOR_KEY("PRJ_COUNT", Number, prj_count),
    ZOR_KEY("TRACE_COUNT", Number, trace_count),
    ZOR_KEY("INFO_FILE", Text, info_file),
    ZOR_KEY("INFO_BACKUP", Number, info_backup),
    ZOR_KEY("COMMDEF", Text, commdef),
    ZOR_KEY("COMM_SIDE", Side, comm_side),
    ZOR_KEY("COMM_PORT", Number, comm_port),
    ZOR_KEY("COMM_DEVICE", Number, comm_device),
    ZOR_KEY("S1F13_SEND", Number, s1f13_send),
};
#undef ZOR_KEY

bool is_comment(std::string_view line) {
    return line.substr(0, 2) == "//" || (!line.empty() && (line[0] == '#' || line[0] == ';'));
}

// HOST is 0; EQUIPMENT (or any word starting with E) and non-zero numbers
// are the equipment side.
int32_t side_value(const std::string& value) {
    std::string v = fold_name(value);
    if (v.empty() || v == "host" || v[0] == 'h') return 0;
    if (v[0] == 'e') return 1;
    return parse_int(v);
}

}  // namespace

CnfValues read_cnf(std::string_view data) {
    CnfValues values;
    size_t start = 0;
    while (start < data.size()) {
        size_t end = data.find('\n', start);
        if (end == std::string_view::npos) end = data.size();
        std::string line = trim_blanks(data.substr(start, end - start));
        start = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        if (line.empty() || is_comment(line)) continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = trim_blanks(line.substr(0, eq));
        for (char& c : key)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        values[key] = trim_blanks(line.substr(eq + 1));
    }
    return values;
}

bool read_cnf_file(const std::string& path, CnfValues& out, std::string& error) {
    std::string content;
    if (!platform::read_whole_file(path, content, error)) return false;
    out = read_cnf(content);
    return true;
}

void clear_settings(TEq_Mgr& mgr) {
    for (const auto& k : kKeys) {
        auto* field = reinterpret_cast<unsigned char*>(&mgr) + k.offset;
        if (k.type == Type::Text) {
            char* text;
            std::memcpy(&text, field, sizeof text);
            free_block(text);
        }
    }
    std::memset(&mgr, 0, sizeof mgr);
}

void fill_settings(const CnfValues& values, TEq_Mgr& mgr) {
    TEq_Mgr fresh{};
    try {
        for (const auto& k : kKeys) {
            auto it = values.find(std::string(k.name));
            if (it == values.end()) continue;
            auto* field = reinterpret_cast<unsigned char*>(&fresh) + k.offset;
            if (k.type == Type::Text) {
                if (it->second.empty()) continue;
                char* text = dup_text(it->second);
                std::memcpy(field, &text, sizeof text);
            } else {
                int32_t n = k.type == Type::Side ? side_value(it->second) : parse_int(it->second);
                std::memcpy(field, &n, sizeof n);
            }
        }
    } catch (...) {
        clear_settings(fresh);
        throw;
    }
    clear_settings(mgr);
    mgr = fresh;
}

}  // namespace zor::edit
