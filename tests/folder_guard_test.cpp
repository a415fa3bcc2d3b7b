// SPDX-License-Identifier: GPL-3.0-or-later
// One writer per data folder, a full disk and a read-only folder, through the real windows and file system.
#include "EditingApp.h"

#include "roster/DataPlace.h"
#include "app/Title.h"
#include "records/RowRule.h"
#include "roster/CharacterFile.h"

#include <QDirIterator>

#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

using namespace pc;

namespace {

void writeHero(const TempDataFolder& folder)
{
    OBJE hero;
    InitObje(hero);
    hero.name = "勇者";
    hero.fileName = "hero";
    hero.imageName = "hero.png";
    folder.write("hero", characterText(hero));
    folder.write("preset.txt", "hero\n");
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    picture.save(QString::fromStdString(folder.path("img/hero.png")), "PNG");
}

// Every file of the data folder and its bytes.
std::map<std::string, std::string> snapshot(const TempDataFolder& folder)
{
    std::map<std::string, std::string> files;
    const QDir data(QString::fromStdString(folder.path("")));
    QDirIterator it(data.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const std::string name = data.relativeFilePath(it.next()).toStdString();
        if (name != ".partyclash-lock")
            files[name] = folder.read(name);
    }
    return files;
}

// A size-limited tmpfs mounted on the test's folder for as long as it lives.
class SmallDisk {
public:
    explicit SmallDisk(const std::string& where, const char* options = "size=512k")
        : where_(where), mounted_(::mount("tmpfs", where.c_str(), "tmpfs", 0, options) == 0)
    {
        if (!mounted_)
            reason_ = std::strerror(errno);
    }
    ~SmallDisk()
    {
        if (mounted_)
            ::umount2(where_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    const std::string& reason() const { return reason_; }
    void remountReadOnly() const { ::mount("tmpfs", where_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr); }

private:
    std::string where_;
    bool mounted_;
    std::string reason_;
};

// Fills the file system until a write fails for want of space.
void fill(const TempDataFolder& folder)
{
    std::ofstream filler(folder.base() + "/filler", std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {
    }
}

// A data folder on a small file system of its own, mounted by the test as root.
struct SmallDiskTest : testing::Test {
    void SetUp() override
    {
        if (::geteuid() != 0)
            GTEST_SKIP() << "mounting a small file system needs root";
        disk.emplace(folder.base());
        if (!disk->mounted())
            GTEST_SKIP() << "cannot mount a tmpfs here: " << disk->reason();
    }

    TempDataFolder folder;
    std::optional<SmallDisk> disk;
};

} // namespace

TEST(FolderGuardTest, ASecondCopyOnTheFolderOpensItReadOnlyAndSaysSo)
{
    TempDataFolder folder;
    writeHero(folder);
    EditingApp first(folder);
    first.tick();
    EditingApp second(folder);
    second.tick();
    const std::string locked = "別のPartyClashがこのフォルダを使っています：" + folder.path("");
    EXPECT_EQ(first.app.state().readOnlyReason, "");
    EXPECT_EQ(second.app.state().readOnlyReason, locked.substr(0, locked.size() - 1));
    EXPECT_TRUE(second.app.title().windowTitle().contains("読み取り専用：別のPartyClash"));
    // Every window of the read-only copy says why and disables what it could not save; the first shows neither.
    for (auto [copy, locked] : {std::pair{&first, false}, std::pair{&second, true}}) {
        copy->openEditor(0);
        copy->app.resistWindow().initResist();
        copy->app.attackWindow().initAttackWindow();
        using Names = std::vector<const char*>;
        const std::vector<std::tuple<QWidget*, Names, Names>> windows = {
            {&copy->app.characterList(), {"insertButton", "deleteButton", "demoButton", "importButton"}, {"exportButton"}},
            {&copy->app.registerWindow(), {"submitButton", "WinsertButton", "WdeleteButton"}, {"WopenButton"}},
            {&copy->app.resistWindow(), {"submitButton"}, {"cancelButton"}},
            {&copy->app.attackWindow(), {"submitButton"}, {"specialButton"}}};
        for (const auto& [window, refused, kept] : windows) {
            const auto* banner = copy->in<QLabel>(*window, "readOnlyBanner");
            EXPECT_EQ(banner->isVisibleTo(window) && banner->text().contains(second.app.state().readOnlyReason.c_str()),
                      locked)
                << window->metaObject()->className();
            for (const char* name : refused)
                EXPECT_EQ(copy->in<QPushButton>(*window, name)->isEnabled(), !locked) << name;
            for (const char* name : kept)
                EXPECT_TRUE(copy->in<QPushButton>(*window, name)->isEnabled()) << name;
        }
        copy->press(copy->app.registerWindow(), "cancelButton");
    }

    second.openEditor(0);
    second.press(second.app.registerWindow(), "cancelButton");
    second.openEditor(0);
    EXPECT_EQ(second.app.registerWindow().findChildren<QLabel*>("readOnlyBanner").size(), 1) << "one banner, not one an opening";
    second.type("TFHP", "1");
    second.app.registerWindow().submit();
    EXPECT_TRUE(second.label("saveProblem").startsWith("保存できませんでした：読み取り専用で開いています"));

    first.openEditor(0);
    first.type("TFHP", "2");
    first.press(first.app.registerWindow(), "submitButton");
    EXPECT_EQ(first.label("saveProblem"), "");
    EXPECT_TRUE(folder.read("hero").find("\n2,") != std::string::npos) << "the first copy writes";
}

TEST_F(SmallDiskTest, AFullDiskLeavesEveryFileAsItWas)
{
    writeHero(folder);
    EditingApp app(folder);
    app.tick();
    fill(folder);
    const auto before = snapshot(folder);

    app.openEditor(0);
    app.type("TFHP", "999");
    app.press(app.app.registerWindow(), "submitButton");
    EXPECT_TRUE(app.label("saveProblem").contains("ディスクに空きがありません（No space left on device）"))
        << app.label("saveProblem").toStdString();
    app.press(app.app.registerWindow(), "cancelButton");

    app.app.characterList().ClistTVsgl(-1);
    app.press(app.app.characterList(), "insertButton");
    app.tick();
    app.press(app.app.registerWindow(), "submitButton");
    EXPECT_TRUE(app.label("saveProblem").contains("ディスクに空きがありません"));
    app.press(app.app.registerWindow(), "cancelButton");
    app.tick();
    EXPECT_EQ(app.app.characterList().rows().rowCount(), 1) << "the new character never saved is gone";
    EXPECT_EQ(snapshot(folder), before);
}

TEST_F(SmallDiskTest, AReadOnlyFolderIsUsedAndAnnouncedNotSwappedForAnother)
{
    writeHero(folder);
    disk->remountReadOnly();
    EXPECT_EQ(dataBaseFolder(folder.base(), "/nonexistent", false, true), folder.base());
    EditingApp app(folder);
    app.tick();
    EXPECT_EQ(countOf(app.app.state().objeTop), 1);
    const QString title = app.app.title().windowTitle();
    EXPECT_TRUE(title.contains(QString::fromStdString(folder.path(""))));
    EXPECT_TRUE(title.contains("書き込む権限がありません（Read-only file system）")) << title.toStdString();
}
