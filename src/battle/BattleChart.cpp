// SPDX-License-Identifier: GPL-3.0-or-later
#include "BattleChart.h"

#include "ui/Text.h"

#include "ui_BattleChart.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QSaveFile>
#include <QScatterSeries>
#include <QValueAxis>

namespace pc {

namespace {

// Current HP as a percentage of the registered HP; 0 where none is registered.
double percentOf(double hp, double registered)
{
    return registered > 0 ? hp / registered * 100.0 : 0.0;
}

const QColor kPlayerColours[] = {QColor(0x1f, 0x6f, 0xd0), QColor(0x2a, 0x9d, 0x8f), QColor(0x57, 0x4b, 0xc8),
                                 QColor(0x3b, 0x8e, 0xd0)};
const QColor kEnemyColours[] = {QColor(0xd0, 0x4a, 0x1f), QColor(0xc8, 0x8a, 0x1b), QColor(0xb0, 0x2e, 0x6e),
                                QColor(0x8c, 0x5a, 0x2b)};

// The legend's columns: every entry shown in full, however many members fought.
constexpr int kLegendColumns = 4;
constexpr int kLegendNameWidth = 240;

// A short sample of a line, or a star, as the chart draws it.
QPixmap legendMark(const QAbstractSeries* series)
{
    QPixmap mark(28, 14);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setRenderHint(QPainter::Antialiasing);
    if (const auto* line = qobject_cast<const QLineSeries*>(series)) {
        painter.setPen(line->pen());
        painter.drawLine(2, 7, 26, 7);
    } else if (const auto* dots = qobject_cast<const QScatterSeries*>(series)) {
        painter.setPen(dots->color());
        painter.drawText(QRect(0, 0, 28, 14), Qt::AlignCenter, QStringLiteral("★"));
    }
    return mark;
}

void fillLegend(QGridLayout& layout, const QList<QAbstractSeries*>& series)
{
    while (QLayoutItem* item = layout.takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (int i = 0; i < series.size(); ++i) {
        auto* mark = new QLabel;
        mark->setPixmap(legendMark(series[i]));
        // A very long name is cut short so that the dialog keeps its size; the tooltip has it whole.
        auto* name = new QLabel;
        name->setText(name->fontMetrics().elidedText(series[i]->name(), Qt::ElideRight, kLegendNameWidth));
        name->setToolTip(series[i]->name());
        const int row = i / kLegendColumns;
        const int column = i % kLegendColumns * 2;
        layout.addWidget(mark, row, column);
        layout.addWidget(name, row, column + 1);
    }
    for (int column = 1; column < 2 * kLegendColumns; column += 2)
        layout.setColumnStretch(column, 1);
}

} // namespace

BattleChart::BattleChart(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::BattleChart>())
{
    ui_->setupUi(this);
    ui_->chartView->setRenderHint(QPainter::Antialiasing);
    connect(ui_->savePngButton, &QPushButton::clicked, this, &BattleChart::savePngAs);
    connect(ui_->closeButton, &QPushButton::clicked, this, &QDialog::close);
}

BattleChart::~BattleChart() = default;

void BattleChart::show(const BattleHistory& history)
{
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("HP（登録値に対する %）と勝つ見込み"));
    auto* presses = new QValueAxis;
    presses->setTitleText(QStringLiteral("押した回数"));
    presses->setLabelFormat(QStringLiteral("%d"));
    presses->setRange(0, std::max<qreal>(1, static_cast<qreal>(history.hp.size()) - 1));
    auto* percent = new QValueAxis;
    percent->setTitleText(QStringLiteral("%"));
    percent->setRange(0, 100);
    percent->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(presses, Qt::AlignBottom);
    chart->addAxis(percent, Qt::AlignLeft);
    const auto attach = [&](QAbstractSeries* series) {
        chart->addSeries(series);
        series->attachAxis(presses);
        series->attachAxis(percent);
    };

    std::size_t players = 0;
    std::size_t enemies = 0;
    for (std::size_t member = 0; member < history.names.size(); ++member) {
        auto* line = new QLineSeries;
        const bool player = history.onPlayerSide[member];
        line->setName((player ? QStringLiteral("味方 ") : QStringLiteral("敵 ")) + qs(history.names[member]));
        QPen pen(player ? kPlayerColours[players++ % 4] : kEnemyColours[enemies++ % 4]);
        pen.setWidthF(2);
        if (!player)
            pen.setStyle(Qt::DashLine);
        line->setPen(pen);
        for (std::size_t press = 0; press < history.hp.size(); ++press)
            line->append(static_cast<qreal>(press), percentOf(history.hp[press][member], history.registeredHP[member]));
        attach(line);
    }

    auto* chance = new QLineSeries;
    chance->setName(QStringLiteral("勝つ見込み"));
    QPen chancePen(QColor(0x22, 0x22, 0x22));
    chancePen.setWidthF(3);
    chance->setPen(chancePen);
    for (std::size_t press = 0; press < history.chance.size(); ++press)
        if (history.chance[press])
            chance->append(static_cast<qreal>(press), *history.chance[press] * 100.0);
    attach(chance);

    auto* falls = new QScatterSeries;
    falls->setName(QStringLiteral("倒した一撃"));
    falls->setMarkerShape(QScatterSeries::MarkerShapeStar);
    falls->setMarkerSize(18);
    falls->setColor(QColor(0xe0, 0x10, 0x10));
    for (const BattleHistory::Fall& fall : history.falls())
        falls->append(static_cast<qreal>(fall.press), 0);
    attach(falls);

    chart->legend()->hide();
    fillLegend(*ui_->legendLayout, chart->series());
    QChart* old = ui_->chartView->chart();
    ui_->chartView->setChart(chart);
    delete old;
}

QString BattleChart::savePng(const QString& path)
{
    const QPixmap picture = ui_->chartArea->grab();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit())
        return file.errorString().isEmpty() ? QStringLiteral("PNG を書けませんでした") : file.errorString();
    return {};
}

void BattleChart::savePngAs()
{
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("グラフを保存"), QStringLiteral("battle.png"),
                                                QStringLiteral("PNG 画像 (*.png)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");
    const QString reason = savePng(path);
    if (!reason.isEmpty())
        QMessageBox::warning(this, QStringLiteral("保存できません"), path + QStringLiteral(" を保存できませんでした。\n") + reason);
}

} // namespace pc
