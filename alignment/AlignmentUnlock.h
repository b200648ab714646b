#pragma once
// The alignment unlock that Ctrl+F11 in the main window runs.

#include "radio/Language.h"

#include <functional>

class Prompts;
class QWidget;
class RunSession;

// Asks for the access code with the Password dialog (its error through `prompts`). A correct code sets
// the session's alignment unlock and, the first time in the run, calls `appendEntries`,
// with which the main frame adds "Power Adjust" and "Sql Adjust" to its navigation tree
// and Edit menu; later correct entries change nothing. Cancel, the close box, or a
// call while another modal dialog is open leave everything as it was.
// Returns true when the code was entered correctly.
bool RunAlignmentUnlock(QWidget* parent, RunSession& session, const Prompts& prompts,
                        Language language, const std::function<void()>& appendEntries);
