#pragma once
// The variable editor's logic without its window: the detail grid's rows,
// building a TV_INFO from what the user typed (in OK's order, with its
// messages), turning a TV_INFO back into texts, and the VID list of an
// L-format variable.

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

struct TV_INFO;

namespace zor::editor {

// Rows of the detail grid SG2 (column 2 holds the values).
namespace vrow {
constexpr int Format = 1;
constexpr int Size = 2;
constexpr int Units = 3;
constexpr int Min = 4;
constexpr int Max = 5;
constexpr int Nominal = 6;
constexpr int FirstLimit = 7;  // limit i: Limit-ID 7+3i, -Low 8+3i, -Upper 9+3i
constexpr int LimitGroups = 4;
constexpr int FirstCeid = 19;  // SV only: rows 19 to 21
constexpr int CeidRows = 3;
constexpr int Count = 24;  // the header included
}  // namespace vrow

// Variable kinds, as the session menu sets the editor's mode.
enum VariableMode { kModeEc = 0, kModeSv = 1, kModeDv = 2 };

// The VIDs of a list variable, one capacity for every operation. Positions
// are 1-based, as the rows of the VID grid.
class VidList {
  public:
    static constexpr int kCapacity = 2048;

    int count() const { return static_cast<int>(vids_.size()); }
    const std::vector<int32_t>& vids() const { return vids_; }
    void clear() { vids_.clear(); }
    // False (and nothing taken) when `n` is above the capacity.
    bool assign(const int32_t* vids, int n);
    // Replaces entry `row` when it exists, else appends. False when an
    // append finds the list full.
    bool overwrite(int row, int32_t vid);
    // Inserts before `row` (after the last entry when `row` is beyond the
    // end or not a row); false when the list is full.
    bool insert(int row, int32_t vid);
    // Removes entry `row`; false when there is none.
    bool remove(int row);

  private:
    std::vector<int32_t> vids_;
};

// "LISTに含められる変数は2048個までです。"
QString vidListFullMessage();

// What OK reads: the ID and name boxes and column 2 of SG2 (index = row).
struct VariableDetail {
    int mode = kModeEc;
    QString id;
    QString name;
    std::array<QString, vrow::Count> values;
};

// OK's validation and record building, in its order. Zeroes `record`, fills
// it with blocks from ZorAllocMem (the caller frees it with ZorFreeTV_INFO,
// also after a refusal or a throw), and writes back into `detail` the cells
// OK corrects: Nominal := the VID count (L), Size := the Nominal's length in
// bytes (A), Size "0" → "1" (the other formats). Returns an empty text when
// the record is built, else the message to show. Throws ActionError for a
// Size, Min, Max, Nominal or limit text that must be a number and is not,
// and for a text Shift-JIS cannot hold.
QString buildVariable(VariableDetail& detail, const std::vector<int32_t>& vids, TV_INFO* record);

// A record as the detail shows it.
struct VariableView {
    QString id;
    QString name;
    std::array<QString, vrow::Count> values;  // column 2 of SG2
    bool isList = false;
    std::vector<int32_t> vids;  // the VID list of an L record
};

// The texts Edit shows for `record`: first four limits, first three CEIDs.
// Returns an empty text, or the refusal to show when an L record holds more
// VIDs than the VID list can keep (the view is then left empty).
QString viewVariable(const TV_INFO& record, VariableView* view);

}  // namespace zor::editor
