// SPDX-License-Identifier: GPL-3.0-or-later
// The resistance editor's controller: 22 fields edited into a pending block,
// which the character editor's submit applies and its cancel drops.
#pragma once

#include "ui/AppContext.h"
#include "ui/FieldValues.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <memory>

class QLineEdit;

namespace Ui {
class ResistWindow;
}

namespace pc {

class ResistWindow : public QDialog {
    Q_OBJECT
public:
    explicit ResistWindow(AppContext& context);
    ~ResistWindow() override;

    void timerAction5();
    void initResist();
    void submit();
    void cancel();

    // The close box and the Escape key leave the editor as cancel does.
    void reject() override;
    // Whether the editor is open with a field changed since it was opened.
    bool hasUnsavedChanges() const { return isVisible() && fieldValues(*this) != fieldsAtOpen_; }

private:
    AppContext& context_;
    std::unique_ptr<Ui::ResistWindow> ui_;
    // The fields in RESIST order.
    std::array<QLineEdit*, kResistCount> fields_;
    QTimer timer;
    QStringList fieldsAtOpen_;
};

} // namespace pc
