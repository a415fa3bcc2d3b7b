// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutBox.h"

#include "Version.h"
#include "records/AppState.h"
#include "roster/FileNames.h"
#include "ui/Text.h"

#include <QMessageBox>

namespace pc {

namespace {

std::string escaped(const std::string& text)
{
    return utf8(qs(text).toHtmlEscaped());
}

} // namespace

std::string aboutText(const AppState& state)
{
    std::string text = "<h3>PartyClash " + std::string(kVersion) + "</h3>"
        + "<p>キャラクター対戦シミュレーター</p>"
        + "<p>ライセンス：GNU General Public License 第3版以降（GPL-3.0-or-later）。"
          "このプログラムはフリーソフトウェアで、無保証です。</p>"
        + "<p>データフォルダ：" + escaped(characterFolder(state.baseDir));
    if (!state.readOnlyReason.empty())
        text += "<br>（読み取り専用：" + escaped(state.readOnlyReason) + "）";
    return text + "</p>";
}

void showAbout(QWidget* parent, const AppState& state)
{
    QMessageBox::about(parent, QStringLiteral("PartyClashについて"), qs(aboutText(state)));
}

} // namespace pc
