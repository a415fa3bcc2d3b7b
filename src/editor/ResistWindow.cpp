// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResistWindow.h"

#include "records/RowRule.h"
#include "ui/Fields.h"
#include "ui/PollingTimer.h"
#include "ui/ReadOnlyNotice.h"

#include "ui_ResistWindow.h"

namespace pc {

ResistWindow::ResistWindow(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::ResistWindow>())
{
    ui_->setupUi(this);
    fields_ = {
        ui_->TFblow, ui_->TFslash, ui_->TFstub, ui_->TFarch, ui_->TFgun, ui_->TFshell,
        ui_->TFexplosion, ui_->TFblood, ui_->TFfire, ui_->TFcold, ui_->TFelectric, ui_->TFwind,
        ui_->TFwater, ui_->TFgas, ui_->TFholy, ui_->TFdark, ui_->TFpoison, ui_->TFparalyze,
        ui_->TFconfusion, ui_->TFsilence, ui_->TFcharm, ui_->TFdeath,
    };
    for (QLineEdit* field : fields_)
        keepDigitsVisible(field);
    connect(ui_->submitButton, &QPushButton::clicked, this, &ResistWindow::submit);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &ResistWindow::cancel);
    context_.state.Robje.reset();
    startPolling(timer, this, &ResistWindow::timerAction5);
}

ResistWindow::~ResistWindow() = default;

void ResistWindow::timerAction5()
{
    if (context_.state.initResistFlag)
        initResist();
}

// The pending block is made from the edited character the first time the
// editor opens in an edit; later openings show what was submitted meanwhile.
void ResistWindow::initResist()
{
    AppState& state = context_.state;
    state.initResistFlag = false;
    showReadOnlyNotice(this, state, {ui_->submitButton});
    if (!state.Robje) {
        const OBJE* record = recordAt(state.objeTop, state.ClistClickedRow);
        if (!record)
            return;
        state.Robje = record->baseResist;
    }
    for (int i = 0; i < kResistCount; ++i)
        setWholeNumber(fields_[static_cast<std::size_t>(i)], (*state.Robje)[i]);
    numbersIn(fields_, ui_->numberProblem);
    fieldsAtOpen_ = fieldValues(*this);
}

// Without a pending block (the character editor was closed meanwhile) there is
// no edit to store into: the window just closes.
void ResistWindow::submit()
{
    if (!numbersIn(fields_, ui_->numberProblem))
        return;
    if (std::optional<RESIST>& pending = context_.state.Robje) {
        for (int i = 0; i < kResistCount; ++i)
            (*pending)[i] = static_cast<float>(wholeNumberIn(fields_[static_cast<std::size_t>(i)]));
    }
    accept();
    bringToFront(context_.windows.editor);
}

void ResistWindow::cancel()
{
    QDialog::reject();
    bringToFront(context_.windows.editor);
}

void ResistWindow::reject()
{
    cancel();
}

} // namespace pc
