#pragma once
// The program's own messages in the language of the run. A message is written in the
// code in English, which is also its key in one table of both forms; the texts a radio
// programmer of this kind has always shown stay where they are, in their given words.
//
// The language is fixed for a whole run: the window program sets it from Program.ini
// at start. chprog's messages stay English, as its own usage texts are (its --lang
// chooses the words of the channels it prints). A text the table lacks stays English;
// a test walks the table and the messages of a Chinese run.

#include "radio/Language.h"

#include <QString>

void SetMessageLanguage(Language language);
Language MessageLanguage();

// `english` in the run's language: its Chinese form from the table in a Chinese run.
QString OwnText(const char* english);

// The table, for the tests that check every Chinese form.
struct OwnTextForms {
    const char* english;
    const char* chinese;
};
const OwnTextForms* OwnTextTable(int* count);
