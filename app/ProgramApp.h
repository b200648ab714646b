#pragma once
// The application: start-up in a fixed order (configuration, language, main window,
// the first document, menu adjustments) and the main window it creates.

#include "RunConfig.h"

#include <QString>
#include <QStringList>
#include <memory>

class CMainFrame;

class CProgramApp {
public:
    CProgramApp();
    ~CProgramApp();

    // Starts the program for `arguments` (QCoreApplication::arguments() form) with
    // its files in `programDirectory`. False ends the program with exitCode(); the
    // reason was already shown (message box) or printed (command-line mistakes).
    bool InitInstance(const QStringList& arguments, const QString& programDirectory);

    int exitCode() const { return m_exitCode; }
    CMainFrame* mainFrame() const { return m_frame.get(); }
    const CommandLine& commandLine() const { return m_commandLine; }

private:
    void adaptMenus();

    CommandLine m_commandLine;
    std::unique_ptr<CMainFrame> m_frame;
    int m_exitCode = 0;
};
