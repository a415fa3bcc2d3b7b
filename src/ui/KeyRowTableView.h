// A row table for keyboard use: moving the current row with the keys acts as a
// click on it, and Enter as a double click, so a list can be worked without a mouse.
#pragma once

#include "RowTableView.h"

namespace pc {

class KeyRowTableView : public RowTableView {
    Q_OBJECT
public:
    using RowTableView::RowTableView;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace pc
