#include "editor/forms/formrplist.h"

#include "zoredit/zoredit.h"

namespace zor::editor {

TformRPlist* formRPlist = nullptr;

TformRPlist::TformRPlist(QWidget* parent)
    : IdPicker(QStringLiteral("formRPlist"), QStringLiteral("Report ID選択"),
               {QStringLiteral(" 番号"), QStringLiteral("  RPID"), QStringLiteral("名前")},
               parent) {}

std::vector<lib::IdName> TformRPlist::entries() { return liveEntries(lib::kReportCalls); }

}  // namespace zor::editor
