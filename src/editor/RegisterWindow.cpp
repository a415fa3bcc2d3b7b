#include "RegisterWindow.h"

#include "editor/DerivedStats.h"
#include "roster/RosterStore.h"
#include "ui/PollingTimer.h"

#include "ui_RegisterWindow.h"

namespace pc {

RegisterWindow::RegisterWindow(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::RegisterWindow>())
{
    ui_->setupUi(this);
    startPolling(timer, this, &RegisterWindow::timerAction2);
}

RegisterWindow::~RegisterWindow() = default;

void RegisterWindow::timerAction2()
{
    AppState& state = context_.state;
    if (state.setPresetFlag)
        setPreset(state, context_.storage);
    if (state.initPresetFlag) {
        initPreset(state, context_.storage);
        roadFile(state, context_.storage);
        state.initCListFlag = true;
    }
    setPentaStats(state);
}

} // namespace pc
