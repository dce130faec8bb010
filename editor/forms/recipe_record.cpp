#include "editor/forms/recipe_record.h"

#include "editor/forms/record_fields.h"
#include "editor/shell/library.h"
#include "editor/shell/sjis.h"

namespace zor::editor {

namespace {

int nameRow(int n) { return 2 * n; }
int valueRow(int n) { return 2 * n + 1; }

char* allocOptional(const std::optional<QString>& text) {
    return text ? lib::allocText(*text) : nullptr;
}

void putParams(const std::vector<RecipeParam>& params, TRCP_INFO* r) {
    if (params.empty()) return;
    r->params = lib::allocArray<TRCP_PARAM*>(static_cast<int>(params.size()));
    r->param_count = static_cast<int32_t>(params.size());
    for (size_t i = 0; i < params.size(); ++i) {
        TRCP_PARAM* p = r->params[i] = lib::allocArray<TRCP_PARAM>(1);
        p->name = lib::allocText(params[i].name);
        p->value = allocOptional(params[i].value);
    }
}

}  // namespace

QStringList recipeItemLabels() {
    QStringList labels{QStringLiteral("RCPBODY")};
    for (int n = 1; n <= kRecipeParams; ++n)
        labels << QStringLiteral("ParaName-%1").arg(n) << QStringLiteral(" ParaVal-%1").arg(n);
    return labels;
}

QString buildRecipe(const RecipeDetail& d, const RecipeShown& shown, TRCP_INFO* r) {
    if (blank(d.id) || blank(d.name)) return checkIdNameMessage();
    r->rcpid = lib::allocText(d.id);
    r->name = lib::allocText(d.name);
    const QString body = d.items.value(0);
    // An empty body the record holds stays while its cell still shows it.
    if (!body.isEmpty() || (shown.body && body == *shown.body)) r->rcpbody = lib::allocText(body);
    std::vector<RecipeParam> params;
    for (int n = 1; n <= kRecipeParams; ++n) {
        const QString name = d.items.value(nameRow(n) - 1);
        const QString value = d.items.value(valueRow(n) - 1);
        const size_t at = static_cast<size_t>(n - 1);
        if (at < shown.params.size() && shown.params[at].name == name &&
            shown.params[at].value.value_or(QString()) == value) {
            params.push_back(shown.params[at]);
            continue;
        }
        if (blank(name)) {
            if (value.isEmpty()) continue;
            return QStringLiteral(
                       "ParaName-%1が空のまま ParaVal-%1（%2行目）が入力されています。"
                       "名前を入力するか、値を消してください。")
                .arg(n)
                .arg(valueRow(n));
        }
        params.push_back({name, value.isEmpty() ? std::nullopt : std::optional<QString>(value)});
    }
    putParams(params, r);
    return {};
}

RecipeView viewRecipe(const TRCP_INFO& r) {
    RecipeView v;
    v.detail.id = fromSjis(r.rcpid);
    v.detail.name = fromSjis(r.name);
    v.detail.items = QStringList(kRecipeItems, QString());
    if (r.rcpbody) {
        v.shown.body = fromSjis(r.rcpbody);
        v.detail.items[0] = *v.shown.body;
    }
    for (int32_t i = 0; r.params && i < r.param_count; ++i) {
        if (i >= kRecipeParams) {
            ++v.hidden;
            continue;
        }
        const TRCP_PARAM* p = r.params[i];
        RecipeParam param;
        if (p) {
            param.name = fromSjis(p->name);
            if (p->value) param.value = fromSjis(p->value);
        }
        const int n = i + 1;
        v.detail.items[nameRow(n) - 1] = param.name;
        v.detail.items[valueRow(n) - 1] = param.value.value_or(QString());
        v.shown.params.push_back(param);
    }
    return v;
}

}  // namespace zor::editor
