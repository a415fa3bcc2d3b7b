#include "CharacterList.h"

#include "RosterEdit.h"
#include "QtStorage.h"
#include "records/Numbers.h"
#include "records/RowRule.h"
#include "ui/PollingTimer.h"
#include "ui/Text.h"

#include "ui_CharacterList.h"

#include <QHeaderView>

namespace pc {

namespace {

constexpr int kPictureColumnWidth = 48;
constexpr int kHpColumnWidth = 90;
constexpr int kRowHeight = 40;

RowArrayModel::Row rowOf(const OBJE& record)
{
    // A character whose file could not be read shows its listed name and why.
    const std::string name =
        record.unreadable.empty() ? record.name : record.name + "（読み込めません：" + record.unreadable + "）";
    RowArrayModel::Row row{{"name", qs(name)}, {"HP", qs(formatG(record.baseStatus.HP))}};
    if (record.image)
        row.insert("img", imageOf(record.image));
    return row;
}

} // namespace

CharacterList::CharacterList(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::CharacterList>())
    , ClistMA({{"img", QStringLiteral("画像")}, {"name", QStringLiteral("名前")}, {"HP", QStringLiteral("HP")}})
{
    ui_->setupUi(this);
    RowTableView* table = ui_->ClistTV;
    table->setModel(&ClistMA);
    table->setIconSize({32, 32});
    table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    QHeaderView* header = table->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    header->setSectionResizeMode(2, QHeaderView::Fixed);
    table->setColumnWidth(0, kPictureColumnWidth);
    table->setColumnWidth(2, kHpColumnWidth);

    connect(table, &RowTableView::singleClicked, this, &CharacterList::ClistTVsgl);
    connect(table, &RowTableView::doubleClicked, this, &CharacterList::ClistTVdbl);
    connect(ui_->insertButton, &QPushButton::clicked, this, &CharacterList::Cinsert);
    connect(ui_->deleteButton, &QPushButton::clicked, this, &CharacterList::Cdelete);
    connect(ui_->toTheTitleButton, &QPushButton::clicked, this, &CharacterList::ToTheTitle);
    startPolling(timer, this, &CharacterList::timerAction);
    context_.state.initPresetFlag = true;
}

CharacterList::~CharacterList() = default;

void CharacterList::timerAction()
{
    if (context_.state.initCListFlag)
        initCList();
}

void CharacterList::ClistTVsgl(std::int32_t row)
{
    context_.state.ClistClickedRow = row;
}

// A double click has already delivered its single click, so the clicked row
// is the one to open.
void CharacterList::ClistTVdbl()
{
    const AppState& state = context_.state;
    if (state.ClistClickedRow < 0 || !recordAt(state.objeTop, state.ClistClickedRow))
        return;
    openEditor();
}

void CharacterList::Cinsert()
{
    const std::int32_t row = insertCharacter(context_.state, context_.storage);
    ClistMA.insert(row, {{"name", QStringLiteral("新規キャラクター")}, {"HP", QStringLiteral("0")}});
    ui_->ClistTV->selectRowOnly(row);
    openEditor();
}

void CharacterList::Cdelete()
{
    const DeleteOutcome outcome = deleteCharacter(context_.state, context_.storage);
    if (!outcome.failure.empty()) {
        // A failed delete says why above the table, on as many lines as it takes.
        QLabel* hint = ui_->hintLabel;
        hint->setText(qs(outcome.failure));
        hint->setMinimumHeight(hint->heightForWidth(hint->width()));
    }
    if (context_.state.initCListFlag)
        initCList();
    const std::int32_t row = outcome.row;
    if (row < 0) {
        if (!outcome.failure.empty())
            ui_->ClistTV->selectRowOnly(context_.state.ClistClickedRow);
        return;
    }
    ClistMA.removeAt(row);
    ui_->ClistTV->selectRowOnly(context_.state.ClistClickedRow);
}

void CharacterList::ToTheTitle()
{
    context_.state.initCPEListFlag = true;
    closeAndBringToFront(this, context_.windows.title);
}

void CharacterList::initCList()
{
    std::vector<RowArrayModel::Row> rows;
    for (const OBJE* record = context_.state.objeTop; record; record = record->next)
        rows.push_back(rowOf(*record));
    ClistMA.setRows(std::move(rows));
    ui_->ClistTV->selectRowOnly(context_.state.ClistClickedRow);
    context_.state.initCListFlag = false;
}

void CharacterList::openEditor()
{
    context_.state.initRegisterFlag = true;
    context_.state.setPentaFlag = true;
    bringToFront(context_.windows.editor);
}

} // namespace pc
