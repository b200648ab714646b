#pragma once
// Keys the main window answers before any widget sees them: Ctrl+F11 (alignment
// access) anywhere in the main window, F1 on a highlighted menu command, and F1 in a
// dialog that names its topic with the `helpId` property on itself. Installed on the
// application, so it sees every key first.

#include "ui/HelpHook.h"

#include <QObject>
#include <functional>

class QWidget;

// What the keys reach, handed over by the main window.
struct FrameKeyFilterContext {
    QWidget* window = nullptr;             // Ctrl+F11 counts only inside it
    std::function<void()> unlockRequested; // Ctrl+F11: the alignment access code
    HelpHandler showHelp;                  // F1
};

class CFrameKeyFilter : public QObject {
    Q_OBJECT
public:
    // The filter belongs to `context.window`.
    explicit CFrameKeyFilter(FrameKeyFilterContext context);

    // The help context of a key press at `receiver`: the command id of a highlighted
    // menu item, else the nearest `helpId` property of the receiving (focused)
    // widget and its parents, else the contents page.
    static int helpContextFor(QObject* receiver);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The help context of F1 at `receiver` inside a dialog window that carries a
    // `helpId` itself; 0 for any other window (dialogs that answer F1 themselves, the
    // main window).
    static int dialogHelpContextFor(QObject* receiver);

private:
    bool belongsToFrame(QObject* receiver) const;
    // A key is first delivered to its window's focused widget, else to the window.
    static bool isFirstSighting(QObject* receiver);

    FrameKeyFilterContext m_context;
};
