#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/platform.h"

namespace zor::platform {
namespace {

namespace fs = std::filesystem;

class Replacing : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zorreplace" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const char* name) const { return (dir_ / name).string(); }
    static void put(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string get(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static bool replace(const std::string& path, const std::string& text,
                        ReplacingFile::Link link = ReplacingFile::Link::write_through,
                        const std::string& temporary = {}) {
        ReplacingFile file;
        return file.open(path, link, temporary) && file.write(text) && file.commit();
    }
    // Names in the directory, so that a temporary left behind shows.
    size_t entries() const { return std::distance(fs::directory_iterator(dir_), {}); }

    fs::path dir_;
};

TEST_F(Replacing, ALinkIsWrittenThroughOrReplacedButNeverLeftHalfWay) {
    const std::string real = path("real.txt"), link = path("link.txt");
    put(real, "old");
    fs::create_symlink("real.txt", link);
    ASSERT_TRUE(replace(link, "through"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(get(real), "through");

    // A program's own name: the link goes, what it led to stays.
    ASSERT_TRUE(replace(link, "own", ReplacingFile::Link::replace));
    EXPECT_FALSE(fs::is_symlink(link));
    EXPECT_EQ(get(link), "own");
    EXPECT_EQ(get(real), "through");
    EXPECT_EQ(entries(), 2u);

    // A link to a link to a file missing yet: the file is made at the end.
    fs::create_symlink("link2", path("link1"));
    fs::create_symlink("made.txt", path("link2"));
    ASSERT_TRUE(replace(path("link1"), "made"));
    EXPECT_EQ(get(path("made.txt")), "made");
    EXPECT_TRUE(fs::is_symlink(path("link1")));
}

TEST_F(Replacing, ANamedTemporaryIsMadeAfreshWhateverStoodThere) {
    const std::string victim = path("victim"), marker = path("marker.end");
    put(victim, "untouched");
    fs::create_symlink(victim, path("marker.tmp"));
    ASSERT_TRUE(replace(marker, "0", ReplacingFile::Link::replace, path("marker.tmp")));
    EXPECT_EQ(get(victim), "untouched");
    EXPECT_EQ(get(marker), "0");
    EXPECT_FALSE(fs::exists(fs::symlink_status(path("marker.tmp"))));

    fs::create_directory(path("marker.tmp"));
    ReplacingFile file;
    EXPECT_FALSE(file.open(marker, ReplacingFile::Link::replace, path("marker.tmp")));
    EXPECT_EQ(file.cause(), "is a directory");
    EXPECT_EQ(get(marker), "0");
}

TEST_F(Replacing, ANewFileTakesTheUsualModeAndAFailedOneLeavesNothing) {
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(replace(path("new.txt"), "x"));
    struct stat st {};
    ASSERT_EQ(::stat(path("new.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    ::umask(mask);

    // Given up or refused: the old content, and no temporary beside it.
    ReplacingFile file;
    ASSERT_TRUE(file.open(path("new.txt")));
    EXPECT_TRUE(file.write(std::string(200000, 'y')));
    file.discard();
    EXPECT_EQ(get(path("new.txt")), "x");
    EXPECT_EQ(entries(), 1u);
    EXPECT_FALSE(file.commit());
    EXPECT_FALSE(file.open(path("no/such/dir/new.txt")));
    EXPECT_EQ(file.error(), ENOENT);
    EXPECT_EQ(file.cause(), "No such file or directory");
}

TEST_F(Replacing, WorkingFilesAreNeverOpenedThroughALink) {
    const std::string victim = path("victim"), log = path("run.log");
    put(victim, "untouched");
    fs::create_symlink(victim, log);
    std::FILE* file = open_working_file(log);
    ASSERT_NE(file, nullptr);
    std::fputs("log", file);
    std::fclose(file);
    EXPECT_EQ(get(victim), "untouched");
    EXPECT_EQ(get(log), "log");
    // Emptied in place: a lock held on it stays with the file.
    FileLock lock;
    ASSERT_EQ(lock.try_lock(log), FileLock::State::held);
    file = open_working_file(log);
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_EQ(get(log), "");
    FileLock second;
    EXPECT_EQ(second.try_lock(log), FileLock::State::busy);

    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    EXPECT_EQ(open_working_file(path("fifo")), nullptr);
    EXPECT_EQ(errno, EINVAL);
    EXPECT_EQ(open_working_file(dir_.string()), nullptr);
    EXPECT_EQ(errno, EISDIR);

    // The lock does not make its file where a link leads either.
    fs::create_symlink(path("elsewhere"), path("lock"));
    FileLock third;
    EXPECT_EQ(third.try_lock(path("lock")), FileLock::State::held);
    EXPECT_FALSE(fs::exists(path("elsewhere")));
}

}  // namespace
}  // namespace zor::platform
