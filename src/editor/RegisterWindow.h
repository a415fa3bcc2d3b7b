// SPDX-License-Identifier: GPL-3.0-or-later
// The character editor's controller. Its timer also loads and saves the roster
// files and keeps every character's derived statistics up to date.
#pragma once

#include "AttackList.h"
#include "ui/AppContext.h"
#include "ui/RowArrayModel.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>

class QLineEdit;

namespace Ui {
class RegisterWindow;
}

namespace pc {

struct CharacterEdit;
struct CharacterProblems;
class StrengthDialog;

class RegisterWindow : public QDialog {
    Q_OBJECT
public:
    explicit RegisterWindow(AppContext& context);
    ~RegisterWindow() override;

    void timerAction2();
    void initRegister();
    void inputPentaStats();
    void submit();
    void cancel();
    void ToTheRegist();
    // 強さを試す: the character in the fields against its saved self; saves nothing.
    void testStrength();
    StrengthDialog* strengthDialog() const { return strength_; }

    const RowArrayModel& attackRows() const { return WlistMA; }
    void WlistTVsgl(std::int32_t row);
    void WlistTVdbl();
    void Winsert();
    void Wdelete();
    void initWList();

    // Puts the picture of a file into the picture view; shows why when it cannot.
    void putPictureFile(const QString& path);

    // The close box and the Escape key end the edit as cancel does.
    void reject() override;

    // Whether the editor is open with fields, attacks or resistances changed
    // since it was opened and not yet saved.
    bool hasUnsavedChanges() const;

private:
    CharacterEdit editInFields() const;
    void showProblems(const CharacterProblems& problems, const std::string& saveFailure);
    void choosePicture();
    // Fills the attack table from the edited character and selects WlistClickedRow.
    void showAttacks();
    void openAttack();

    AppContext& context_;
    std::unique_ptr<Ui::RegisterWindow> ui_;
    // The numeric fields, in the order of kEditedStats.
    std::array<QLineEdit*, 10> statFields_;
    RowArrayModel WlistMA;
    // The edited character's attacks when the editor was opened.
    AttackSnapshot attacksAtOpen_;
    QStringList fieldsAtOpen_;
    QTimer timer;
    StrengthDialog* strength_ = nullptr;
};

} // namespace pc
