// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditChecks.h"

#include "roster/CharacterFile.h"
#include "roster/FileNames.h"
#include "roster/RosterEdit.h"

namespace pc {

namespace {

// The problem of a file or picture name, which the character file holds as a
// field and the data folder as a path.
std::string nameProblem(const std::string& name, std::string_view what, const OBJE* rosterTop, const OBJE* edited,
                        std::string OBJE::*field)
{
    if (std::string problem = fieldTextProblem(name, what); !problem.empty())
        return problem;
    if (!isUsableFileName(name))
        return std::string(what) + "が使えません（空、「/」「\\」を含む名前、preset.txt、img は不可）";
    if (namedByAnother(rosterTop, edited, field, name))
        return "ほかのキャラクターが同じ" + std::string(what) + "を使っています";
    return {};
}

} // namespace

std::string lineTextProblem(std::string_view text, std::string_view what)
{
    if (text.find_first_of("\n\r") != std::string_view::npos)
        return std::string(what) + "に改行は使えません";
    if (text.find(kSectionSeparator) != std::string_view::npos)
        return std::string(what) + "に「" + std::string(kSectionSeparator) + "」は使えません";
    return {};
}

std::string fieldTextProblem(std::string_view text, std::string_view what)
{
    if (std::string problem = lineTextProblem(text, what); !problem.empty())
        return problem;
    if (text.find(',') != std::string_view::npos)
        return std::string(what) + "にカンマ「,」は使えません";
    return {};
}

CharacterProblems characterProblems(const CharacterTexts& texts, const OBJE* rosterTop, const OBJE* edited)
{
    CharacterProblems problems;
    problems.name = lineTextProblem(texts.name, "名前");
    // The reader takes a byte-order mark at the start of a file for the encoding's, not the name's.
    if (problems.name.empty() && texts.name.starts_with("\xEF\xBB\xBF"))
        problems.name = "名前の先頭に見えない文字（BOM）は使えません";
    problems.tag = lineTextProblem(texts.tag, "タグ");
    problems.fileName = nameProblem(texts.fileName, "ファイル名", rosterTop, edited, &OBJE::fileName);
    problems.imageName = texts.hasPicture
        ? nameProblem(texts.imageName, "画像名", rosterTop, edited, &OBJE::imageName)
        : fieldTextProblem(texts.imageName, "画像名");
    return problems;
}

} // namespace pc
