// SPDX-License-Identifier: GPL-3.0-or-later
// The import window: the characters another roster folder offers, with their
// pictures, to be ticked and added; the ones that cannot be read, with why.
#pragma once

#include "RosterExchange.h"

#include <QDialog>

#include <memory>
#include <vector>

namespace Ui {
class ImportWindow;
}

namespace pc {

class ImportWindow : public QDialog {
    Q_OBJECT
public:
    ImportWindow(const QString& source, std::vector<Incoming> incoming, QWidget* parent = nullptr);
    ~ImportWindow() override;

    // The ticked characters, followed by those that cannot be read, which the
    // import then reports.
    std::vector<Incoming> chosen() const;
    // Ticks or unticks the character in `row` of the list.
    void setChosen(int row, bool chosen);

private:
    void updateState();

    std::unique_ptr<Ui::ImportWindow> ui_;
    std::vector<Incoming> incoming_;
};

} // namespace pc
