// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeatMap.h"

#include "ui/Text.h"

#include <cmath>

namespace pc {

namespace {

struct Stop {
    double at;
    int r, g, b;
};

// Relative luminances about 0.06, 0.39 and 0.60.
constexpr Stop kStops[] = {{0.0, 0x2c, 0x3e, 0x8c}, {0.5, 0xa8, 0xa8, 0xa8}, {1.0, 0xf5, 0xc8, 0x4a}};

double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

QString percentText(double share, int decimals)
{
    return QString::number(share * 100, 'f', decimals) + QStringLiteral("%");
}

} // namespace

QColor winRateColour(double rate)
{
    rate = std::clamp(rate, 0.0, 1.0);
    const Stop& low = rate <= 0.5 ? kStops[0] : kStops[1];
    const Stop& high = rate <= 0.5 ? kStops[1] : kStops[2];
    const double t = (rate - low.at) / (high.at - low.at);
    auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    return QColor(mix(low.r, high.r), mix(low.g, high.g), mix(low.b, high.b));
}

QColor textColourOn(const QColor& background)
{
    const double luminance = 0.2126 * linear(background.red()) + 0.7152 * linear(background.green())
        + 0.0722 * linear(background.blue());
    return luminance < 0.18 ? QColor(Qt::white) : QColor(Qt::black);
}

QColor greyedOut(const QColor& colour)
{
    const int lightness = 176 + qGray(colour.rgb()) * 64 / 255;
    return QColor(lightness, lightness, lightness);
}

void HeatMapModel::setOutdated(bool outdated)
{
    outdated_ = outdated;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void HeatMapModel::setResult(const sim::MatrixResult& result)
{
    const bool sameShape = result.setup.names == result_.setup.names;
    if (!sameShape)
        beginResetModel();
    result_ = result;
    const int size = static_cast<int>(result_.setup.names.size());
    cells_.assign(static_cast<std::size_t>(size * size), -1);
    for (std::size_t i = 0; i < result_.setup.pairings.size(); ++i) {
        const sim::Pairing& pairing = result_.setup.pairings[i];
        if (result_.pairings[i])
            cells_[pairing.player * static_cast<std::size_t>(size) + pairing.enemy] = static_cast<int>(i);
    }
    if (!sameShape)
        endResetModel();
    else if (size > 0)
        emit dataChanged(index(0, 0), index(size - 1, size - 1));
}

const sim::PairingResult* HeatMapModel::pairingAt(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    const int pairing = cells_[static_cast<std::size_t>(row * columnCount() + column)];
    return pairing < 0 ? nullptr : &*result_.pairings[static_cast<std::size_t>(pairing)];
}

int HeatMapModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(result_.setup.names.size());
}

int HeatMapModel::columnCount(const QModelIndex& parent) const
{
    return rowCount(parent);
}

QVariant HeatMapModel::data(const QModelIndex& index, int role) const
{
    const sim::PairingResult* pairing = pairingAt(index.row(), index.column());
    if (!pairing)
        return role == Qt::DisplayRole ? QVariant(QStringLiteral("…")) : QVariant();
    const sim::PairingTotals& totals = pairing->lineups.front();
    const double rate = totals.winRate();
    switch (role) {
    case Qt::DisplayRole:
        return QString::number(std::lround(rate * 100)) + QStringLiteral("%");
    case Qt::BackgroundRole:
        return outdated_ ? greyedOut(winRateColour(rate)) : winRateColour(rate);
    case Qt::ForegroundRole:
        return outdated_ ? QColor(0x60, 0x60, 0x60) : textColourOn(winRateColour(rate));
    case Qt::TextAlignmentRole:
        return Qt::AlignCenter;
    case Qt::ToolTipRole: {
        const sim::Interval interval = sim::wilsonInterval(totals.wins, totals.battles);
        const auto& names = result_.setup.names;
        QString tip = (outdated_ ? QStringLiteral("（古い結果）") : QString()) + qs(names[static_cast<std::size_t>(index.row())]) + QStringLiteral(" 対 ")
            + qs(names[static_cast<std::size_t>(index.column())]) + QStringLiteral("\n勝率 ") + percentText(rate, 1)
            + QStringLiteral("（95%区間 ") + percentText(interval.low, 1) + QStringLiteral("〜")
            + percentText(interval.high, 1) + QStringLiteral("）\n") + QString::number(totals.battles)
            + QStringLiteral("戦");
        if (totals.presses.count() > 0)
            tip += QStringLiteral("・決着まで平均 ") + QString::number(totals.presses.mean(), 'f', 1)
                + QStringLiteral(" 手");
        if (totals.nobody + totals.unfinished > 0)
            tip += QStringLiteral("\n決着なし ") + QString::number(totals.nobody + totals.unfinished)
                + QStringLiteral("戦");
        return tip;
    }
    default:
        return {};
    }
}

QVariant HeatMapModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section < 0 || section >= rowCount())
        return {};
    const QString name = qs(result_.setup.names[static_cast<std::size_t>(section)]);
    if (role == Qt::DisplayRole)
        return orientation == Qt::Horizontal ? QString::number(section + 1)
                                             : QString::number(section + 1) + QStringLiteral(" ") + name;
    if (role == Qt::ToolTipRole)
        return name + (orientation == Qt::Horizontal ? QStringLiteral("（敵）") : QStringLiteral("（味方）"));
    return {};
}

} // namespace pc
