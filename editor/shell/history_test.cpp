#include "editor/shell/history.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "editor/shell/qt_print.h"

namespace zor::editor {
namespace {

class History : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("eq_conf.his"));

    QStringList lines() {
        QStringList list;
        ReadHistory(kHistoryMax, file, list);
        return list;
    }
    QByteArray bytes() {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void add(const QString& entry) { AddHistory(kHistoryMax, file, entry); }
};

TEST_F(History, AMissingFileReadsEmptyAndTheFirstAddCreatesIt) {
    QStringList list{QStringLiteral("stale")};
    EXPECT_EQ(ReadHistory(kHistoryMax, file, list), 0);
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(AddHistory(kHistoryMax, file, QStringLiteral("C:\\eq\\装置.cnf")), 1);
    EXPECT_EQ(bytes(), QByteArray("C:\\eq\\\x91\x95\x92\x75.cnf\r\n"));  // Shift-JIS, CR LF
}

TEST_F(History, ARepeatedEntryMovesToTheTopAndOthersKeepTheirOrder) {
    for (const char* e : {"C", "B", "A"}) add(QString::fromLatin1(e));
    EXPECT_EQ(lines(), (QStringList{"A", "B", "C"}));
    add(QStringLiteral("B"));
    EXPECT_EQ(lines(), (QStringList{"B", "A", "C"}));
    add(QStringLiteral("D"));
    EXPECT_EQ(lines(), (QStringList{"D", "B", "A", "C"}));
    add(QStringLiteral("d"));  // case counts
    EXPECT_EQ(lines(), (QStringList{"d", "D", "B", "A", "C"}));
}

TEST_F(History, NeverHoldsMoreThanSixteenLines) {
    for (int i = 1; i <= 16; ++i) add(QString::number(i));
    EXPECT_EQ(AddHistory(kHistoryMax, file, QStringLiteral("new")), 16);
    QStringList list = lines();
    ASSERT_EQ(list.size(), 16);
    EXPECT_EQ(list.first(), QStringLiteral("new"));
    EXPECT_EQ(list.last(), QStringLiteral("2"));               // "1", the oldest, is gone
    EXPECT_EQ(AddHistory(40, file, QStringLiteral("x")), 16);  // the cap holds
    QStringList three;
    EXPECT_EQ(ReadHistory(3, file, three), 3);
}

TEST_F(History, AnEmptyEntryIsABlankLineUntilTheNextAdd) {
    add(QStringLiteral("B"));
    add(QStringLiteral("A"));
    add(QString());
    EXPECT_EQ(lines(), (QStringList{"", "A", "B"}));
    add(QStringLiteral("C"));
    EXPECT_EQ(lines(), (QStringList{"C", "A", "B"}));
}

TEST_F(History, AnExistingEmptyFileBecomesOneLine) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(AddHistory(kHistoryMax, file, QStringLiteral("/eq/var.txt")), 1);
    EXPECT_EQ(bytes(), QByteArray("/eq/var.txt\r\n"));
}

TEST_F(History, ReadsLinesWithBareLineFeedsToo) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("one\ntwo\r\nthree");
    f.close();
    EXPECT_EQ(lines(), (QStringList{"one", "two", "three"}));
}

}  // namespace
}  // namespace zor::editor
