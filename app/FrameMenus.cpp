#include "app/FrameMenus.h"

#include "app/ChildFrame.h"
#include "ui/CommandIds.h"
#include "document/EditLabels.h"
#include "ui/Pictures.h"
#include "document/ProgramDoc.h"
#include "config/StartupConfig.h"
#include "config/UserStore.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>

namespace {

struct CommandText {
    int id;
    const char* text;    // the menu text, "\t" followed by its key where it has one
    const char* toolTip; // tool bar and status line texts; empty when none
    const char* statusTip;
};

const CommandText kCommands[] = {
    {CommandId::kFileNew, "&New\tCtrl+N", "New", "Create a new document"},
    {CommandId::kFileNewFromPlan, "New from &Plan...", "",
     "Create a new document with the channels of a channel plan"},
    {CommandId::kFileOpen, "&Open...\tCtrl+O", "Open", "Open an existing document"},
    {CommandId::kFileClose, "&Close", "", "Close the channel window"},
    {CommandId::kFileSave, "&Save\tCtrl+S", "Save", "Save the active document"},
    {CommandId::kFileSaveAs, "Save &As...", "", "Save the active document with a new name"},
    {CommandId::kEditUndo, "&Undo\tCtrl+Z", "Undo", "Undo the last change of the channel data"},
    {CommandId::kEditRedo, "&Redo\tCtrl+Y", "Redo", "Do the undone change again"},
    {CommandId::kImportChannels, "&Import Channels...", "",
     "Replace channels with those of a CSV channel list"},
    {CommandId::kExportChannels, "&Export Channels...", "", "Save the channels as a CSV channel list"},
    {CommandId::kFilePrint, "&Print...\tCtrl+P", "Print", "Print the active document"},
    {CommandId::kFilePrintPreview, "Print Pre&view", "", "Display full pages"},
    {CommandId::kFilePrintSetup, "P&rint Setup...", "", "Change the printer and printing options"},
    {CommandId::kAppExit, "E&xit", "", "Quit the application"},
    {CommandId::kSetForSelection, "Set for &Selection...", "",
     "Set one column's value on every selected channel"},
    {CommandId::kFillDown, "Fill Dow&n\tCtrl+D", "", "Copy the first selected cell into the cells below it"},
    {CommandId::kFrequencySeries, "Fr&equency Series...", "",
     "Give the selected channels frequencies from a start and a step"},
    {CommandId::kSortByFrequency, "Sort by Fre&quency", "",
     "Sort the selected channels, or all, by receive frequency"},
    {CommandId::kFindDuplicates, "Find Dup&licates", "",
     "Select the channels with the same receive frequency and tones"},
    {CommandId::kCompactChannels, "Co&mpact", "", "Move the programmed channels up over the empty ones"},
    {CommandId::kProductInformation, "&Product Information", "", "Choose the radio model and band"},
    {CommandId::kChannelInformation, "&Channel Information", "", "Show the channel window"},
    {CommandId::kOptionalFeatures, "&Optional Features", "", "Edit the radio's optional features"},
    {CommandId::kPowerAdjust, "Power Adjust", "", "Align the transmit power"},
    {CommandId::kSqlAdjust, "Sql Adjust", "", "Align the squelch"},
    {CommandId::kRead, "&Read    Ctrl+R", "Read", "Read the radio"},
    {CommandId::kWrite, "&Write   Ctrl+W", "Write", "Write to the radio"},
    {CommandId::kScanInfo, "Scan Info", "", "Edit the scan settings"},
    {CommandId::kRestoreRadio, "Restore Radio...", "",
     "Write a backup of the connected radio back to it"},
    {CommandId::kShowChangesBeforeWriting, "Show changes before writing", "",
     "List what a write changes in the radio and ask first"},
    {CommandId::kVerifyAfterWriting, "Verify after writing", "",
     "Read the written data back and compare it"},
    {CommandId::kCheckAgainstPlan, "&Check Against Plan...", "",
     "List the channels that break the rules of a channel plan"},
    {CommandId::kFleetStation, "&Fleet Station...", "",
     "Program radio after radio with one image on several cables at once"},
    {CommandId::kViewToolbar, "&Toolbar", "", "Show or hide the toolbar"},
    {CommandId::kViewStatusBar, "&Status Bar", "", "Show or hide the status bar"},
    {CommandId::kViewControlBar, "&Control Bar", "", "Show or hide the navigation bar"},
    {CommandId::kComSetup, "&Com Setup", "", "Choose the serial port of the radio"},
    {CommandId::kWindowTile, "&Tile", "", "Arrange the document windows side by side"},
    {CommandId::kWindowCascade, "&Cascade", "", "Arrange the document windows overlapped"},
    {CommandId::kLanguage, "&Language", "", "Choose the language of the program"},
    {CommandId::kAppAbout, "&About Program...", "About",
     "Display program information, version number and copyright"},
};

// The accelerator table: keys that run a command wherever the focus is in the window.
const struct {
    QKeyCombination key;
    int id;
} kAccelerators[] = {
    {Qt::CTRL | Qt::Key_N, CommandId::kFileNew},
    {Qt::CTRL | Qt::Key_O, CommandId::kFileOpen},
    {Qt::CTRL | Qt::Key_S, CommandId::kFileSave},
    {Qt::CTRL | Qt::Key_P, CommandId::kFilePrint},
    {Qt::CTRL | Qt::Key_R, CommandId::kRead},
    {Qt::CTRL | Qt::Key_W, CommandId::kWrite},
    {Qt::CTRL | Qt::Key_Z, CommandId::kEditUndo},
    {Qt::CTRL | Qt::Key_Y, CommandId::kEditRedo},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, CommandId::kEditRedo},
};

