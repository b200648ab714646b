#pragma once
// Starting the window program inside a test: a private configuration folder, answers
// for every question, and a record of what was asked.

#include "app/MainFrame.h"
#include "app/ProgramApp.h"
#include "tests/support/Files.h"
#include "ui/Prompts.h"

#include <QList>
#include <QTemporaryDir>
#include <memory>

// Records every prompt and answers it from a queue (OK / the default when empty). The
// programs StartProgram starts while it lives ask it.
class PromptRecorder {
public:
    PromptRecorder();
    ~PromptRecorder();
    PromptHandlers handlers();

    void answerNext(QMessageBox::StandardButton answer) { m_answers << answer; }
    void setOpenFile(const QString& path) { m_openFile = path; }
    void setSaveFile(const QString& path) { m_saveFile = path; }

    QList<Prompt> asked;
    QStringList proposedSaveNames;

private:
    QList<QMessageBox::StandardButton> m_answers;
    QString m_openFile;
    QString m_saveFile;
};

// Starts the program with --config `config` and `extraArguments`. The programs's
// files (pictures, help) come from the build's bin folder.
std::unique_ptr<CProgramApp> StartProgram(const ConfigDir& config,
                                          const QStringList& extraArguments = {});

// The window program started with the default Program.ini in a folder of its own,
// every question answered by `prompts`.
struct RunningProgram {
    RunningProgram();
    PromptRecorder prompts;
    ConfigDir config;
    std::unique_ptr<CProgramApp> app;
    CMainFrame* frame = nullptr;
};
