#include "ui/Prompts.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QMainWindow>
#include <QPointer>
#include <QStatusBar>

namespace {

const char* const kDatFilter = "Program Document (*.dat)";

} // namespace

PromptAnswer Prompts::show(QWidget* parent, const Prompt& prompt) const {
    if (m_handlers.ask)
        return m_handlers.ask(prompt);
    const QString caption = prompt.caption.isEmpty() ? m_applicationName : prompt.caption;
    QPointer<QMessageBox> box = new QMessageBox(prompt.icon, caption, prompt.text, prompt.buttons, parent);
    if (prompt.defaultButton != QMessageBox::NoButton)
        box->setDefaultButton(prompt.defaultButton);
    if (!prompt.detail.isEmpty())
        box->setInformativeText(prompt.detail);
    if (!prompt.checkBoxText.isEmpty())
        box->setCheckBox(new QCheckBox(prompt.checkBoxText, box));
    if (!prompt.waitsForAnswer) {
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        box->show();
        return {};
    }
    const auto button = static_cast<QMessageBox::StandardButton>(box->exec());
    if (!box) // the parent closed meanwhile
        return {};
    const PromptAnswer answer(button, box->checkBox() && box->checkBox()->isChecked());
    box->deleteLater();
    return answer;
}

void Prompts::showError(QWidget* parent, const QString& text) const {
    Prompt prompt;
    prompt.icon = QMessageBox::Warning;
    prompt.text = text;
    show(parent, prompt);
}

void Prompts::note(QWidget* near, const QString& text) const {
    if (m_handlers.note) {
        m_handlers.note(text);
        return;
    }
    if (auto* mainWindow = qobject_cast<QMainWindow*>(near ? near->window() : nullptr))
        mainWindow->statusBar()->showMessage(text);
}

QString Prompts::chooseFileToOpen(QWidget* parent, const QString& startFolder) const {
    if (m_handlers.openFile)
        return m_handlers.openFile();
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), startFolder,
                                        QString::fromLatin1(kDatFilter));
}

QString Prompts::chooseFileToSave(QWidget* parent, const QString& proposedPath) const {
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
