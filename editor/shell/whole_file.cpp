#include "editor/shell/whole_file.h"

#include <QFile>
#include <string_view>

#include "editor/shell/action.h"
#include "platform/platform.h"

namespace zor::editor {

QString fileErrorMessage(const QString& path, int error) {
    return QStringLiteral("入出力エラー: %1 (%2)")
        .arg(path, QString::fromLocal8Bit(platform::file_error_cause(error).c_str()));
}

void writeWholeFile(const QString& path, const QByteArray& bytes) {
    int error = platform::replace_whole_file(
        QFile::encodeName(path).toStdString(),
        std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (error != 0) throw ActionError(fileErrorMessage(path, error));
}

}  // namespace zor::editor
