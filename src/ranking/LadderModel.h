// SPDX-License-Identifier: GPL-3.0-or-later
// The ladder as a table: rank, name, rating, its 95% interval (drawn as a bar
// by IntervalBarDelegate), battles, win rate and tier, the tier coloured.
#pragma once

#include "sim/Ladder.h"

#include <QAbstractTableModel>

#include <string>
#include <vector>

namespace pc {

// The ratings every bar of one ladder is drawn against.
struct RatingScale {
    double low = 1400;
    double high = 1600;
};

RatingScale scaleOf(const sim::Ladder& ladder);
QColor tierColour(char tier);

class LadderModel : public QAbstractTableModel {
public:
    enum Column { rankColumn, nameColumn, ratingColumn, intervalColumn, battlesColumn, winRateColumn, tierColumn,
                  columnCount_ };

    void setLadder(sim::Ladder ladder, std::vector<std::string> names);
    // Greys every row: the roster has changed since.
    void setOutdated(bool outdated);
    bool outdated() const { return outdated_; }
    const sim::Ladder& ladder() const { return ladder_; }
    const std::vector<std::string>& names() const { return names_; } // by entrant
    const RatingScale& scale() const { return scale_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    sim::Ladder ladder_;
    std::vector<std::string> names_;
    RatingScale scale_;
    bool outdated_ = false;
};

} // namespace pc
