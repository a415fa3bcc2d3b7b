#include "ReadyUpList.h"

#include "ui/PollingTimer.h"
#include "ui/RowArrayModel.h"
#include "ui/Text.h"

#include "ui_ReadyUpList.h"

#include <QCloseEvent>
#include <QRegularExpressionValidator>

#include <limits>

namespace pc {

namespace {

RowArrayModel* nameTable(RowTableView* view, QObject* parent)
{
    auto* model = new RowArrayModel({{QStringLiteral("name"), QStringLiteral("名前")}}, parent);
    view->setModel(model);
    return model;
}

void mirror(RowArrayModel& model, const std::vector<std::string>& names)
{
    bool same = model.rowCount() == static_cast<int>(names.size());
    for (int i = 0; same && i < model.rowCount(); ++i)
        same = model.row(i).value(QStringLiteral("name")).toString() == qs(names[static_cast<std::size_t>(i)]);
    if (same)
        return;
    std::vector<RowArrayModel::Row> rows;
    for (const std::string& name : names)
        rows.push_back({{QStringLiteral("name"), qs(name)}});
    model.setRows(std::move(rows));
}

// The seed typed: none for an empty field; a number beyond 32 bits is not valid.
struct TypedSeed {
    bool valid = true;
    std::optional<std::uint32_t> seed;
};

TypedSeed typedSeed(const QString& text)
{
    if (text.trimmed().isEmpty())
        return {};
    bool ok = false;
    const qulonglong seed = text.trimmed().toULongLong(&ok);
    if (!ok || seed > std::numeric_limits<std::uint32_t>::max())
        return {false, std::nullopt};
    return {true, static_cast<std::uint32_t>(seed)};
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
    ui_->seedField->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), ui_->seedField));
    connect(ui_->seedField, &QLineEdit::textChanged, this,
            [this] { ui_->seedField->setStyleSheet(typedSeed(ui_->seedField->text()).valid ? QString() : QStringLiteral("color: #c00000;")); });
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
    pc::RPadd(context_.state, tables_);
    showParties();
}

void ReadyUpList::REadd()
{
    if (battleShown())
        return;
    pc::REadd(context_.state, tables_);
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
    const TypedSeed typed = typedSeed(ui_->seedField->text());
    if (!typed.valid) {
        ui_->seedField->setFocus();
        return;
    }
    if (!pc::StartOff(context_.state))
        return;
    context_.state.battleSeed = typed.seed;
    closeAndBringToFront(this, context_.windows.battle);
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
    mirror(*CPlistMA_, tables_.CPlistMA);
    mirror(*CElistMA_, tables_.CElistMA);
    showParties();
}

// Adding and removing members leaves the roster tables as they are.
void ReadyUpList::showParties()
{
    mirror(*RPlistMA_, tables_.RPlistMA);
    mirror(*RElistMA_, tables_.RElistMA);
    ui_->CPlistTV->selectRowOnly(context_.state.CPlistClickedRow);
    ui_->CElistTV->selectRowOnly(context_.state.CElistClickedRow);
    ui_->RPlistTV->selectRowOnly(tables_.RPlistSelectedRow);
    ui_->RElistTV->selectRowOnly(tables_.RElistSelectedRow);
}

} // namespace pc
