#pragma once
// The one place that decides which widget shows a document inside its child window.

class CChildFrame;
class CProgramDoc;
class QWidget;

// The channel view of `doc`, to be placed in `frame`. What the view needs from its
// surroundings it gets here:
// - the main window's title it asks for goes to frame->setMainTitle();
// - its F1 requests go to ShowHelp (model/HelpHook.h);
// - the main window routes the view's commands (Read, Write, COM Setup, Scan Info,
//   Print, Print Preview, Print Setup) to the view's slot `bool OnCommand(int)`
//   when the view has one (ids in model/CommandIds.h).
QWidget* CreateChannelView(CProgramDoc* doc, CChildFrame* frame);
