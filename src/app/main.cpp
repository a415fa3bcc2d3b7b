// The process entry: the data folder lives beside the executable.
#include "AppDelegate.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QString appDir = QCoreApplication::applicationDirPath();
    QDir::setCurrent(appDir);
    pc::AppDelegate delegate(appDir.toStdString());
    delegate.showTitle();
    return application.exec();
}
