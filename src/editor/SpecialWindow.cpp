// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpecialWindow.h"

#include "ui/Fields.h"

#include "ui_SpecialWindow.h"

#include <array>
#include <utility>

namespace pc {

SpecialWindow::SpecialWindow()
    : ui_(std::make_unique<Ui::SpecialWindow>())
{
    ui_->setupUi(this);
    connect(ui_->closeButton, &QPushButton::clicked, this, &QWidget::close);
    for (QLineEdit* field : findChildren<QLineEdit*>())
        keepDigitsVisible(field);
}

SpecialWindow::~SpecialWindow() = default;

void SpecialWindow::showAttack(const ATTACK* attack)
{
    const std::array<std::pair<QLineEdit*, double STATUS::*>, 15> fields = {{
        {ui_->statusHP, &STATUS::HP}, {ui_->statusMP, &STATUS::MP}, {ui_->statusWP, &STATUS::WP},
        {ui_->statusSTR, &STATUS::STR}, {ui_->statusVIT, &STATUS::VIT}, {ui_->statusAGI, &STATUS::AGI},
        {ui_->statusDEX, &STATUS::DEX}, {ui_->statusMEN, &STATUS::MEN}, {ui_->statusINT, &STATUS::INT},
        {ui_->statusLUK, &STATUS::LUK}, {ui_->statusATK, &STATUS::ATK}, {ui_->statusDEF, &STATUS::DEF},
        {ui_->statusHIT, &STATUS::HIT}, {ui_->statusEVA, &STATUS::EVA}, {ui_->statusARI, &STATUS::ARI},
    }};
    for (const auto& [field, value] : fields) {
        if (attack)
            setWholeNumber(field, attack->status.*value);
        else
            field->clear();
    }
    const std::array<QCheckBox*, kAttackFlagCount> flags = {
        ui_->flag1, ui_->flag2, ui_->flag3, ui_->flag4, ui_->flag5, ui_->flag6, ui_->flag7,
    };
    for (std::size_t i = 0; i < flags.size(); ++i)
        flags[i]->setChecked(attack && attack->flags[i]);
}

} // namespace pc
