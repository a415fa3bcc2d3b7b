// SPDX-License-Identifier: GPL-3.0-or-later
#include "GeneratedRoster.h"

#include <cstdio>
#include <random>

namespace pc::sim {

std::string generatedFileName(std::size_t index)
{
    char name[32];
    std::snprintf(name, sizeof name, "gen%05zu.txt", index);
    return name;
}

std::string generatedCharacter(std::size_t index, std::uint32_t seed)
{
    std::mt19937 draws(seed * 1000003U + static_cast<std::uint32_t>(index));
    const auto within = [&](int low, int high) { return low + static_cast<int>(draws() % (high - low + 1)); };
    const int hp = within(150, 450);
    const int wp = within(3, 8);
    const int blow = within(12, 36);
    const std::string name = "戦士" + std::to_string(index + 1);
    const std::string file = generatedFileName(index);
    // An attack that always succeeds and hits, of attribute 21, which no resistance scales.
    const std::string attack = "一撃,xxxx,0,0," + std::to_string(blow)
        + ",1,0,21,0,100,0,100\n0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n0,0,0,0,0,0,0\n";
    return name + "\n生成されたキャラクター\n" + file + ",none.png\n" + std::to_string(hp) + ",10,5,"
        + std::to_string(wp) + "\n30,30,30,30,30,30,30\n100,100,100,100,100,100,100,100\n"
        + "100,100,100,100,100,100,100,100\n100,100,100,100,100,100\n----++\n" + attack + "----++\n";
}

std::string writeGeneratedRoster(Storage& files, const std::string& folder, std::size_t count, std::uint32_t seed)
{
    std::string list;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string file = generatedFileName(i);
        if (std::string reason = files.writeAtomically(folder + "/" + file, generatedCharacter(i, seed));
            !reason.empty())
            return reason;
        list += file + "\n";
    }
    return files.writeAtomically(folder + "/preset.txt", list);
}

} // namespace pc::sim
