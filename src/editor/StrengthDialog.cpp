// SPDX-License-Identifier: GPL-3.0-or-later
#include "StrengthDialog.h"

#include "battle/DerivedStats.h"
#include "records/RowRule.h"
#include "roster/CharacterFile.h"
#include "roster/FileNames.h"
#include "sim/StrengthTest.h"
#include "ui/Text.h"

#include "ui_StrengthDialog.h"

#include <QHeaderView>
#include <QThread>

namespace pc {

namespace {

QString percent(double share)
{
    return QString::number(share * 100, 'f', 1) + QStringLiteral("%");
}

QString signedPercent(double share)
{
    const QString text = percent(share);
    return text.startsWith(u'-') && text != QStringLiteral("-0.0%") ? text : QStringLiteral("+") + percent(std::abs(share));
}

QString change(const sim::PairedChange& change)
{
    const sim::Interval interval = change.interval();
    return signedPercent(change.mean()) + QStringLiteral("（") + signedPercent(interval.low) + QStringLiteral("〜")
        + signedPercent(interval.high) + QStringLiteral("）");
}

void updateDerived(OBJE& record)
{
    const STATUS& s = record.baseStatus;
    storeDerived(record.baseStatus, derivedStats({s.STR, s.VIT, s.AGI, s.DEX, s.MEN, s.INT}));
}

} // namespace

StrengthDialog::StrengthDialog(QWidget* parent)
    : QDialog(parent)
    , ui_(std::make_unique<Ui::StrengthDialog>())
{
    ui_->setupUi(this);
    ui_->changesTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    ui_->changesTable->verticalHeader()->hide();
    pollTimer_.setInterval(50);
    connect(&pollTimer_, &QTimer::timeout, this, &StrengthDialog::poll);
    connect(ui_->closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

StrengthDialog::~StrengthDialog()
{
    runner_.reset(); // stops the threads before the rosters they read go
}

void StrengthDialog::start(AppContext& context, std::int32_t row, const CharacterEdit& edit, std::int64_t battles)
{
    stop();
    ui_->summaryLabel->clear();
    ui_->changesTable->setRowCount(0);
    ui_->progressBar->setValue(0);
    const OBJE* record = recordAt(context.state.objeTop, row);
    if (!record)
        return;
    if (row < 0)
        row = countOf(context.state.objeTop) - 1;
    const std::optional<std::string> saved =
        context.storage.read(characterFolder(context.state.baseDir) + record->fileName);
    if (!saved) {
        ui_->explanationLabel->setText(QStringLiteral("「%1」は保存されたファイルがないため、比べられません。").arg(qs(record->name)));
        return;
    }
    before_ = std::make_unique<AppState>();
    after_ = std::make_unique<AppState>();
    sim::copyRoster(context.state.objeTop, *before_);
    sim::copyRoster(context.state.objeTop, *after_);

    OBJE* old = recordAt(before_->objeTop, row);
    OBJE* next = old->next;
    *old = OBJE{};
    readCharacter(*saved, record->fileName, *old, before_->attacks);
    old->next = next;
    old->image = nullptr;
    updateDerived(*old);

    OBJE* edited = recordAt(after_->objeTop, row);
    for (std::size_t i = 0; i < kEditedStats.size(); ++i)
        edited->baseStatus.*kEditedStats[i] = edit.stats[i];
    if (context.state.Robje)
        edited->baseResist = *context.state.Robje;
    updateDerived(*edited);

    tested_ = static_cast<std::size_t>(row);
    const int others = countOf(context.state.objeTop) - 1;
    ui_->explanationLabel->setText(
        QStringLiteral("「%1」の保存時と編集中を、ほかの%2人と味方・敵の両側で、同じシードで1組%3戦ずつ戦わせます。何も保存しません。")
            .arg(qs(record->name))
            .arg(others)
            .arg(battles));
    runner_ = std::make_unique<sim::MatrixRunner>(
        sim::strengthSetup(before_->objeTop, after_->objeTop, row, battles, 1), std::max(1, QThread::idealThreadCount()));
    pollTimer_.start();
}

void StrengthDialog::stop()
{
    if (!runner_)
        return;
    runner_->cancel();
    poll();
}

void StrengthDialog::done(int result)
{
    stop();
    QDialog::done(result);
}

void StrengthDialog::poll()
{
    if (!runner_)
        return;
    ui_->progressBar->setValue(static_cast<int>(runner_->done() * 1000 / std::max<std::int64_t>(1, runner_->total())));
    if (!runner_->finished())
        return;
    pollTimer_.stop();
    const sim::MatrixResult result = runner_->wait();
    runner_.reset();
    before_.reset();
    after_.reset();
    showResult(result);
}

void StrengthDialog::showResult(const sim::MatrixResult& result)
{
    const auto find = [&](std::size_t lineup) {
        for (const sim::Standing& standing : sim::standings(result, lineup)) {
            if (standing.entrant == tested_)
                return std::optional(standing);
        }
        return std::optional<sim::Standing>();
    };
    const auto before = find(0);
    const auto after = find(1);
    if (!before || !after) {
        ui_->summaryLabel->setText(QStringLiteral("中止しました"));
        return;
    }
    ui_->progressBar->setValue(result.complete() ? ui_->progressBar->maximum() : ui_->progressBar->value());
    ui_->summaryLabel->setText(QStringLiteral("総合勝率 %1 → %2　%3%4")
                                   .arg(percent(before->winRate()), percent(after->winRate()), change(after->change),
                                        result.complete() ? QString() : QStringLiteral("（中止までの結果）")));
    const std::vector<sim::PairingChange> changes = sim::mostChanged(result, tested_, 5);
    ui_->changesTable->setRowCount(static_cast<int>(changes.size()));
    for (int row = 0; row < static_cast<int>(changes.size()); ++row) {
        const sim::PairingChange& c = changes[static_cast<std::size_t>(row)];
        const sim::Pairing& pairing = result.setup.pairings[c.pairing];
        const sim::PairingResult& fought = *result.pairings[c.pairing];
        const auto rate = [&](std::size_t lineup) {
            const sim::PairingTotals& totals = fought.lineups[lineup];
            return c.testedIsPlayer ? totals.winRate()
                                    : static_cast<double>(totals.defeats) / static_cast<double>(totals.battles);
        };
        const QString other = qs(result.setup.names[c.testedIsPlayer ? pairing.enemy : pairing.player]);
        const QString cells[] = {(c.testedIsPlayer ? QStringLiteral("味方で 対 ") : QStringLiteral("敵で 対 ")) + other,
                                 percent(rate(0)), percent(rate(1)), change(c.change)};
        for (int column = 0; column < 4; ++column)
            ui_->changesTable->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    ui_->changesTable->resizeColumnsToContents();
}

} // namespace pc
