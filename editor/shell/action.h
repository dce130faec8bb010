#pragma once
// A button action stops where a typed text fails to convert and the user sees
// one standard message. Conversions throw ActionError; runAction() is the one
// place that catches it and shows its text, so every handler reads straight
// through without error plumbing. Exceptions never leave runAction().

#include <QString>
#include <functional>
#include <stdexcept>

class QAbstractButton;
class QWidget;

namespace zor::editor {

class ActionError : public std::runtime_error {
  public:
    explicit ActionError(const QString& text)
        : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

  private:
    QString text_;
};

// "'%s' は整数ではありません" / "'%s' は浮動小数点数ではありません"
QString notIntegerMessage(const QString& text);
QString notFloatMessage(const QString& text);

// A decimal 32-bit integer with an optional sign; leading blanks are allowed,
// nothing else. Throws ActionError with the integer message otherwise.
int toInt(const QString& text);
// A decimal floating-point number, blanks around it allowed. Throws
// ActionError with the floating-point message otherwise.
double toFloat(const QString& text);

// Runs one user action; an ActionError ends it and its text is shown through
// the seam over `parent`. Returns false when the action was stopped.
bool runAction(QWidget* parent, const std::function<void()>& action);

// Connects a button's click to an action run through runAction().
void onClick(QAbstractButton* button, QWidget* parent, std::function<void()> action);

}  // namespace zor::editor
