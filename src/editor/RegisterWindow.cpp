// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegisterWindow.h"

#include "AttackList.h"
#include "CharacterSubmit.h"
#include "battle/DerivedStats.h"
#include "PictureFile.h"
#include "StrengthDialog.h"
#include "records/Numbers.h"
#include "records/RowRule.h"
#include "roster/QtStorage.h"
#include "roster/RosterEdit.h"
#include "roster/RosterStore.h"
#include "ui/FieldValues.h"
#include "ui/Fields.h"
#include "ui/PollingTimer.h"
#include "ui/ReadOnlyNotice.h"

#include "ui_RegisterWindow.h"

#include <QFileDialog>
#include <QImageReader>

namespace pc {

namespace {

// A file chooser filter for every picture format the platform reads.
QString pictureFilter()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    return QStringLiteral("画像 (%1);;すべてのファイル (*)").arg(patterns.join(u' '));
}

} // namespace

RegisterWindow::RegisterWindow(AppContext& context)
    : context_(context)
    , ui_(std::make_unique<Ui::RegisterWindow>())
    , WlistMA({{"name", QStringLiteral("技名")}})
{
    ui_->setupUi(this);
    ui_->WlistTV->setModel(&WlistMA);
    statFields_ = {ui_->TFHP, ui_->TFMP, ui_->TFWP, ui_->TFSTR, ui_->TFVIT,
                   ui_->TFAGI, ui_->TFDEX, ui_->TFMEN, ui_->TFINT, ui_->TFLUK};
    for (QLineEdit* field : statFields_)
        keepDigitsVisible(field);
    connect(ui_->submitButton, &QPushButton::clicked, this, &RegisterWindow::submit);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &RegisterWindow::cancel);
    connect(ui_->resistButton, &QPushButton::clicked, this, &RegisterWindow::ToTheRegist);
    connect(ui_->strengthButton, &QPushButton::clicked, this, &RegisterWindow::testStrength);
    connect(ui_->choosePictureButton, &QPushButton::clicked, this, &RegisterWindow::choosePicture);
    connect(ui_->clearPictureButton, &QPushButton::clicked, this, [this] { ui_->IVImage->setPicture({}); });
    connect(ui_->IVImage, &PictureView::fileDropped, this, &RegisterWindow::putPictureFile);
    connect(ui_->WlistTV, &RowTableView::singleClicked, this, &RegisterWindow::WlistTVsgl);
    connect(ui_->WlistTV, &RowTableView::doubleClicked, this, &RegisterWindow::WlistTVdbl);
    connect(ui_->WinsertButton, &QPushButton::clicked, this, &RegisterWindow::Winsert);
    connect(ui_->WdeleteButton, &QPushButton::clicked, this, &RegisterWindow::Wdelete);
    connect(ui_->WlistTV, &KeyRowTableView::deletePressed, this, &RegisterWindow::Wdelete);
    connect(ui_->WopenButton, &QPushButton::clicked, this, &RegisterWindow::WlistTVdbl);
    startPolling(timer, this, &RegisterWindow::timerAction2);
}

RegisterWindow::~RegisterWindow() = default;

void RegisterWindow::timerAction2()
{
    AppState& state = context_.state;
    if (state.setPresetFlag)
        setPreset(state, context_.storage);
    if (state.initPresetFlag) {
        initPreset(state, context_.storage);
        roadFile(state, context_.storage);
        markPentaStale(state);
        state.initCListFlag = true;
    }
    if (state.initRegisterFlag)
        initRegister();
    setPentaStats(state);
    if (state.setPentaFlag)
        inputPentaStats();
    if (state.attackSetFlag)
        initWList();
}

void RegisterWindow::initRegister()
{
    AppState& state = context_.state;
    state.initRegisterFlag = false;
    showReadOnlyNotice(this, state, {ui_->submitButton, ui_->WinsertButton, ui_->WdeleteButton});
    showProblems({}, {});
    showAttacks();
    const OBJE* record = recordAt(state.objeTop, state.ClistClickedRow);
    if (!record)
        return;
    attacksAtOpen_ = snapshotAttacks(*record);
    const CharacterEdit edit = characterEditOf(*record);
    ui_->TFName->setText(qs(edit.texts.name));
    ui_->TFTag->setText(qs(edit.texts.tag));
    ui_->TFFile->setText(qs(edit.texts.fileName));
    ui_->TFImage->setText(qs(edit.texts.imageName));
    ui_->IVImage->setPicture(imageOf(edit.image));
    for (std::size_t i = 0; i < statFields_.size(); ++i)
        setWholeNumber(statFields_[i], edit.stats[i]);
    numbersIn(statFields_, ui_->numberProblem);
    fieldsAtOpen_ = fieldValues(*this);
}

bool RegisterWindow::hasUnsavedChanges() const
{
    const AppState& state = context_.state;
    const OBJE* record = recordAt(state.objeTop, state.ClistClickedRow);
    if (!isVisible() || !record)
        return false;
    return fieldValues(*this) != fieldsAtOpen_ || attacksChangedSince(*record, attacksAtOpen_)
        || (state.Robje && *state.Robje != record->baseResist);
}

