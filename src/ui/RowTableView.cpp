// SPDX-License-Identifier: GPL-3.0-or-later
#include "RowTableView.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
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
        clickedRow_ = -1;
        // Called on every tick: a table with nothing chosen is left as it is.
        const QItemSelectionModel* selection = selectionModel();
        if (selection && !selection->hasSelection() && !selection->currentIndex().isValid())
            return;
        clearSelection();
        if (selectionModel())
            selectionModel()->clearCurrentIndex();
        return;
    }
    clickedRow_ = row;
    selectRow(row);
}

void RowTableView::mousePressEvent(QMouseEvent* event)
{
    QTableView::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    selectRowOnly(index.isValid() ? index.row() : -1);
    emit singleClicked(clickedRow_);
}

void RowTableView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    emit doubleClicked(index.isValid() ? index.row() : -1);
}

// A row reached with the keys is the row acted on, as if it had been clicked.
void RowTableView::keyPressEvent(QKeyEvent* event)
{
    QTableView::keyPressEvent(event);
    const int moved = currentIndex().isValid() ? currentIndex().row() : -1;
    if (moved >= 0 && moved != clickedRow_) {
        selectRowOnly(moved);
        emit singleClicked(moved);
    }
}

} // namespace pc
