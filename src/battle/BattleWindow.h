// The battle window's controller.
#pragma once

#include "app/AppContext.h"

#include <QTimer>
#include <QWidget>

#include <memory>

namespace Ui {
class BattleWindow;
}

namespace pc {

class BattleWindow : public QWidget {
    Q_OBJECT
public:
    explicit BattleWindow(AppContext& context);
    ~BattleWindow() override;

    void timerAction4();
    void ToTheTitle();

private:
    AppContext& context_;
    std::unique_ptr<Ui::BattleWindow> ui_;
    QTimer timer;
};

} // namespace pc
