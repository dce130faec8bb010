#include "inspect/snapshot.h"

#include <cstdlib>

#include "platform/platform.h"
#include "zoredit/zoredit.h"

namespace zor::inspect {
namespace {

std::string last_error() {
    char buffer[1024] = {};
    ZorGetLastError(buffer, sizeof buffer);
    return buffer[0] ? buffer : "zoredit failed without a reason";
}

bool is_numeric(int format) {
    switch (format) {
        case ZOR_FMT_I1:
        case ZOR_FMT_I2:
        case ZOR_FMT_I4:
        case ZOR_FMT_I8:
        case ZOR_FMT_U1:
        case ZOR_FMT_U2:
        case ZOR_FMT_U4:
        case ZOR_FMT_U8:
        case ZOR_FMT_F4:
        case ZOR_FMT_F8: return true;
        default: return false;
    }
}

std::optional<long double> number_of(int format, const void* buffer) {
    if (!buffer || !is_numeric(format)) return std::nullopt;
    char text[64];
    if (!zor_edit_vdval(text, format, buffer, 0, sizeof text)) return std::nullopt;
    return std::strtold(text, nullptr);
}

std::string text(const char* t) { return t ? t : ""; }

std::vector<int32_t> ids_of(const int32_t* ids, int32_t count) {
    return count > 0 && ids ? std::vector<int32_t>(ids, ids + count) : std::vector<int32_t>{};
}

// Every get in one shape: list the kind, get each ID, hand each live record
// to `take`, free the record and the list.
template <class List, class Info, class Id, class Take>
bool walk(int (*list_fn)(int, List**), int (*get_fn)(int, Id, Info*), void (*free_info)(Info*),
          void (*free_list)(List*), Take take, std::string& error) {
    List* list = nullptr;
    int n = list_fn(0, &list);
    if (n < 0 || !list) {
        error = last_error();
        return false;
    }
    bool ok = true;
    for (int i = 0; i < n && ok; ++i) {
        Info r;
        if (get_fn(0, list->ids[i], &r) != 0) {
            error = last_error();
            ok = false;
            continue;
        }
        if (!r.deleted) take(r);
        free_info(&r);
    }
    free_list(list);
    return ok;
}

bool take_variables(Kind kind, int (*list_fn)(int, TBIN_DLIST**),
                    int (*get_fn)(int, int32_t, TV_INFO*), Snapshot& out, std::string& error) {
    return walk(
        list_fn, get_fn, ZorFreeTV_INFO, ZorFreeTBIN_DLIST,
        [&](const TV_INFO& r) {
            Variable v;
            v.kind = kind;
            v.id = r.vid;
            v.name = text(r.name);
            v.format = r.format;
            v.size = r.size;
            v.min = number_of(r.format, r.min);
            v.max = number_of(r.format, r.max);
            v.nominal = number_of(r.format, r.nominal);
            if ((r.format == ZOR_FMT_A || r.format == ZOR_FMT_J) && r.nominal)
                v.nominal_text = static_cast<const char*>(r.nominal);
            if (r.format == ZOR_FMT_L) {
                if (r.items.list)
                    for (int32_t i = 0; i < r.item_count; ++i)
                        v.elements.push_back({r.items.list->vids[i], r.items.list->names[i]});
            } else {
                for (int32_t i = 0; i < r.item_count; ++i) {
                    const TV_LIMIT* l = r.items.limits[i];
                    v.limits.push_back(
                        {l->limit_id, number_of(r.format, l->low), number_of(r.format, l->upper)});
                }
            }
            v.events = ids_of(r.ceids, r.ceid_count);
            out.variables.push_back(std::move(v));
        },
        error);
}

// Process programs, formatted ones and recipes link nothing: their ID and
// name are all the rules need.
template <class Info>
bool take_programs(Kind kind, int (*list_fn)(int, TTEXT_DLIST**),
                   int (*get_fn)(int, const char*, Info*), void (*free_info)(Info*),
                   char* Info::*id_field, Snapshot& out, std::string& error) {
    return walk(
        list_fn, get_fn, free_info, ZorFreeTTEXT_DLIST,
        [&](const Info& r) {
            out.programs.push_back({kind, text(r.*id_field), text(r.name)});
        },
        error);
}

}  // namespace

const char* kind_name(Kind kind) {
    static const char* const names[] = {"EC",    "SV", "DVVAL", "CE",  "RP",   "AL",
                                        "SPOOL", "PP", "FPP",   "RCP", "TRACE"};
    return names[static_cast<int>(kind)];
}

size_t Snapshot::definition_count() const {
    return variables.size() + events.size() + reports.size() + alarms.size() + spools.size() +
           programs.size() + traces.size();
}

bool take_snapshot(Snapshot& out, std::string& error) {
    out = Snapshot{};
    bool ok = take_variables(Kind::EC, GemGetEcList, GemGetEcInfo, out, error) &&
              take_variables(Kind::SV, GemGetSvList, GemGetSvInfo, out, error) &&
              take_variables(Kind::DV, GemGetDvList, GemGetDvInfo, out, error) &&
              walk(
                  GemGetCeList, GemGetCeInfo, ZorFreeTCE_INFO, ZorFreeTBIN_DLIST,
                  [&](const TCE_INFO& r) {
                      out.events.push_back({r.ceid, text(r.name), ids_of(r.rpids, r.rpid_count)});
                  },
                  error) &&
              walk(
                  GemGetRpList, GemGetRpInfo, ZorFreeTRP_INFO, ZorFreeTBIN_DLIST,
                  [&](const TRP_INFO& r) {
                      out.reports.push_back({r.rpid, text(r.name), ids_of(r.vids, r.vid_count)});
                  },
                  error) &&
              walk(
                  GemGetAlList, GemGetAlInfo, ZorFreeTAL_INFO, ZorFreeTBIN_DLIST,
                  [&](const TAL_INFO& r) {
                      out.alarms.push_back({r.alid, text(r.name), r.alcd, r.ce_on, r.ce_off});
                  },
                  error) &&
              take_programs(Kind::PP, GemGetPpList, GemGetPpInfo, ZorFreeTPP_INFO, &TPP_INFO::ppid,
                            out, error) &&
              take_programs(Kind::FP, GemGetFppList, GemGetFppInfo, ZorFreeTFPP_INFO,
                            &TFPP_INFO::ppid, out, error) &&
              take_programs(Kind::RC, GemGetRcpList, GemGetRcpInfo, ZorFreeTRCP_INFO,
                            &TRCP_INFO::rcpid, out, error) &&
              walk(
                  GemGetTrList, GemGetTrInfo, ZorFreeTTRACE_INFO, ZorFreeTTEXT_DLIST,
                  [&](const TTRACE_INFO& r) {
                      out.traces.push_back({text(r.trid), text(r.name), text(r.dsper), r.totsmp,
                                            r.repgsz, ids_of(r.svids, r.svid_count)});
                  },
                  error);
    if (!ok) return false;
    int32_t functions[ZOR_MAX_LIST];
    for (int stream = 0; stream <= 255; ++stream) {
        int n = GemGetSpoolInfo(0, stream, functions, ZOR_MAX_LIST);
        if (n < 0) {
            error = last_error();
            return false;
        }
        if (n > 0) out.spools.push_back({stream, std::vector<int32_t>(functions, functions + n)});
    }
    return true;
}

bool load_snapshot(const std::string& fil, const std::string& cnf, Snapshot& out,
                   std::string& error) {
    char reason[1024] = {};
    const char* environment = cnf.empty() ? platform::null_device() : cnf.c_str();
    if (GemEditSetupEquipment(0, environment, fil.c_str(), reason, sizeof reason) < 0) {
        error = reason[0] ? reason : last_error();
        return false;
    }
    return take_snapshot(out, error);
}

}  // namespace zor::inspect
