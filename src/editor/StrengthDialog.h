// SPDX-License-Identifier: GPL-3.0-or-later
// 強さを試す: the character being edited, as it stands in the editor and as it
// is saved, against every other roster character on both sides with the same
// seeds, on worker threads. Nothing is saved.
#pragma once

#include "editor/CharacterSubmit.h"
#include "sim/Matrix.h"
#include "ui/AppContext.h"

#include <QDialog>
#include <QTimer>

#include <memory>

namespace Ui {
class StrengthDialog;
}

namespace pc {

class StrengthDialog : public QDialog {
    Q_OBJECT
public:
    explicit StrengthDialog(QWidget* parent);
    ~StrengthDialog() override;

    // Starts the test of the roster character at `row` with the editor's
    // fields `edit` and the pending resistances. Says so when the character
    // has no saved file to compare with.
    void start(AppContext& context, std::int32_t row, const CharacterEdit& edit, std::int64_t battles = 1000);
    bool running() const { return runner_ != nullptr; }
    void stop();
    void done(int result) override;

private:
    void poll();
    void showResult(const sim::MatrixResult& result);

    std::unique_ptr<Ui::StrengthDialog> ui_;
    std::unique_ptr<AppState> before_;
    std::unique_ptr<AppState> after_;
    std::unique_ptr<sim::MatrixRunner> runner_;
    std::size_t tested_ = 0;
    QTimer pollTimer_;
};

} // namespace pc
