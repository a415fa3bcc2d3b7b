// SPDX-License-Identifier: GPL-3.0-or-later
// The battle log as a list for the battle window: one row a press, numbered,
// each message on one line.
#pragma once

#include "battle/BattleLog.h"

#include <QAbstractListModel>
#include <QModelIndexList>

#include <vector>

namespace pc {

class BattleLogModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const std::vector<LogEntry>& entries() const { return entries_; }
    void append(LogEntry entry);
    void clear();

    // The rows as text, one line each in log order (every row when none is given).
    QString text(QModelIndexList rows) const;

private:
    std::vector<LogEntry> entries_;
};

} // namespace pc