QMenu* AddMenu(QMainWindow* frame, const char* title, const QHash<int, QAction*>& actions,
               std::initializer_list<int> ids) {
    auto* menu = new QMenu(QString::fromUtf8(title), frame);
    for (int id : ids) {
        if (id == 0)
            menu->addSeparator();
        else
            menu->addAction(actions.value(id));
    }
    return menu;
}

void SetIcons(QMainWindow* frame, const QHash<int, QAction*>& actions) {
    QStyle* style = frame->style();
    actions[CommandId::kFileNew]->setIcon(style->standardIcon(QStyle::SP_FileIcon));
    actions[CommandId::kFileOpen]->setIcon(style->standardIcon(QStyle::SP_DialogOpenButton));
    actions[CommandId::kFileSave]->setIcon(style->standardIcon(QStyle::SP_DialogSaveButton));
    actions[CommandId::kRead]->setIcon(ToolIcon(ToolPicture::Read));
    actions[CommandId::kWrite]->setIcon(ToolIcon(ToolPicture::Write));
    actions[CommandId::kFilePrint]->setIcon(ToolIcon(ToolPicture::Print));
    actions[CommandId::kEditUndo]->setIcon(ToolIcon(ToolPicture::Undo));
    actions[CommandId::kEditRedo]->setIcon(ToolIcon(ToolPicture::Redo));
    actions[CommandId::kAppAbout]->setIcon(style->standardIcon(QStyle::SP_MessageBoxInformation));
}

// The Write's two choices are per-user values; the menu shows them as they are when it
// opens (the preview's own check box changes one too).
void BindWriteChoices(QMenu* program, const QHash<int, QAction*>& actions) {
    const struct {
        int id;
        bool (UserStore::*read)() const;
        void (UserStore::*write)(bool);
    } choices[] = {
        {CommandId::kShowChangesBeforeWriting, &UserStore::showsChangesBeforeWriting,
         &UserStore::setShowsChangesBeforeWriting},
        {CommandId::kVerifyAfterWriting, &UserStore::verifiesAfterWriting,
         &UserStore::setVerifiesAfterWriting},
    };
    for (const auto& choice : choices) {
        QAction* action = actions.value(choice.id);
        action->setCheckable(true);
        const auto show = [action, read = choice.read] {
            action->setChecked((UserStore(startupConfig().iniFilePath).*read)());
        };
        show();
        QObject::connect(program, &QMenu::aboutToShow, action, show);
        QObject::connect(action, &QAction::triggered, action, [write = choice.write](bool on) {
            UserStore store(startupConfig().iniFilePath);
            (store.*write)(on);
        });
    }
}

} // namespace

