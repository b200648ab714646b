#include "ui/UserPrompts.h"

#include "config/StartupConfig.h"

#include <QFileDialog>

namespace {

const char* const kDatFilter = "Program Document (*.dat)";

} // namespace

QMessageBox::StandardButton UserPrompts::ask(QWidget* parent, const Prompt& prompt) const {
    if (m_handlers.ask)
        return m_handlers.ask(prompt);
    const QString caption =
        prompt.caption.isEmpty() ? startupConfig().applicationName : prompt.caption;
    QMessageBox box(prompt.icon, caption, prompt.text, prompt.buttons, parent);
    if (prompt.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(prompt.defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void UserPrompts::showError(QWidget* parent, const QString& text) const {
    Prompt prompt;
    prompt.icon = QMessageBox::Warning;
    prompt.text = text;
    ask(parent, prompt);
}

QString UserPrompts::chooseFileToOpen(QWidget* parent, const QString& startFolder) const {
    if (m_handlers.openFile)
        return m_handlers.openFile();
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), startFolder,
                                        QString::fromLatin1(kDatFilter));
}

QString UserPrompts::chooseFileToSave(QWidget* parent, const QString& proposedPath) const {
    if (m_handlers.saveFile)
        return m_handlers.saveFile(proposedPath);
    QFileDialog dialog(parent, QStringLiteral("Save As"), proposedPath,
                       QString::fromLatin1(kDatFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}
