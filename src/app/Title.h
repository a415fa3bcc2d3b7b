// SPDX-License-Identifier: GPL-3.0-or-later
// The title window: the way to the roster and to the party selection.
#pragma once

#include "ui/AppContext.h"

#include <QWidget>

#include <memory>

namespace Ui {
class Title;
}

namespace pc {

class Title : public QWidget {
    Q_OBJECT
public:
    explicit Title(AppContext& context);
    ~Title() override;

    void characterRegister();
    void battleReady();
    void balance();
    void tournament();
    void ranking();

protected:
    // The close box ends the application.
    void closeEvent(QCloseEvent* event) override;

private:
    AppContext& context_;
    std::unique_ptr<Ui::Title> ui_;
};

} // namespace pc
