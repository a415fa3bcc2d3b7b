// SPDX-License-Identifier: GPL-3.0-or-later
// A temporary base folder with helpers to lay out and read "data/CharaList/",
// and the lookup of a window's widgets by object name.
#pragma once

#include "roster/QtStorage.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>

class TempDataFolder {
public:
    TempDataFolder() { EXPECT_TRUE(dir_.isValid()); }

    std::string base() const { return dir_.path().toStdString(); }
    std::string path(const std::string& relative) const { return base() + "/data/CharaList/" + relative; }

    void write(const std::string& relative, const std::string& bytes) const
    {
        const QString file = QString::fromStdString(path(relative));
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    // The file's bytes, or "<missing>".
    std::string read(const std::string& relative) const
    {
        QFile in(QString::fromStdString(path(relative)));
        if (!in.open(QIODevice::ReadOnly))
            return "<missing>";
        return in.readAll().toStdString();
    }

    // The bytes `write` (which gives why it failed, "" when it did not) writes
    // at a path inside the base folder.
    template <typename Write>
    std::string writtenBy(Write write, const QString& name) const
    {
        QFile file(QString::fromStdString(base()) + "/" + name);
        EXPECT_EQ(write(file.fileName()), QString()) << name.toStdString();
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
    }

    bool exists(const std::string& relative) const { return QFileInfo::exists(QString::fromStdString(path(relative))); }

private:
    QTemporaryDir dir_;
};

template <typename T = QLineEdit>
T* widget(QWidget& window, const char* name)
{
    auto* found = window.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}
