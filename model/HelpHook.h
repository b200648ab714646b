#pragma once
// The one way every part of the program asks for help. The window program installs
// the viewer at start-up; until then (and in the command-line tool) help requests do
// nothing.
//
// F1 anywhere in the window program opens the topic of the focused widget: the
// window program looks for the dynamic property `helpId` (an int) on the focused
// widget and then on each of its parents, and on a highlighted menu item uses the
// command id. So a dialog only sets `helpId` on its controls (or on itself) to get
// the right topic; code that wants a topic directly calls ShowHelp.

#include <functional>

// Name of the dynamic widget property that holds a help context id.
constexpr const char* kHelpIdProperty = "helpId";

// Context 0 (or any id no topic lists) opens the contents page.
constexpr int kHelpContents = 0;

using HelpHandler = std::function<void(int contextId)>;

void SetHelpHandler(HelpHandler handler);
void ShowHelp(int contextId);
