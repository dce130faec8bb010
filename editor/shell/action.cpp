#include "editor/shell/action.h"

#include <QAbstractButton>
#include <QLocale>

#include "editor/shell/seam.h"

namespace zor::editor {

QString notIntegerMessage(const QString& text) {
    return QStringLiteral("'%1' は整数ではありません").arg(text);
}

QString notFloatMessage(const QString& text) {
    return QStringLiteral("'%1' は浮動小数点数ではありません").arg(text);
}

int toInt(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ') ++i;
    QStringView rest = QStringView(text).mid(i);
    bool digitsOnly = !rest.isEmpty();
    for (qsizetype k = 0; k < rest.size(); ++k) {
        QChar c = rest[k];
        bool sign = k == 0 && (c == u'+' || c == u'-') && rest.size() > 1;
        if (!sign && !(c >= u'0' && c <= u'9')) digitsOnly = false;
    }
    bool ok = false;
    int value = digitsOnly ? rest.toInt(&ok, 10) : 0;
    if (!ok) throw ActionError(notIntegerMessage(text));
    return value;
}

double toFloat(const QString& text) {
    bool ok = false;
    double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok) throw ActionError(notFloatMessage(text));
    return value;
}

bool runAction(QWidget* parent, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const ActionError& e) {
        seam().message(parent, e.text());
        return false;
    }
}

void onClick(QAbstractButton* button, QWidget* parent, std::function<void()> action) {
    QObject::connect(button, &QAbstractButton::clicked, parent,
                     [parent, action = std::move(action)] { runAction(parent, action); });
}

}  // namespace zor::editor
