#pragma once

#include "shell/CommandIds.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <vector>

// The main window's commands, menus and toolbar as data: a new command is
// one entry in FrameCommands() plus its place in a menu or on the toolbar,
// and CMainFrame connects it to its handler.
struct SFrameCommand
{
    unsigned id;
    QString text;   // the menu text, mnemonic included; empty for toolbar-only buttons
    QString prompt; // shown in the status bar while the command is highlighted
    QString tip;    // the toolbar button's tool tip
    QList<QKeySequence> shortcuts;
    // Window-wide shortcuts win over a panel field's own keys (the frame
    // filters them back out while a field needs them, see CMainFrame).
    bool windowShortcut = false;
    bool checkable = false;
    // What a screen reader says for a button without text.
    QString spokenName;
};

// Places in a menu or on the toolbar that are no command.
enum EFramePlace : unsigned {
    kPlaceSeparator = 0,
    // Where the recent-file entries go (a greyed placeholder while none).
    kPlaceRecentFiles = kIdFileMruFirst,
};

struct SFrameMenu
{
    QString title;
    std::vector<unsigned> items; // command ids and places, top to bottom
};

// Every command, in no particular order.
const std::vector<SFrameCommand>& FrameCommands();
// The menu bar, left to right.
const std::vector<SFrameMenu>& FrameMenus();
// The toolbar, left to right: command ids and separators.
const std::vector<unsigned>& FrameToolBar();
