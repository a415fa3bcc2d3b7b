// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportWindow.h"

#include "QtStorage.h"
#include "ui/Text.h"

#include "ui_ImportWindow.h"

#include <QPixmap>

namespace pc {

ImportWindow::ImportWindow(const QString& source, std::vector<Incoming> incoming, QWidget* parent)
    : QDialog(parent)
    , ui_(std::make_unique<Ui::ImportWindow>())
    , incoming_(std::move(incoming))
{
    ui_->setupUi(this);
    ui_->sourceLabel->setText(QStringLiteral("読み込み元: ") + source);
    for (const Incoming& one : incoming_) {
        auto* item = new QListWidgetItem(ui_->characterLW);
        if (one.record) {
            item->setText(qs(one.record->name) + QStringLiteral("　（") + qs(one.source) + QStringLiteral("）"));
            if (const QImage image = imageOf(one.record->image); !image.isNull())
                item->setIcon(QPixmap::fromImage(image));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        } else {
            item->setText(qs(one.source) + QStringLiteral(" — ") + qs(one.problem) + QStringLiteral("（読み込みません）"));
            item->setFlags(Qt::NoItemFlags);
        }
    }
    connect(ui_->characterLW, &QListWidget::itemChanged, this, &ImportWindow::updateState);
    connect(ui_->addButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    updateState();
}

ImportWindow::~ImportWindow() = default;

std::vector<Incoming> ImportWindow::chosen() const
{
    std::vector<Incoming> chosen;
    std::vector<Incoming> unreadable;
    for (std::size_t row = 0; row < incoming_.size(); ++row) {
        if (!incoming_[row].record)
            unreadable.push_back(incoming_[row]);
        else if (ui_->characterLW->item(static_cast<int>(row))->checkState() == Qt::Checked)
            chosen.push_back(incoming_[row]);
    }
    chosen.insert(chosen.end(), unreadable.begin(), unreadable.end());
    return chosen;
}

void ImportWindow::setChosen(int row, bool chosen)
{
    if (QListWidgetItem* item = ui_->characterLW->item(row); item && item->flags().testFlag(Qt::ItemIsUserCheckable))
        item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
}

void ImportWindow::updateState()
{
    int ticked = 0;
    int unreadable = 0;
    for (int row = 0; row < ui_->characterLW->count(); ++row) {
        const QListWidgetItem* item = ui_->characterLW->item(row);
        if (!item->flags().testFlag(Qt::ItemIsUserCheckable))
            ++unreadable;
        else if (item->checkState() == Qt::Checked)
            ++ticked;
    }
    QString summary = QStringLiteral("%1人を追加します。").arg(ticked);
    if (unreadable > 0)
        summary += QStringLiteral("読み込めないファイルが%1個あります。").arg(unreadable);
    ui_->summaryLabel->setText(summary);
    ui_->addButton->setEnabled(ticked > 0);
}

} // namespace pc
