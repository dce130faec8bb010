#include "editor/shell/whole_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <thread>

#include "editor/shell/action.h"
#include "editor/shell/cnf_file.h"
#include "editor/shell/history.h"
#include "editor/shell/qt_print.h"
#include "editor/shell/string_grid.h"

namespace zor::editor {
namespace {

// The editor's two writers of whole files: the environment file and a
// history list.
struct Writer {
    const char* name;
    void (*write)(const QString& path);
};

void writeCnf(const QString& path) {
    StringGrid grid(QStringLiteral("SG"), 4, 3);
    grid.setRowTexts(1, {"", "LOG_SIZE", "1000"});
    writeCnfFile(path, grid);
}
void writeHistory(const QString& path) { AddHistory(kHistoryMax, path, QStringLiteral("new")); }

const Writer kWriters[] = {{"eq.cnf", writeCnf}, {"eq_conf.his", writeHistory}};

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

mode_t modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(WholeFile, ALinkIsWrittenThroughAndTheModeKept) {
    for (const Writer& w : kWriters) {
        QTemporaryDir dir;
        const QString real = dir.filePath(QStringLiteral("real")), link = dir.filePath(w.name);
        QFile(real).open(QIODevice::WriteOnly);
        ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0640), 0);
        ASSERT_TRUE(QFile::link(real, link));
        w.write(link);
        EXPECT_TRUE(QFileInfo(link).isSymLink()) << w.name;
        EXPECT_FALSE(bytesOf(real).isEmpty()) << w.name;
        EXPECT_EQ(modeOf(real), 0640u) << w.name;
        EXPECT_EQ(
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden)
                .size(),
            2)
            << w.name;
    }
}

TEST(WholeFile, AFifoIsRefusedWithoutWaitingForAReader) {
    for (const Writer& w : kWriters) {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(w.name);
        const QByteArray name = QFile::encodeName(fifo);
        ASSERT_EQ(::mkfifo(name.constData(), 0600), 0);
        // Should the history be read or written waiting for the other end
        // after all, that end comes after a while, so the test ends and
        // fails instead of hanging.
        std::atomic<bool> done{false};
        std::thread rescue([&] {
            for (int i = 0; i < 30 && !done; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            while (!done) {
                int fd = ::open(name.constData(), O_RDWR | O_NONBLOCK);
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                if (fd >= 0) ::close(fd);
            }
        });
        QString said;
        try {
            w.write(fifo);
        } catch (const ActionError& e) {
            said = e.text();
        }
        done = true;
        rescue.join();
        EXPECT_EQ(said, QStringLiteral("入出力エラー: %1 (is not a regular file)").arg(fifo))
            << w.name;
        struct stat st {};
        EXPECT_TRUE(::lstat(name.constData(), &st) == 0 && S_ISFIFO(st.st_mode)) << w.name;
    }
}

}  // namespace
}  // namespace zor::editor
