// OK's validation and Edit's view of the process program, formatted process
// program and recipe editors, without their windows.
#include <gtest/gtest.h>

#include <map>

#include "editor/forms/fpp_record.h"
#include "editor/forms/pp_record.h"
#include "editor/forms/recipe_record.h"
#include "editor/shell/library.h"
#include "editor/shell/qt_print.h"
#include "editor/shell/sjis.h"

namespace zor::editor {
namespace {

// A grid's values: `rows` (1-based) filled, the others empty.
QStringList items(int count, const std::map<int, QString>& rows) {
    QStringList out(count, QString());
    for (const auto& [row, text] : rows) out[row - 1] = text;
    return out;
}

// The texts a built FPP carries: "code:param,param" per command code.
QStringList codesOf(const TFPP_INFO& r) {
    QStringList out;
    for (int32_t i = 0; i < r.ccode_count; ++i) {
        QStringList params;
        for (int32_t j = 0; j < r.ccodes[i]->pparam_count; ++j)
            params << fromSjis(r.ccodes[i]->pparams[j]->pparam);
        out << fromSjis(r.ccodes[i]->ccode) + u':' + params.join(u',');
    }
    return out;
}

// The parameters a built recipe carries: "name=value", "name" for no value.
QStringList paramsOf(const TRCP_INFO& r) {
    QStringList out;
    for (int32_t i = 0; i < r.param_count; ++i)
        out << fromSjis(r.params[i]->name) +
                   (r.params[i]->value ? u'=' + fromSjis(r.params[i]->value) : QString());
    return out;
}

// ---- process programs -------------------------------------------------------------

TEST(BuildPp, ChecksThePpidFirstTrimsIdAndNameAndKeepsTheBodyAsTyped) {
    lib::Record<TPP_INFO> r;
    EXPECT_EQ(buildPp({" ", " ", "x"}, r.get()), QStringLiteral("PPIDを確認してください。"));
    r.release();
    EXPECT_EQ(buildPp({"P1", " ", "x"}, r.get()), QStringLiteral("名前を確認してください。"));
    r.release();

    ASSERT_EQ(buildPp({" P1 ", " PP_A ", "  成膜 C:\\x  "}, r.get()), QString());
    EXPECT_STREQ(r->ppid, "P1");
    EXPECT_STREQ(r->name, "PP_A");
    EXPECT_EQ(fromSjis(r->ppbody), QStringLiteral("  成膜 C:\\x  "));
    EXPECT_EQ(r->ppid_format, 16);
    EXPECT_EQ(r->ppid_length, 2);
    EXPECT_EQ(r->ppbody_format, 16);
    EXPECT_EQ(r->ppbody_length, 13);  // two bytes a kanji
    const PpDetail shown = viewPp(*r);
    EXPECT_EQ(shown.body, QStringLiteral("  成膜 C:\\x  "));
    r.release();

    ASSERT_EQ(buildPp({"P2", "PP_B", ""}, r.get()), QString());
    ASSERT_NE(r->ppbody, nullptr);
    EXPECT_STREQ(r->ppbody, "");
    EXPECT_EQ(r->ppbody_length, 0);
}

// ---- formatted process programs -------------------------------------------------------

TEST(FppRows, LabelsAndRowsOfTheCommandCodesAgree) {
    const QStringList labels = fppItemLabels();
    ASSERT_EQ(labels.size(), 22);
    EXPECT_EQ(labels[0], QStringLiteral("MDLN"));
    EXPECT_EQ(labels[1], QStringLiteral("SOFTREV"));
    const int codeRows[] = {3, 8, 13, 18};
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(fppCodeRow(n), codeRows[n - 1]);
        EXPECT_EQ(labels[fppCodeRow(n) - 1], QStringLiteral("CCODE-%1").arg(n));
        for (int m = 1; m <= 4; ++m)
            EXPECT_EQ(labels[fppParamRow(n, m) - 1], QStringLiteral(" PPARAM-%1-%2").arg(n).arg(m));
    }
    EXPECT_EQ(fppParamRow(4, 4), 22);
}

TEST(BuildFpp, TakesFilledCodesWithTheirFilledParametersPacked) {
    lib::Record<TFPP_INFO> r;
    EXPECT_EQ(buildFpp({"F1", " ", items(22, {})}, {}, r.get()),
              QStringLiteral("ID、名前を確認してください。"));
    r.release();

    // Nothing but the ID and the name: no MDLN, no SOFTREV, no code.
    ASSERT_EQ(buildFpp({" F1", "FPP_A ", items(22, {})}, {}, r.get()), QString());
    EXPECT_STREQ(r->ppid, " F1");  // as typed
    EXPECT_STREQ(r->name, "FPP_A ");
    EXPECT_EQ(r->mdln, nullptr);
    EXPECT_EQ(r->softrev, nullptr);
    EXPECT_EQ(r->ccode_count, 0);
    EXPECT_EQ(r->ccodes, nullptr);
    r.release();

    // CCODE-1 with PPARAM-1-2 and -1-4, CCODE-2 blank, CCODE-3 without
    // parameters; a SOFTREV of blanks counts as given.
    ASSERT_EQ(buildFpp({"F1", "FPP_A",
                        items(22, {{1, "CVD"},
                                   {2, "  "},
                                   {3, "HEAT"},
                                   {5, "350"},
                                   {7, "600"},
                                   {8, " "},
                                   {13, "PURGE"}})},
                       {}, r.get()),
              QString());
    EXPECT_STREQ(r->mdln, "CVD");
    EXPECT_STREQ(r->softrev, "  ");
    ASSERT_EQ(codesOf(*r), (QStringList{"HEAT:350,600", "PURGE:"}));
    EXPECT_EQ(r->ccodes[1]->pparams, nullptr);
}

TEST(BuildFpp, AParameterUnderABlankCodeIsRefusedNamingItsRow) {
    lib::Record<TFPP_INFO> r;
    EXPECT_EQ(buildFpp({"F1", "FPP_A", items(22, {{3, "HEAT"}, {8, " "}, {11, "x"}})}, {}, r.get()),
              QStringLiteral("CCODE-2が空のまま PPARAM-2-3（11行目）が入力されています。"
                             "CCODE-2を入力するか、PPARAMを消してください。"));
}

// A record as zoredit hands it out, texts given per code.
void fillFpp(TFPP_INFO* r, const std::vector<std::pair<QString, QStringList>>& codes) {
    r->ppid = lib::allocText(QStringLiteral("F1"));
    r->name = lib::allocText(QStringLiteral("FPP_A"));
    r->mdln = lib::allocText(QStringLiteral("M"));
    r->softrev = lib::allocText(QString());
    r->ccode_count = static_cast<int32_t>(codes.size());
    r->ccodes = lib::allocArray<TFPP_CCODE*>(r->ccode_count);
    for (size_t i = 0; i < codes.size(); ++i) {
        TFPP_CCODE* c = r->ccodes[i] = lib::allocArray<TFPP_CCODE>(1);
        c->ccode = lib::allocText(codes[i].first);
        c->pparam_count = static_cast<int32_t>(codes[i].second.size());
        if (c->pparam_count == 0) continue;
        c->pparams = lib::allocArray<TFPP_PPARAM*>(c->pparam_count);
        for (int32_t j = 0; j < c->pparam_count; ++j) {
            c->pparams[j] = lib::allocArray<TFPP_PPARAM>(1);
            c->pparams[j]->pparam = lib::allocText(codes[i].second[j]);
        }
    }
}

TEST(ViewFpp, ShowsFourCodesOfFourParametersAndCountsTheRest) {
    std::vector<std::pair<QString, QStringList>> codes;
    for (int i = 1; i <= 6; ++i) {
        QStringList params;
        for (int j = 1; j <= 6; ++j) params << QStringLiteral("p%1%2").arg(i).arg(j);
        codes.push_back({QStringLiteral("C%1").arg(i), params});
    }
    lib::Record<TFPP_INFO> held;
    fillFpp(held.get(), codes);
    const FppView v = viewFpp(*held);
    EXPECT_EQ(v.detail.id, QStringLiteral("F1"));
    EXPECT_EQ(v.detail.items[0], QStringLiteral("M"));
    EXPECT_EQ(v.detail.items[fppCodeRow(4) - 1], QStringLiteral("C4"));
    EXPECT_EQ(v.detail.items[fppParamRow(4, 4) - 1], QStringLiteral("p44"));
    EXPECT_EQ(v.detail.items.size(), 22);
    ASSERT_EQ(v.codes.size(), 4u);
    EXPECT_EQ(v.codes[3].params.size(), 4);
    // Two codes with six parameters each, and two parameters of each shown code.
    EXPECT_EQ(v.hidden, 2 * 7 + 4 * 2);

    // Sent back unchanged: exactly the shown part, which zoredit keeps whole.
    lib::Record<TFPP_INFO> r;
    ASSERT_EQ(buildFpp(v.detail, v.codes, r.get()), QString());
    EXPECT_EQ(codesOf(*r), (QStringList{"C1:p11,p12,p13,p14", "C2:p21,p22,p23,p24",
                                        "C3:p31,p32,p33,p34", "C4:p41,p42,p43,p44"}));
}

// A blank command code and empty parameters a record holds go back while the
// user leaves their rows as shown; once changed, the ordinary rules apply.
TEST(BuildFpp, ABlankCodeAndEmptyParametersStayWhileTheirRowsAreAsShown) {
    lib::Record<TFPP_INFO> held;
    fillFpp(held.get(), {{"", {"a", "", "b"}}, {"C2", {""}}, {" ", {}}});
    const FppView v = viewFpp(*held);
    EXPECT_EQ(v.detail.items[fppParamRow(1, 3) - 1], QStringLiteral("b"));

    lib::Record<TFPP_INFO> r;
    ASSERT_EQ(buildFpp(v.detail, v.codes, r.get()), QString());
    ASSERT_EQ(codesOf(*r), (QStringList{":a,,b", "C2:", " :"}));
    EXPECT_EQ(r->ccodes[1]->pparam_count, 1);
    r.release();

    // A parameter of the blank code changed: refused, as typed input would be.
    FppDetail d = v.detail;
    d.items[fppParamRow(1, 1) - 1] = QStringLiteral("z");
    EXPECT_EQ(buildFpp(d, v.codes, r.get()).left(8), QStringLiteral("CCODE-1が"));
    r.release();
    // Its parameters cleared: the code goes; a code typed: it is named.
    for (int m = 1; m <= 4; ++m) d.items[fppParamRow(1, m) - 1].clear();
    d.items[fppParamRow(2, 2) - 1] = QStringLiteral("q");
    ASSERT_EQ(buildFpp(d, v.codes, r.get()), QString());
    EXPECT_EQ(codesOf(*r), (QStringList{"C2:q", " :"}));
    r.release();
    d.items[fppCodeRow(1) - 1] = QStringLiteral("NEW");
    d.items[fppParamRow(1, 2) - 1] = QStringLiteral("n");
    ASSERT_EQ(buildFpp(d, v.codes, r.get()), QString());
    EXPECT_EQ(codesOf(*r), (QStringList{"NEW:n", "C2:q", " :"}));
}

// ---- recipes ---------------------------------------------------------------------------

TEST(RecipeRows, BodyThenANameAndAValueRowPerParameter) {
    const QStringList labels = recipeItemLabels();
    ASSERT_EQ(labels.size(), 13);
    EXPECT_EQ(labels[0], QStringLiteral("RCPBODY"));
    EXPECT_EQ(labels[1], QStringLiteral("ParaName-1"));
    EXPECT_EQ(labels[2], QStringLiteral(" ParaVal-1"));
    EXPECT_EQ(labels[11], QStringLiteral("ParaName-6"));
    EXPECT_EQ(labels[12], QStringLiteral(" ParaVal-6"));
}

TEST(BuildRecipe, TakesNamedParametersPackedAndRefusesAValueWithoutAName) {
    lib::Record<TRCP_INFO> r;
    EXPECT_EQ(buildRecipe({" ", "RCP_A", items(13, {})}, {}, r.get()),
              QStringLiteral("ID、名前を確認してください。"));
    r.release();

    ASSERT_EQ(buildRecipe({"R1 ", "RCP_A", items(13, {})}, {}, r.get()), QString());
    EXPECT_STREQ(r->rcpid, "R1 ");
    EXPECT_EQ(r->rcpbody, nullptr);
    EXPECT_EQ(r->param_count, 0);
    EXPECT_EQ(r->params, nullptr);
    r.release();

    // Parameters 2 (no value) and 5 named; a name of blanks makes none.
    ASSERT_EQ(
        buildRecipe({"R1", "RCP_A",
                     items(13, {{1, " "}, {4, "TEMP"}, {10, "TIME"}, {11, "60"}, {12, "  "}})},
                    {}, r.get()),
        QString());
    EXPECT_STREQ(r->rcpbody, " ");
    EXPECT_EQ(paramsOf(*r), (QStringList{"TEMP", "TIME=60"}));
    EXPECT_EQ(r->params[0]->value, nullptr);
    r.release();

    EXPECT_EQ(buildRecipe({"R1", "RCP_A", items(13, {{4, "TEMP"}, {7, "5"}})}, {}, r.get()),
              QStringLiteral("ParaName-3が空のまま ParaVal-3（7行目）が入力されています。"
                             "名前を入力するか、値を消してください。"));
}

void addParam(TRCP_INFO* r, const QString& name, const std::optional<QString>& value) {
    TRCP_PARAM** old = r->params;
    r->params = lib::allocArray<TRCP_PARAM*>(r->param_count + 1);
    for (int32_t i = 0; i < r->param_count; ++i) r->params[i] = old[i];
    ZorFreeMem(old);
    TRCP_PARAM* p = r->params[r->param_count++] = lib::allocArray<TRCP_PARAM>(1);
    p->name = lib::allocText(name);
    if (value) p->value = lib::allocText(*value);
}

TEST(ViewRecipe, ShowsSixParametersAndSendsBackWhatItHeldWhileUnchanged) {
    lib::Record<TRCP_INFO> held;
    held->rcpid = lib::allocText(QStringLiteral("R1"));
    held->name = lib::allocText(QStringLiteral("RCP_A"));
    held->rcpbody = lib::allocText(QString());
    addParam(held.get(), QString(), QStringLiteral("v1"));  // a parameter without a name
    addParam(held.get(), QStringLiteral("N2"), QString());  // an empty value
    for (int i = 3; i <= 8; ++i) addParam(held.get(), QStringLiteral("N%1").arg(i), std::nullopt);
    const RecipeView v = viewRecipe(*held);
    EXPECT_EQ(v.hidden, 2);
    ASSERT_EQ(v.shown.params.size(), 6u);
    EXPECT_EQ(v.detail.items[2], QStringLiteral("v1"));
    EXPECT_EQ(v.detail.items[11], QStringLiteral("N6"));

    lib::Record<TRCP_INFO> r;
    ASSERT_EQ(buildRecipe(v.detail, v.shown, r.get()), QString());
    ASSERT_NE(r->rcpbody, nullptr);  // the empty body stays
    EXPECT_EQ(paramsOf(*r), (QStringList{"=v1", "N2=", "N3", "N4", "N5", "N6"}));
    r.release();

    // The nameless parameter's value changed: refused; cleared: it goes.
    RecipeDetail d = v.detail;
    d.items[2] = QStringLiteral("v2");
    EXPECT_EQ(buildRecipe(d, v.shown, r.get()).left(11), QStringLiteral("ParaName-1が"));
    r.release();
    d.items[2].clear();
    d.items[4] = QStringLiteral("x");  // N2's value typed
    ASSERT_EQ(buildRecipe(d, v.shown, r.get()), QString());
    EXPECT_EQ(paramsOf(*r), (QStringList{"N2=x", "N3", "N4", "N5", "N6"}));
}

}  // namespace
}  // namespace zor::editor