FrameMenus BuildFrameMenus(QMainWindow* frame) {
    FrameMenus menus;
    for (const CommandText& command : kCommands) {
        auto* action = new QAction(QString::fromUtf8(command.text), frame);
        action->setData(command.id);
        action->setObjectName(QStringLiteral("command%1").arg(command.id));
        if (*command.toolTip)
            action->setToolTip(QString::fromUtf8(command.toolTip));
        action->setStatusTip(QString::fromUtf8(command.statusTip));
        menus.actions.insert(command.id, action);
    }
    for (int id :
         {CommandId::kViewToolbar, CommandId::kViewStatusBar, CommandId::kViewControlBar}) {
        menus.actions[id]->setCheckable(true);
        menus.actions[id]->setChecked(true);
    }
    SetIcons(frame, menus.actions);

    using namespace CommandId;
    const auto& a = menus.actions;
    menus.documentMenus = {
        AddMenu(frame, "&File", a,
                {kFileNew, kFileNewFromPlan, kFileOpen, kFileClose, kFileSave, kFileSaveAs,
                 kImportChannels, kExportChannels, 0, kFilePrint,
                 kFilePrintPreview, kFilePrintSetup, 0, kAppExit}),
        AddMenu(frame, "&Edit", a,
                {kEditUndo, kEditRedo, 0, kSetForSelection, kFillDown, kFrequencySeries,
                 kSortByFrequency, kFindDuplicates, kCompactChannels, 0, kProductInformation,
                 kChannelInformation, kOptionalFeatures, kPowerAdjust, kSqlAdjust}),
        AddMenu(frame, "&Program", a,
                {kRead, kWrite, kScanInfo, 0, kCheckAgainstPlan, 0, kFleetStation, 0,
                 kRestoreRadio, kShowChangesBeforeWriting, kVerifyAfterWriting}),
        AddMenu(frame, "&View", a, {kViewToolbar, kViewStatusBar, kViewControlBar}),
        AddMenu(frame, "&Setup", a, {kComSetup, kLanguage}),
        AddMenu(frame, "&Window", a, {kWindowTile, kWindowCascade}),
        AddMenu(frame, "&Help", a, {kAppAbout}),
    };
    menus.editMenu = menus.documentMenus[1];
    BindWriteChoices(menus.documentMenus[2], a);
    menus.setupMenu = menus.documentMenus[4];
    menus.windowMenu = menus.documentMenus[5];
    menus.helpMenu = menus.documentMenus[6];
    menus.emptyMenus = {
        AddMenu(frame, "&File", a,
                {kFileNew, kFileNewFromPlan, kFileOpen, 0, kFilePrintSetup, 0, kAppExit}),
        AddMenu(frame, "&View", a, {kViewToolbar, kViewStatusBar}),
        AddMenu(frame, "&Help", a, {kAppAbout}),
    };

    // The keys are shortcuts of the window rather than of the actions, so the menu
    // texts stay exactly as written ("&Read    Ctrl+R" carries its key in the text).
    for (const auto& accelerator : kAccelerators) {
        auto* shortcut = new QShortcut(QKeySequence(accelerator.key), frame);
        QAction* action = a.value(accelerator.id);
        QObject::connect(shortcut, &QShortcut::activated, action, [action] {
            if (action->isEnabled())
                action->trigger();
        });
    }
    return menus;
}

QToolBar* BuildToolBar(QMainWindow* frame, const FrameMenus& menus) {
    using namespace CommandId;
    auto* toolBar = new QToolBar(QStringLiteral("Toolbar"), frame);
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setIconSize(QSize(16, 16));
    for (int id : {kFileNew, kFileOpen, kFileSave, kEditUndo, kEditRedo, 0, kRead, kWrite, 0,
                   kFilePrint, 0, kAppAbout}) {
        if (id == 0)
            toolBar->addSeparator();
        else
            toolBar->addAction(menus.actions.value(id));
    }
    return toolBar;
}

void ShowUndoState(const FrameMenus& menus, const CProgramDoc* doc) {
    const Language language = startupConfig().language();
    QAction* undo = menus.actions.value(CommandId::kEditUndo);
    QAction* redo = menus.actions.value(CommandId::kEditRedo);
    undo->setEnabled(doc && doc->canUndo());
    redo->setEnabled(doc && doc->canRedo());
    const QString undoText = UndoText(doc ? doc->undoLabel() : QString(), language);
    const QString redoText = RedoText(doc ? doc->redoLabel() : QString(), language);
    undo->setToolTip(undoText);
    undo->setStatusTip(undoText);
    redo->setToolTip(redoText);
    redo->setStatusTip(redoText);
}

void FillWindowMenu(const FrameMenus& menus, const QList<CChildFrame*>& children,
                    const CChildFrame* active) {
    QMenu* menu = menus.windowMenu;
    menu->clear(); // deletes the document entries of the last opening, not the commands
    menu->addAction(menus.actions.value(CommandId::kWindowTile));
    menu->addAction(menus.actions.value(CommandId::kWindowCascade));
    if (!children.isEmpty())
        menu->addSeparator();
    for (int i = 0; i < children.size(); ++i) {
        CChildFrame* child = children[i];
        // &1 to &9; from 10 on no mnemonic, which would only repeat that of 1.
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QString::number(i + 1);
        QAction* entry =
            menu->addAction(QStringLiteral("%1 %2").arg(number, child->documentName()));
        entry->setCheckable(true);
        entry->setChecked(child == active);
        QObject::connect(entry, &QAction::triggered, child, &CChildFrame::showAgain);
    }
}
