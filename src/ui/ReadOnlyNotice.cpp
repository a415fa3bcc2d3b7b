// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReadOnlyNotice.h"

#include "Text.h"

#include <QBoxLayout>
#include <QLabel>

namespace pc {

namespace {

QLabel* bannerOf(QWidget* window)
{
    const QString name = QStringLiteral("readOnlyBanner");
    if (auto* banner = window->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly))
        return banner;
    auto* banner = new QLabel(window);
    banner->setObjectName(name);
    banner->setWordWrap(true);
    banner->setStyleSheet(
        QStringLiteral("background: #ffd54f; color: #3b2a00; border: 1px solid #c79100; padding: 6px;"));
    if (auto* layout = qobject_cast<QBoxLayout*>(window->layout()))
        layout->insertWidget(0, banner);
    return banner;
}

} // namespace

void showReadOnlyNotice(QWidget* window, const AppState& state, std::initializer_list<QWidget*> refused)
{
    const bool readOnly = !state.readOnlyReason.empty();
    QLabel* banner = bannerOf(window);
    banner->setText(readOnly ? QStringLiteral("読み取り専用で開いています：") + qs(state.readOnlyReason)
                                   + QStringLiteral("。変更は保存できません。")
                             : QString());
    banner->setVisible(readOnly);
    for (QWidget* control : refused)
        control->setEnabled(!readOnly);
}

} // namespace pc
