// SPDX-License-Identifier: GPL-3.0-or-later
// One all-or-nothing change of the data folder: every new file is staged
// (written aside, synced, size-checked) before any is put in place, and a file
// put in place is restored when a later one cannot be.
#pragma once

#include "Storage.h"

#include <optional>
#include <string>
#include <vector>

namespace pc {

class FolderChange {
public:
    // Files are put in place in the order they are added.
    void write(std::string path, std::string bytes);
    // Removed once every write is in place; a failure there leaves the writes done.
    void remove(std::string path);
    // Like remove, but into the desktop's trash where the storage has one.
    void trash(std::string path);
    // A note written whole once every file is staged and before any is put in
    // place, and removed once all are: while it is there, a change may have
    // been cut short, and the start that finds it can undo it.
    void journal(std::string path, std::string bytes);

    struct Outcome {
        // Why nothing changed, or empty.
        std::string failure;
        // Why a removal failed after the writes were made, or empty.
        std::string removalFailure;
        // Files that could not go to the trash and were removed for good.
        std::vector<std::string> deletedInstead;
    };
    Outcome apply(Storage& storage) const;

private:
    struct Write {
        std::string path;
        std::string bytes;
    };
    std::vector<Write> writes_;
    struct Removal {
        std::string path;
        bool toTrash = false;
    };
    std::vector<Removal> removals_;
    std::optional<Write> journal_;
};

} // namespace pc
