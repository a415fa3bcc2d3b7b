// SPDX-License-Identifier: GPL-3.0-or-later
#include "ComputedRoster.h"

#include "roster/CharacterFile.h"

namespace pc {

namespace {

const OBJE* characterWithFile(const OBJE* roster, const std::string& fileName)
{
    for (const OBJE* character = roster; character; character = character->next) {
        if (character->fileName == fileName)
            return character;
    }
    return nullptr;
}

} // namespace

void ComputedRoster::remember(const OBJE* roster, const std::vector<std::string>& fileNames)
{
    fileNames_ = fileNames;
    texts_.clear();
    roster_.clear();
    for (const OBJE* character = roster; character; character = character->next)
        roster_.insert(character->fileName);
    for (const std::string& fileName : fileNames_) {
        const OBJE* character = characterWithFile(roster, fileName);
        texts_.push_back(character ? characterText(*character) : std::string());
    }
}

EntrantNow ComputedRoster::entrantNow(const OBJE* roster, std::size_t entrant) const
{
    const OBJE* character = characterWithFile(roster, fileNames_.at(entrant));
    if (!character)
        return EntrantNow::vanished;
    return characterText(*character) == texts_[entrant] ? EntrantNow::same : EntrantNow::changed;
}

bool ComputedRoster::outdatedIn(const OBJE* roster) const
{
    for (std::size_t entrant = 0; entrant < fileNames_.size(); ++entrant) {
        if (entrantNow(roster, entrant) != EntrantNow::same)
            return true;
    }
    for (const OBJE* character = roster; character; character = character->next) {
        if (!empty() && !roster_.contains(character->fileName))
            return true;
    }
    return false;
}

} // namespace pc
