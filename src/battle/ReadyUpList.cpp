// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReadyUpList.h"

#include "records/SeedText.h"
#include "ui/PollingTimer.h"
#include "ui/RowArrayModel.h"
#include "ui/Text.h"

#include "ui_ReadyUpList.h"

#include <QCloseEvent>

namespace pc {

namespace {

// The row array's "name" is the character's name; the table shows "shown".
const QString kName = QStringLiteral("name");
const QString kShown = QStringLiteral("shown");

RowArrayModel* nameTable(RowTableView* view, QObject* parent)
{
    auto* model = new RowArrayModel({{kShown, QStringLiteral("名前")}}, parent);
    view->setModel(model);
    view->setTextElideMode(Qt::ElideRight);
    return model;
}

// A character's row: its name, with its file name beside it where another
// roster character has the same name; both in full in the tooltip.
RowArrayModel::Row nameRow(const std::string& name, const OBJE* character, const OBJE* roster)
{
    if (!character)
        return {{kName, qs(name)}, {kShown, qs(name)}};
    int sharing = 0;
    for (const OBJE* other = roster; other; other = other->next)
        sharing += other->name == character->name ? 1 : 0;
    const QString file = qs(character->fileName);
    const QString shown = sharing > 1 ? qs(name) + QStringLiteral("（") + file + QStringLiteral("）") : qs(name);
    return {{kName, qs(name)}, {kShown, shown},
            {RowArrayModel::kToolTipKey, qs(name) + QStringLiteral("\nファイル: ") + file}};
}

// Fills a table with the names of a list, row i from member i of `first`'s list.
void mirror(RowArrayModel& model, const std::vector<std::string>& names, const OBJE* first, const OBJE* roster)
{
    std::vector<RowArrayModel::Row> rows;
    for (const std::string& name : names) {
        rows.push_back(nameRow(name, first, roster));
        first = first ? first->next : nullptr;
    }
    bool same = model.rowCount() == static_cast<int>(rows.size());
    for (int i = 0; same && i < model.rowCount(); ++i) {
        for (const auto& cell : rows[static_cast<std::size_t>(i)])
            same = same && model.value(i, cell.first) == cell.second;
    }
    if (!same)
        model.setRows(std::move(rows));
}

} // namespace

ReadyUpList::ReadyUpList(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::ReadyUpList>())
{
    ui_->setupUi(this);
    CPlistMA_ = nameTable(ui_->CPlistTV, this);
    CElistMA_ = nameTable(ui_->CElistTV, this);
    RPlistMA_ = nameTable(ui_->RPlistTV, this);
    RElistMA_ = nameTable(ui_->RElistTV, this);

    AppState& state = context_.state;
    connect(ui_->CPlistTV, &RowTableView::singleClicked, this, [&state](int row) { state.CPlistClickedRow = row; });
    connect(ui_->CElistTV, &RowTableView::singleClicked, this, [&state](int row) { state.CElistClickedRow = row; });
    connect(ui_->RPlistTV, &RowTableView::singleClicked, this, [&state](int row) { state.RPlistClickedRow = row; });
    connect(ui_->RElistTV, &RowTableView::singleClicked, this, [&state](int row) { state.RElistClickedRow = row; });
    connect(ui_->RPaddButton, &QPushButton::clicked, this, &ReadyUpList::RPadd);
    connect(ui_->REaddButton, &QPushButton::clicked, this, &ReadyUpList::REadd);
    connect(ui_->RPdeleteButton, &QPushButton::clicked, this, &ReadyUpList::RPdelete);
    connect(ui_->REdeleteButton, &QPushButton::clicked, this, &ReadyUpList::REdelete);
    connect(ui_->startOffBtn, &QPushButton::clicked, this, &ReadyUpList::StartOff);
    connect(ui_->toTheTitleButton, &QPushButton::clicked, this, &ReadyUpList::ToTheTitle);
    showSeedRefusal(false);
    connect(ui_->seedField, &QLineEdit::textChanged, this, [this] { showSeedRefusal(false); });
    startPolling(timer, this, &ReadyUpList::timerAction3);
}

ReadyUpList::~ReadyUpList() = default;

void ReadyUpList::timerAction3()
{
    const bool rebuilding = context_.state.initCPEListFlag;
    const bool enabled = readyUpTick(context_.state, tables_, ui_->RPlistTV->clickedRow(), ui_->RElistTV->clickedRow());
    if (rebuilding)
        showTables();
    ui_->startOffBtn->setEnabled(enabled);
}

void ReadyUpList::RPadd()
{
    if (battleShown())
        return;
    followClickedRows();
    pc::RPadd(context_.state, tables_);
    showParties();
}

void ReadyUpList::REadd()
{
    if (battleShown())
        return;
    followClickedRows();
    pc::REadd(context_.state, tables_);
    showParties();
}

void ReadyUpList::chooseParties(const std::vector<std::int32_t>& players, const std::vector<std::int32_t>& enemies)
{
    AppState& state = context_.state;
    // Rebuilding the tables empties both parties; the members then go at the end in order.
    state.initCPEListFlag = true;
    timerAction3();
    refreshInsertionRows(state, -1, -1);
    for (const std::int32_t row : players) {
        state.CPlistClickedRow = row;
        pc::RPadd(state, tables_);
    }
    for (const std::int32_t row : enemies) {
        state.CElistClickedRow = row;
        pc::REadd(state, tables_);
    }
    showParties();
}

void ReadyUpList::RPdelete()
{
    if (battleShown())
        return;
    pc::RPdelete(context_.state, tables_);
    showParties();
}

void ReadyUpList::REdelete()
{
    if (battleShown())
        return;
    pc::REdelete(context_.state, tables_);
    showParties();
}

void ReadyUpList::StartOff()
{
    const std::string typed = ui_->seedField->text().toStdString();
    const std::optional<std::uint32_t> seed = parseSeed(typed);
    if (!seed && !seedTextIsBlank(typed)) {
        showSeedRefusal(true);
        ui_->seedField->setFocus();
        return;
    }
    if (!pc::StartOff(context_.state))
        return;
    context_.state.battleSeed = seed;
    closeAndBringToFront(this, context_.windows.battle);
}

// An add goes where the party tables were last clicked, even before the next tick.
void ReadyUpList::followClickedRows()
{
    refreshInsertionRows(context_.state, ui_->RPlistTV->clickedRow(), ui_->RElistTV->clickedRow());
}

// A refused seed is marked in red and explained above the field until it is edited.
void ReadyUpList::showSeedRefusal(bool refused)
{
    ui_->seedField->setStyleSheet(refused ? QStringLiteral("color: #c00000;") : QString());
    ui_->seedMessage->setText(refused ? qs(std::string(kSeedRefusal)) : QString());
    ui_->seedMessage->setVisible(refused);
}

void ReadyUpList::ToTheTitle()
{
    closeAndBringToFront(this, context_.windows.title);
}

void ReadyUpList::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->spontaneous())
        bringToFront(context_.windows.title);
}

// The parties belong to the battle while its window is shown.
bool ReadyUpList::battleShown() const
{
    return context_.windows.battle && context_.windows.battle->isVisible();
}

void ReadyUpList::showTables()
{
    const OBJE* roster = context_.state.objeTop;
    mirror(*CPlistMA_, tables_.CPlistMA, roster, roster);
    mirror(*CElistMA_, tables_.CElistMA, roster, roster);
    showParties();
}

// Adding and removing members leaves the roster tables as they are.
void ReadyUpList::showParties()
{
    const AppState& state = context_.state;
    mirror(*RPlistMA_, tables_.RPlistMA, state.RPtop, state.objeTop);
    mirror(*RElistMA_, tables_.RElistMA, state.REtop, state.objeTop);
    ui_->CPlistTV->selectRowOnly(context_.state.CPlistClickedRow);
    ui_->CElistTV->selectRowOnly(context_.state.CElistClickedRow);
    ui_->RPlistTV->selectRowOnly(tables_.RPlistSelectedRow);
    ui_->RElistTV->selectRowOnly(tables_.RElistSelectedRow);
}

} // namespace pc
