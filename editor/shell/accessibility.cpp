#include "editor/shell/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

#include "editor/shell/form.h"

namespace zor::editor {

namespace {

class ChoiceAccessible;

// One choice of a ChoiceBox: a list item that is selected when it is the
// current choice.
class ChoiceItemAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    ChoiceItemAccessible(QComboBox* box, int row) : box_(box), row_(row) {}

    bool isValid() const override { return box_ && row_ < box_->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return box_ ? box_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(box_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return isValid() && (t == QAccessible::Name || t == QAccessible::Value)
                   ? box_->itemText(row_)
                   : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.selectable = true;
        s.selected = isSelected();
        s.invisible = !box_ || !box_->isVisible();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override { return isValid() && box_->currentIndex() == row_; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return 0; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

  private:
    QPointer<QComboBox> box_;
    int row_;
};

class ChoiceAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit ChoiceAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}
    // The item interfaces are registered with Qt, which owns them from then
    // on; they go with the box.
    ~ChoiceAccessible() override {
        for (QAccessible::Id id : std::as_const(items_)) QAccessible::deleteAccessibleInterface(id);
    }

    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? box()->currentText() : QAccessibleWidget::text(t);
    }
    int childCount() const override { return box()->count(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= box()->count()) return nullptr;
        auto it = items_.constFind(index);
        if (it != items_.constEnd()) return QAccessible::accessibleInterface(*it);
        auto* item = new ChoiceItemAccessible(box(), index);
        items_.insert(index, QAccessible::registerAccessibleInterface(item));
        return item;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (const auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
            cell && child->parent() == this)
            return cell->rowIndex();
        return -1;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        return column == 0 ? child(row) : nullptr;
    }
    int columnCount() const override { return 1; }
    int rowCount() const override { return box()->count(); }
    QString columnDescription(int) const override { return text(QAccessible::Name); }
    QString rowDescription(int row) const override { return box()->itemText(row); }
    int selectedCellCount() const override { return box()->currentIndex() >= 0 ? 1 : 0; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return selectedCellCount(); }
    QList<QAccessibleInterface*> selectedCells() const override {
        if (QAccessibleInterface* current = child(box()->currentIndex())) return {current};
        return {};
    }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override {
        if (box()->currentIndex() >= 0) return {box()->currentIndex()};
        return {};
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override { return row >= 0 && row == box()->currentIndex(); }
    // Selecting a row chooses it, as picking it from the list does.
    bool selectRow(int row) override {
        if (row < 0 || row >= box()->count() || !box()->isEnabled()) return false;
        box()->setCurrentIndex(row);
        return true;
    }
    bool selectColumn(int) override { return false; }
    // A choice box always holds one choice: nothing can be unselected.
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

  private:
    mutable QHash<int, QAccessible::Id> items_;
};

// The label's own name; its text, read when asked, as value and description.
class DataLabelAccessible : public QAccessibleWidget {
  public:
    explicit DataLabelAccessible(DataLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override {
        const auto* label = static_cast<const QLabel*>(widget());
        if (t == QAccessible::Value || t == QAccessible::Description) return label->text();
        if (t == QAccessible::Name) return label->accessibleName();
        return QAccessibleWidget::text(t);
    }
};

// Plain QWidget windows would otherwise be told as fillers or clients.
QAccessibleInterface* editorFactory(const QString& key, QObject* object) {
    if (!object || !object->isWidgetType() ||
        key != QLatin1String(object->metaObject()->className()))
        return nullptr;
    if (auto* form = qobject_cast<Form*>(object))
        return new QAccessibleWidget(form, QAccessible::Window);
    if (auto* choice = qobject_cast<ChoiceBox*>(object)) return new ChoiceAccessible(choice);
    if (auto* label = qobject_cast<DataLabel*>(object)) return new DataLabelAccessible(label);
    return nullptr;
}

}  // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(editorFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace zor::editor
