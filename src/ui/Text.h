// SPDX-License-Identifier: GPL-3.0-or-later
// Conversions between the core's UTF-8 text and the widgets' strings.
#pragma once

#include <QString>

#include <string>

namespace pc {

inline QString qs(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string utf8(const QString& text)
{
    return text.toStdString();
}

} // namespace pc
