// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderChange.h"

#include <optional>

namespace pc {

void FolderChange::write(std::string path, std::string bytes)
{
    writes_.push_back({std::move(path), std::move(bytes)});
}

void FolderChange::remove(std::string path)
{
    removals_.push_back({std::move(path), false});
}

void FolderChange::trash(std::string path)
{
    removals_.push_back({std::move(path), true});
}

void FolderChange::journal(std::string path, std::string bytes)
{
    journal_ = Write{std::move(path), std::move(bytes)};
}

FolderChange::Outcome FolderChange::apply(Storage& storage) const
{
    Outcome outcome;
    // What each file held before, to put it back should a later write fail.
    std::vector<std::optional<std::string>> before;
    std::vector<std::string> staged;
    const auto discardStaged = [&](std::size_t from) {
        for (std::size_t i = from; i < staged.size(); ++i)
            storage.discard(staged[i]);
    };
    for (const Write& write : writes_) {
        FileRead old = storage.readFile(write.path, kNoReadLimit);
        if (!old.bytes && !old.missing) {
            discardStaged(0);
            outcome.failure = old.reason;
            return outcome;
        }
        before.push_back(std::move(old.bytes));
        std::string temp;
        if (std::string reason = storage.stage(write.path, write.bytes, temp); !reason.empty()) {
            discardStaged(0);
            outcome.failure = reason;
            return outcome;
        }
        staged.push_back(std::move(temp));
    }
    if (journal_) {
        if (std::string reason = storage.writeAtomically(journal_->path, journal_->bytes); !reason.empty()) {
            discardStaged(0);
            outcome.failure = reason;
            return outcome;
        }
    }
    for (std::size_t i = 0; i < writes_.size(); ++i) {
        if (std::string reason = storage.commit(staged[i], writes_[i].path); !reason.empty()) {
            discardStaged(i);
            for (std::size_t done = 0; done < i; ++done) {
                if (before[done])
                    storage.writeAtomically(writes_[done].path, *before[done]);
                else
                    storage.remove(writes_[done].path);
            }
            if (journal_)
                storage.remove(journal_->path);
            outcome.failure = reason;
            return outcome;
        }
    }
    if (journal_)
        storage.remove(journal_->path);
    for (const Removal& removal : removals_) {
        std::string reason;
        if (removal.toTrash && storage.hasTrash() && !storage.moveToTrash(removal.path).empty()) {
            reason = storage.remove(removal.path);
            if (reason.empty())
                outcome.deletedInstead.push_back(removal.path);
        } else if (!removal.toTrash || !storage.hasTrash()) {
            reason = storage.remove(removal.path);
        }
        if (!reason.empty() && outcome.removalFailure.empty())
            outcome.removalFailure = reason;
    }
    return outcome;
}

} // namespace pc
