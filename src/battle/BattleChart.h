// SPDX-License-Identifier: GPL-3.0-or-later
// The chart of a decided battle: every member's HP and the player's chance
// to win over the presses, with the blows that felled a member marked; it
// can be saved as a PNG picture.
#pragma once

#include "battle/BattleHistory.h"

#include <QDialog>

#include <memory>

namespace Ui {
class BattleChart;
}

namespace pc {

class BattleChart : public QDialog {
    Q_OBJECT
public:
    explicit BattleChart(QWidget* parent = nullptr);
    ~BattleChart() override;

    void show(const BattleHistory& history);
    // Writes the chart as it is drawn; the reason when it cannot, else "".
    QString savePng(const QString& path);
    void savePngAs();

private:
    std::unique_ptr<Ui::BattleChart> ui_;
};

} // namespace pc
