#pragma once
// Every question, error message and file chooser of the window shell goes through the
// main window's UserPrompts. Tests give it answers of their own (setHandlers, through
// CProgramApp::setPromptHandlers), so no test ever waits on a real message box or file
// dialog.

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

struct Prompt {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption; // empty: the application name ([<language>] Company)
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

struct PromptHandlers {
    std::function<QMessageBox::StandardButton(const Prompt&)> ask;
    std::function<QString()> openFile;
    std::function<QString(const QString& proposedPath)> saveFile;
};

class UserPrompts {
public:
    // Members left empty use the real dialogs.
    void setHandlers(PromptHandlers handlers) { m_handlers = std::move(handlers); }

    QMessageBox::StandardButton ask(QWidget* parent, const Prompt& prompt) const;

    // A failure the user must know about: warning icon, OK.
    void showError(QWidget* parent, const QString& text) const;

    // File dialogs for .dat files; an empty result means the user cancelled. Open
    // starts in `startFolder` (the folder last used, config/LastFolder.h).
    QString chooseFileToOpen(QWidget* parent, const QString& startFolder) const;
    QString chooseFileToSave(QWidget* parent, const QString& proposedPath) const;

private:
    PromptHandlers m_handlers;
};
