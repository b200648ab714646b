#pragma once
// What a view or dialog made on its own in a test gets from the window program: a
// session, prompts that show real message boxes (answered through Modal.h) under the
// test runs' application name, and the language of the run.

#include "link/RunSession.h"
#include "ui/Prompts.h"
#include "ui/TransferController.h"

struct TestRun {
    static inline const QString kApplicationName = QStringLiteral("Quorvane Radio");

    RunSession session;
    Prompts prompts{kApplicationName};
    QString iniFilePath; // empty or missing: the default ports, no stand-in choice kept

    TransferContext context(Language language = Language::English) {
        return {session, prompts, language, iniFilePath};
    }
};
