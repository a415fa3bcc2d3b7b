// SPDX-License-Identifier: GPL-3.0-or-later
// The event file: the set-up and every finished match, rewritten whole after
// each match through the store's checked, atomic writes, so that an event
// stopped at any moment continues from its last finished match.
#pragma once

#include "roster/Storage.h"
#include "tournament/Event.h"

#include <string>
#include <vector>

namespace pc::tournament {

inline constexpr std::size_t kEventFileLimit = 64u << 20;

// The folder of the event files of a data folder.
std::string eventFolder(const std::string& baseDir);

std::string eventText(const Event& event);

// A saved event: its set-up and the matches it had finished.
struct SavedEvent {
    EventSetup setup;
    std::vector<Match> matches;
    std::string problem; // why the text is not an event file, or empty
};

// Every line is checked: a damaged or foreign file is refused with a reason,
// never half read.
SavedEvent parseEvent(std::string_view text);

// Writes the file atomically; returns the reason of a failure, or an empty text.
std::string saveEvent(Storage& storage, const std::string& path, const Event& event);
SavedEvent loadEvent(Storage& storage, const std::string& path);

// The event a saved one continues: its finished rounds in place, every saved
// match handed to playEvent as recorded.
Event resumedEvent(const SavedEvent& saved);

} // namespace pc::tournament
