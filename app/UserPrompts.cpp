#include "UserPrompts.h"

#include "AppConfig.h"

#include <QAbstractButton>
#include <QFileDialog>

namespace {

PromptHandlers& Handlers() {
    static PromptHandlers handlers;
    return handlers;
}

const char* const kDatFilter = "Program Document (*.dat)";

// Button texts of the run's language; the English ones are Qt's own.
void TranslateButtons(QMessageBox& box) {
    if (!appConfig().chineseLanguage)
        return;
    const struct {
        QMessageBox::StandardButton button;
        const char* text;
    } kChinese[] = {
        {QMessageBox::Ok, "確定"},
        {QMessageBox::Cancel, "取消"},
        {QMessageBox::Save, "保存"},
        {QMessageBox::Discard, "不保存"},
    };
    for (const auto& entry : kChinese) {
        if (QAbstractButton* button = box.button(entry.button))
            button->setText(QString::fromUtf8(entry.text));
    }
}

} // namespace

QMessageBox::StandardButton AskUser(QWidget* parent, const Prompt& prompt) {
    if (Handlers().ask)
        return Handlers().ask(prompt);
    const QString caption = prompt.caption.isEmpty() ? appConfig().applicationName : prompt.caption;
    QMessageBox box(prompt.icon, caption, prompt.text, prompt.buttons, parent);
    if (prompt.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(prompt.defaultButton);
    TranslateButtons(box);
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
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(),
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
