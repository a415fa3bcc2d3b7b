// partyclash-sim: the battles of PartyClash without the windows, for balancing.
#include "roster/QtStorage.h"
#include "sim/ProgressBar.h"
#include "sim/Simulator.h"

#include <QCoreApplication>

#include <unistd.h>

#include <iostream>
#include <memory>

int main(int argc, char* argv[])
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    QCoreApplication application(argc, argv);
    pc::QtStorage files;
    pc::sim::SimulatorIo io{files, QCoreApplication::applicationDirPath().toStdString() + "/data/CharaList",
                            std::cout, std::cerr, {}};
    // A progress bar only where someone watches it.
    if (isatty(STDERR_FILENO)) {
        io.progress = [](std::int64_t total) {
            auto bar = std::make_shared<pc::sim::ProgressBar>(std::cerr, total);
            return [bar](std::int64_t done) { bar->update(done); };
        };
    }
    return pc::sim::runSimulator(args, io);
}
