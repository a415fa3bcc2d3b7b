// SPDX-License-Identifier: GPL-3.0-or-later
#include "RosterRunWindow.h"

#include <QFileDialog>
#include <QLabel>

namespace pc {

namespace {

constexpr int kOutdatedCheckMs = 1000;

} // namespace

RosterRunWindow::RosterRunWindow(AppContext& context)
    : context_(context)
{
    outdatedTimer_.setInterval(kOutdatedCheckMs);
    connect(&outdatedTimer_, &QTimer::timeout, this, [this] { checkOutdated(); });
}

void RosterRunWindow::showEvent(QShowEvent* event)
{
    if (!running())
        showRoster();
    checkOutdated();
    outdatedTimer_.start();
    QWidget::showEvent(event);
}

void RosterRunWindow::hideEvent(QHideEvent* event)
{
    outdatedTimer_.stop();
    QWidget::hideEvent(event);
}

void RosterRunWindow::exportWith(const QString& title, const QString& filter,
                                 const std::function<QString(const QString&)>& save, QLabel* status)
{
    const QString path = QFileDialog::getSaveFileName(this, title, {}, filter);
    if (path.isEmpty())
        return;
    const QString failure = save(path);
    status->setText(failure.isEmpty() ? QStringLiteral("保存しました：") + path
                                      : QStringLiteral("保存できませんでした：") + failure);
}

} // namespace pc
