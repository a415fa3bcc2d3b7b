#include "RowTableView.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace pc {

RowTableView::RowTableView(QWidget* parent)
    : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setStretchLastSection(true);
}

void RowTableView::selectRowOnly(int row)
{
    if (row < 0 || !model() || row >= model()->rowCount()) {
        clearSelection();
        return;
    }
    selectRow(row);
}

void RowTableView::mousePressEvent(QMouseEvent* event)
{
    QTableView::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    clickedRow_ = index.isValid() ? index.row() : -1;
    emit singleClicked(clickedRow_);
}

void RowTableView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    emit doubleClicked(index.isValid() ? index.row() : -1);
}

} // namespace pc
