// SPDX-License-Identifier: GPL-3.0-or-later
// The attack editor's controller, with its read-only special window.
#pragma once

#include "SpecialWindow.h"
#include "ui/AppContext.h"
#include "ui/FieldValues.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <memory>

class QComboBox;
class QLineEdit;

namespace Ui {
class AttackWindow;
}

namespace pc {

class AttackWindow : public QDialog {
    Q_OBJECT
public:
    explicit AttackWindow(AppContext& context);
    ~AttackWindow() override;

    QWidget& specialWindow() { return specialWindow_; }

    void timerAction6();
    void initAttackWindow();
    void specialWindowBtn();
    void submit();
    void cancel();

    // The close box and the Escape key leave the editor as cancel does.
    void reject() override;
    // Whether the editor is open with a field changed since it was opened.
    bool hasUnsavedChanges() const { return isVisible() && fieldValues(*this) != fieldsAtOpen_; }

private:
    AppContext& context_;
    std::unique_ptr<Ui::AttackWindow> ui_;
    // The numeric fields and pop-up menus, in the order of kAttackNumbers and kAttackChoices.
    std::array<QLineEdit*, 6> numberFields_;
    std::array<QComboBox*, 4> choiceMenus_;
    // The number of regular items of each pop-up menu.
    std::array<int, 4> choiceCounts_{};
    SpecialWindow specialWindow_;
    QTimer timer;
    QStringList fieldsAtOpen_;
};

} // namespace pc
