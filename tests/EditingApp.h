// SPDX-License-Identifier: GPL-3.0-or-later
// An application over a data folder, driven tick by tick, with the widgets of
// the roster window and the editors looked up by their object names.
#pragma once

#include "TempDataFolder.h"

#include "app/AppDelegate.h"
#include "editor/AttackWindow.h"
#include "editor/RegisterWindow.h"
#include "editor/ResistWindow.h"
#include "roster/CharacterList.h"
#include "ui/PictureView.h"
#include "ui/RowTableView.h"

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>

#include <gtest/gtest.h>

class EditingApp {
public:
    explicit EditingApp(const TempDataFolder& folder) : app(folder.base()) {}

    // One period of the editing controllers' timers; the editor's first, as it loads the roster.
    void tick()
    {
        app.registerWindow().timerAction2();
        app.characterList().timerAction();
        app.resistWindow().timerAction5();
        app.attackWindow().timerAction6();
    }

    // Opens the character editor on a roster row, as a double click on it does.
    void openEditor(std::int32_t row)
    {
        app.characterList().ClistTVsgl(row);
        app.characterList().ClistTVdbl();
        tick();
    }

    template <typename T = QLineEdit>
    T* in(QWidget& window, const char* name) { return widget<T>(window, name); }
    template <typename T = QLineEdit>
    T* editor(const char* name) { return in<T>(app.registerWindow(), name); }

    void type(const char* field, const QString& text) { editor(field)->setText(text); }
    QString shown(const char* field) { return editor(field)->text(); }
    QString label(const char* name) { return editor<QLabel>(name)->text(); }
    void press(QWidget& window, const char* button) { in<QPushButton>(window, button)->click(); }

    // Runs an action, answers the question it asks with a key, and returns the
    // question ("" when none was asked).
    static QString answering(Qt::Key key, const std::function<void()>& action)
    {
        QString asked;
        QTimer::singleShot(0, [&asked, key] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = box->text();
                QTest::keyClick(box, key);
            }
        });
        action();
        QCoreApplication::processEvents();
        return asked;
    }

    // A file dropped on the editor's picture view.
    void dropOnPicture(const std::string& path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        auto* view = editor<pc::PictureView>("IVImage");
        // A drop reaches only the widget that accepted the drag's entry.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &drop);
    }

    // The roster table's value under a key in a row, as text.
    QString cell(int row, const char* key) { return app.characterList().rows().row(row).value(key).toString(); }
    int selectedRow() { return selectedRowIn(app.characterList(), "ClistTV"); }
    int selectedRowIn(QWidget& window, const char* table)
    {
        const auto rows = in<pc::RowTableView>(window, table)->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

    pc::AppDelegate app;
};

// A picture of one colour written in the given format at a path inside the base folder.
inline std::string writePicture(const TempDataFolder& folder, const std::string& relative, Qt::GlobalColor colour,
                                const char* format)
{
    QImage image(24, 16, QImage::Format_RGB32);
    image.fill(colour);
    const std::string path = folder.base() + "/" + relative;
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).path());
    EXPECT_TRUE(image.save(QString::fromStdString(path), format));
    return path;
}
