#include "editor/forms/formcelist.h"

#include "zoredit/zoredit.h"

namespace zor::editor {

TformCElist* formCElist = nullptr;

TformCElist::TformCElist(QWidget* parent)
    : IdPicker(QStringLiteral("formCElist"), QStringLiteral("CEID選択"),
               {QStringLiteral(" 番号"), QStringLiteral("  CEID"), QStringLiteral("名前")},
               parent) {}

std::vector<lib::IdName> TformCElist::entries() { return liveEntries(lib::kCeCalls); }

}  // namespace zor::editor
