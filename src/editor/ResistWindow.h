// The resistance editor's controller: 22 fields edited into a pending block.
#pragma once

#include "app/AppContext.h"

#include <QTimer>
#include <QWidget>

#include <memory>

namespace Ui {
class ResistWindow;
}

namespace pc {

class ResistWindow : public QWidget {
    Q_OBJECT
public:
    explicit ResistWindow(AppContext& context);
    ~ResistWindow() override;

    void timerAction5();
    void submit();
    void cancel();

private:
    AppContext& context_;
    std::unique_ptr<Ui::ResistWindow> ui_;
    QTimer timer;
};

} // namespace pc
