// SPDX-License-Identifier: GPL-3.0-or-later
#include "AttackWindow.h"

#include "AttackList.h"
#include "AttackSubmit.h"
#include "ui/Fields.h"
#include "ui/PollingTimer.h"
#include "ui/ReadOnlyNotice.h"

#include "ui_AttackWindow.h"

namespace pc {

namespace {

// Selects a value in a pop-up of `itemCount` items. A value outside them, as a
// hand-edited file may hold, is shown as an extra last item, so that an
// untouched submit keeps it.
void selectChoice(QComboBox* menu, int itemCount, std::int32_t value)
{
    while (menu->count() > itemCount)
        menu->removeItem(menu->count() - 1);
    if (value >= 0 && value < itemCount) {
        menu->setCurrentIndex(value);
        return;
    }
    menu->addItem(QString::number(value) + QStringLiteral(": (範囲外)"), value);
    menu->setCurrentIndex(itemCount);
}

std::int32_t choiceIn(const QComboBox* menu, int itemCount)
{
    return menu->currentIndex() >= itemCount ? menu->currentData().toInt() : menu->currentIndex();
}

} // namespace

AttackWindow::AttackWindow(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::AttackWindow>())
{
    ui_->setupUi(this);
    for (std::size_t i = 0; i < kAttributeNames.size(); ++i)
        ui_->Wprop->addItem(QString::number(i) + QStringLiteral(": ") + QString::fromUtf8(kAttributeNames[i]));
    numberFields_ = {ui_->WMP, ui_->WMPP, ui_->Wsucc, ui_->Wcrit, ui_->Wcount, ui_->Whit};
    for (QLineEdit* field : numberFields_)
        keepDigitsVisible(field);
    choiceMenus_ = {ui_->Wrange, ui_->Wtype, ui_->Wprop, ui_->Wseed};
    for (std::size_t i = 0; i < choiceMenus_.size(); ++i)
        choiceCounts_[i] = choiceMenus_[i]->count();
    connect(ui_->submitButton, &QPushButton::clicked, this, &AttackWindow::submit);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &AttackWindow::cancel);
    connect(ui_->specialButton, &QPushButton::clicked, this, &AttackWindow::specialWindowBtn);
    startPolling(timer, this, &AttackWindow::timerAction6);
}

AttackWindow::~AttackWindow() = default;

void AttackWindow::timerAction6()
{
    if (context_.state.initAttackFlag)
        initAttackWindow();
}

void AttackWindow::initAttackWindow()
{
    context_.state.initAttackFlag = false;
    showReadOnlyNotice(this, context_.state, {ui_->submitButton});
    showProblem(ui_->nameProblem, {});
    showProblem(ui_->tagProblem, {});
    const ATTACK* attack = designatedAttack(context_.state);
    specialWindow_.showAttack(attack);
    if (!attack)
        return;
    const AttackEdit edit = attackEditOf(*attack);
    ui_->Wname->setText(qs(edit.name));
    ui_->Wtag->setText(qs(edit.tag));
    for (std::size_t i = 0; i < numberFields_.size(); ++i)
        setWholeNumber(numberFields_[i], edit.numbers[i]);
    numbersIn(numberFields_, ui_->numberProblem);
    for (std::size_t i = 0; i < choiceMenus_.size(); ++i)
        selectChoice(choiceMenus_[i], choiceCounts_[i], edit.choices[i]);
    fieldsAtOpen_ = fieldValues(*this);
}

void AttackWindow::specialWindowBtn()
{
    specialWindow_.showAttack(designatedAttack(context_.state));
    bringToFront(&specialWindow_);
}

void AttackWindow::submit()
{
    if (!numbersIn(numberFields_, ui_->numberProblem))
        return;
    AttackEdit edit{utf8(ui_->Wname->text()), utf8(ui_->Wtag->text()), {}, {}};
    for (std::size_t i = 0; i < numberFields_.size(); ++i)
        edit.numbers[i] = wholeNumberIn(numberFields_[i]);
    for (std::size_t i = 0; i < choiceMenus_.size(); ++i)
        edit.choices[i] = choiceIn(choiceMenus_[i], choiceCounts_[i]);
    const AttackProblems problems = submitAttack(context_.state, edit);
    showProblem(ui_->nameProblem, problems.name);
    showProblem(ui_->tagProblem, problems.tag);
    if (problems.any())
        return;
    accept();
    bringToFront(context_.windows.editor);
}

void AttackWindow::cancel()
{
    QDialog::reject();
    bringToFront(context_.windows.editor);
}

void AttackWindow::reject()
{
    cancel();
}

} // namespace pc
