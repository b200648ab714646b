#include "UserPrompts.h"

#include "AppConfig.h"
#include "LastFolder.h"

#include <QFileDialog>

namespace {

PromptHandlers& Handlers() {
    static PromptHandlers handlers;
    return handlers;
}

const char* const kDatFilter = "Program Document (*.dat)";

} // namespace

QMessageBox::StandardButton AskUser(QWidget* parent, const Prompt& prompt) {
    if (Handlers().ask)
        return Handlers().ask(prompt);
    const QString caption = prompt.caption.isEmpty() ? appConfig().applicationName : prompt.caption;
    QMessageBox box(prompt.icon, caption, prompt.text, prompt.buttons, parent);
    if (prompt.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(prompt.defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void ShowError(QWidget* parent, const QString& text) {
    Prompt prompt;
    prompt.icon = QMessageBox::Warning;
    prompt.text = text;
    AskUser(parent, prompt);
}

QString ChooseFileToOpen(QWidget* parent) {
    if (Handlers().openFile)
        return Handlers().openFile();
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), LastFileFolder(),
                                        QString::fromLatin1(kDatFilter));
}

QString ChooseFileToSave(QWidget* parent, const QString& proposedPath) {
    if (Handlers().saveFile)
        return Handlers().saveFile(proposedPath);
    QFileDialog dialog(parent, QStringLiteral("Save As"), proposedPath,
                       QString::fromLatin1(kDatFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

void SetPromptHandlers(PromptHandlers handlers) {
    Handlers() = std::move(handlers);
}
