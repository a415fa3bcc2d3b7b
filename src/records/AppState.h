// SPDX-License-Identifier: GPL-3.0-or-later
// The process-wide state: list heads and cursors, remembered table rows and the
// flags through which the controllers hand work to each other. One object per
// run (or per test); it owns every record through its arenas.
#pragma once

#include "Arena.h"
#include "Records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pc {

struct AppState {
    // The folder every data path is resolved against ("data/CharaList/" lives in it).
    std::string baseDir;

    Arena<OBJE> objes;
    Arena<ATTACK> attacks;
    Arena<PresetNode> presets;

    // Roster and preset list. Every walk uses a local cursor and so "leaves the
    // cursor at the head" by construction.
    OBJE* objeTop = nullptr;
    PresetNode* fpTop = nullptr;

    // Parties and their cursors; the battle leaves targets on RP and RE.
    OBJE* RPtop = nullptr;
    OBJE* RP = nullptr;
    OBJE* REtop = nullptr;
    OBJE* RE = nullptr;

    // The character 追加 inserted that no 決定 has saved yet; cancelling its
    // edit takes it out again, so that no list names a file never written.
    OBJE* unsavedNew = nullptr;

    // The resistance editor's pending block (only baseResist is used).
    std::optional<RESIST> Robje;

    // Remembered rows, all 0 at start.
    std::int32_t ClistClickedRow = 0;
    std::int32_t WlistClickedRow = 0;
    std::int32_t CPlistClickedRow = 0;
    std::int32_t CElistClickedRow = 0;
    std::int32_t RPlistClickedRow = 0;
    std::int32_t RElistClickedRow = 0;
    std::int32_t RPlistCrow = 0;
    std::int32_t RElistCrow = 0;
    std::int32_t SCPlistClickedRow = 0;
    std::int32_t SCElistClickedRow = 0;

    // The derived statistics to recompute at the next tick: every roster
    // character's after a load or an edit, or only the one whose derived
    // statistics the editor last wrote from its fields.
    bool pentaStale = true;
    OBJE* pentaTouched = nullptr;

    // Flags polled by the controllers' timers.
    bool initPresetFlag = false;
    bool initCListFlag = false;
    bool setPresetFlag = false;
    bool initRegisterFlag = false;
    bool setPentaFlag = false;
    bool attackSetFlag = false;
    bool initAttackFlag = false;
    bool initResistFlag = false;
    bool initCPEListFlag = false;
    bool ReadyUpListStartOffFlag = false;
    // The seed the battle being started draws from; none draws from the
    // application's source. Set with ReadyUpListStartOffFlag, taken by the set-up.
    std::optional<std::uint32_t> battleSeed;

    // Battle state, kept across presses and across battles.
    bool stopBattleLoop = false;
    bool multipleLoopFlag = false;
    bool playerAttackFlag = false;
    std::int32_t currentNumberRP = 0;
    std::int32_t currentNumberRE = 0;
    std::int32_t targetNumb = 0;
    std::string atkName;
    std::string zenjutsu;
    double MOSTDMGplayer = 0;
    double MOSTDMGenemy = 0;
    // The target list of the current multi-target choice (targTop..targ), and
    // the copy of the chosen attack's list with the pending action's cursor.
    std::vector<TargetNode> targ;
    std::vector<TargetNode> targX;
    std::size_t targXcursor = 0;
    // The member whose multi-part action is under way, and whether that action
    // heals its own party rather than damaging its opponents.
    OBJE* pendingActor = nullptr;
    bool pendingHealsOwnParty = false;

    // Preset list bookkeeping: whether the file on disk is one this run loaded
    // exactly or wrote itself, and whether the old file has been kept aside.
    bool presetFileTrusted = false;
    bool presetBackupKept = false;
    // The preset file's stamp as this run last loaded or wrote it, to notice a
    // change made by hand or by another program.
    std::optional<std::string> presetStamp;
    // A preset file that did not load: why, and its stamp, so that it is read
    // again only once it has changed.
    std::string presetProblem;
    std::optional<std::string> failedPresetStamp;
    bool presetReadFailed = false;
    // Why this run may not write the data folder (another copy holds it, or it
    // is read-only); empty when it may.
    std::string readOnlyReason;
    // What the last save or delete noticed besides its outcome, such as a list
    // changed elsewhere and read again; the windows show and clear it.
    std::string storeNotice;
    // Leave pictures unread (the command-line simulator has no use for them).
    bool skipPictures = false;
};

} // namespace pc
