// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile data folders: damaged, odd and oversized files, links and special files load through the application
// without a crash or a hang, into the roster each case states, and nothing outside the folder changes.
#include "EditingApp.h"

#include "editor/CharacterSubmit.h"
#include "records/RowRule.h"
#include "roster/RosterEdit.h"
#include "roster/RosterStore.h"
#include "roster/CharacterFile.h"
#include "sim/RosterFolder.h"

#include <QBuffer>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

using namespace pc;

namespace {

// What one loaded character comes to; `numbers` is line 4 as the character would be written again.
struct Loaded {
    std::string name;
    std::string fileName;
    std::string imageName;
    std::string numbers;
    std::size_t attacks = 0;
    bool picture = false;
    std::string unreadable;

    bool operator==(const Loaded&) const = default;
};

void PrintTo(const Loaded& loaded, std::ostream* out)
{
    const auto cut = [](const std::string& text) { return text.size() > 40 ? text.substr(0, 40) + "..." : text; };
    *out << "{" << cut(loaded.name) << " (" << loaded.name.size() << " bytes), " << cut(loaded.fileName) << ", "
         << loaded.imageName << ", " << loaded.numbers << ", " << loaded.attacks << " attacks"
         << (loaded.picture ? ", picture" : "") << (loaded.unreadable.empty() ? "" : ", " + loaded.unreadable) << "}";
}

Loaded summary(const OBJE& record)
{
    std::size_t attacks = 0;
    for (const ATTACK* attack = record.attacks; attack; attack = attack->next)
        ++attacks;
    const std::string text = characterText(record);
    const std::size_t line4 = text.find('\n', text.find('\n', text.find('\n') + 1) + 1) + 1;
    return {record.name, record.fileName, record.imageName, text.substr(line4, text.find('\n', line4) - line4),
            attacks, record.image != nullptr, record.unreadable};
}

std::string pngBytes()
{
    QImage image(6, 6, QImage::Format_RGB32);
    image.fill(Qt::green);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// The PNG file above whose header claims 30,000 by 30,000 pixels, beyond the
// image allocation limit; its header's checksum made anew.
std::string hugePngBytes()
{
    std::string bytes = pngBytes();
    for (const int at : {16, 20})
        bytes.replace(static_cast<std::size_t>(at), 4, std::string("\0\0\x75\x30", 4));
    std::uint32_t crc = 0xffffffff;
    for (std::size_t i = 12; i < 29; ++i) {
        crc ^= static_cast<unsigned char>(bytes[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320 & (0u - (crc & 1)));
    }
    crc = ~crc;
    for (int i = 0; i < 4; ++i)
        bytes[29 + static_cast<std::size_t>(i)] = static_cast<char>(crc >> (24 - 8 * i));
    return bytes;
}

std::string repeated(const std::string& text, int times)
{
    std::string result;
    result.reserve(text.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

std::string withCrLf(const std::string& text)
{
    std::string result;
    for (char c : text)
        result += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return result;
}

const std::string kBom = "\xEF\xBB\xBF";
const std::string kNumbers = "250,40,5,300";
const std::string kHeader = "勇者\n剣士\nhero.txt,hero.png\n" + kNumbers + "\n30,30,30,30,30,30,30\n"
    + "100,100,100,100,100,100,100,100\n100,100,100,100,100,100,100,100\n100,100,100,100,100,100\n----++\n";
const std::string kAttack = "斬る,xxxx,0,0,10,0,0,1,0,95,5,90\n0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n0,0,0,0,0,0,0\n";
const std::string kHero = kHeader + kAttack + "----++\n";
const std::string kTenMegabytes(10 << 20, 'A');
const std::string kNewNumbers = "100,50,5,500";

// Bytes of a listed entry that make it a symbolic link to the rest of the text, or a FIFO.
const std::string kLink = "<link>";
const std::string kFifo = "<fifo>";
const std::string kOutside = "outside, never changed";

using Files = std::vector<std::pair<std::string, std::string>>;

struct HostileCase {
    const char* name;
    Files files; // paths inside data/CharaList/
    bool listLoads;
    std::vector<Loaded> roster;
};

std::vector<HostileCase> hostileCases()
{
    const Loaded hero{"勇者", "hero.txt", "hero.png", kNumbers, 1, true, {}};
    const Loaded noPicture{"勇者", "hero.txt", "hero.png", kNumbers, 1, false, {}};
    const auto unreadable = [](const std::string& listed, std::string_view why) {
        return Loaded{listed, listed, "新規画像", kNewNumbers, 0, false, std::string(why)};
    };
    const std::string notRegular(failure::kNotRegular);
    const std::string png = pngBytes();
    const std::string fiftyMegabytes(50 << 20, 'A');
    std::string longList;
    for (int line = 0; line < 100'000; ++line)
        longList += "hero.txt\n";
    return {
        {"a whole file and its picture", {{"preset.txt", "hero.txt\n"}, {"hero.txt", kHero}, {"img/hero.png", png}},
         true, {hero}},
        {"character file not UTF-8 (Shift_JIS)", {{"preset.txt", "hero.txt\n"}, {"hero.txt", "\x97\x45\x8E\xD2\n"}},
         true, {unreadable("hero.txt", "UTF-8 のテキストではありません")}},
        {"preset list not UTF-8", {{"preset.txt", "hero\x82\xA0.txt\n"}, {"hero.txt", kHero}}, false, {}},
        {"byte-order marks", {{"preset.txt", kBom + "hero.txt\n"}, {"hero.txt", kBom + kHero}, {"img/hero.png", png}},
         true, {hero}},
        {"CRLF line ends",
         {{"preset.txt", "hero.txt\r\n"}, {"hero.txt", withCrLf(kHero)}, {"img/hero.png", png}}, true, {hero}},
        {"only name and tag", {{"preset.txt", "hero.txt\n"}, {"hero.txt", "勇者\n剣士\n"}}, true,
         {{"勇者", "hero.txt", "新規画像", kNewNumbers, 0, false, {}}}},
        {"attack cut after its first line", {{"preset.txt", "hero.txt\n"}, {"hero.txt", kHeader + "斬る,xxxx,0\n"}},
         true, {{"勇者", "hero.txt", "hero.png", kNumbers, 0, false, {}}}},
        {"picture that is not an image",
         {{"preset.txt", "hero.txt\n"}, {"hero.txt", kHero}, {"img/hero.png", "not a picture"}}, true, {noPicture}},
        {"a picture beyond the image allocation limit",
         {{"preset.txt", "hero.txt\n"}, {"hero.txt", kHero}, {"img/hero.png", hugePngBytes()}}, true, {noPicture}},
        {"10,000 attacks", {{"preset.txt", "hero.txt\n"}, {"hero.txt", kHeader + repeated(kAttack, 10000) + "----++\n"}},
         true, {{"勇者", "hero.txt", "hero.png", kNumbers, 10000, false, {}}}},
        {"a character file over 1 MB (a 50 MB line)",
         {{"preset.txt", "hero.txt\n"}, {"hero.txt", fiftyMegabytes + kHero.substr(kHero.find('\n'))}}, true,
         {unreadable("hero.txt", failure::kTooLarge)}},
        {"a 10 MB preset line", {{"preset.txt", kTenMegabytes + "\n"}}, true,
         {unreadable(kTenMegabytes, "ファイル名が長すぎます（File name too long）")}},
        {"a preset list over 32 MB (a 50 MB line)", {{"preset.txt", fiftyMegabytes + "\n"}}, false, {}},
        {"a 100,000-line list", {{"preset.txt", longList}, {"hero.txt", kHero}, {"img/hero.png", png}}, true,
         std::vector<Loaded>(100'000, hero)},
        {"a 100,001-line list", {{"preset.txt", longList + "hero.txt\n"}, {"hero.txt", kHero}}, false, {}},
        {"numbers beyond 32 bits",
         {{"preset.txt", "hero.txt\n"},
          {"hero.txt", "勇者\n剣士\nhero.txt,hero.png\n99999999999,-99999999999,4294967296,1e+20\n"}},
         true, {{"勇者", "hero.txt", "hero.png", "2147483647,-2147483648,2147483647,1", 0, false, {}}}},
        {"\"..\" in listed and picture names: nothing outside the folder is read",
         {{"preset.txt", "../outside.txt\n..\nhero.txt\n"},
          {"../outside.txt", kHero},
          {"hero.txt", "勇者\n剣士\nhero.txt,../../outside.png\n"},
          {"../outside.png", png}},
         true,
         {unreadable("../outside.txt", "ファイル名が使えません"), unreadable("..", "ファイル名が使えません"),
          {"勇者", "hero.txt", "../../outside.png", kNewNumbers, 0, false, {}}}},
        {"\"/\" in a listed name: the subfolder is not read", {{"preset.txt", "sub/hero.txt\n"}, {"sub/hero.txt", kHero}},
         true, {unreadable("sub/hero.txt", "ファイル名が使えません")}},
        {"commas in names: the listed name is the file's own",
         {{"preset.txt", "a,b.txt\n"}, {"a,b.txt", "名前,カンマ\n剣士\na,b.txt,a.png\n"}, {"img/b.txt", png}}, true,
         {{"名前,カンマ", "a,b.txt", "b.txt", kNewNumbers, 0, true, {}}}},
        {"links to a file outside the folder and to /etc/passwd",
         {{"preset.txt", "hero.txt\npasswd\n"}, {"hero.txt", kLink + "../../outside.txt"}, {"passwd", kLink + "/etc/passwd"}},
         true, {unreadable("hero.txt", failure::kLink), unreadable("passwd", failure::kLink)}},
        {"links to /dev/zero as a character file and as a picture",
         {{"preset.txt", "zero\nhero.txt\n"}, {"zero", kLink + "/dev/zero"}, {"hero.txt", kHero},
          {"img/hero.png", kLink + "/dev/zero"}},
         true, {unreadable("zero", failure::kLink), noPicture}},
        {"img/ a link to a folder outside",
         {{"preset.txt", "hero.txt\n"}, {"hero.txt", kHero}, {"../../pictures/hero.png", png},
          {"img", kLink + "../../pictures"}},
         true, {noPicture}},
        {"FIFOs as a character file and as a picture",
         {{"preset.txt", "fifo\nhero.txt\n"}, {"fifo", kFifo}, {"hero.txt", kHero}, {"img/hero.png", kFifo}}, true,
         {unreadable("fifo", notRegular), noPicture}},
    };
}

// Lays out a case's files; "outside.txt" beside the data folder is the file nothing may change.
void layOut(const TempDataFolder& folder, const Files& files)
{
    folder.write("../../outside.txt", kOutside);
    for (const auto& [path, bytes] : files) {
        const std::string full = folder.path(path);
        QDir().mkpath(QFileInfo(QString::fromStdString(full)).path());
        if (bytes.starts_with(kLink))
            ASSERT_EQ(::symlink(bytes.substr(kLink.size()).c_str(), full.c_str()), 0) << path;
        else if (bytes == kFifo)
            ASSERT_EQ(::mkfifo(full.c_str(), 0600), 0) << path;
        else
            folder.write(path, bytes);
    }
}

std::vector<Loaded> summaries(const AppState& state)
{
    std::vector<Loaded> roster;
    for (const OBJE* record = state.objeTop; record; record = record->next)
        roster.push_back(summary(*record));
    return roster;
}

} // namespace

// Through the application, and through partyclash-sim's storage of standard C++ alone, which skips pictures.
TEST(HostileFolderTest, EveryFolderLoadsAsStatedWithAndWithoutTheWindows)
{
    for (const HostileCase& c : hostileCases()) {
        SCOPED_TRACE(c.name);
        TempDataFolder folder;
        layOut(folder, c.files);
        {
            EditingApp app(folder);
            app.tick();
            app.tick();
            const AppState& state = app.app.state();
            EXPECT_EQ(state.initPresetFlag, !c.listLoads) << "a list that does not load is tried again";
            EXPECT_EQ(summaries(state), c.roster);
            EXPECT_EQ(app.app.characterList().rows().rowCount(), countOf(state.objeTop));
        }
        AppState state;
        FileStorage storage;
        EXPECT_EQ(sim::loadRoster(state, storage, folder.path("")).empty(), c.listLoads);
        std::vector<Loaded> expected = c.listLoads ? c.roster : std::vector<Loaded>{};
        for (Loaded& loaded : expected)
            loaded.picture = false;
        EXPECT_EQ(summaries(state), expected);
        EXPECT_EQ(folder.read("../../outside.txt"), kOutside);
    }
}

TEST(HostileFolderTest, NoSaveOrDeleteGoesThroughALink)
{
    const struct { const char* name; Files files; const char* outside; const char* picture; std::string refusal; } cases[] = {
        {"the picture a link to a file outside",
         {{"preset.txt", "hero.txt\n"}, {"hero.txt", kHero}, {"img/hero.png", kLink + "../../../outside.txt"}},
         "../../outside.txt", "hero.png", "同じ名前の画像がすでにあります：hero.png"},
        {"img/ a link to a folder outside",
         {{"preset.txt", "hero.txt\n"}, {"hero.txt", kHero}, {"../../pictures/hero.png", kOutside},
          {"img", kLink + "../../pictures"}},
         "../../pictures/hero.png", "new.png", std::string(failure::kNotRegular)},
    };
    QtStorage withPictures;
    FileStorage withoutWindows;
    for (Storage* storage : std::initializer_list<Storage*>{&withPictures, &withoutWindows}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            TempDataFolder folder;
            layOut(folder, c.files);
            AppState state;
            state.baseDir = folder.base();
            initPreset(state, *storage);
            roadFile(state, *storage);
            CharacterEdit edit = characterEditOf(*state.objeTop);
            edit.image = storage->decodePicture(pngBytes());
            edit.texts.imageName = c.picture;
            EXPECT_TRUE(submitCharacter(state, *storage, edit).saveFailure.starts_with(c.refusal));
            EXPECT_EQ(folder.read("hero.txt"), kHero) << "nothing of the save was made";
            EXPECT_EQ(deleteCharacter(state, *storage).row, 0);
            EXPECT_FALSE(folder.exists("hero.txt"));
            EXPECT_EQ(folder.read(c.outside), kOutside);
        }
    }
}
