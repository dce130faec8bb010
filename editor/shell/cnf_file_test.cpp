#include "editor/shell/cnf_file.h"

#include <gtest/gtest.h>

#include "editor/shell/string_grid.h"

namespace zor::editor {
namespace {

QByteArray body(const QByteArray& file) { return file.mid(file.indexOf("\r\n\r\n") + 4); }

TEST(CnfFile, KeysArePaddedToSixteenAndValuesTrimmedUntilTheFirstBlankKey) {
    StringGrid grid(QStringLiteral("SG"), 4, 8);
    grid.setRowTexts(1, {"", "LOG_SIZE", "  1000 \t", "ignored"});
    grid.setRowTexts(2, {"", "EXACTLY_16_CHARS", "x"});
    grid.setRowTexts(3, {"", "SEVENTEEN_CHARS_X", "a b"});
    grid.setRowTexts(4, {"", "LOG_PATH", QStringLiteral("\u3000全角\u3000")});
    grid.setRowTexts(5, {"", " ", "after the end"});
    grid.setRowTexts(6, {"", "TRACE_COUNT", "never written"});

    QByteArray text = cnfText(QStringLiteral("/some/dir/plant.cnf"), grid);
    EXPECT_TRUE(text.startsWith("//----- plant.cnf - "));
    // A full-width blank belongs to the value; column 3 is never written.
    const QByteArray expected = QByteArray(
                                    "LOG_SIZE         = 1000\r\n"
                                    "EXACTLY_16_CHARS = x\r\n"
                                    "SEVENTEEN_CHARS_X = a b\r\n"
                                    "LOG_PATH         = ") +
                                QByteArray::fromHex("814091538a708140") + "\r\n";
    EXPECT_EQ(body(text), expected);
}

TEST(CnfFile, NoMoreThanFiftyRowsAreWritten) {
    StringGrid grid(QStringLiteral("SG"), 4, 61);
    for (int row = 1; row <= 60; ++row) grid.setCell(1, row, QStringLiteral("K%1").arg(row));
    QByteArray text = body(cnfText(QStringLiteral("a.cnf"), grid));
    EXPECT_EQ(text.count("\r\n"), kCnfMaxRows);
    EXPECT_TRUE(text.endsWith("K50              = \r\n"));
}

}  // namespace
}  // namespace zor::editor
