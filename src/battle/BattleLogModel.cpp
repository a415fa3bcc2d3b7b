// SPDX-License-Identifier: GPL-3.0-or-later
#include "BattleLogModel.h"

#include "ui/Text.h"

#include <algorithm>

namespace pc {

int BattleLogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant BattleLogModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
        return {};
    // The tab that separates the number in copied text shows as a narrow gap.
    const auto row = static_cast<std::size_t>(index.row());
    return qs(logLine(row + 1, entries_[row])).replace(QLatin1Char('\t'), QStringLiteral("  "));
}

void BattleLogModel::append(LogEntry entry)
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    entries_.push_back(std::move(entry));
    endInsertRows();
}

void BattleLogModel::clear()
{
    beginResetModel();
    entries_.clear();
    endResetModel();
}

QString BattleLogModel::text(QModelIndexList rows) const
{
    if (rows.isEmpty()) {
        for (int row = 0; row < rowCount(); ++row)
            rows.append(index(row));
    }
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QString text;
    for (const QModelIndex& row : rows) {
        const auto entry = static_cast<std::size_t>(row.row());
        text += qs(logLine(entry + 1, entries_[entry])) + QLatin1Char('\n');
    }
    return text;
}

} // namespace pc
