// SPDX-License-Identifier: GPL-3.0-or-later
#include "PresetList.h"

#include "TextLines.h"

#include <algorithm>

namespace pc {

std::optional<std::vector<std::string>> parsePresetText(std::string_view fileText)
{
    if (!isValidUtf8(fileText))
        return std::nullopt;
    const std::string text = withoutBomAndCr(fileText);
    const auto pieces = splitAt(text, "\n");
    if (pieces.size() <= 1)
        return std::nullopt;
    return std::vector<std::string>(pieces.begin(), pieces.end() - 1);
}

std::string presetText(const OBJE* rosterTop)
{
    std::string text;
    for (const OBJE* record = rosterTop; record; record = record->next) {
        text += record->fileName;
        text += '\n';
    }
    return text;
}

PresetFile readPresetFile(Storage& storage, const std::string& path)
{
    PresetFile result;
    FileRead read = storage.readFile(path, kPresetFileLimit);
    if (!read.bytes) {
        result.problem = read.missing ? std::string() : read.reason;
        return result;
    }
    if (static_cast<std::size_t>(std::count(read.bytes->begin(), read.bytes->end(), '\n')) > kPresetLineLimit) {
        result.problem = "行が多すぎます（" + std::to_string(kPresetLineLimit) + " 行まで）";
        return result;
    }
    result.names = parsePresetText(*read.bytes);
    if (!result.names)
        result.problem = isValidUtf8(*read.bytes) ? "改行で終わる行がありません" : "UTF-8 のテキストではありません";
    result.text = std::move(*read.bytes);
    return result;
}

std::string presetLimitFailure(const OBJE* rosterTop, std::size_t adding)
{
    std::size_t lines = adding;
    std::size_t bytes = 0;
    for (const OBJE* record = rosterTop; record; record = record->next) {
        ++lines;
        bytes += record->fileName.size() + 1;
    }
    if (lines > kPresetLineLimit)
        return "キャラクターは " + std::to_string(kPresetLineLimit) + " 人までです（preset.txt は "
            + std::to_string(kPresetLineLimit) + " 行まで読み込めます）";
    if (bytes > kPresetFileLimit)
        return "preset.txt が大きすぎます（" + std::to_string(kPresetFileLimit >> 20) + " MB まで読み込めます）";
    return {};
}

} // namespace pc
