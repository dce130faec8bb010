#include "editor/forms/fpp_record.h"

#include <algorithm>

#include "editor/forms/record_fields.h"
#include "editor/shell/library.h"
#include "editor/shell/sjis.h"

namespace zor::editor {

namespace {

// The code's rows as the grid holds them: its text, then kFppParams values.
QStringList rowsOf(const FppCode& c) {
    QStringList rows{c.code};
    for (int m = 0; m < kFppParams; ++m) rows << c.params.value(m);
    return rows;
}

FppCode typedCode(const QStringList& items, int n) {
    FppCode c{items.value(fppCodeRow(n) - 1), {}};
    for (int m = 1; m <= kFppParams; ++m) c.params << items.value(fppParamRow(n, m) - 1);
    return c;
}

char* textOrNull(const QString& cell) { return cell.isEmpty() ? nullptr : lib::allocText(cell); }

void putCodes(const std::vector<FppCode>& codes, TFPP_INFO* r) {
    if (codes.empty()) return;
    r->ccodes = lib::allocArray<TFPP_CCODE*>(static_cast<int>(codes.size()));
    r->ccode_count = static_cast<int32_t>(codes.size());
    for (size_t i = 0; i < codes.size(); ++i) {
        TFPP_CCODE* c = r->ccodes[i] = lib::allocArray<TFPP_CCODE>(1);
        c->ccode = lib::allocText(codes[i].code);
        const QStringList& params = codes[i].params;
        if (params.isEmpty()) continue;
        c->pparams = lib::allocArray<TFPP_PPARAM*>(static_cast<int>(params.size()));
        c->pparam_count = static_cast<int32_t>(params.size());
        for (qsizetype j = 0; j < params.size(); ++j) {
            c->pparams[j] = lib::allocArray<TFPP_PPARAM>(1);
            c->pparams[j]->pparam = lib::allocText(params[j]);
        }
    }
}

}  // namespace

QStringList fppItemLabels() {
    QStringList labels{QStringLiteral("MDLN"), QStringLiteral("SOFTREV")};
    for (int n = 1; n <= kFppCodes; ++n) {
        labels << QStringLiteral("CCODE-%1").arg(n);
        for (int m = 1; m <= kFppParams; ++m)
            labels << QStringLiteral(" PPARAM-%1-%2").arg(n).arg(m);
    }
    return labels;
}

int fppCodeRow(int n) { return (kFppParams + 1) * (n - 1) + 3; }

int fppParamRow(int n, int m) { return fppCodeRow(n) + m; }

QString buildFpp(const FppDetail& d, const std::vector<FppCode>& shown, TFPP_INFO* r) {
    if (blank(d.id) || blank(d.name)) return checkIdNameMessage();
    r->ppid = lib::allocText(d.id);
    r->name = lib::allocText(d.name);
    r->mdln = textOrNull(d.items.value(0));
    r->softrev = textOrNull(d.items.value(1));
    std::vector<FppCode> codes;
    for (int n = 1; n <= kFppCodes; ++n) {
        const FppCode typed = typedCode(d.items, n);
        const size_t at = static_cast<size_t>(n - 1);
        if (at < shown.size() && rowsOf(shown[at]) == rowsOf(typed)) {
            codes.push_back(shown[at]);
            continue;
        }
        FppCode taken{typed.code, {}};
        for (int m = 1; m <= kFppParams; ++m) {
            const QString& param = typed.params[m - 1];
            if (param.isEmpty()) continue;
            if (blank(typed.code))
                return QStringLiteral(
                           "CCODE-%1が空のまま PPARAM-%1-%2（%3行目）が入力されています。"
                           "CCODE-%1を入力するか、PPARAMを消してください。")
                    .arg(n)
                    .arg(m)
                    .arg(fppParamRow(n, m));
            taken.params << param;
        }
        if (!blank(taken.code)) codes.push_back(taken);
    }
    putCodes(codes, r);
    return {};
}

FppView viewFpp(const TFPP_INFO& r) {
    FppView v;
    v.detail.id = fromSjis(r.ppid);
    v.detail.name = fromSjis(r.name);
    v.detail.items = QStringList(kFppItems, QString());
    v.detail.items[0] = fromSjis(r.mdln);
    v.detail.items[1] = fromSjis(r.softrev);
    for (int32_t i = 0; r.ccodes && i < r.ccode_count; ++i) {
        const TFPP_CCODE* c = r.ccodes[i];
        const int32_t params = c && c->pparams ? c->pparam_count : 0;
        if (i >= kFppCodes) {
            v.hidden += 1 + params;
            continue;
        }
        FppCode code{c ? fromSjis(c->ccode) : QString(), {}};
        for (int32_t j = 0; j < std::min(params, kFppParams); ++j)
            code.params << (c->pparams[j] ? fromSjis(c->pparams[j]->pparam) : QString());
        v.hidden += std::max(params - kFppParams, 0);
        const int n = i + 1;
        v.detail.items[fppCodeRow(n) - 1] = code.code;
        for (qsizetype m = 0; m < code.params.size(); ++m)
            v.detail.items[fppParamRow(n, static_cast<int>(m) + 1) - 1] = code.params[m];
        v.codes.push_back(code);
    }
    return v;
}

}  // namespace zor::editor
