#pragma once

#include <QString>

namespace zor::editor {

// The application title; also the title of every message box.
inline QString applicationTitle() { return QStringLiteral("VuzAroZodu 管理情報ﾌｧｲﾙ編集ﾌﾟﾛｸﾞﾗﾑ"); }

}  // namespace zor::editor
