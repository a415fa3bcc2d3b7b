// The character editor's controller. Its timer also loads and saves the roster
// files and keeps every character's derived statistics up to date.
#pragma once

#include "app/AppContext.h"

#include <QTimer>
#include <QWidget>

#include <memory>

namespace Ui {
class RegisterWindow;
}

namespace pc {

class RegisterWindow : public QWidget {
    Q_OBJECT
public:
    explicit RegisterWindow(AppContext& context);
    ~RegisterWindow() override;

    void timerAction2();

private:
    AppContext& context_;
    std::unique_ptr<Ui::RegisterWindow> ui_;
    QTimer timer;
};

} // namespace pc
