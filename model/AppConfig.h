#pragma once
// Process-wide values: set once at start-up (language, file locations) or changed by
// the few places that own them (documentIsNew, portName, alignmentUnlocked).
// The window program and the command-line tool both read them from here.

#include "Language.h"

#include <QString>

struct AppConfig {
    QString languageName;     // raw [Setup] Language of Program.ini
    bool chineseLanguage = false;
    QString iniFilePath;      // the one Program.ini every part reads
    // Folder of the program's companions (title.ico, background.bmp, help/), with a
    // trailing '/': the executable's own folder in a build, <prefix>/share/<package>/
    // when installed.
    QString programDirectory;
    QString helpFileName;     // "chHelp" or "enHelp" (our help pages, by base name)
    // [<language>] Company: the caption of message boxes that have none of their own.
    QString applicationName;

    bool documentIsNew = true;     // a New document whose product comes from the user store
    QString portName;              // serial device of the next exchange
    bool alignmentUnlocked = false; // widens the write plan to the calibration regions
    // The device given with --port. When set it is the portName of the whole run: code
    // that sets portName from the stored choice leaves it alone (COM Setup may still
    // change it on the user's request).
    QString commandLinePort;
    // --trace FILE: every byte on the serial line is appended there (see SerialTrace.h).
    QString tracePath;

    Language language() const { return chineseLanguage ? Language::Chinese : Language::English; }
};

// The one instance of the run.
AppConfig& appConfig();
