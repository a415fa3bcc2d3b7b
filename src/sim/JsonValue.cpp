// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonValue.h"

#include <charconv>
#include <cmath>
#include <tuple>

namespace pc::sim {

namespace {

constexpr int kDeepest = 64;

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool value(JsonValue& into, int depth)
    {
        skipSpace();
        if (depth > kDeepest || at_ >= text_.size())
            return false;
        switch (text_[at_]) {
        case '{':
            return object(into, depth);
        case '[':
            return array(into, depth);
        case '"':
            into.kind = JsonValue::Kind::string;
            return string(into.text);
        default:
            return word(into);
        }
    }

    bool atEnd()
    {
        skipSpace();
        return at_ == text_.size();
    }

private:
    void skipSpace()
    {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t'))
            ++at_;
    }

    bool take(char c)
    {
        skipSpace();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    bool object(JsonValue& into, int depth)
    {
        into.kind = JsonValue::Kind::object;
        ++at_;
        if (take('}'))
            return true;
        do {
            std::string name;
            JsonValue member;
            skipSpace();
            if (at_ >= text_.size() || text_[at_] != '"' || !string(name) || !take(':') || !value(member, depth + 1))
                return false;
            into.members[name] = std::move(member);
        } while (take(','));
        return take('}');
    }

    bool array(JsonValue& into, int depth)
    {
        into.kind = JsonValue::Kind::array;
        ++at_;
        if (take(']'))
            return true;
        do {
            if (!value(into.items.emplace_back(), depth + 1))
                return false;
        } while (take(','));
        return take(']');
    }

    static void append(std::string& out, std::uint32_t code)
    {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool hex4(std::uint32_t& code)
    {
        if (at_ + 4 > text_.size())
            return false;
        const auto [end, error] = std::from_chars(text_.data() + at_, text_.data() + at_ + 4, code, 16);
        at_ += 4;
        return error == std::errc() && end == text_.data() + at_;
    }

    bool string(std::string& out)
    {
        ++at_; // the opening quote
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size())
                return false;
            const char escaped = text_[at_++];
            static constexpr std::string_view plain = "\"\\/bfnrt";
            static constexpr std::string_view meant = "\"\\/\b\f\n\r\t";
            if (const std::size_t k = plain.find(escaped); k != std::string_view::npos) {
                out += meant[k];
                continue;
            }
            std::uint32_t code = 0;
            if (escaped != 'u' || !hex4(code))
                return false;
            if (code >= 0xD800 && code < 0xDC00) {
                std::uint32_t low = 0;
                if (!text_.substr(at_).starts_with("\\u") || (at_ += 2, !hex4(low)) || low < 0xDC00 || low >= 0xE000)
                    return false;
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            } else if (code >= 0xDC00 && code < 0xE000) {
                return false;
            }
            append(out, code);
        }
        return false;
    }

    bool word(JsonValue& into)
    {
        for (const auto& [name, kind, truth] : {std::tuple{"true", JsonValue::Kind::boolean, true},
                                                std::tuple{"false", JsonValue::Kind::boolean, false},
                                                std::tuple{"null", JsonValue::Kind::null, false}}) {
            if (text_.substr(at_).starts_with(name)) {
                at_ += std::string_view(name).size();
                into.kind = kind;
                into.boolean = truth;
                return true;
            }
        }
        const std::size_t start = at_;
        while (at_ < text_.size() && std::string_view("+-.0123456789eE").find(text_[at_]) != std::string_view::npos)
            ++at_;
        into.kind = JsonValue::Kind::number;
        into.text = text_.substr(start, at_ - start);
        const auto [end, error] = std::from_chars(text_.data() + start, text_.data() + at_, into.number);
        return at_ > start && error == std::errc() && end == text_.data() + at_ && std::isfinite(into.number);
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

} // namespace

const JsonValue& JsonValue::operator[](std::string_view name) const
{
    static const JsonValue none;
    const auto found = members.find(name);
    return found == members.end() ? none : found->second;
}

std::optional<std::int64_t> JsonValue::whole(std::int64_t low, std::int64_t high) const
{
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (kind != Kind::number || error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<JsonValue> parseJson(std::string_view text)
{
    Reader reader(text);
    JsonValue value;
    if (!reader.value(value, 0) || !reader.atEnd())
        return std::nullopt;
    return value;
}

} // namespace pc::sim
