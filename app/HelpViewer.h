#pragma once
// Our help pages (HTML, one folder per language beside the program) in a simple
// browser window. HelpViewerFor gives the main window its help handler.

#include "ui/HelpHook.h"

#include <QDialog>
#include <QUrl>

class QTextBrowser;

class CHelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit CHelpViewer(QWidget* parent = nullptr);

    // Opens the topic of `contextId` (an unknown id opens the contents page).
    void showTopic(int contextId);

    QUrl currentSource() const;

    // The folder of the run's help pages: <program folder>/help/<helpFileName>/.
    static QString helpFolder();

private:
    QTextBrowser* m_browser;
};

// A help handler that opens the topic in one viewer window owned by `owner`.
HelpHandler HelpViewerFor(QWidget* owner);
