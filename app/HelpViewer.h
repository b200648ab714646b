#pragma once
// Our help pages (HTML, one folder per language beside the program) in a simple
// browser window. HelpViewerFor gives the main window its help handler.

#include "ui/HelpHook.h"

#include <QDialog>
#include <QRect>
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

// A help handler that opens the topic in one viewer window owned by `owner`. Asked
// from a dialog, the window opens beside that dialog, not over it.
HelpHandler HelpViewerFor(QWidget* owner);

// Where the help window's frame goes beside a dialog's frame, inside `available` (the
// screen's free area): to the right when there is room for `minimumWidth`, else to the
// left, else (a screen too narrow) on the side with more room, as far away as fits.
// The width is `preferred`'s where the room allows, the height is cut to `available`,
// and the top is the dialog's, moved up as far as needed to fit.
QRect HelpFrameBeside(const QRect& dialogFrame, const QRect& available, const QSize& preferred,
                      int minimumWidth);
