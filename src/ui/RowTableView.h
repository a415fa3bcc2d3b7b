// A table that reports the row of each click, -1 for a click that hits no row,
// and remembers the row of the latest click (-1 before any).
#pragma once

#include <QTableView>

namespace pc {

class RowTableView : public QTableView {
    Q_OBJECT
public:
    explicit RowTableView(QWidget* parent = nullptr);

    int clickedRow() const { return clickedRow_; }
    // Highlights a row without changing the clicked row; -1 clears the highlight.
    void selectRowOnly(int row);

signals:
    void singleClicked(int row);
    void doubleClicked(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int clickedRow_ = -1;
};

} // namespace pc
