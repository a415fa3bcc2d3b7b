// SPDX-License-Identifier: GPL-3.0-or-later
// The attack editor's special window: an attack's stored status block and
// flags, shown read only.
#pragma once

#include "records/Records.h"

#include <QWidget>

#include <memory>

namespace Ui {
class SpecialWindow;
}

namespace pc {

class SpecialWindow : public QWidget {
    Q_OBJECT
public:
    SpecialWindow();
    ~SpecialWindow() override;

    // Shows the attack's values; none empties the fields.
    void showAttack(const ATTACK* attack);

private:
    std::unique_ptr<Ui::SpecialWindow> ui_;
};

} // namespace pc
