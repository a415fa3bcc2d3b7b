// partyclash-sim: the battles of PartyClash without the windows, for balancing.
#include "roster/DataFolder.h"
#include "roster/QtStorage.h"
#include "sim/CheckedOutput.h"
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
    // Every write of the standard output is checked, up to its close; made
    // first, before any file or Qt's event loop can take a closed descriptor's number.
    pc::sim::CheckedOutput standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
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
    pc::sim::SimulatorIo io{files, defaultFolder, out, std::cerr, {}};
    // A progress bar only where someone watches it.
    if (isatty(STDERR_FILENO)) {
        io.progress = [](std::int64_t total) {
            auto bar = std::make_shared<pc::sim::ProgressBar>(std::cerr, total);
            return [bar](std::int64_t done) { bar->update(done); };
        };
    }
    const int status = pc::sim::runSimulator(args, io);
    // Whatever the command, an output that did not reach its file whole is a failure.
    if (const std::string reason = standardOutput.close(); !reason.empty()) {
        std::cerr << "partyclash-sim: cannot write the output: " << reason << '\n';
        return pc::sim::kExitOutput;
    }
    return status;
}
