#include "PresetList.h"

#include "TextLines.h"

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

} // namespace pc
