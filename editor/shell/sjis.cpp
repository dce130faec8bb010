#include "editor/shell/sjis.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include "editor/shell/action.h"
#include "textscan/sjis.h"

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
    // A lead byte at the very end is a byte of its own, as it is before a
    // line end: the decoder would drop it as an unfinished character.
    if (textscan::ends_with_lone_lead_byte(
            std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())))) {
        QString text = dec.decode(bytes + '\0');
        text.chop(1);
        return text;
    }
    return dec.decode(bytes);
}

QString fromSjis(const char* text) { return text ? fromSjis(QByteArray(text)) : QString(); }

}  // namespace zor::editor
