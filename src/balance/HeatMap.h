// SPDX-License-Identifier: GPL-3.0-or-later
// The balance matrix as a table: rows are the player, columns the enemy, each
// cell the player's win rate coloured on one diverging scale.
#pragma once

#include "sim/Matrix.h"

#include <QAbstractTableModel>
#include <QColor>

namespace pc {

// The colour of a win rate from 0 to 1: dark blue through a neutral grey at
// one half to light amber. Its lightness rises all the way, so the scale
// reads in grey too; the text drawn on it is black or white for contrast.
QColor winRateColour(double rate);
QColor textColourOn(const QColor& background);
// The colour of a cell whose result is outdated: its lightness, faded toward white.
QColor greyedOut(const QColor& colour);

class HeatMapModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setResult(const sim::MatrixResult& result);
    const sim::MatrixResult& result() const { return result_; }
    // Greys every cell while the result no longer matches the roster.
    void setOutdated(bool outdated);
    bool outdated() const { return outdated_; }
    // The pairing of a cell, or none where the cell's pairing is not finished.
    const sim::PairingResult* pairingAt(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    sim::MatrixResult result_;
    bool outdated_ = false;
    std::vector<int> cells_; // pairing index per cell, row by row; -1 for none
};

} // namespace pc
