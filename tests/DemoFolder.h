// SPDX-License-Identifier: GPL-3.0-or-later
// The demo roster laid out in a temporary data folder, and the event loop run
// until a window's long work is done, for the tests of the windows on it.
#pragma once

#include "TempDataFolder.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

const QString kExamples = QStringLiteral(PARTYCLASH_EXAMPLES);

// The demo roster's texts, pictures left out.
void copyDemoRoster(const TempDataFolder& folder)
{
    for (QDirIterator files(kExamples, QDir::Files); files.hasNext();) {
        QFile file(files.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        folder.write(files.fileName().toStdString(), file.readAll().toStdString());
    }
}

// Lets the event loop run until `done` holds, for at most five minutes (sanitizer builds are slow).
template <typename Done>
void runUntil(Done done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 300'000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(done());
}

} // namespace
