#pragma once
// The main window's file commands: New (after its warning), Open, Save, Save As, the
// question about unsaved changes that everything ending a document asks first, and
// files dropped on the window. A document that opens gets a child window of its own
// from the main window (FileCommandsContext::addDocument).

#include "radio/Language.h"

#include <QList>
#include <QString>
#include <functional>

class CChildFrame;
class CProgramDoc;
class Prompts;
class QDragEnterEvent;
class QDropEvent;
class QWidget;

// What the file commands work with, handed over by the main window.
struct FileCommandsContext {
    QWidget* window = nullptr;                        // the parent of their questions and choosers
    const Prompts* prompts = nullptr;                 // the questions, messages and file choosers
    Language language = Language::English;            // of the document titles the questions name
    QString iniFilePath;                              // Program.ini keeps the last file folder
    std::function<CChildFrame*()> activeChild;        // null while no document is open
    std::function<QList<CChildFrame*>()> childFrames; // every document's window
    std::function<void()> createNewDocument;          // in a new window, no question asked
    std::function<void(CProgramDoc*)> addDocument;    // takes it over, in a new window
};

class FileCommands {
public:
    explicit FileCommands(FileCommandsContext context) : m_context(std::move(context)) {}

    // "All data will be Cleared!", the unsaved changes, then a new document in place
    // of the active one.
    void fileNew();
    // The file chooser, then openFile().
    void fileOpen();
    // Opens a .dat file as a further document; the window active until then hides.
    // A file that is open already brings its window to the front instead. A file that
    // cannot be loaded is reported and changes nothing.
    bool openFile(const QString& path);
    // Saves the document of `child`, asking for a file name when it has none or when
    // `askForName`. A file changed on disk since the document last opened or saved it
    // is named in a question first. False when the save failed (reported) or the user
    // cancelled.
    bool save(CChildFrame* child, bool askForName);
    // Save / Discard / Cancel for a document with unsaved changes; true to go on.
    // `discarded` (optional) tells whether the user chose to discard the changes.
    bool querySaveModified(CChildFrame* child, bool* discarded = nullptr);
    // The same question for every document in turn; false when one was cancelled.
    bool settleAllDocuments();

    // Local files dragged onto the window open as File > Open would open them.
    void dragEnter(QDragEnterEvent* event);
    void drop(QDropEvent* event);

private:
    bool agreeToOverwriteChangedFile(const CProgramDoc* doc);

    FileCommandsContext m_context;
};
