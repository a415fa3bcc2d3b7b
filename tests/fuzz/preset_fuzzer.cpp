// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the preset list reader: any bytes load, and the list written from the
// names that loaded reads back as the same names.
#include "RoundTrip.h"

#include "records/Arena.h"
#include "roster/PresetList.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pc;
    const auto names = parsePresetText(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto isLine = [](const std::string& name) { return lineTextProblem(name, "").empty(); };
    if (!names || !comesBackAsFirstLine(names->front()) || !std::all_of(names->begin(), names->end(), isLine))
        return 0;

    Arena<OBJE> records;
    OBJE* top = nullptr;
    OBJE** link = &top;
    for (const std::string& name : *names) {
        OBJE* record = records.make();
        record->fileName = name;
        *link = record;
        link = &record->next;
    }
    if (parsePresetText(presetText(top)) != names)
        std::abort();
    return 0;
}
