#pragma once
// The one place that decides which widget shows a document inside its child window.

class CChildFrame;
class CProgramDoc;
class QWidget;

// The channel view of `doc`, to be placed in `frame`. The frame routes the commands
// of the view (Read, Write, COM Setup, Scan Info, printing) to the view's slot
// `bool OnCommand(int commandId)` when the view has one.
QWidget* CreateChannelView(CProgramDoc* doc, CChildFrame* frame);
