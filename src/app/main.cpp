// SPDX-License-Identifier: GPL-3.0-or-later
// The process entry: the data folder lives beside the executable in a build
// tree, in the user's data folder for an installed copy (whose first start
// gives that folder the demo roster); without a home there is none.
#include "AppDelegate.h"
#include "QtTranslations.h"
#include "roster/DataFolder.h"
#include "roster/DataPlace.h"
#include "Version.h"
#include "roster/DemoRoster.h"
#include "ui/Text.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>

#include <cstring>
#include <iostream>

int main(int argc, char* argv[])
{
    // Answered before any window system is needed.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "partyclash " << pc::kVersion << '\n';
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << "Usage: partyclash [--version] [--help]\n"
                         "Starts the PartyClash character-battle simulator. See partyclash(6).\n";
            return 0;
        }
    }
    QApplication application(argc, argv);
    pc::installQtTranslations();
    // The desktop matches the windows to the menu entry, and shows its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.partyclash.PartyClash"));
    QIcon icon;
    for (const char* size : {"32x32", "64x64", "256x256"})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("partyclash"), icon));
    // Only the title's close box or Ctrl+Q ends the application, never a closed sub-window.
    QApplication::setQuitOnLastWindowClosed(false);
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString base = pc::startingDataFolder(appDir, QString::fromStdString(pc::userDataBase()),
                                                pc::isInstalledCopy(appDir.toStdString()), pc::demoRosterFolder(appDir));
    if (base.isEmpty()) {
        std::cerr << "partyclash: " << pc::kNoHome << '\n';
        QMessageBox::critical(nullptr, QStringLiteral("PartyClash"), pc::qs(std::string(pc::kNoHome)));
        return 1;
    }
    QDir::setCurrent(base);
    pc::AppDelegate delegate(base.toStdString());
    delegate.showTitle();
    return application.exec();
}
