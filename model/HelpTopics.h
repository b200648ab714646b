#pragma once
// Where a help context id leads in our help pages: a page name relative to the help
// folder of the language, with an anchor when the topic is a part of a page. Context
// ids are menu command ids (CommandIds.h) and the ids of dialog controls.

#include <QString>

// The contents page, for context 0 and every id no topic lists.
constexpr const char* kHelpContentsPage = "index.html";

// "page.html" or "page.html#anchor".
QString HelpTopicFor(int contextId);
