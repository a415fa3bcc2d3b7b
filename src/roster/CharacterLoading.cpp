// SPDX-License-Identifier: GPL-3.0-or-later
#include "CharacterLoading.h"

#include "CharacterFile.h"
#include "FileNames.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace pc {

namespace {

// Below this many records one thread reads them; a block of records is what a thread takes at a time.
constexpr std::size_t kParallelFrom = 512;
constexpr std::size_t kRecordsPerTake = 64;
constexpr unsigned kMostThreads = 4;

// Calls work(i, thread) for every i below `count`, on `threads` threads (this one among them).
template <typename Work>
void inParallel(std::size_t count, unsigned threads, const Work& work)
{
    std::atomic<std::size_t> taken{0};
    const auto take = [&](unsigned thread) {
        for (;;) {
            const std::size_t first = taken.fetch_add(kRecordsPerTake);
            if (first >= count)
                return;
            for (std::size_t i = first; i < std::min(count, first + kRecordsPerTake); ++i)
                work(i, thread);
        }
    };
    std::vector<std::jthread> helpers;
    try {
        for (unsigned thread = 1; thread < threads && count > kRecordsPerTake * thread; ++thread)
            helpers.emplace_back(take, thread);
    } catch (const std::system_error&) {
        // Without another thread this one reads the rest.
    }
    take(0);
}

} // namespace

CharacterLoading::CharacterLoading(AppState& state, Storage& storage) : state_(state), storage_(storage) {}

CharacterLoading::~CharacterLoading() = default;

void CharacterLoading::load(OBJE& record, const std::string& listed)
{
    readFile(record, listed, state_.attacks);
    attachPicture(record);
}

void CharacterLoading::load(const std::vector<OBJE*>& records, const std::vector<const std::string*>& listed)
{
    const std::size_t count = std::min(records.size(), listed.size());
    const unsigned threads = count >= kParallelFrom && storage_.readsConcurrently()
        ? std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads)
        : 1u;
    // Each thread makes its attacks in its own arena; the state takes them over at the end.
    std::vector<Arena<ATTACK>> attacks(threads);
    characterFiles();
    inParallel(count, threads, [&](std::size_t i, unsigned thread) { readFile(*records[i], *listed[i], attacks[thread]); });
    for (Arena<ATTACK>& arena : attacks)
        state_.attacks.adopt(std::move(arena));

    // Then every picture named, once.
    std::vector<const std::string*> names;
    for (std::size_t i = 0; i < count; ++i) {
        if (wantsPicture(*records[i]) && decoded_.try_emplace(records[i]->imageName).second)
            names.push_back(&records[i]->imageName);
    }
    std::vector<std::optional<Picture>> pictures(names.size());
    pictureFiles();
    inParallel(names.size(), threads, [&](std::size_t i, unsigned) { pictures[i] = readPicture(*names[i]); });
    for (std::size_t i = 0; i < names.size(); ++i)
        decoded_[*names[i]] = std::move(pictures[i]);
    for (std::size_t i = 0; i < count; ++i)
        attachPicture(*records[i]);
}

void CharacterLoading::readFile(OBJE& record, const std::string& listed, Arena<ATTACK>& attacks)
{
    FileRead read;
    if (isUsableFileName(listed))
        read = characterFiles().read(listed, kCharacterFileLimit);
    else
        read.reason = "ファイル名が使えません";
    const bool valid = readCharacter(read.bytes ? std::string_view(*read.bytes) : std::string_view(), listed, record,
                                     attacks);
    const bool loaded = read.bytes && valid;
    if (!loaded && !read.missing) {
        record.name = listed;
        record.unreadable = read.bytes ? "UTF-8 のテキストではありません" : read.reason;
        return;
    }
    // The file the character was read from is its own, whatever line 3 says
    // (a file copied by hand keeps the name of the one it was copied from).
    record.fileName = listed;
    if (loaded)
        record.storedFileName = listed;
}

bool CharacterLoading::wantsPicture(const OBJE& record) const
{
    return record.unreadable.empty() && !state_.skipPictures && isUsableFileName(record.imageName);
}

std::optional<Picture> CharacterLoading::readPicture(const std::string& name)
{
    FileRead picture = pictureFiles().read(name, kPictureFileLimit);
    if (!picture.bytes)
        return std::nullopt;
    return storage_.decodePicture(std::move(*picture.bytes));
}

void CharacterLoading::attachPicture(OBJE& record)
{
    if (!wantsPicture(record))
        return;
    auto [cached, added] = decoded_.try_emplace(record.imageName);
    if (added)
        cached->second = readPicture(record.imageName);
    // A picture file that was read is this character's, even when it does not decode.
    if (cached->second) {
        record.image = *cached->second;
        record.storedImageName = record.imageName;
    }
}

FolderFiles& CharacterLoading::characterFiles()
{
    if (!characters_)
        characters_ = storage_.openFolder(characterFolder(state_.baseDir));
    return *characters_;
}

FolderFiles& CharacterLoading::pictureFiles()
{
    if (!pictures_)
        pictures_ = storage_.openFolder(pictureFolder(state_.baseDir));
    return *pictures_;
}

} // namespace pc
