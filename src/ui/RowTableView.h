// SPDX-License-Identifier: GPL-3.0-or-later
// A table that reports the row of each click, -1 for a click that hits no row,
// and remembers that row. The remembered row is always the highlighted one:
// moving the current row with the keys reports it as a click would, a click
// below the rows clears the highlight, and highlighting a row remembers it.
#pragma once

#include <QTableView>

namespace pc {

class RowTableView : public QTableView {
    Q_OBJECT
public:
    explicit RowTableView(QWidget* parent = nullptr);

    int clickedRow() const { return clickedRow_; }
    // Highlights and remembers a row without reporting it; -1 or a row past the
    // end clears the highlight and remembers -1.
    void selectRowOnly(int row);

signals:
    void singleClicked(int row);
    void doubleClicked(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int clickedRow_ = -1;
};

} // namespace pc
