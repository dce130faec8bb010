// zoredit benchmark: load, list-and-get-all and write-back of one object
// file, each against its I/O floor (reading the object file, writing as
// many bytes as the written source), a save that edits that source for one
// changed definition against the whole write-back (after the comparison the
// editor makes at the load, without it, and after an earlier save), the
// comparison itself, and the peak memory.
//
// Usage: zoredit_bench [equipment.fil [equipment.cnf [written.txt [source.txt]]]]
// With source.txt (the source equipment.fil was compiled from), the edit is
// measured on it as well.
// Without a file it makes the maximum equipment itself: 8192 definitions
// of each kind, as the compile benchmark's generator does.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "bench/best_of.h"
#include "zoredit/fil_reader.h"
#include "zoredit/source_edit.h"
#include "zoredit/source_writer.h"
#include "zoredit/store.h"
#include "zoredit/testing/fil_writer.h"
#include "zoredit/zoredit.h"

namespace {

using zor::bench::best_of;

std::string read_all(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

zor::edit::Equipment maximum_equipment(int n) {
    using namespace zor::edit;
    Equipment eq;
    for (int i = 1; i <= n; ++i) {
        std::string k = std::to_string(i);
        eq.ec.push_back({"EC_PARAM_" + k,
                         0x100000 + i,
                         36,
                         1,
                         0,
                         "\x81\x8e",
                         "0",
                         "500.0",
                         "350.0",
                         {},
                         {},
                         {}});
        eq.sv.push_back({"SV_SENSOR_" + k,
                         0x200000 + i,
                         44,
                         1,
                         1,
                         "sccm",
                         {},
                         {},
                         {},
                         {{"LIM_" + k, "100", "120"}},
                         {"CE_EVENT_" + k},
                         {}});
        eq.dv.push_back({"DV_VALUE_" + k,
                         0x300000 + i,
                         16,
                         1,
                         32,
                         {},
                         {},
                         {},
                         "lot " + k + ", wafer 1",
                         {},
                         {},
                         {}});
        eq.ce.push_back({"CE_EVENT_" + k, 0x400000 + i, std::string("1"), {"RP_REPORT_" + k}});
        eq.rp.push_back({"RP_REPORT_" + k, 0x500000 + i, {"SV_SENSOR_" + k, "EC_PARAM_" + k}});
        eq.al.push_back(
            {"AL_ALARM_" + k, 0x600000 + i, "0x84", "heater fault " + k, "CE_EVENT_" + k, {}, {}});
        eq.pp.push_back({"PP_PROG_" + k,
                         {"PROG_" + k, 16, 10, 80},
                         {"C:\\\\PP\\\\PROG_" + k + ".PPB", 16, 1, 256}});
        eq.fp.push_back({"FPP_PROG_" + k,
                         {"FPROG_" + k, 16, 11, 80},
                         "CVD-300",
                         "V1.02",
                         {{{"HEAT", 16, 8, 8}, {{"350.0", 36, 1, 1}}},
                          {{"DEPO", 16, 8, 8}, {{"600", 42, 1, 1}}}}});
        eq.rc.push_back({"RCP_" + k,
                         "RECIPE_" + k,
                         "body " + k,
                         {{std::string("TEMP"), TextItem{"350.0", 36, 1, 0}}}});
        eq.sp.push_back({"SPOOL_" + k, i & 0xff, {1, 3}});
        eq.tr.push_back(
            {"TR_" + k, {"TRACE_" + k, 16, 1, 32}, "000010", 600, 10, {"SV_SENSOR_" + k}});
    }
    return eq;
}

template <class List, class Info, class Id>
long get_all(int (*list_fn)(int, List**), int (*get_fn)(int, Id, Info*), void (*free_info)(Info*),
             void (*free_list)(List*)) {
    List* list = nullptr;
    long n = list_fn(0, &list);
    for (long i = 0; i < n; ++i) {
        Info r;
        if (get_fn(0, list->ids[i], &r) == 0) free_info(&r);
    }
    free_list(list);
    return n;
}

long list_and_get_all() {
    long n = 0;
    n += get_all(GemGetEcList, GemGetEcInfo, ZorFreeTV_INFO, ZorFreeTBIN_DLIST);
    n += get_all(GemGetSvList, GemGetSvInfo, ZorFreeTV_INFO, ZorFreeTBIN_DLIST);
    n += get_all(GemGetDvList, GemGetDvInfo, ZorFreeTV_INFO, ZorFreeTBIN_DLIST);
    n += get_all(GemGetCeList, GemGetCeInfo, ZorFreeTCE_INFO, ZorFreeTBIN_DLIST);
    n += get_all(GemGetRpList, GemGetRpInfo, ZorFreeTRP_INFO, ZorFreeTBIN_DLIST);
    n += get_all(GemGetAlList, GemGetAlInfo, ZorFreeTAL_INFO, ZorFreeTBIN_DLIST);
    n += get_all(GemGetPpList, GemGetPpInfo, ZorFreeTPP_INFO, ZorFreeTTEXT_DLIST);
    n += get_all(GemGetFppList, GemGetFppInfo, ZorFreeTFPP_INFO, ZorFreeTTEXT_DLIST);
    n += get_all(GemGetRcpList, GemGetRcpInfo, ZorFreeTRCP_INFO, ZorFreeTTEXT_DLIST);
    n += get_all(GemGetTrList, GemGetTrInfo, ZorFreeTTRACE_INFO, ZorFreeTTEXT_DLIST);
    return n;
}

// The edit against the whole write-back without the files: both in memory
// from the same held definitions, one alarm changed. On a shared machine the
// disk's share of the times above varies; this ratio does not carry it.
// `edit`: the save as the editor makes it, the source compared at the load;
// `cold`: the same with the comparison in it; `again`: a later save, on
// what the save before wrote.
struct InMemory {
    double edit = 0, cold = 0, again = 0, write = 0;
    bool edited = false;
};
InMemory in_memory(const std::string& fil, const std::string& source) {
    using namespace zor::edit;
    InMemory m;
    Equipment eq;
    std::string error;
    if (!read_fil_file(fil, eq, error)) return m;
    Store store;
    store.load(std::move(eq));
    if (store.al.size() > 0) {
        Alarm a = store.al.entries()[store.al.size() / 2].def;
        a.alcd = "0x85";
        store.al.put(std::move(a), false);
    }
    KnownSource known;
    if (!known.compare(source, store)) return m;
    // Taken in turns, so that a busy spell of a shared machine slows each.
    std::string out;
    auto write = [&] {
        out.clear();
        write_source(store, out, error);
    };
    // Every edit must have edited: one that wrote the whole source shows.
    m.edited = true;
    auto edit = [&] {
        out.clear();
        m.edited = known.edit(store, out) && m.edited;
    };
    auto cold = [&] {
        out.clear();
        m.edited = edit_source(source, store, out) && m.edited;
    };
    KnownSource written;
    auto again = [&] {
        out.clear();
        m.edited = written.edit(store, out) && m.edited;
    };
    auto nothing = [] {};
    auto assume_written = [&] { written.assume(source); };
    m.write = m.edit = m.cold = m.again = 1e30;
    for (int round = 0; round < 9; ++round) {
        m.write = std::min(m.write, best_of(write, nothing, 1));
        m.edit = std::min(m.edit, best_of(edit, nothing, 1));
        m.cold = std::min(m.cold, best_of(cold, nothing, 1));
        m.again = std::min(m.again, best_of(again, assume_written, 1));
    }
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    fs::path work = fs::temp_directory_path() / ("zoredit_bench_" + std::to_string(::getpid()));
    fs::create_directories(work);
    std::string fil = argc > 1 ? argv[1] : (work / "equipment.fil").string();
    std::string cnf = argc > 2 ? argv[2] : (work / "equipment.cnf").string();
    if (argc <= 1) {
        std::ofstream(fil, std::ios::binary) << zor::edit::write_fil(maximum_equipment(8192));
        std::printf("generated the maximum equipment: %s\n", fil.c_str());
    }
    if (argc <= 2) std::ofstream(cnf, std::ios::binary) << "LOG_SIZE         = 1000\r\n";
    std::string out = argc > 3 ? argv[3] : (work / "written.txt").string();

    size_t fil_bytes = fs::file_size(fil);
    double read_floor = best_of([&] { (void)read_all(fil); });
    int loaded = 0;
    char err[512] = {};
    double load = best_of(
        [&] { loaded = GemEditSetupEquipment(0, cnf.c_str(), fil.c_str(), err, sizeof err); });
    if (loaded < 0) {
        std::fprintf(stderr, "load failed: %s\n", err);
        return 1;
    }
    long records = 0;
    double get = best_of([&] { records = list_and_get_all(); });
    // The whole source: nothing at the path to edit.
    double write = best_of(
        [&] {
            if (ZorWriteEqInfo(out.c_str()) != 0) std::fprintf(stderr, "write failed\n");
        },
        [&] { fs::remove(out); });
    size_t src_bytes = fs::file_size(out);
    const std::string written = read_all(out);

    auto change_alarm = [] {
        TBIN_DLIST* alarms = nullptr;
        if (GemGetAlList(0, &alarms) > 0) {
            TAL_INFO r;
            if (GemGetAlInfo(0, alarms->ids[alarms->count / 2], &r) == 0) {
                r.alcd = static_cast<uint8_t>(r.alcd + 1);
                GemSetAlInfo(0, &r);
                ZorFreeTAL_INFO(&r);
            }
        }
        ZorFreeTBIN_DLIST(alarms);
    };
    // One save of a fresh load with one alarm changed, `base` back at the
    // path first; the save edits that source. What came before the save: as
    // in the editor, the source compared at the load; nothing, the save
    // compares it; or a save, whose text the next one takes without comparing.
    enum class Before { compared, nothing, saved };
    auto edit_once = [&](const std::string& base, int& way, Before before) {
        return best_of(
            [&] {
                if (ZorWriteEqInfo(out.c_str()) != 0) std::fprintf(stderr, "edit failed\n");
                way = std::min(way, ZorGetWriteWay());
            },
            [&] {
                std::ofstream(out, std::ios::binary) << base;
                GemEditSetupEquipment(0, cnf.c_str(), fil.c_str(), err, sizeof err);
                if (before != Before::nothing && ZorCompareEqInfo(out.c_str()) != 1)
                    std::fprintf(stderr, "the source is not the loaded one\n");
                change_alarm();
                if (before == Before::saved) {
                    if (ZorWriteEqInfo(out.c_str()) != 0) std::fprintf(stderr, "edit failed\n");
                    change_alarm();
                }
            },
            1);
    };
    // The comparison the editor makes after a load, `base` at the path.
    auto compare_once = [&](const std::string& base) {
        return best_of(
            [&] {
                if (ZorCompareEqInfo(out.c_str()) != 1)
                    std::fprintf(stderr, "the source is not the loaded one\n");
            },
            [&] {
                std::ofstream(out, std::ios::binary) << base;
                GemEditSetupEquipment(0, cnf.c_str(), fil.c_str(), err, sizeof err);
            },
            1);
    };
    const bool hand_laid = argc > 4;
    const std::string hand_base = hand_laid ? read_all(argv[4]) : "";
    int edited_way = ZOR_WRITE_EDITED, hand_way = ZOR_WRITE_EDITED;
    // Once before the peak memory is taken: the compared source is held.
    double edit = edit_once(written, edited_way, Before::compared);
    double hand = hand_laid ? edit_once(hand_base, hand_way, Before::compared) : 0;
    double edit_cold = 1e30, hand_cold = 1e30, hand_later = 1e30;
    double compare = 1e30, compare_hand = 1e30;

    std::string junk(src_bytes, 'x');
    std::string floor_path = (work / "floor.txt").string();
    double write_floor = best_of([&] {
        std::ofstream(floor_path + ".tmp", std::ios::binary) << junk;
        fs::rename(floor_path + ".tmp", floor_path);
    });
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);

    // After the peak memory is taken, as these hold a second copy of the
    // definitions. What a save did before it edited: the whole source over
    // the previous one, that kept as .bak; the same definitions and the same
    // file at the path as the edit had.
    double save_whole = 1e30;
    {
        zor::edit::Store store;
        zor::edit::Equipment eq;
        std::string error, text;
        if (zor::edit::read_fil_file(fil, eq, error)) store.load(std::move(eq));
        auto save_whole_once = [&] {
            return best_of(
                [&] {
                    if (!zor::edit::write_source(store, text, error) ||
                        !zor::edit::replace_file(out, text, error))
                        std::fprintf(stderr, "save failed: %s\n", error.c_str());
                },
                [&] { std::ofstream(out, std::ios::binary) << written; }, 1);
        };
        // Taken in turns, so that a busy spell of a shared machine slows each.
        for (int round = 0; round < 7; ++round) {
            save_whole = std::min(save_whole, save_whole_once());
            edit = std::min(edit, edit_once(written, edited_way, Before::compared));
            edit_cold = std::min(edit_cold, edit_once(written, edited_way, Before::nothing));
            compare = std::min(compare, compare_once(written));
            if (!hand_laid) continue;
            hand = std::min(hand, edit_once(hand_base, hand_way, Before::compared));
            hand_cold = std::min(hand_cold, edit_once(hand_base, hand_way, Before::nothing));
            hand_later = std::min(hand_later, edit_once(hand_base, hand_way, Before::saved));
            compare_hand = std::min(compare_hand, compare_once(hand_base));
        }
    }
    InMemory memory = in_memory(fil, written);
    InMemory memory_hand = hand_laid ? in_memory(fil, hand_base) : InMemory{};
    // The written source stays the whole write-back of what was loaded.
    std::ofstream(out, std::ios::binary) << written;

    std::printf("object file: %.1f MB, %d definitions; written source: %.1f MB\n", fil_bytes / 1e6,
                loaded, src_bytes / 1e6);
    std::printf("%-22s %9s %11s %7s\n", "step (best run)", "time s", "I/O floor s", "ratio");
    std::printf("%-22s %9.3f %11.4f %7.1f\n", "load", load, read_floor, load / read_floor);
    std::printf("%-22s %9.3f %11.4f %7.1f   (%ld records, floor: reading the object file)\n",
                "list and get all", get, read_floor, get / read_floor, records);
    std::printf("%-22s %9.3f %11.4f %7.1f   (a new file)\n", "write back", write, write_floor,
                write / write_floor);
    std::printf("%-22s %9.3f %11s %7s   (the whole source over the written one, .bak kept)\n",
                "save, whole source", save_whole, "", "");
    auto way = [](int w) { return w == ZOR_WRITE_EDITED ? "edited" : "WHOLE SOURCE WRITTEN"; };
    auto edit_line = [&](const char* step, double t, const char* what) {
        std::printf("%-22s %9.3f %11.3f %7.2f   (%s; against: save, whole source)\n", step, t,
                    save_whole, t / save_whole, what);
    };
    std::printf("%-22s %9.3f %11s %7s   (the written source, as the editor does after a load)\n",
                "compare at load", compare, "", "");
    if (hand_laid)
        std::printf("%-22s %9.3f %11s %7s   (%s)\n", "  in the source", compare_hand, "", "",
                    argv[4]);
    std::printf("edit one definition: one alarm changed, %s\n", way(edited_way));
    edit_line("  written source", edit, "compared at the load");
    edit_line("    not compared", edit_cold, "the save compares it");
    if (hand_laid) {
        std::printf("  in %s: %s\n", argv[4], way(hand_way));
        edit_line("  hand-laid source", hand, "compared at the load");
        edit_line("    not compared", hand_cold, "the save compares it");
        edit_line("    a later save", hand_later, "on what the save before wrote");
    }
    auto memory_line = [&](const InMemory& m, const char* what) {
        std::printf(
            "  in memory: %s, %s; against write back in memory (%.3f s): %.2f, not compared "
            "%.2f, a later save %.2f\n",
            what, m.edited ? "edited" : "WHOLE SOURCE WRITTEN", m.write, m.edit / m.write,
            m.cold / m.write, m.again / m.write);
    };
    memory_line(memory, "the written source");
    if (hand_laid) memory_line(memory_hand, argv[4]);
    std::printf("peak memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    std::printf("target: ratio <= 10; edit one definition <= 2\n");
    GemTerminateLibrary();
    if (argc <= 3) fs::remove_all(work);
    return 0;
}
