#include "editor/forms/variable_record.h"

#include <QByteArray>
#include <algorithm>

#include "editor/forms/record_fields.h"
#include "editor/shell/action.h"
#include "editor/shell/helpers.h"
#include "editor/shell/library.h"
#include "editor/shell/sjis.h"
#include "zoredit/zoredit.h"

namespace zor::editor {

namespace {

const QString kCheckRequired = QStringLiteral("必須項目の設定を確認してください。");

using lib::allocArray;
using lib::allocText;

}  // namespace

bool VidList::assign(const int32_t* vids, int n) {
    if (n > kCapacity) return false;
    vids_.assign(vids, vids + std::max(n, 0));
    return true;
}

bool VidList::overwrite(int row, int32_t vid) {
    if (row >= 1 && row <= count()) {
        vids_[static_cast<size_t>(row - 1)] = vid;
        return true;
    }
    if (count() >= kCapacity) return false;
    vids_.push_back(vid);
    return true;
}

bool VidList::insert(int row, int32_t vid) {
    if (count() >= kCapacity) return false;
    const int at = (row >= 1 && row <= count()) ? row - 1 : count();
    vids_.insert(vids_.begin() + at, vid);
    return true;
}

bool VidList::remove(int row) {
    if (row < 1 || row > count()) return false;
    vids_.erase(vids_.begin() + (row - 1));
    return true;
}

QString vidListFullMessage() {
    return QStringLiteral("LISTに含められる変数は%1個までです。").arg(VidList::kCapacity);
}

QString buildVariable(VariableDetail& d, const std::vector<int32_t>& vids, TV_INFO* r) {
    ZorMemSet(r, 0, sizeof(TV_INFO));
    auto& v = d.values;
    if (blank(d.id) || blank(d.name)) return checkIdNameMessage();
    if (blank(v[vrow::Format]) || blank(v[vrow::Size])) return kCheckRequired;

    r->name = allocText(d.name);
    if (!readNumericId(d.id, &r->vid)) return badIdMessage();
    const int code = zor_get_item_code(toSjis(v[vrow::Format].trimmed()).constData());
    if (code < 0) return QStringLiteral("Formatが正しくありません。");
    r->format = static_cast<uint8_t>(code);

    const int count = static_cast<int>(vids.size());
    if (code == ZOR_FMT_L) v[vrow::Nominal] = QString::number(count);
    if (code == ZOR_FMT_A)
        v[vrow::Size] = QString::number(toSjis(v[vrow::Nominal]).size());
    else if (toInt(v[vrow::Size].trimmed()) == 0)
        v[vrow::Size] = QStringLiteral("1");
    r->size = atoiText(v[vrow::Size]);
    if (r->size == 0 && code != ZOR_FMT_A) return QStringLiteral("Sizeの値が正しくありません。");

    r->units = allocText(v[vrow::Units]);
    TextToItemValue(code, r->size, &r->min, v[vrow::Min]);
    TextToItemValue(code, r->size, &r->max, v[vrow::Max]);
    TextToItemValue(code, r->size, &r->nominal, v[vrow::Nominal]);

    if (code != ZOR_FMT_L) {
        std::vector<int> groups;
        for (int i = 0; i < vrow::LimitGroups; ++i) {
            const int row = vrow::FirstLimit + 3 * i;
            if (!blank(v[row]) && !blank(v[row + 1]) && !blank(v[row + 2])) groups.push_back(row);
        }
        if (!groups.empty()) {
            const int n = static_cast<int>(groups.size());
            r->items.limits = allocArray<TV_LIMIT*>(n);
            r->item_count = n;
            for (int i = 0; i < n; ++i) {
                const int row = groups[static_cast<size_t>(i)];
                TV_LIMIT* limit = allocArray<TV_LIMIT>(1);
                r->items.limits[i] = limit;
                limit->limit_id = atoiText(v[row]);
                TextToItemValue(code, r->size, &limit->low, v[row + 1]);
                TextToItemValue(code, r->size, &limit->upper, v[row + 2]);
            }
        }
    } else {
        r->item_count = count;
        if (count > 0) {
            TV_LIST* list = allocArray<TV_LIST>(1);
            r->items.list = list;
            list->vids = allocArray<int32_t>(count);
            list->names = allocArray<char*>(count);
            for (int i = 0; i < count; ++i) {
                list->vids[i] = vids[static_cast<size_t>(i)];
                list->names[i] = allocText(lib::variableName(list->vids[i]), 2);
            }
        }
    }

    if (d.mode == kModeSv) {
        std::vector<int32_t> ceids;
        for (int row = vrow::FirstCeid; row < vrow::FirstCeid + vrow::CeidRows; ++row)
            if (!blank(v[row])) ceids.push_back(atoiText(v[row]));
        if (!ceids.empty()) {
            const int n = static_cast<int>(ceids.size());
            r->ceids = allocArray<int32_t>(n);
            std::copy(ceids.begin(), ceids.end(), r->ceids);
            r->ceid_count = n;
        }
    }
    return {};
}

QString viewVariable(const TV_INFO& r, VariableView* view) {
    *view = VariableView{};
    const bool isList = r.format == ZOR_FMT_L;
    if (isList && r.item_count > VidList::kCapacity)
        return QStringLiteral("このLIST変数のVIDは%1個あり、%2個を超えるため表示できません。")
            .arg(r.item_count)
            .arg(VidList::kCapacity);
    auto& v = view->values;
    view->name = fromSjis(r.name);
    view->id = QString::number(r.vid);
    v[vrow::Format] = fromSjis(zor_get_item_name(r.format));
    v[vrow::Size] = QString::number(r.size);
    v[vrow::Units] = r.units ? fromSjis(r.units) : QString();
    v[vrow::Min] = lib::valueText(r.format, r.min);
    v[vrow::Max] = lib::valueText(r.format, r.max);
    v[vrow::Nominal] = lib::valueText(r.format, r.nominal);
    if (!isList && r.item_count > 0 && r.items.limits) {
        const int n = std::min(r.item_count, vrow::LimitGroups);
        for (int i = 0; i < n; ++i) {
            const TV_LIMIT* limit = r.items.limits[i];
            if (!limit) continue;
            const int row = vrow::FirstLimit + 3 * i;
            v[row] = QString::number(limit->limit_id);
            v[row + 1] = lib::valueText(r.format, limit->low);
            v[row + 2] = lib::valueText(r.format, limit->upper);
        }
    }
    if (r.ceid_count > 0 && r.ceids) {
        const int n = std::min(r.ceid_count, vrow::CeidRows);
        for (int i = 0; i < n; ++i) v[vrow::FirstCeid + i] = QString::number(r.ceids[i]);
    }
    view->isList = isList;
    if (isList && r.item_count > 0 && r.items.list && r.items.list->vids)
        view->vids.assign(r.items.list->vids, r.items.list->vids + r.item_count);
    return {};
}

}  // namespace zor::editor
