// SPDX-License-Identifier: GPL-3.0-or-later
#include "CharacterList.h"

#include "DemoRoster.h"
#include "FileNames.h"
#include "ImportWindow.h"
#include "PresetList.h"
#include "RosterEdit.h"
#include "RosterStore.h"
#include "QtStorage.h"
#include "records/Numbers.h"
#include "records/RowRule.h"
#include "ui/Fields.h"
#include "ui/PollingTimer.h"
#include "ui/ReadOnlyNotice.h"
#include "ui/Text.h"

#include "ui_CharacterList.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

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
    RowArrayModel::Row row{{QStringLiteral("name"), qs(name)},
                           {QStringLiteral("HP"), qs(formatG(record.baseStatus.HP))}};
    if (record.image)
        row.insert(QStringLiteral("img"), QVariant::fromValue(record.image));
    return row;
}

// One line of the delete question: the file's path, and why it stays when it does.
QString fileLine(const char* what, const std::string& path, bool kept)
{
    return QString::fromUtf8(what) + QStringLiteral("：") + qs(path)
           + (kept ? QStringLiteral("（他のキャラクターも使うので残します）") : QString());
}

} // namespace

CharacterList::CharacterList(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::CharacterList>())
    , ClistMA({{"img", QStringLiteral("画像")}, {"name", QStringLiteral("名前")}, {"HP", QStringLiteral("HP")}})
{
    ui_->setupUi(this);
    KeyRowTableView* table = ui_->ClistTV;
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
    connect(table, &KeyRowTableView::deletePressed, this, &CharacterList::Cdelete);
    ui_->deleteButton->setEnabled(false);
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
    if (!refuseWhileEditing()) {
        context_.state.ClistClickedRow = row;
        showStatus({});
    }
    showDesignated();
}

// A double click has already delivered its single click, so the clicked row
// is the one to open.
void CharacterList::ClistTVdbl()
{
    const AppState& state = context_.state;
    if (refuseWhileEditing() || state.ClistClickedRow < 0 || !recordAt(state.objeTop, state.ClistClickedRow))
        return;
    openEditor();
}

void CharacterList::Cinsert()
{
    if (refuseWhileEditing())
        return;
    showStatus({});
    const std::int32_t row = insertCharacter(context_.state, context_.storage);
    if (row < 0) {
        showStatus("追加できません：" + presetLimitFailure(context_.state.objeTop, 1));
        return;
    }
    ClistMA.insert(row, rowOf(*recordAt(context_.state.objeTop, row)));
    showDesignated();
    openEditor();
}

void CharacterList::Cdelete()
{
    AppState& state = context_.state;
    const OBJE* character = state.ClistClickedRow < 0 ? nullptr : recordAt(state.objeTop, state.ClistClickedRow);
    if (refuseWhileEditing() || !character || !askToDelete(*character))
        return;
    // The question has told the user when the file cannot be read.
    const DeleteOutcome deletion = deleteCharacter(state, context_.storage, true);
    if (state.initCListFlag)
        initCList();
    if (deletion.row < 0) {
        if (!deletion.failure.empty())
            showStatus(deletion.failure);
        return;
    }
    ClistMA.removeAt(deletion.row);
    showDesignated();
    std::string status = deletion.failure;
    for (const std::string& path : deletion.deletedInstead)
        status += (status.empty() ? "" : "\n") + ("ゴミ箱へ移せなかったので完全に削除しました：" + path);
    showStatus(status);
}

QString CharacterList::deleteQuestion(const OBJE& character) const
{
    const OBJE* top = context_.state.objeTop;
    const bool fileKept = namedByAnother(top, &character, &OBJE::fileName, character.fileName);
    const bool pictureKept = namedByAnother(top, &character, &OBJE::imageName, character.imageName);
    const QString unreadable = character.unreadable.empty()
        ? QString()
        : qs("このキャラクターのファイルは読み込めません（" + character.unreadable + "）。\n");
    return QStringLiteral("「%1」を削除しますか？").arg(qs(character.name)) + QStringLiteral("\n\n") + unreadable
           + fileLine("ファイル", "data/CharaList/" + character.fileName, fileKept) + QStringLiteral("\n")
           + fileLine("画像", "data/CharaList/img/" + character.imageName, pictureKept) + QStringLiteral("\n\n")
           + (context_.storage.hasTrash() ? QStringLiteral("ファイルと画像はゴミ箱へ移します。")
                                          : QStringLiteral("ファイルと画像は完全に削除され、元に戻せません。"));
}

void CharacterList::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->spontaneous()) {
        context_.state.initCPEListFlag = true;
        bringToFront(context_.windows.title);
    }
}

void CharacterList::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ui_->ClistTV->setFocus();
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
    showReadOnlyNotice(this, context_.state, {ui_->insertButton, ui_->demoButton, ui_->importButton});
    showDesignated();
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
    if (refuseWhileEditing())
        return;
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

void CharacterList::showDesignated()
{
    const AppState& state = context_.state;
    ui_->ClistTV->selectRowOnly(state.ClistClickedRow);
    ui_->deleteButton->setEnabled(ui_->ClistTV->clickedRow() >= 0 && state.readOnlyReason.empty());
}

bool CharacterList::refuseWhileEditing()
{
    const Windows& windows = context_.windows;
    for (const QWidget* editor : {windows.editor, windows.resist, windows.attack}) {
        if (editor && editor->isVisible()) {
            showStatus("キャラクターの編集中は一覧を変えられません。編集画面を閉じてから操作してください。");
            return true;
        }
    }
    return false;
}

bool CharacterList::askToDelete(const OBJE& character)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("キャラクターの削除"), deleteQuestion(character),
                    QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("deleteQuestion"));
    QPushButton* deleteButton = box.addButton(QStringLiteral("削除(&D)"), QMessageBox::DestructiveRole);
    QPushButton* keepButton = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(deleteButton);
    box.setEscapeButton(keepButton);
    box.exec();
    return box.clickedButton() == deleteButton;
}

void CharacterList::showStatus(const std::string& message)
{
    showProblem(ui_->statusLabel, message);
}

} // namespace pc
