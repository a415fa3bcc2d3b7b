// partyclash-sim: the battles of PartyClash without the windows, for balancing.
#include "roster/DataFolder.h"
#include "roster/QtStorage.h"
#include "sim/ProgressBar.h"
#include "sim/Simulator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

#include <iostream>
#include <memory>

int main(int argc, char* argv[])
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    QCoreApplication application(argc, argv);
    pc::QtStorage files;
    // The application's own data folder; its name decides the user's folder.
    QCoreApplication::setApplicationName(QStringLiteral("partyclash"));
    // In the build tree the application stands one folder up, beside "sim/".
    const auto defaultFolder = [] {
        QString appDir = QCoreApplication::applicationDirPath();
        if (QFileInfo(appDir + "/../partyclash").isExecutable())
            appDir = QDir::cleanPath(appDir + "/..");
        const QString base = pc::dataBaseFolderWithoutCreating(
            appDir, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        return base.toStdString() + "/data/CharaList";
    };
    pc::sim::SimulatorIo io{files, defaultFolder, std::cout, std::cerr, {}};
    // A progress bar only where someone watches it.
    if (isatty(STDERR_FILENO)) {
        io.progress = [](std::int64_t total) {
            auto bar = std::make_shared<pc::sim::ProgressBar>(std::cerr, total);
            return [bar](std::int64_t done) { bar->update(done); };
        };
    }
    return pc::sim::runSimulator(args, io);
}
