#pragma once
// Where a help context id leads in our help pages: a page name relative to the help
// folder of the language, with an anchor when the topic is a part of a page. Context
// ids are menu command ids (CommandIds.h) and the ids of dialog controls.

#include <QString>
#include <QStringList>

// The contents page, for context 0 and every id no topic lists.
constexpr const char* kHelpContentsPage = "index.html";

// The Password dialog has no command of its own; its help context is its template number.
constexpr int kPasswordHelpId = 137;

// "page.html" or "page.html#anchor".
QString HelpTopicFor(int contextId);

// Every topic some context id leads to, each once, and the contents page.
QStringList AllHelpTopics();

// The context a dialog asks for when F1 is pressed in its control `controlId`: the
// context of that field's part of the dialog's page where it has one, else the
// dialog's context (OK, Cancel and fields without a part of their own). Control ids
// repeat between dialogs, so a control id alone would often open another dialog's
// field or the contents.
int DialogHelpContext(int controlId, int dialogContextId);
