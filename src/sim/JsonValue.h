// SPDX-License-Identifier: GPL-3.0-or-later
// A small JSON reader for the files partyclash-sim writes itself: objects,
// arrays, strings, numbers, true, false and null, nested at most 64 deep.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pc::sim {

struct JsonValue {
    enum class Kind { null, boolean, number, string, array, object };
    Kind kind = Kind::null;
    bool boolean = false;
    double number = 0;
    std::string text; // a string's value, or a number as written
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue, std::less<>> members;

    // The member of an object, or a null value when there is none.
    const JsonValue& operator[](std::string_view name) const;
    // A number that is a whole number from `low` to `high`, or none.
    std::optional<std::int64_t> whole(std::int64_t low, std::int64_t high) const;
};

// The value the whole text holds, or none when it is not JSON.
std::optional<JsonValue> parseJson(std::string_view text);

} // namespace pc::sim
