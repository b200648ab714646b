#pragma once
// The application: start-up in a fixed order (configuration, language, main window,
// the first document, menu adjustments) and the main window it creates.

#include "config/RunConfig.h"
#include "ui/Prompts.h"

#include <QString>
#include <QStringList>
#include <memory>

class CCaptionFit;
class CMainFrame;
class QTranslator;

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

    // The answers the main window's prompts give (tests); set before InitInstance.
    void setPromptHandlers(PromptHandlers handlers) { m_promptHandlers = std::move(handlers); }

private:
    void adaptMenus();
    void useQtTranslations(bool chinese);

    CommandLine m_commandLine;
    PromptHandlers m_promptHandlers;
    std::unique_ptr<QTranslator> m_translator; // Qt's own texts in a Chinese run
    std::unique_ptr<CCaptionFit> m_captionFit;
    std::unique_ptr<CMainFrame> m_frame;
    int m_exitCode = 0;
};
