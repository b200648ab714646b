#include "app/FileCommands.h"

#include "app/ChildFrame.h"
#include "config/LastFolder.h"
#include "document/ProgramDoc.h"
#include "radio/OwnTexts.h"
#include "ui/Prompts.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <memory>

namespace {

// The local files a drag carries; empty when it carries anything else.
QStringList DroppedFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return QStringList();
        files << url.toLocalFile();
    }
    return files;
}

// Two names of one file (a symbolic link, a relative path) are the same file.
bool SameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

// The window whose document is the file at `path`; null when no window has it open.
CChildFrame* WindowOfFile(const QList<CChildFrame*>& windows, const QString& path) {
    for (CChildFrame* window : windows) {
        if (SameFile(window->document()->pathName(), path))
            return window;
    }
    return nullptr;
}

} // namespace

void FileCommands::fileNew() {
    if (CChildFrame* old = m_context.activeChild()) {
        Prompt prompt;
        prompt.icon = QMessageBox::Warning;
        prompt.text = QStringLiteral("All data will be Cleared!");
        prompt.buttons = QMessageBox::Ok | QMessageBox::Cancel;
        if (m_context.prompts->ask(m_context.window, prompt) != QMessageBox::Ok)
            return;
        // After agreeing to clear, unsaved changes may still be saved first.
        if (!querySaveModified(old))
            return;
        delete old;
    }
    m_context.createNewDocument();
}

void FileCommands::fileOpen() {
    const QString path = m_context.prompts->chooseFileToOpen(m_context.window,
                                                             LastFileFolder(m_context.iniFilePath));
    if (!path.isEmpty())
        openFile(path);
}

bool FileCommands::openFile(const QString& path) {
    // One document per file: two copies would each save over what the other saved.
    if (CChildFrame* open = WindowOfFile(m_context.childFrames(), path)) {
        open->showAgain();
        return true;
    }
    auto doc = std::make_unique<CProgramDoc>();
    QString error;
    if (!doc->OnOpenDocument(path, &error)) {
        m_context.prompts->showError(m_context.window, error);
        return false;
    }
    if (CChildFrame* old = m_context.activeChild()) {
        // The window about to hide keeps its document; unsaved changes are settled
        // first, and discarded ones end that document.
        bool discarded = false;
        if (!querySaveModified(old, &discarded))
            return false;
        if (discarded)
            delete old;
        else
            old->hide();
    }
    RememberFileFolder(m_context.iniFilePath, path);
    m_context.addDocument(doc.release());
    return true;
}

bool FileCommands::save(CChildFrame* child, bool askForName) {
    CProgramDoc* doc = child->document();
    QString path = doc->pathName();
    if (askForName || path.isEmpty()) {
        QString proposed = path;
        if (proposed.isEmpty() && !doc->defaultPathName().isEmpty())
            proposed = doc->defaultPathName() + QStringLiteral(".dat");
        path = m_context.prompts->chooseFileToSave(m_context.window,
                                                   InLastFolder(m_context.iniFilePath, proposed));
        if (path.isEmpty())
            return false;
    }
    if (SameFile(path, doc->pathName()) && doc->fileChangedOnDisk() &&
        !agreeToOverwriteChangedFile(doc))
        return false;
    QString error;
    if (!doc->OnSaveDocument(path, &error)) {
        m_context.prompts->showError(m_context.window, error);
        return false;
    }
    RememberFileFolder(m_context.iniFilePath, path);
    child->updateTitle();
    return true;
}

bool FileCommands::agreeToOverwriteChangedFile(const CProgramDoc* doc) {
    Prompt prompt;
    prompt.icon = QMessageBox::Warning;
    prompt.text = OwnText("\"%1\" was changed on disk since it was opened or saved here.\n"
                          "Saving replaces what is in it now. Save anyway?")
                      .arg(doc->pathName());
    prompt.buttons = QMessageBox::Save | QMessageBox::Cancel;
    prompt.defaultButton = QMessageBox::Cancel;
    return m_context.prompts->ask(m_context.window, prompt) == QMessageBox::Save;
}

bool FileCommands::querySaveModified(CChildFrame* child, bool* discarded) {
    if (discarded)
        *discarded = false;
    if (!child->document()->isModified())
        return true;
    Prompt prompt;
    prompt.icon = QMessageBox::Question;
    // Short lines: a message box wraps long ones wherever they overflow.
    prompt.text = OwnText("The channel data of \"%1\"\n"
                          "has changes that are not saved. Save them?")
                      .arg(child->document()->title(m_context.language));
    prompt.buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    prompt.defaultButton = QMessageBox::Save;
    switch (m_context.prompts->ask(m_context.window, prompt)) {
    case QMessageBox::Save:
        return save(child, false);
    case QMessageBox::Discard:
        if (discarded)
            *discarded = true;
        return true;
    default:
        return false;
    }
}

bool FileCommands::settleAllDocuments() {
    for (CChildFrame* child : m_context.childFrames()) {
        if (!querySaveModified(child))
            return false;
    }
    return true;
}

void FileCommands::dragEnter(QDragEnterEvent* event) {
    if (!DroppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FileCommands::drop(QDropEvent* event) {
    const QStringList files = DroppedFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // Each opens as a further document; one that is not a radio image is refused with
    // the message File > Open gives.
    // Opened once the drop is over: a message box must not run inside the drop.
    QTimer::singleShot(0, m_context.window, [this, files] {
        for (const QString& file : files)
            openFile(file);
    });
}
