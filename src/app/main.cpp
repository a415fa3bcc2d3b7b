// The process entry: the data folder lives beside the executable, or in the
// user's application data folder when the executable's folder is not writable.
// An installed copy's first start gives that folder the demo roster.
#include "AppDelegate.h"
#include "QtTranslations.h"
#include "roster/DataFolder.h"
#include "Version.h"
#include "roster/DemoRoster.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

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
    // Only the title's close box or Ctrl+Q ends the application, never a closed sub-window.
    QApplication::setQuitOnLastWindowClosed(false);
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString base = pc::startingDataFolder(appDir,
                                                QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                                                pc::demoRosterFolder(appDir));
    QDir::setCurrent(base);
    pc::AppDelegate delegate(base.toStdString());
    delegate.showTitle();
    return application.exec();
}
