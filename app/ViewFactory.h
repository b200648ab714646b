#pragma once
// The one place that decides which widget shows a document inside its child window.

#include "ui/HelpHook.h"

#include <functional>

class CProgramDoc;
class DocumentView;
class Prompts;
class QString;
class QWidget;
class RunSession;

// What the main window hands to every view it makes.
struct ViewSurroundings {
    RunSession& session;    // the port, alignment unlock and trace of Read and Write
    const Prompts& prompts; // the view's messages, questions and status-bar notes
    HelpHandler showHelp;   // F1 and the help of the view's dialogs
};

// The channel view of `doc`, to be placed in `frame` (its child window). What the view
// needs from its surroundings it gets here:
// - the main window's title it asks for goes to `showMainTitle`, while `frame` lives;
// - its F1 requests go to `surroundings.showHelp`;
// - the main window gives it its commands (Read, Write, COM Setup, Scan Info, Print,
//   Print Preview, Import and Export Channels, Undo and Redo) as the typed calls of
//   DocumentView (editor/DocumentView.h).
DocumentView* CreateChannelView(CProgramDoc* doc, const ViewSurroundings& surroundings,
                                QWidget* frame, std::function<void(const QString&)> showMainTitle);
