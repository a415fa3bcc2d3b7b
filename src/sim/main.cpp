// SPDX-License-Identifier: GPL-3.0-or-later
// partyclash-sim: the battles of PartyClash without the windows, for balancing.
// Standard C++ and POSIX alone, so that it runs where no window system is.
#include "roster/DataPlace.h"
#include "roster/FileStorage.h"
#include "sim/CheckedOutput.h"
#include "sim/ProgressBar.h"
#include "sim/Simulator.h"

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
    pc::FileStorage files;
    // The application's own data folder, as the application chooses it. In the
    // build tree the application stands one folder up, beside "sim/".
    const auto defaultFolder = [] {
        std::string appDir = pc::executableFolder();
        if (const std::string up = appDir.substr(0, appDir.find_last_of('/'));
            ::access((up + "/partyclash").c_str(), X_OK) == 0)
            appDir = up;
        const std::string base = pc::dataBaseFolder(appDir, pc::userDataBase(), pc::isInstalledCopy(appDir), false);
        return base.empty() ? std::string() : base + "/data/CharaList";
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
