#pragma once
// Every message box, question and status-bar note of the window program goes through
// one Prompts object, made by the main window with the run's application name and
// handed to the views and dialogs. A message is described by a Prompt and built in one
// place (Prompts::show). Tests give the object answers of their own (setHandlers; for
// the running program CProgramApp::setPromptHandlers), so no test waits on a real
// message box; without handlers the real boxes appear.

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

struct Prompt {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption; // empty: the application name ([<language>] Company)
    QString text;
    QString detail;       // the box's informative text, under the text
    QString checkBoxText; // a check box under the text (none when empty)
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    // False: the box is shown and left up, and nobody waits for its answer.
    bool waitsForAnswer = true;
};

// The button that closed a box, and whether its check box was ticked.
struct PromptAnswer {
    PromptAnswer(QMessageBox::StandardButton button = QMessageBox::NoButton, bool checked = false)
        : button(button), checked(checked) {}
    QMessageBox::StandardButton button;
    bool checked;
};

struct PromptHandlers {
    std::function<PromptAnswer(const Prompt&)> ask;
    std::function<void(const QString& text)> note;
    std::function<QString()> openFile;
    std::function<QString(const QString& proposedPath)> saveFile;
};

class Prompts {
public:
    explicit Prompts(QString applicationName = QString())
        : m_applicationName(std::move(applicationName)) {}

    // Members left empty use the real dialogs and the status bar.
    void setHandlers(PromptHandlers handlers) { m_handlers = std::move(handlers); }

    // Shows `prompt` over `parent` and waits for the answer (see waitsForAnswer). The
    // box lives on the heap: when `parent` closes while it is up, the answer is NoButton.
    PromptAnswer show(QWidget* parent, const Prompt& prompt) const;
    QMessageBox::StandardButton ask(QWidget* parent, const Prompt& prompt) const {
        return show(parent, prompt).button;
    }

    // A failure the user must know about: warning icon, OK.
    void showError(QWidget* parent, const QString& text) const;

    // A note in the status bar of the main window `near` belongs to, for what needs no
    // answer (nothing when it belongs to none).
    void note(QWidget* near, const QString& text) const;

    // File dialogs for .dat files; an empty result means the user cancelled. Open
    // starts in `startFolder` (the folder last used, config/LastFolder.h).
    QString chooseFileToOpen(QWidget* parent, const QString& startFolder) const;
    QString chooseFileToSave(QWidget* parent, const QString& proposedPath) const;

private:
    QString m_applicationName;
    PromptHandlers m_handlers;
};
