#include "CharacterList.h"

#include "DemoRoster.h"
#include "ImportWindow.h"
#include "RosterEdit.h"
#include "QtStorage.h"
#include "records/Numbers.h"
#include "records/RowRule.h"
#include "ui/PollingTimer.h"
#include "ui/Text.h"

#include "ui_CharacterList.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>

namespace pc {

namespace {

constexpr int kPictureColumnWidth = 48;
constexpr int kHpColumnWidth = 90;
constexpr int kRowHeight = 40;

RowArrayModel::Row rowOf(const OBJE& record)
{
    RowArrayModel::Row row{{"name", qs(record.name)}, {"HP", qs(formatG(record.baseStatus.HP))}};
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
    connect(ui_->demoButton, &QPushButton::clicked, this, &CharacterList::addDemoCharacters);
    connect(ui_->importButton, &QPushButton::clicked, this, &CharacterList::importFromFolder);
    auto* exportMenu = new QMenu(ui_->exportButton);
    connect(exportMenu->addAction(QStringLiteral("選んだキャラクターを書き出す…")), &QAction::triggered, this,
            [this] { exportChosen(false); });
    connect(exportMenu->addAction(QStringLiteral("すべてのキャラクターを書き出す…")), &QAction::triggered, this,
            [this] { exportChosen(true); });
    ui_->exportButton->setMenu(exportMenu);
    setAcceptDrops(true);
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
    const std::int32_t row = insertCharacter(context_.state);
    ClistMA.insert(row, {{"name", QStringLiteral("新規キャラクター")}, {"HP", QStringLiteral("0")}});
    ui_->ClistTV->selectRowOnly(row);
    openEditor();
}

void CharacterList::Cdelete()
{
    const std::int32_t row = deleteCharacter(context_.state, context_.storage);
    if (row < 0)
        return;
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

void CharacterList::addDemoCharacters()
{
    const QString demo = demoRosterFolder(QCoreApplication::applicationDirPath());
    if (demo.isEmpty()) {
        ui_->messageLabel->setText(QStringLiteral("デモキャラクターが見つかりません"));
        return;
    }
    AppState& state = context_.state;
    const std::vector<Incoming> missing =
        missingFrom(state.objeTop, readRosterFolder(state, context_.storage, utf8(demo)));
    if (missing.empty()) {
        ui_->messageLabel->setText(QStringLiteral("デモキャラクターはすべて一覧にあります"));
        return;
    }
    addIncoming(missing);
}

void CharacterList::exportChosen(bool everyCharacter)
{
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("書き出し先のフォルダー"));
    if (!folder.isEmpty())
        exportTo(folder, everyCharacter);
}

void CharacterList::exportTo(const QString& folder, bool everyCharacter)
{
    std::vector<const OBJE*> characters;
    if (everyCharacter) {
        for (const OBJE* record = context_.state.objeTop; record; record = record->next)
            characters.push_back(record);
    } else if (const OBJE* record = recordAt(context_.state.objeTop, context_.state.ClistClickedRow)) {
        characters.push_back(record);
    }
    if (characters.empty()) {
        ui_->messageLabel->setText(QStringLiteral("書き出すキャラクターがありません"));
        return;
    }
    const std::string reason = exportCharacters(context_.storage, characters, utf8(folder));
    ui_->messageLabel->setText(reason.empty() ? QStringLiteral("%1人を %2/CharaList に書き出しました")
                                                    .arg(characters.size())
                                                    .arg(folder)
                                              : QStringLiteral("書き出せませんでした: ") + qs(reason));
}

void CharacterList::importFromFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("読み込むキャラクターフォルダー"));
    if (!folder.isEmpty())
        importPaths({folder});
}

void CharacterList::importPaths(const QStringList& paths)
{
    AppState& state = context_.state;
    std::vector<Incoming> incoming;
    for (const QString& path : paths) {
        if (!QFileInfo(path).isDir()) {
            for (Incoming& one : readCharacterFiles(state, context_.storage, {utf8(path)}))
                incoming.push_back(std::move(one));
            continue;
        }
        const std::string roster = rosterFolderIn(context_.storage, utf8(path));
        if (roster.empty()) {
            incoming.push_back({utf8(path), nullptr, "キャラクター一覧（preset.txt）がありません"});
            continue;
        }
        for (Incoming& one : readRosterFolder(state, context_.storage, roster))
            incoming.push_back(std::move(one));
    }
    if (incoming.empty())
        return;
    ImportWindow window(paths.join(QStringLiteral(", ")), std::move(incoming), this);
    if (window.exec() == QDialog::Accepted)
        addIncoming(window.chosen());
}

void CharacterList::addIncoming(const std::vector<Incoming>& incoming)
{
    const ImportReport report = importCharacters(context_.state, context_.storage, incoming);
    QString text = QStringLiteral("%1人を追加しました。").arg(report.added.size());
    for (const std::string& problem : report.problems)
        text += QStringLiteral("\n追加しなかったもの: ") + qs(problem);
    ui_->messageLabel->setText(text);
}

QString CharacterList::message() const
{
    return ui_->messageLabel->text();
}

void CharacterList::dragEnterEvent(QDragEnterEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void CharacterList::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    // The import window waits for the user; the drop itself ends first.
    QTimer::singleShot(0, this, [this, paths] { importPaths(paths); });
}

void CharacterList::openEditor()
{
    context_.state.initRegisterFlag = true;
    context_.state.setPentaFlag = true;
    bringToFront(context_.windows.editor);
}

} // namespace pc
