#pragma once
// The values of a run that start-up decides once: the language, where Program.ini and
// the program's companion files are, and the texts taken from Program.ini. The window
// program sets them in LoadRunConfig (model/RunConfig.h) before any window exists;
// everything else only reads them. What changes during a run has an owner of its own:
// the document (CProgramDoc), the session (link/RunSession.h), the main window.

#include "radio/Language.h"

#include <QString>

struct StartupConfig {
    QString languageName; // raw [Setup] Language of Program.ini
    bool chineseLanguage = false;
    QString iniFilePath; // the one Program.ini every part reads
    // Folder of the program's companions (title.ico, background.bmp, help/), with a
    // trailing '/': the executable's own folder in a build, <prefix>/share/<package>/
    // when installed.
    QString programDirectory;
    QString helpFileName; // "chHelp" or "enHelp" (our help pages, by base name)
    // [<language>] Company: the caption of message boxes that have none of their own.
    QString applicationName;

    Language language() const { return chineseLanguage ? Language::Chinese : Language::English; }
};

// The values of this run (all empty and English until start-up sets them).
const StartupConfig& startupConfig();

// Start-up's one write (LoadRunConfig).
void SetStartupConfig(const StartupConfig& config);

// The test seam: tests set the run they stand for here. Program code never calls it.
StartupConfig& StartupConfigForTests();
