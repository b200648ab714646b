#pragma once
// The one way every part of the program asks for help. The window program installs
// the viewer at start-up; until then (and in the command-line tool) help requests do
// nothing.
//
// F1: a widget or dialog that handles F1 itself calls ShowHelp with its context id.
// F1 that no widget of the main window handles opens the topic of the nearest
// dynamic property `helpId` (an int) of the focused widget and its parents, else the
// contents; F1 on a highlighted menu item opens the topic of its command id.

#include <functional>

// Name of the dynamic widget property that holds a help context id.
constexpr const char* kHelpIdProperty = "helpId";

// Context 0 (or any id no topic lists) opens the contents page.
constexpr int kHelpContents = 0;

using HelpHandler = std::function<void(int contextId)>;

void SetHelpHandler(HelpHandler handler);
void ShowHelp(int contextId);
