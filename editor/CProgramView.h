#pragma once
// The channel view of one document: the 16-channel grid, the nine in-place editors
// that open over the current cell, and the band limits every typed frequency is
// checked against. The grid only shows the document: a committed cell becomes an edit
// of the document, and every change of the image (edit, undo, redo, read) is drawn
// back into the rows it touched, so the grid always shows what a save writes.
//
// Use: construct, connect titleChanged, then OnInitialUpdate(). F1 opens help at the
// focused control's id (its help handler); the main window gives its commands as the
// typed calls of DocumentView.

#include "radio/ChannelCodec.h"
#include "document/ChannelEdit.h"
#include "editor/ChannelViewRun.h"
#include "editor/DocumentView.h"
#include "ui/HelpHook.h"
#include "config/ProductCatalog.h"
#include "document/ProgramDoc.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class ChannelBulkTools;
class ChannelEditActions;
struct ChannelBulkContext;
class DocumentCommands;
struct ChannelEditContext;
struct ChannelGridContext;
struct DocumentCommandsContext;
class Prompts;
class TransferController;
class CMSFlexGrid;
class CellEditorOverlay;
class QPrinter;
class RunSession;
struct ChannelPrintout;

class CProgramView : public QWidget, public DocumentView {
    Q_OBJECT
public:
    // `run`: the language and Program.ini of the run. Read, Write and COM Setup use
    // `session` (the main window's); its messages and notes go through `prompts` (the
    // main window's). A view made without them keeps its own: a session with the stored
    // port, prompts with the run's application name.
    CProgramView(CProgramDoc* document, ChannelViewRun run, RunSession* session = nullptr,
                 const Prompts* prompts = nullptr, QWidget* parent = nullptr);
    ~CProgramView() override;

    CProgramDoc* GetDocument() const { return m_document; }
    CMSFlexGrid* grid() const { return m_grid; }
    // The grid's editing tools: channel selection, clipboard, moves, context menu.
    ChannelEditActions* editActions() const { return m_editActions; }
    // The tools for many channels: Set for Selection, Fill Down, Frequency Series, ...
    ChannelBulkTools* bulkTools() const { return m_bulkTools; }

    // Fills the grid for the bound document (the view is set up by its constructor).
    void OnInitialUpdate();

    // The texts the grid shows.
    ChannelTable channelTable() const;

    // The main window calls this before each of its commands, so that a value typed
    // without Enter is part of the document (and of its unsaved changes).
    void commitPendingEdit() override { CommitCellEdit(); }
    // Hides every editor; text typed into the open one is dropped.
    void HideCellEditors();

    // The editor of a grid column (1..9), or nullptr.
    QWidget* cellEditor(int col) const;
    // The editor that is open, or nullptr.
    QWidget* openEditor() const;

    // The band limits m_nFreqLow..m_nFreqHigh (units of 10 Hz, both ends included).
    BandLimits bandLimits() const override { return {m_nFreqLow, m_nFreqHigh}; }
    // The limits of typed, pasted and imported frequencies (see ProductSelection).
    BandLimits typingBand() const override { return m_typingBand; }
    long long freqLow() const { return m_nFreqLow; }
    long long freqHigh() const { return m_nFreqHigh; }
    // Applies a product selection: band limits and window title; the first time the
    // image names no model, a status note says so.
    void applyProduct(const ProductSelection& selection, ProductTitleForm form) override;
    // The main window title the view asks for.
    QString title() const { return m_title; }

    // Undo and redo of the document. A value typed into an open editor and not yet
    // committed is dropped: it never became a step.
    void undo() override;
    void redo() override;

    // The main window's typed commands (DocumentView), carried out by DocumentCommands.
    QWidget* widget() override { return this; }
    CProgramDoc* document() const override { return m_document; }
    void read() override;
    void write() override;
    void restoreRadio() override;
    void scanInfo() override;
    void comSetup() override;
    void print(QPrinter& printer) override;
    void printPreview(QPrinter& printer) override;
    void importChannels() override;
    void exportChannels() override;
    void runChannelTool(ChannelTool tool) override;
    void goToCell(int channel, ChannelField field) override;
    TransferController* transfer() const;
    bool isTransferring(TransferDirection* direction = nullptr) const override;
    void cancelTransfer(std::function<void()> ended) override;
    bool refusesEdits() override;

    // The channel table as the grid shows it, for printing.
    ChannelPrintout printout() const;

    // Where F1 on a control and the help of Scan Info go (nowhere until set).
    void setHelpHandler(HelpHandler handler) { m_showHelp = std::move(handler); }

    // The view's messages, questions and notes.
    const Prompts& prompts() const { return *m_prompts; }
    // A note in the main window's status bar, for what needs no answer.
    void showStatusNote(const QString& text);
    // A refusal: a warning box with `caption`.
    void showMessage(const QString& text, const QString& caption);

signals:
    // The main window's title for this document (model and band).
    void titleChanged(const QString& title);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Image into grid texts, then the product step: reconcile the product with the
    // per-user store, set the title and the band limits.
    void FillGrid();
    // Closes the open editor; a changed text is validated and becomes one edit of the
    // document. True when a refusal message was shown.
    bool CommitCellEdit();
    // Opens the editor of the current column over the current cell.
    void ShowCellEditor();
    void showHelp(int contextId) const;
    ChannelGridContext gridContext();
    ChannelEditContext editContext();
    ChannelBulkContext bulkContext();
    DocumentCommandsContext commandsContext();
    void watchGridAndEditors();
    void OnEnterKey();
    void openEditorForTyping(QKeyEvent* event);
    ChannelRow rowTexts(int row) const;
    void writeRow(int row, const ChannelRow& texts);
    void onImageChanged(int first, int last);
    void redrawChangedRows();
    // The cells that break the document's plan or the typing band (ChannelMarks).
    void refreshMarks();
    void applyProductOfImage();
    void storeCommittedCell(int row, const CellCommit& commit);

    QPointer<CProgramDoc> m_document;
    ChannelViewRun m_run;
    CMSFlexGrid* m_grid = nullptr;
    CellEditorOverlay* m_overlay = nullptr; // places the editors over the current cell
    std::array<QWidget*, kChannelColumns> m_editors{}; // by column; [0] is unused
    long long m_nFreqLow = 0;
    long long m_nFreqHigh = 0;
    BandLimits m_typingBand;
    QString m_title;
    bool m_noProductNoted = false; // the note that the image names no model, once
    QString m_textAtOpening; // the open editor's text when it opened
    HelpHandler m_showHelp;
    std::unique_ptr<RunSession> m_ownSession;
    RunSession* m_session;
    std::unique_ptr<Prompts> m_ownPrompts;
    const Prompts* m_prompts;
    DocumentCommands* m_commands = nullptr;
    ChannelEditActions* m_editActions = nullptr;
    ChannelBulkTools* m_bulkTools = nullptr;
};
