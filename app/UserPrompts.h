#pragma once
// Every question, error message and file chooser of the window shell goes through
// these functions. Tests replace the answers with SetPromptHandlers, so no test ever
// waits on a real message box or file dialog.

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

QMessageBox::StandardButton AskUser(QWidget* parent, const Prompt& prompt);

// A failure the user must know about: warning icon, OK.
void ShowError(QWidget* parent, const QString& text);

// File dialogs for .dat files; an empty result means the user cancelled. Open starts
// in the folder last used (LastFolder.h).
QString ChooseFileToOpen(QWidget* parent);
QString ChooseFileToSave(QWidget* parent, const QString& proposedPath);

struct PromptHandlers {
    std::function<QMessageBox::StandardButton(const Prompt&)> ask;
    std::function<QString()> openFile;
    std::function<QString(const QString& proposedPath)> saveFile;
};

// Members left empty use the real dialogs again.
void SetPromptHandlers(PromptHandlers handlers);
