#pragma once
// The recipe editor's logic without its window: the rows of its detail grid,
// OK's validation and the TRCP_INFO it builds, and what Edit shows.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct TRCP_INFO;

namespace zor::editor {

// The detail grid shows this many parameters; zoredit keeps every one past
// them when exactly these come back.
inline constexpr int kRecipeParams = 6;
inline constexpr int kRecipeItems = 1 + 2 * kRecipeParams;

// The item labels of rows 1 to 13: "RCPBODY", then per parameter n
// "ParaName-n" (row 2n) and " ParaVal-n" (row 2n + 1).
QStringList recipeItemLabels();

// A parameter as a record holds it; a value of none is nullopt.
struct RecipeParam {
    QString name;
    std::optional<QString> value;
    bool operator==(const RecipeParam&) const = default;
};

// What OK reads and Edit fills: the two boxes and the grid's 13 values.
struct RecipeDetail {
    QString id;
    QString name;
    QStringList items;
};

// What Edit showed of a record, exactly as the record holds it: the body
// (nullopt for none) and the shown parameters.
struct RecipeShown {
    std::optional<QString> body;
    std::vector<RecipeParam> params;
};

struct RecipeView {
    RecipeDetail detail;
    RecipeShown shown;
    int hidden = 0;  // parameters that had no row
};

// OK's order: ID and name present (both sent as typed); the body when its
// cell is not empty, or the record's empty body while the cell still shows
// it. Parameter n whose two rows are exactly as Edit showed them goes back
// as the record held it (a blank name or an empty value included). Any other
// parameter is taken when its name cell is not blank, its value when that
// cell is not empty, packed; a value typed under a blank name is refused
// with a message naming its row. Fills a zeroed `record` with ZorAllocMem
// blocks (freed with the kind's free function, also after a refusal).
// Returns an empty text when built, else the message to show.
QString buildRecipe(const RecipeDetail& detail, const RecipeShown& shown, TRCP_INFO* record);

// What Edit shows of a record.
RecipeView viewRecipe(const TRCP_INFO& record);

}  // namespace zor::editor
