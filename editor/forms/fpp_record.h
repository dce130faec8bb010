#pragma once
// The formatted process program editor's logic without its window: the rows
// of its detail grid, OK's validation and the TFPP_INFO it builds with its
// nested command codes, and what Edit shows.

#include <QString>
#include <QStringList>
#include <vector>

struct TFPP_INFO;

namespace zor::editor {

// The detail grid shows this many command codes, each with this many
// parameters; zoredit keeps every entry past them when exactly these come
// back.
inline constexpr int kFppCodes = 4;
inline constexpr int kFppParams = 4;
inline constexpr int kFppItems = 2 + kFppCodes * (1 + kFppParams);

// The item labels of rows 1 to 22: "MDLN", "SOFTREV", then per code n
// "CCODE-n" and " PPARAM-n-1" to " PPARAM-n-4".
QStringList fppItemLabels();
// The grid row of command code n (1-based) and of its parameter m.
int fppCodeRow(int n);
int fppParamRow(int n, int m);

// A command code as far as the grid shows it: its text and its first
// parameters, empty ones included.
struct FppCode {
    QString code;
    QStringList params;
    bool operator==(const FppCode&) const = default;
};

// What OK reads and Edit fills: the two boxes and the grid's 22 values.
struct FppDetail {
    QString id;
    QString name;
    QStringList items;
};

// What Edit shows of a record: the detail, the shown command codes exactly
// as the record holds them, and how many entries (codes and parameters) had
// no row.
struct FppView {
    FppDetail detail;
    std::vector<FppCode> codes;
    int hidden = 0;
};

// OK's order: ID and name present (both sent as typed); MDLN and SOFTREV
// when their cells are not empty. Command code n whose rows are exactly as
// Edit showed them (`shown`, from the record) goes back as the record held
// it, a blank code or empty parameters included. Any other code is taken
// when its cell is not blank, with the parameter cells under it that are not
// empty, packed; a parameter typed under a blank code is refused with a
// message naming its row. Fills a zeroed `record` with ZorAllocMem blocks
// (freed with the kind's free function, also after a refusal). Returns an
// empty text when built, else the message to show.
QString buildFpp(const FppDetail& detail, const std::vector<FppCode>& shown, TFPP_INFO* record);

// What Edit shows of a record.
FppView viewFpp(const TFPP_INFO& record);

}  // namespace zor::editor
