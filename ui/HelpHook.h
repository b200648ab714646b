#pragma once
// How the parts of the program ask for help. The main window owns the help handler
// (the viewer the window program gives it at start-up) and hands it to the views it
// makes; until then help requests do nothing.
//
// F1: a widget or dialog that handles F1 itself calls its help handler with its
// context id.
// F1 that no widget of the main window handles opens the topic of the nearest
// dynamic property `helpId` (an int) of the focused widget and its parents, else the
// contents; F1 on a highlighted menu item opens the topic of its command id.

#include <functional>

// Name of the dynamic widget property that holds a help context id.
constexpr const char* kHelpIdProperty = "helpId";

// Context 0 (or any id no topic lists) opens the contents page.
constexpr int kHelpContents = 0;

using HelpHandler = std::function<void(int contextId)>;
