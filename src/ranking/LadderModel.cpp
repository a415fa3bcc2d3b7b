// SPDX-License-Identifier: GPL-3.0-or-later
#include "LadderModel.h"

#include "ui/Text.h"

#include <QColor>
#include <QLocale>

#include <algorithm>

namespace pc {

RatingScale scaleOf(const sim::Ladder& ladder)
{
    // A rating that is only a bound has an interval as wide as it is
    // meaningless: its own rating counts, its bar is cut at the edge.
    RatingScale scale;
    for (const sim::LadderEntry& entry : ladder.entries) {
        const double reach = entry.beyondReach ? 0 : entry.rating.halfWidth;
        scale.low = std::min(scale.low, entry.rating.elo - reach);
        scale.high = std::max(scale.high, entry.rating.elo + reach);
    }
    const double margin = (scale.high - scale.low) * 0.04;
    return {scale.low - margin, scale.high + margin};
}

QColor tierColour(char tier)
{
    switch (tier) {
    case 'S':
        return QColor(0xf2, 0xc1, 0x4e);
    case 'A':
        return QColor(0x9a, 0xd6, 0x8f);
    case 'B':
        return QColor(0x9e, 0xc5, 0xee);
    case 'C':
        return QColor(0xd9, 0xd9, 0xd9);
    default:
        return QColor(0xee, 0xa6, 0xa0);
    }
}

void LadderModel::setLadder(sim::Ladder ladder, std::vector<std::string> names)
{
    beginResetModel();
    ladder_ = std::move(ladder);
    names_ = std::move(names);
    scale_ = scaleOf(ladder_);
    endResetModel();
}

void LadderModel::setOutdated(bool outdated)
{
    outdated_ = outdated;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int LadderModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(ladder_.entries.size());
}

int LadderModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columnCount_;
}

QVariant LadderModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const sim::LadderEntry& entry = ladder_.entries[static_cast<std::size_t>(index.row())];
    const sim::Rating& rating = entry.rating;
    const auto interval = [&] {
        return QStringLiteral("%1〜%2").arg(rating.elo - rating.halfWidth, 0, 'f', 1).arg(rating.elo + rating.halfWidth,
                                                                                           0, 'f', 1);
    };
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case rankColumn:
            return index.row() + 1;
        case nameColumn:
            return qs(names_.at(entry.entrant));
        case ratingColumn:
            return QString::number(rating.elo, 'f', 1);
        case battlesColumn:
            return QLocale(QLocale::English).toString(static_cast<qlonglong>(entry.battles));
        case winRateColumn:
            return QStringLiteral("%1%").arg(entry.winRate() * 100, 0, 'f', 1);
        case tierColumn:
            return QString(QChar(entry.tier));
        default:
            return {};
        }
    }
    if (role == Qt::ToolTipRole && (index.column() == intervalColumn || index.column() == ratingColumn)) {
        if (entry.beyondReach)
            return QStringLiteral("全勝または全敗のため、レーティングは%1の限界です（95%区間 %2）")
                .arg(entry.winRate() > 0.5 ? QStringLiteral("下") : QStringLiteral("上"), interval());
        return QStringLiteral("95%区間 %1").arg(interval());
    }
    if (role == Qt::BackgroundRole && index.column() == tierColumn)
        return outdated_ ? QColor(0xdd, 0xdd, 0xdd) : tierColour(entry.tier);
    if (role == Qt::ForegroundRole && outdated_)
        return QColor(0x80, 0x80, 0x80);
    if (role == Qt::TextAlignmentRole && index.column() != nameColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant LadderModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const kHeaders[] = {"順位", "名前", "レーティング", "95%区間", "戦闘数", "勝率", "ティア"};
    return section >= 0 && section < columnCount_ ? QString::fromUtf8(kHeaders[section]) : QVariant();
}

} // namespace pc
