// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the character file reader: any bytes load, and the file written from what
// loaded reads back as the same character.
#include "RoundTrip.h"

#include "roster/CharacterFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pc;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Arena<ATTACK> attacks;
    OBJE record;
    readCharacter(bytes, "listed", record, attacks);
    if (!comesBackAsFirstLine(record.name) || !lineTextProblem(record.tag, "").empty()
        || !fieldTextProblem(record.fileName, "").empty() || !fieldTextProblem(record.imageName, "").empty())
        return 0;

    const std::string written = characterText(record);
    OBJE reread;
    readCharacter(written, "listed", reread, attacks);
    if (characterText(reread) != written)
        std::abort();
    return 0;
}
