// SPDX-License-Identifier: GPL-3.0-or-later
// What the windows that fight many battles over ticked roster characters
// share: while shown, the roster list is refilled when no run is going and the
// result is checked against the roster every second, since another window may
// change it; and an export asks for a file and says how it went.
#pragma once

#include "ui/AppContext.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class QLabel;

namespace pc {

class RosterRunWindow : public QWidget {
    Q_OBJECT
public:
    explicit RosterRunWindow(AppContext& context);

    virtual bool running() const = 0;
    // Refills the roster list from the roster, keeping what was unticked.
    virtual void showRoster() = 0;
    // Shows the result as outdated when a character it was computed from has changed.
    virtual void checkOutdated() = 0;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Asks for a file and writes it with `save`, which returns why it could not; `status` says how it went.
    void exportWith(const QString& title, const QString& filter, const std::function<QString(const QString&)>& save,
                    QLabel* status);

    AppContext& context_;

private:
    QTimer outdatedTimer_;
};

} // namespace pc