void RegisterWindow::inputPentaStats()
{
    OBJE* record = recordAt(context_.state.objeTop, context_.state.ClistClickedRow);
    if (!record)
        return;
    const BaseStats base{
        static_cast<double>(wholeNumberIn(ui_->TFSTR)), static_cast<double>(wholeNumberIn(ui_->TFVIT)),
        static_cast<double>(wholeNumberIn(ui_->TFAGI)), static_cast<double>(wholeNumberIn(ui_->TFDEX)),
        static_cast<double>(wholeNumberIn(ui_->TFMEN)), static_cast<double>(wholeNumberIn(ui_->TFINT)),
    };
    STATUS& status = record->baseStatus;
    storeDerived(status, derivedStats(base));
    context_.state.pentaTouched = record;
    ui_->TFATK->setText(qs("ATK " + formatG(status.ATK)));
    ui_->TFDEF->setText(qs("DEF " + formatG(status.DEF)));
    ui_->TFHIT->setText(qs("HIT " + formatG(status.HIT)));
    ui_->TFEVA->setText(qs("EVA " + formatG(status.EVA)));
    ui_->TFARI->setText(qs("ARI " + formatG(status.ARI)));
}

void RegisterWindow::submit()
{
    if (!numbersIn(statFields_, ui_->numberProblem))
        return;
    const SubmitOutcome outcome = submitCharacter(context_.state, context_.storage, editInFields());
    showProblems(outcome.problems, outcome.saveFailure.empty() ? "" : "保存できませんでした：" + outcome.saveFailure);
    context_.state.storeNotice.clear();
    if (outcome.saved())
        accept();
}

// Attack changes made meanwhile are undone too; only 決定 keeps them. A new
// character never saved leaves the roster again.
void RegisterWindow::cancel()
{
    if (OBJE* record = recordAt(context_.state.objeTop, context_.state.ClistClickedRow)) {
        restoreAttacks(*record, attacksAtOpen_);
        dropUnsavedCharacter(context_.state);
        showAttacks();
    }
    context_.state.setPentaFlag = false;
    context_.state.Robje.reset();
    QDialog::reject();
}

void RegisterWindow::reject()
{
    cancel();
}

void RegisterWindow::ToTheRegist()
{
    context_.state.initResistFlag = true;
    bringToFront(context_.windows.resist);
}

// The edit is checked as 決定 checks it, and refused beside its fields the same way.
void RegisterWindow::testStrength()
{
    if (!numbersIn(statFields_, ui_->numberProblem))
        return;
    const SubmitOutcome check = checkSubmit(context_.state, editInFields());
    showProblems(check.problems, check.saveFailure);
    if (!check.saved())
        return;
    if (!strength_)
        strength_ = new StrengthDialog(this);
    strength_->start(context_, context_.state.ClistClickedRow, editInFields());
    strength_->show();
}

void RegisterWindow::WlistTVsgl(std::int32_t row)
{
    context_.state.WlistClickedRow = row;
}

// A double click has already delivered its single click, so the clicked row
// is the one to open; a row past the end of the list opens nothing.
void RegisterWindow::WlistTVdbl()
{
    if (context_.state.WlistClickedRow >= 0 && designatedAttack(context_.state))
        openAttack();
}

void RegisterWindow::Winsert()
{
    if (insertAttack(context_.state) < 0)
        return;
    showAttacks();
    openAttack();
}

// The rewrite the delete requests is made at once, so that a failure is shown here.
void RegisterWindow::Wdelete()
{
    if (deleteAttack(context_.state) < 0)
        return;
    showAttacks();
    const std::string failure = setPreset(context_.state, context_.storage);
    showProblem(ui_->saveProblem, failure.empty() ? "" : "一覧ファイル preset.txt を保存できませんでした：" + failure);
}

void RegisterWindow::initWList()
{
    showAttacks();
    context_.state.attackSetFlag = false;
}

void RegisterWindow::showAttacks()
{
    const AppState& state = context_.state;
    std::vector<RowArrayModel::Row> rows;
    if (const OBJE* record = recordAt(state.objeTop, state.ClistClickedRow)) {
        for (const ATTACK* attack = record->attacks; attack; attack = attack->next)
            rows.push_back({{"name", qs(attack->name)}});
    }
    WlistMA.setRows(std::move(rows));
    ui_->WlistTV->selectRowOnly(state.WlistClickedRow);
}

void RegisterWindow::openAttack()
{
    context_.state.initAttackFlag = true;
    bringToFront(context_.windows.attack);
}

void RegisterWindow::putPictureFile(const QString& path)
{
    const PictureLoad load = loadPictureFile(context_.storage, utf8(path));
    showProblem(ui_->imageProblem, load.problem);
    if (load.picture)
        ui_->IVImage->setPicture(imageOf(load.picture));
}

CharacterEdit RegisterWindow::editInFields() const
{
    CharacterEdit edit;
    edit.texts = {utf8(ui_->TFName->text()), utf8(ui_->TFTag->text()), utf8(ui_->TFFile->text()),
                  utf8(ui_->TFImage->text()), !ui_->IVImage->picture().isNull()};
    edit.image = pictureOf(ui_->IVImage->picture());
    for (std::size_t i = 0; i < statFields_.size(); ++i)
        edit.stats[i] = wholeNumberIn(statFields_[i]);
    return edit;
}

void RegisterWindow::showProblems(const CharacterProblems& problems, const std::string& saveFailure)
{
    showProblem(ui_->nameProblem, problems.name);
    showProblem(ui_->tagProblem, problems.tag);
    showProblem(ui_->fileProblem, problems.fileName);
    showProblem(ui_->imageProblem, problems.imageName);
    showProblem(ui_->saveProblem, saveFailure);
}

void RegisterWindow::choosePicture()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("画像を選ぶ"), {}, pictureFilter());
    if (!path.isEmpty())
        putPictureFile(path);
}

} // namespace pc
