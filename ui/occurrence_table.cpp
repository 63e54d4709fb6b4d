// SPDX-License-Identifier: GPL-3.0-or-later
#include "occurrence_table.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QStyleOptionHeader>

#include <map>

namespace vornel {

namespace {

// One cell of gr1 as an accessible object. It has no QObject of its own; the table's accessible
// interface registers it with QAccessible, which then owns it.
class CellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CellAccessible(OccurrenceTable* table, int row, int column) : table_(table), row_(row), column_(column) {}

    bool isValid() const override { return table_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return table_ ? table_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(table_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (!table_ || (t != QAccessible::Name && t != QAccessible::Value)) return {};
        return table_->cell(column_, row_);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!table_) return {};
        const QRect r = table_->cell_rect(column_, row_);
        return QRect(table_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return row_ == 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !table_ || !table_->isVisible() || table_->column_width(column_) == 0;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return QAccessible::queryAccessibleInterface(table_); }

private:
    QPointer<OccurrenceTable> table_;
    int row_;
    int column_;
};

class TableAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TableAccessible(OccurrenceTable* table) : QAccessibleWidget(table, QAccessible::Table) {}
    ~TableAccessible() override {
        for (const auto& [index, id] : ids_) QAccessible::deleteAccessibleInterface(id);
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return OccurrenceTable::kRows * OccurrenceTable::kColumns; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        return cellAt(index / OccurrenceTable::kColumns, index % OccurrenceTable::kColumns);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (const auto& [index, id] : ids_)
            if (QAccessible::accessibleInterface(id) == child) return index;
        return -1;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= OccurrenceTable::kRows || column < 0 || column >= OccurrenceTable::kColumns)
            return nullptr;
        const int index = row * OccurrenceTable::kColumns + column;
        if (const auto found = ids_.find(index); found != ids_.end())
            return QAccessible::accessibleInterface(found->second);
        auto* cell = new CellAccessible(static_cast<OccurrenceTable*>(widget()), row, column);
        ids_[index] = QAccessible::registerAccessibleInterface(cell); // QAccessible owns the cell
        return cell;
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override {
        return static_cast<OccurrenceTable*>(widget())->cell(column, 0);
    }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return OccurrenceTable::kColumns; }
    int rowCount() const override { return OccurrenceTable::kRows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    mutable std::map<int, QAccessible::Id> ids_;
};

QList<QAccessibleInterface*> CellAccessible::columnHeaderCells() const {
    if (!table_ || row_ == 0) return {};
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(table_);
    QAccessibleTableInterface* t = iface ? iface->tableInterface() : nullptr;
    if (!t) return {};
    return {t->cellAt(0, column_)};
}

QAccessibleInterface* table_factory(const QString& className, QObject* object) {
    if (className == QLatin1String("vornel::OccurrenceTable") && object && object->isWidgetType())
        return new TableAccessible(static_cast<OccurrenceTable*>(object));
    return nullptr;
}

} // namespace

OccurrenceTable::OccurrenceTable(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(table_factory);
        return true;
    }();
    (void)installed;
    widths_.fill(kDefaultColumnWidth);
    setFocusPolicy(Qt::NoFocus);
}

QString OccurrenceTable::cell(int column, int row) const {
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return {};
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void OccurrenceTable::set_cell(int column, int row, const QString& text) {
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return;
    QString& slot = cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    if (slot == text) return;
    slot = text;
    update(cell_rect(column, row));
    if (QAccessible::isActive()) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(this);
        if (QAccessibleTableInterface* table = iface ? iface->tableInterface() : nullptr) {
            if (QAccessibleInterface* cellIface = table->cellAt(row, column)) {
                QAccessibleEvent event(cellIface, QAccessible::NameChanged);
                QAccessible::updateAccessibility(&event);
            }
        }
    }
}

int OccurrenceTable::column_width(int column) const {
    return column >= 0 && column < kColumns ? widths_[static_cast<std::size_t>(column)] : 0;
}

void OccurrenceTable::set_column_width(int column, int width) {
    if (column < 0 || column >= kColumns || width < 0) return;
    widths_[static_cast<std::size_t>(column)] = width;
    update();
}

QRect OccurrenceTable::cell_rect(int column, int row) const {
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return {};
    int x = kBorder;
    for (int c = 0; c < column; ++c) x += widths_[static_cast<std::size_t>(c)] + kGridLine;
    const int y = kBorder + row * (kRowHeight + kGridLine);
    return QRect(x, y, widths_[static_cast<std::size_t>(column)], kRowHeight);
}

void OccurrenceTable::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Active colours even when disabled: the table is display-only, not unavailable.
    QPalette pal = palette();
    pal.setCurrentColorGroup(QPalette::Active);
    const QRect inner = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    painter.fillRect(inner, pal.color(QPalette::Base));

    painter.setClipRect(inner);
    const QColor line = pal.color(QPalette::Mid);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const QRect r = cell_rect(column, row);
            const QRect withLines = r.adjusted(0, 0, kGridLine, kGridLine);
            if (row == 0) {
                QStyleOptionHeader option;
                option.initFrom(this);
                option.palette = pal;
                option.state = QStyle::State_Enabled | QStyle::State_Raised | QStyle::State_Horizontal;
                option.rect = withLines;
                option.orientation = Qt::Horizontal;
                option.section = column;
                option.position = QStyleOptionHeader::Middle;
                style()->drawControl(QStyle::CE_HeaderSection, &option, &painter, this);
            } else {
                painter.fillRect(withLines.right(), withLines.top(), 1, withLines.height(), line);
                painter.fillRect(withLines.left(), withLines.bottom(), withLines.width(), 1, line);
            }
            if (r.width() > 0) {
                painter.setPen(pal.color(row == 0 ? QPalette::ButtonText : QPalette::Text));
                painter.drawText(r.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                                 cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
            }
        }
    }
    painter.setClipping(false);

    // A 2-pixel sunken border, as a classic grid control has.
    const QRect outer = rect();
    painter.setPen(pal.color(QPalette::Mid));
    painter.drawLine(outer.topLeft(), outer.topRight());
    painter.drawLine(outer.topLeft(), outer.bottomLeft());
    painter.setPen(pal.color(QPalette::Light));
    painter.drawLine(outer.bottomLeft(), outer.bottomRight());
    painter.drawLine(outer.topRight(), outer.bottomRight());
    const QRect second = outer.adjusted(1, 1, -1, -1);
    painter.setPen(pal.color(QPalette::Shadow));
    painter.drawLine(second.topLeft(), second.topRight());
    painter.drawLine(second.topLeft(), second.bottomLeft());
    painter.setPen(pal.color(QPalette::Midlight));
    painter.drawLine(second.bottomLeft(), second.bottomRight());
    painter.drawLine(second.topRight(), second.bottomRight());
}

} // namespace vornel
