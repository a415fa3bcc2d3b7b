// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a generated roster for measuring the ladder at scale.
//   generate_roster COUNT FOLDER [SEED]   writes FOLDER/preset.txt and COUNT character files
#include "roster/QtStorage.h"
#include "sim/GeneratedRoster.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <string>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: generate_roster COUNT FOLDER [SEED]\n");
        return 2;
    }
    const std::size_t count = std::stoul(argv[1]);
    const std::string folder = argv[2];
    const auto seed = static_cast<std::uint32_t>(argc > 3 ? std::stoul(argv[3]) : 1);
    QDir().mkpath(QString::fromStdString(folder));
    pc::QtStorage files;
    if (const std::string reason = pc::sim::writeGeneratedRoster(files, folder, count, seed); !reason.empty()) {
        std::fprintf(stderr, "generate_roster: %s\n", reason.c_str());
        return 1;
    }
    return 0;
}
