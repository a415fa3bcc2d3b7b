// SPDX-License-Identifier: GPL-3.0-or-later
#include "RankingChart.h"

#include "balance/HeatMap.h"
#include "ui/Text.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

namespace pc {

void showRanking(QChart& chart, const sim::MatrixResult& result)
{
    chart.removeAllSeries();
    // Series are deleted with their removal; axes are handed back and deleted here.
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
    chart.legend()->hide();
    chart.setTitle(QStringLiteral("総合勝率"));

    const std::vector<sim::Standing> ranking = sim::standings(result);
    const int count = static_cast<int>(ranking.size());
    auto* x = new QValueAxis;
    x->setRange(0, 100);
    x->setTickCount(11);
    x->setLabelFormat(QStringLiteral("%d%%"));
    x->setTitleText(QStringLiteral("両側の全対戦での勝率（線は95%区間）"));
    auto* y = new QCategoryAxis;
    y->setTruncateLabels(false); // the chart is made tall and wide enough instead
    y->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    y->setRange(-0.5, std::max(0, count - 1) + 0.5);
    y->setGridLineVisible(false);
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);

    auto* middle = new QLineSeries;
    middle->setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::DashLine));
    middle->append(50, -0.5);
    middle->append(50, count - 0.5);
    chart.addSeries(middle);
    middle->attachAxis(x);
    middle->attachAxis(y);

    auto* dots = new QScatterSeries;
    dots->setMarkerSize(8);
    dots->setColor(QColor(0x20, 0x20, 0x20));
    dots->setBorderColor(QColor(0x20, 0x20, 0x20));
    // From the bottom up, as the axis takes its labels: the strongest at the top.
    for (int i = count - 1; i >= 0; --i) {
        const sim::Standing& standing = ranking[static_cast<std::size_t>(i)];
        const double at = count - 1 - i;
        const sim::Interval interval = sim::wilsonInterval(standing.wins, standing.battles);
        auto* bar = new QLineSeries;
        bar->setPen(QPen(winRateColour(standing.winRate()), 6, Qt::SolidLine, Qt::FlatCap));
        bar->append(interval.low * 100, at);
        bar->append(interval.high * 100, at);
        chart.addSeries(bar);
        bar->attachAxis(x);
        bar->attachAxis(y);
        dots->append(standing.winRate() * 100, at);
        y->append(QString::number(i + 1) + QStringLiteral(". ") + qs(result.setup.names[standing.entrant])
                      + QStringLiteral("  ") + QString::number(standing.winRate() * 100, 'f', 1) + QStringLiteral("%"),
                  at);
    }
    chart.addSeries(dots);
    dots->attachAxis(x);
    dots->attachAxis(y);
}

int rankingHeight(std::size_t entrants)
{
    constexpr int kPerEntrant = 24;
    constexpr int kTitleAndAxis = 140;
    return kTitleAndAxis + static_cast<int>(entrants) * kPerEntrant;
}

QImage rankingPicture(const sim::MatrixResult& result)
{
    QChartView view;
    view.setRenderHint(QPainter::Antialiasing);
    showRanking(*view.chart(), result);
    view.resize(960, rankingHeight(result.setup.names.size()));
    return view.grab().toImage();
}

} // namespace pc
