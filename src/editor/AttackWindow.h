// The attack editor's controller, with its read-only special window.
#pragma once

#include "app/AppContext.h"

#include <QTimer>
#include <QWidget>

#include <memory>

namespace Ui {
class AttackWindow;
}

namespace pc {

class AttackWindow : public QWidget {
    Q_OBJECT
public:
    explicit AttackWindow(AppContext& context);
    ~AttackWindow() override;

    QWidget& specialWindow() { return specialWindow_; }

    void timerAction6();
    void specialWindowBtn();
    void submit();
    void cancel();

private:
    AppContext& context_;
    std::unique_ptr<Ui::AttackWindow> ui_;
    QWidget specialWindow_;
    QTimer timer;
};

} // namespace pc
