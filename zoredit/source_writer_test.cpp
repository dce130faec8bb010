// How a save replaces the file at the path: never through a planted link,
// never losing the backup, keeping the file's mode, refusing what it must not
// replace.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>

#include "zoredit/test_support.h"
#include "zoredit/testing/fil_writer.h"
#include "zoredit/zoredit.h"

namespace zor::edit {
namespace {

namespace fs = std::filesystem;

constexpr const char* kOld = "// the source before the save\r\n";

mode_t mode_of(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Runs `call` in a child process as the user nobody, who cannot write what
// root made; its exit code (126 when the user could not be changed).
int as_nobody(const std::function<int()>& call) {
    pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(126);
        ::_exit(call());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

class Save : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = test::scratch_dir("save");
        Equipment eq;
        Variable sv;
        sv.name = "SV_T";
        sv.id = 20;
        sv.form = 44;
        sv.size = 1;
        eq.sv.push_back(sv);
        std::string error;
        ASSERT_GE(test::load_fil(dir_, write_fil(eq), &error), 0) << error;
        path_ = dir_ + "/eq.txt";
    }
    void TearDown() override { fs::remove_all(dir_); }

    bool saved() const { return ZorWriteEqInfo(path_.c_str()) == ZOR_OK; }
    static bool is_new_source(const std::string& text) {
        return text.find("def_sv SV_T {") != std::string::npos;
    }

    std::string dir_, path_;
};

TEST_F(Save, APlantedLinkIsNeverFollowedAndALinkedSourceIsWrittenThrough) {
    // The temporary name the save once used, and a link to a file elsewhere.
    const std::string victim = dir_ + "/victim";
    test::write_file(victim, "someone else's file\r\n");
    test::write_file(path_, kOld);
    fs::create_symlink(victim, path_ + ".zoredit-tmp");
    ASSERT_TRUE(saved()) << test::last_error();
    EXPECT_EQ(test::read_file(victim), "someone else's file\r\n");
    EXPECT_FALSE(fs::is_symlink(path_));
    EXPECT_TRUE(is_new_source(test::read_file(path_)));
    EXPECT_EQ(test::read_file(path_ + ".bak"), kOld);

    // The user's own link: the file it leads to takes the new source, the
    // link stays, the backup is kept under the name the user gave.
    fs::create_directory(dir_ + "/real");
    const std::string real = dir_ + "/real/eq.txt", link = dir_ + "/linked.txt";
    test::write_file(real, kOld);
    fs::create_symlink("real/eq.txt", link);
    ASSERT_EQ(ZorWriteEqInfo(link.c_str()), ZOR_OK) << test::last_error();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(is_new_source(test::read_file(real)));
    EXPECT_EQ(test::read_file(link + ".bak"), kOld);
    // Nothing is left beside them.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ + "/real"), {}), 1);
}

TEST_F(Save, TheSourceKeepsItsMode) {
    const mode_t mask = ::umask(022);
    for (mode_t mode : {0600, 0640}) {
        test::write_file(path_, kOld);
        ASSERT_EQ(::chmod(path_.c_str(), mode), 0);
        ASSERT_TRUE(saved()) << test::last_error();
        EXPECT_EQ(mode_of(path_), mode) << std::oct << mode;
        EXPECT_EQ(mode_of(path_ + ".bak"), mode) << std::oct << mode;
        fs::remove(path_);
        fs::remove(path_ + ".bak");
    }
    ::umask(mask);
}

TEST_F(Save, WhatIsNoRegularFileIsRefusedAndLeftAsItWas) {
    fs::create_directories(path_ + "/kept");
    EXPECT_EQ(ZorWriteEqInfo(path_.c_str()), ZOR_E_FAIL);
    EXPECT_EQ(test::last_error(), "cannot write " + path_ + ": is a directory");
    EXPECT_TRUE(fs::exists(path_ + "/kept"));
    fs::remove_all(path_);

    ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    EXPECT_EQ(ZorCompareEqInfo(path_.c_str()), 0);  // and without waiting for a writer
    EXPECT_EQ(ZorWriteEqInfo(path_.c_str()), ZOR_E_FAIL);
    EXPECT_EQ(test::last_error(), "cannot write " + path_ + ": is not a regular file");
    EXPECT_TRUE(fs::is_fifo(path_));
    EXPECT_FALSE(fs::exists(fs::symlink_status(path_ + ".bak")));
    fs::remove(path_);

    if (::mknod(path_.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
        GTEST_SKIP() << "no device node can be made here: " << std::strerror(errno);
    EXPECT_EQ(ZorCompareEqInfo(path_.c_str()), 0);
    EXPECT_EQ(ZorWriteEqInfo(path_.c_str()), ZOR_E_FAIL);
    EXPECT_EQ(test::last_error(), "cannot write " + path_ + ": is not a regular file");
    EXPECT_TRUE(fs::is_character_file(path_));
    EXPECT_FALSE(fs::exists(fs::symlink_status(path_ + ".bak")));
}

TEST_F(Save, AFileTheUserMayNotWriteIsRefused) {
    test::write_file(path_, kOld);
    const std::string expected = "cannot write " + path_ + ": Permission denied";
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(path_.c_str(), 0444), 0);
        EXPECT_EQ(ZorWriteEqInfo(path_.c_str()), ZOR_E_FAIL);
        EXPECT_EQ(test::last_error(), expected);
    } else {
        // Root may write anything: the save runs as nobody, in a directory
        // nobody may write, on a file nobody may not.
        ASSERT_EQ(::chmod(dir_.c_str(), 0777), 0);
        ASSERT_EQ(::chmod(path_.c_str(), 0644), 0);
        int code = as_nobody([&] {
            if (ZorWriteEqInfo(path_.c_str()) != ZOR_E_FAIL) return 1;
            return test::last_error() == expected ? 0 : 2;
        });
        EXPECT_EQ(code, 0) << "1: the file was replaced; 2: another reason was given";
    }
    EXPECT_EQ(test::read_file(path_), kOld);
    EXPECT_FALSE(fs::exists(path_ + ".bak"));
}

// A file system of 256 KiB that stays mounted for the test's life.
class SmallDisk {
  public:
    explicit SmallDisk(const std::string& where) : where_(where) {
        fs::create_directory(where_);
        mounted_ = ::mount("tmpfs", where_.c_str(), "tmpfs", 0, "size=256k") == 0;
        cause_ = mounted_ ? "" : std::strerror(errno);
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(where_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    const std::string& cause() const { return cause_; }

  private:
    std::string where_, cause_;
    bool mounted_ = false;
};

TEST_F(Save, AFullDiskWhileCopyingTheBackupKeepsTheOldOne) {
    SmallDisk disk(dir_ + "/disk");
    if (!disk.mounted()) GTEST_SKIP() << "a small tmpfs cannot be mounted: " << disk.cause();
    const std::string path = dir_ + "/disk/eq.txt";
    const std::string old_source = std::string(100000, '/') + "\r\n";
    test::write_file(path, old_source);
    test::write_file(path + ".bak", "the older backup\r\n");
    // What is left has room for the new source, not for a copy of the old.
    test::write_file(dir_ + "/disk/filler", std::string(28 * 4096, 'x'));
    // An append-only file cannot have a second name, as on a file system
    // without hard links: the backup has to be copied.
    const std::string append_only = "chattr +a '" + path + "' 2>/dev/null";
    if (std::system(append_only.c_str()) != 0)
        GTEST_SKIP() << "the file cannot be made append-only here (chattr +a)";
    EXPECT_EQ(ZorWriteEqInfo(path.c_str()), ZOR_E_FAIL);
    const std::string error = test::last_error();
    EXPECT_EQ(std::system(("chattr -a '" + path + "'").c_str()), 0);
    EXPECT_EQ(error,
              "cannot keep the previous source as " + path + ".bak: No space left on device");
    const std::string backup = test::read_file(path + ".bak");
    EXPECT_TRUE(backup == "the older backup\r\n") << backup.size() << " bytes";
    EXPECT_TRUE(test::read_file(path) == old_source);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ + "/disk"), {}), 3);
}

}  // namespace
}  // namespace zor::edit
