// The party-selection window's controller.
#pragma once

#include "app/AppContext.h"

#include <QTimer>
#include <QWidget>

#include <memory>

namespace Ui {
class ReadyUpList;
}

namespace pc {

class ReadyUpList : public QWidget {
    Q_OBJECT
public:
    explicit ReadyUpList(AppContext& context);
    ~ReadyUpList() override;

    void timerAction3();
    void StartOff();
    void ToTheTitle();

private:
    AppContext& context_;
    std::unique_ptr<Ui::ReadyUpList> ui_;
    QTimer timer;
};

} // namespace pc
