#pragma once
// The main window's commands: one QAction per command id (the id is the action's
// data), the two menu bars (129 while a document is open, 128 while none is), the
// tool bar's buttons and the accelerator keys; what Undo, Redo and the Window menu say
// follows the documents. The menu bar and the tool bar's tips are English in both
// languages, the program's own commands among them, so that each menu reads in one
// language; only the Undo and Redo tips name the change in the language of the run,
// as the change's own label is written.

#include <QHash>
#include <QList>

class CChildFrame;
class CProgramDoc;
class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

struct FrameMenus {
    QHash<int, QAction*> actions;
    QList<QMenu*> documentMenus; // menu 129: File, Edit, Program, View, Setup, Window, Help
    QList<QMenu*> emptyMenus;    // menu 128: File, View, Help
    QMenu* editMenu = nullptr;   // of menu 129
    QMenu* setupMenu = nullptr;  // of menu 129
    QMenu* windowMenu = nullptr; // of menu 129: Tile, Cascade, then one item per document
    QMenu* helpMenu = nullptr;   // of menu 129
};

// Creates the actions and menus, owned by `frame`, and the accelerator shortcuts.
FrameMenus BuildFrameMenus(QMainWindow* frame);

// The tool bar: New, Open, Save, Undo, Redo | Read, Write | Print | About.
QToolBar* BuildToolBar(QMainWindow* frame, const FrameMenus& menus);

// Undo and Redo enabled as the active document's history allows, their tips saying
// what they would take back or do again ("Undo Paste 3 channels"); `doc` may be null.
void ShowUndoState(const FrameMenus& menus, const CProgramDoc* doc);

// Tile and Cascade, then "&1 name" for each document, the active one checked; an
// entry shows its window again.
void FillWindowMenu(const FrameMenus& menus, const QList<CChildFrame*>& children,
                    const CChildFrame* active);
