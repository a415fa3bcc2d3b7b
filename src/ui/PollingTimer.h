// The controllers' repeating 0.01-second timer.
#pragma once

#include <QTimer>

namespace pc {

inline constexpr int kPollingIntervalMs = 10;

// Starts `timer` calling `handler` on `receiver` every tick, for the whole run.
template <typename Receiver>
void startPolling(QTimer& timer, Receiver* receiver, void (Receiver::*handler)())
{
    timer.setInterval(kPollingIntervalMs);
    QObject::connect(&timer, &QTimer::timeout, receiver, handler);
    timer.start();
}

} // namespace pc
