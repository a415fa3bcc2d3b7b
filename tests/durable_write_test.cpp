// SPDX-License-Identifier: GPL-3.0-or-later
// Every write reaches the disk in order: the file written and synced, then
// renamed into place and its folder synced; a save stages all its files first.
#include "Fixtures.h"
#include "TempDataFolder.h"

#include "roster/RosterExchange.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace pc;

namespace {

// The disk's steps as they are taken, by the name of the file each is for.
class RecordingStorage final : public QtStorage {
public:
    std::vector<std::string> steps;

protected:
    ssize_t writeSome(int fd, std::string_view bytes, const std::string& path) override
    {
        return note("write", path), QtStorage::writeSome(fd, bytes, path);
    }
    int syncFile(int fd, const std::string& path) override { return note("sync", path), QtStorage::syncFile(fd, path); }
    int renameOnto(const std::string& staged, const std::string& path) override
    {
        return note("rename", path), QtStorage::renameOnto(staged, path);
    }
    void syncFolderOf(const std::string& path) override { note("sync folder", path), QtStorage::syncFolderOf(path); }

private:
    void note(const std::string& step, const std::string& path)
    {
        const std::string entry = step + " " + path.substr(path.rfind('/') + 1);
        if (steps.empty() || steps.back() != entry)
            steps.push_back(entry);
    }
};

} // namespace

TEST(DurableWrite, ASaveAndAnImportStageEveryFileBeforeAnyRename)
{
    TempDataFolder folder;
    folder.write("preset.txt", "hero\n");
    folder.write("hero", characterFile({.picture = "hero.png", .attacks = {}}));
    AppState state;
    state.baseDir = folder.base();
    RecordingStorage storage;
    reload(state, storage);
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    state.objeTop->image = pictureOf(image);
    state.ClistClickedRow = 0;
    ASSERT_EQ(saveFile(state, storage), "");
    EXPECT_EQ(storage.steps, (std::vector<std::string>{
                                 "write hero.png", "sync hero.png", "write hero", "sync hero", "write preset.txt",
                                 "sync preset.txt", "rename hero.png", "sync folder hero.png", "rename hero",
                                 "sync folder hero", "rename preset.txt", "sync folder preset.txt"}));

    storage.steps.clear();
    ASSERT_EQ(importCharacters(state, storage, readRosterFolder(state, storage, folder.path(""))).added.size(), 1u);
    // Every file staged whole, then the note naming them put in place, then each renamed.
    std::vector<std::string> each;
    for (const char* file : {"hero2", "hero.png2", "preset.txt", ".partyclash-import"})
        for (const char* step : {"write ", "sync "})
            each.push_back(step + std::string(file));
    for (const char* file : {".partyclash-import", "hero2", "hero.png2", "preset.txt"})
        for (const char* step : {"rename ", "sync folder "})
            each.push_back(step + std::string(file));
    EXPECT_EQ(storage.steps, each);
}
