// SPDX-License-Identifier: GPL-3.0-or-later
// The controllers' repeating 0.01-second timer.
#pragma once

#include <QTimer>

namespace pc {

inline constexpr int kPollingIntervalMs = 10;

// Starts `timer` calling `handler` on `receiver` every tick, for the whole run.
// Every window's timer starts in the first pass of the event loop, in the order
// the windows were made, so that their ticks fall due together and the process
// wakes once a tick rather than once per window.
template <typename Receiver>
void startPolling(QTimer& timer, Receiver* receiver, void (Receiver::*handler)())
{
    timer.setInterval(kPollingIntervalMs);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, receiver, handler);
    QTimer::singleShot(0, &timer, [&timer] { timer.start(); });
}

} // namespace pc
