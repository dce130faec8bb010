#include "zoredit/cnf_reader.h"

#include <gtest/gtest.h>

#include <cstring>

#include "zoredit/test_support.h"
#include "zoredit/zoredit.h"

namespace zor::edit {
namespace {

// A key set A file as the environment editor writes it: header, empty
// line, padded keys, some values left empty.
const char* const kKeySetA =
    "//----- a.cnf - "
    "\x91\x95\x92\x75\x8a\xc2\x8b\xab\x92\xe8\x8b\x60\x83\x74\x83\x40\x83\x43\x83\x8b "
    "-----------------------\r\n"
    "\r\n"
    "LOG_PATH         = C:\\EQ LOG\r\n"
    "LOG_FILE         = \r\n"
    "LOG_SIZE         = 1000\r\n"
    "PP_COUNT         = 0x20\r\n"
    "TRACE_COUNT      = \r\n"
    "SPOOL_PATH       = C:\\SPOOL\r\n"
    "COMM_SIDE        = HOST\r\n"
    "COMM_PORT        = 5000\r\n"
    "S1F13_SEND       = 2\r\n";

TEST(CnfReader, ReadsKeySetAIntoTheRecord) {
    std::string dir = test::scratch_dir("cnf");
    test::write_file(dir + "/a.cnf", kKeySetA);
    char err[64] = "junk";
    ASSERT_EQ(GemSetupEquipment(0, (dir + "/a.cnf").c_str(), nullptr, err, sizeof err), 0);
    EXPECT_STREQ(err, "");
    const TEq_Mgr* m = ZorGetTEq_MgrPtr(0);
    ASSERT_NE(m, nullptr);
    EXPECT_STREQ(m->log_path, "C:\\EQ LOG");
    EXPECT_EQ(m->log_file, nullptr);  // empty value: not set
    EXPECT_EQ(m->log_size, 1000);
    EXPECT_EQ(m->pp_count, 32);
    EXPECT_EQ(m->trace_count, 0);
    EXPECT_STREQ(m->spool_path, "C:\\SPOOL");
    EXPECT_EQ(m->comm_side, 0);
    EXPECT_EQ(m->comm_port, 5000);
    EXPECT_EQ(m->s1f13_send, 2);
    EXPECT_EQ(m->eng_path, nullptr);
    EXPECT_EQ(ZorGetTEq_MgrPtr(1), nullptr);
}

TEST(CnfReader, ReadsKeySetBAndSkipsCommentsBlanksAndUnknownKeys) {
    CnfValues v = read_cnf(
        "# comment\n; comment\n// comment\n\n   \nENG_PATH = /opt/eng\nSHMNAME=shm1\nIPC_TIMEOUT = "
        "30\n"
        "NO_SUCH_KEY = 1\nnot a setting\napplog_on = 1\nCOMM_SIDE = EQUIPMENT\n");
    TEq_Mgr m{};
    fill_settings(v, m);
    EXPECT_STREQ(m.eng_path, "/opt/eng");
    EXPECT_STREQ(m.shmname, "shm1");
    EXPECT_EQ(m.ipc_timeout, 30);
    EXPECT_EQ(m.applog_on, 1);  // keys are matched without regard to case
    EXPECT_EQ(m.comm_side, 1);
    clear_settings(m);
    EXPECT_EQ(m.eng_path, nullptr);
}

// Offsets the environment editor reads by number, checked on this build's
// own layout: each key lands in its own field.
TEST(CnfReader, EveryNumberKeyLandsInItsField) {
    const std::pair<const char*, size_t> keys[] = {
        {"APPLOG_ON", offsetof(TEq_Mgr, applog_on)},
        {"ENGLOG_ON", offsetof(TEq_Mgr, englog_on)},
        {"APPLOG_SIZE", offsetof(TEq_Mgr, applog_size)},
        {"ENGLOG_SIZE", offsetof(TEq_Mgr, englog_size)},
        {"FPP_COUNT", offsetof(TEq_Mgr, fpp_count)},
        {"RCP_COUNT", offsetof(TEq_Mgr, rcp_count)},
        {"CAR_COUNT", offsetof(TEq_Mgr, car_count)},
        {"CAR_CAPACITY", offsetof(TEq_Mgr, car_capacity)},
        {"SUBST_COUNT", offsetof(TEq_Mgr, subst_count)},
        {"CJ_COUNT", offsetof(TEq_Mgr, cj_count)},
        {"PRJ_COUNT", offsetof(TEq_Mgr, prj_count)},
        {"INFO_BACKUP", offsetof(TEq_Mgr, info_backup)},
        {"COMM_DEVICE", offsetof(TEq_Mgr, comm_device)},
    };
    for (const auto& [key, offset] : keys) {
        TEq_Mgr m{};
        fill_settings(read_cnf(std::string(key) + " = 77\r\n"), m);
        int32_t v;
        std::memcpy(&v, reinterpret_cast<const char*>(&m) + offset, 4);
        EXPECT_EQ(v, 77) << key;
        clear_settings(m);
    }
}

TEST(CnfReader, MissingFileFailsWithReasonAndKeepsSettings) {
    std::string dir = test::scratch_dir("cnf");
    test::write_file(dir + "/ok.cnf", "LOG_SIZE = 5\r\n");
    ASSERT_EQ(GemSetupEquipment(0, (dir + "/ok.cnf").c_str(), nullptr, nullptr, 0), 0);
    char err[16];
    EXPECT_EQ(GemSetupEquipment(0, (dir + "/none.cnf").c_str(), nullptr, err, sizeof err),
              ZOR_E_FAIL);
    // The reason names the path; a small buffer gets it cut and marked.
    EXPECT_STREQ(err, "cannot open ...");
    EXPECT_EQ(ZorGetTEq_MgrPtr(0)->log_size, 5);
}

}  // namespace
}  // namespace zor::edit
