// The process entry: the data folder lives beside the executable, or in the
// user's application data folder when the executable's folder is not writable.
#include "AppDelegate.h"
#include "DataFolder.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // Only the title's close box or Ctrl+Q ends the application, never a closed sub-window.
    QApplication::setQuitOnLastWindowClosed(false);
    const QString base = pc::dataBaseFolder(QCoreApplication::applicationDirPath(),
                                            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QDir::setCurrent(base);
    pc::AppDelegate delegate(base.toStdString());
    delegate.showTitle();
    return application.exec();
}
