#include "editor/shell/sjis.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include "editor/shell/action.h"

namespace zor::editor {

namespace {
// ICU's name for Microsoft's code page 932 (Shift-JIS with the NEC and IBM
// extensions), which Qt 6 reaches through ICU.
constexpr const char* kCodePage = "windows-31j";
}  // namespace

bool fitsSjis(const QString& text) {
    QStringEncoder enc(kCodePage, QStringConverter::Flag::Stateless);
    QByteArray out = enc.encode(text);
    return enc.isValid() && !enc.hasError();
}

QByteArray toSjis(const QString& text) {
    QStringEncoder enc(kCodePage, QStringConverter::Flag::Stateless);
    QByteArray out = enc.encode(text);
    if (!enc.isValid() || enc.hasError())
        throw ActionError(
            QStringLiteral("'%1' にはShift-JIS(CP932)で表せない文字が含まれています。").arg(text));
    return out;
}

QString fromSjis(const QByteArray& bytes) {
    QStringDecoder dec(kCodePage, QStringConverter::Flag::Stateless);
    return dec.decode(bytes);
}

QString fromSjis(const char* text) { return text ? fromSjis(QByteArray(text)) : QString(); }

}  // namespace zor::editor
