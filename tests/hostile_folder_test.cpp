// Hostile data folders: damaged, odd and oversized files load through the application without a crash or a hang, into the roster each case states.
#include "EditingApp.h"

#include "records/RowRule.h"
#include "roster/CharacterFile.h"

#include <QBuffer>

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

    bool operator==(const Loaded&) const = default;
};

void PrintTo(const Loaded& loaded, std::ostream* out)
{
    const std::string name = loaded.name.size() > 40 ? loaded.name.substr(0, 40) + "..." : loaded.name;
    *out << "{" << name << " (" << loaded.name.size() << " bytes), " << loaded.fileName << ", " << loaded.imageName
         << ", " << loaded.numbers << ", " << loaded.attacks << " attacks" << (loaded.picture ? ", picture}" : "}");
}

Loaded summary(const OBJE& record)
{
    std::size_t attacks = 0;
    for (const ATTACK* attack = record.attacks; attack; attack = attack->next)
        ++attacks;
    const std::string text = characterText(record);
    const std::size_t line4 = text.find('\n', text.find('\n', text.find('\n') + 1) + 1) + 1;
    return {record.name, record.fileName, record.imageName, text.substr(line4, text.find('\n', line4) - line4),
            attacks, record.image != nullptr};
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

using Files = std::vector<std::pair<std::string, std::string>>;

struct HostileCase {
    const char* name;
    Files files; // paths inside data/CharaList/
    bool listLoads;
    std::vector<Loaded> roster;
};

std::vector<HostileCase> hostileCases()
{
    const Loaded hero{"勇者", "hero.txt", "hero.png", kNumbers, 1, true};
    const Loaded fresh{"新規キャラクター", "hero.txt", "新規画像", kNewNumbers, 0, false};
    const std::string png = pngBytes();
    return {
        {"a whole file and its picture", {{"preset.txt", "hero.txt\n"}, {"hero.txt", kHero}, {"img/hero.png", png}},
         true, {hero}},
        {"character file not UTF-8 (Shift_JIS)", {{"preset.txt", "hero.txt\n"}, {"hero.txt", "\x97\x45\x8E\xD2\n"}},
         true, {fresh}},
        {"preset list not UTF-8", {{"preset.txt", "hero\x82\xA0.txt\n"}, {"hero.txt", kHero}}, false, {}},
        {"byte-order marks", {{"preset.txt", kBom + "hero.txt\n"}, {"hero.txt", kBom + kHero}, {"img/hero.png", png}},
         true, {hero}},
        {"CRLF line ends",
         {{"preset.txt", "hero.txt\r\n"}, {"hero.txt", withCrLf(kHero)}, {"img/hero.png", png}}, true, {hero}},
        {"only name and tag", {{"preset.txt", "hero.txt\n"}, {"hero.txt", "勇者\n剣士\n"}}, true,
         {{"勇者", "hero.txt", "新規画像", kNewNumbers, 0, false}}},
        {"attack cut after its first line", {{"preset.txt", "hero.txt\n"}, {"hero.txt", kHeader + "斬る,xxxx,0\n"}},
         true, {{"勇者", "hero.txt", "hero.png", kNumbers, 0, false}}},
        {"picture that is not an image",
         {{"preset.txt", "hero.txt\n"}, {"hero.txt", kHero}, {"img/hero.png", "not a picture"}}, true,
         {{"勇者", "hero.txt", "hero.png", kNumbers, 1, false}}},
        {"10,000 attacks", {{"preset.txt", "hero.txt\n"}, {"hero.txt", kHeader + repeated(kAttack, 10000) + "----++\n"}},
         true, {{"勇者", "hero.txt", "hero.png", kNumbers, 10000, false}}},
        {"a 10 MB name line",
         {{"preset.txt", "hero.txt\n"}, {"hero.txt", kTenMegabytes + kHero.substr(kHero.find('\n'))}}, true,
         {{kTenMegabytes, "hero.txt", "hero.png", kNumbers, 1, false}}},
        {"a 10 MB preset line", {{"preset.txt", kTenMegabytes + "\n"}}, true,
         {{"新規キャラクター", kTenMegabytes, "新規画像", kNewNumbers, 0, false}}},
        {"numbers beyond 32 bits",
         {{"preset.txt", "hero.txt\n"},
          {"hero.txt", "勇者\n剣士\nhero.txt,hero.png\n99999999999,-99999999999,4294967296,1e+20\n"}},
         true, {{"勇者", "hero.txt", "hero.png", "2147483647,-2147483648,2147483647,1", 0, false}}},
        {"\"..\" in listed and picture names: nothing outside the folder is read",
         {{"preset.txt", "../outside.txt\n..\nhero.txt\n"},
          {"../outside.txt", kHero},
          {"hero.txt", "勇者\n剣士\nhero.txt,../../outside.png\n"},
          {"../outside.png", png}},
         true,
         {{"新規キャラクター", "../outside.txt", "新規画像", kNewNumbers, 0, false},
          {"新規キャラクター", "..", "新規画像", kNewNumbers, 0, false},
          {"勇者", "hero.txt", "../../outside.png", kNewNumbers, 0, false}}},
        {"\"/\" in a listed name: the subfolder is not read", {{"preset.txt", "sub/hero.txt\n"}, {"sub/hero.txt", kHero}},
         true, {{"新規キャラクター", "sub/hero.txt", "新規画像", kNewNumbers, 0, false}}},
        {"commas in names: the file's own name ends at the first comma",
         {{"preset.txt", "a,b.txt\n"}, {"a,b.txt", "名前,カンマ\n剣士\na,b.txt,a.png\n"}, {"img/b.txt", png}}, true,
         {{"名前,カンマ", "a", "b.txt", kNewNumbers, 0, true}}},
    };
}

} // namespace

TEST(HostileFolderTest, EveryFolderLoadsAsStated)
{
    for (const HostileCase& c : hostileCases()) {
        SCOPED_TRACE(c.name);
        TempDataFolder folder;
        for (const auto& [path, bytes] : c.files)
            folder.write(path, bytes);
        EditingApp app(folder);
        app.tick();
        app.tick();
        const AppState& state = app.app.state();
        EXPECT_EQ(state.initPresetFlag, !c.listLoads) << "a list that does not load is tried again";
        std::vector<Loaded> roster;
        for (const OBJE* record = state.objeTop; record; record = record->next)
            roster.push_back(summary(*record));
        EXPECT_EQ(roster, c.roster);
        EXPECT_EQ(app.app.characterList().rows().rowCount(), countOf(state.objeTop));
    }
}
