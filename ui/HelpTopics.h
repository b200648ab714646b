#pragma once
// Where a help context id leads in our help pages: a page name relative to the help
// folder of the language, with an anchor when the topic is a part of a page. Context
// ids are menu command ids (CommandIds.h) and the ids of dialog controls.

#include <QString>

// The contents page, for context 0 and every id no topic lists.
constexpr const char* kHelpContentsPage = "index.html";

// The Password dialog has no command of its own; its help context is its template number.
constexpr int kPasswordHelpId = 137;

// "page.html" or "page.html#anchor".
QString HelpTopicFor(int contextId);

// The context a dialog asks for when F1 is pressed in its control `controlId`: the
// control's own id where it leads to the dialog's topic, else the dialog's context.
// Control ids repeat between dialogs and OK or Cancel have no topic, so a control id
// alone would often open another dialog's topic or the contents.
int DialogHelpContext(int controlId, int dialogContextId);
