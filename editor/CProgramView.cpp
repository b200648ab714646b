#include "editor/CProgramView.h"
#include "config/ProductCatalog.h"

#include "dialogs/CComSetupDlg.h"
#include "ui/CMSFlexGrid.h"
#include "ui/CellEditorOverlay.h"
#include "editor/DocumentCommands.h"
#include "editor/ChannelBulkTools.h"
#include "editor/ChannelEditActions.h"
#include "editor/ChannelGridSetup.h"
#include "editor/ChannelMarks.h"
#include "editor/ChannelPrinter.h"
#include "ui/CommandIds.h"
#include "ui/Prompts.h"
#include "ui/TransferController.h"
#include "document/EditLabels.h"
#include "ui/HelpHook.h"
#include "document/ProgramDoc.h"
#include "link/RunSession.h"
#include "config/UserStore.h"
#include "radio/ChannelRecord.h"
#include "radio/OwnTexts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

int ControlId(const QObject* object) {
    return object ? object->property(kHelpIdProperty).toInt() : 0;
}

QString EditorText(const QWidget* editor) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(editor))
        return edit->text();
    if (const auto* list = qobject_cast<const QComboBox*>(editor))
        return list->currentText();
    return QString();
}

bool IsEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Up or Down alone: in a list cell as in a frequency cell, they move to the neighbouring
// channel; the list itself opens with Alt+Down or F4 (QComboBox's own keys).
bool IsRowStep(const QKeyEvent* key) {
    return (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Keys that start editing when the grid itself has the focus: text, Delete, Backspace.
bool StartsTyping(const QKeyEvent* key) {
    if (key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace)
        return true;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    return !key->text().isEmpty() && key->text().at(0).isPrint();
}

} // namespace

CProgramView::CProgramView(CProgramDoc* document, ChannelViewRun run, RunSession* session,
                           const Prompts* prompts, QWidget* parent)
    : QWidget(parent), m_document(document), m_run(std::move(run)),
      m_ownSession(session ? nullptr : std::make_unique<RunSession>()),
      m_session(session ? session : m_ownSession.get()),
      m_ownPrompts(prompts ? nullptr : std::make_unique<Prompts>(m_run.applicationName)),
      m_prompts(prompts ? prompts : m_ownPrompts.get()) {
    const ChannelGridParts parts = BuildChannelGrid(this, m_run.language);
    m_grid = parts.grid;
    m_editors = parts.editors;
    m_overlay = new CellEditorOverlay(m_grid);
    watchGridAndEditors();
    m_bulkTools = new ChannelBulkTools(bulkContext());
    m_editActions = new ChannelEditActions(editContext());

    if (m_ownSession)
        TakeStoredPort(*m_ownSession, m_run.iniFilePath);
    m_commands = new DocumentCommands(commandsContext(), *m_session);

    if (m_document) {
        connect(m_document, &CProgramDoc::imageChanged, this, &CProgramView::onImageChanged);
        connect(m_document, &CProgramDoc::planChanged, this, &CProgramView::refreshMarks);
    }
}

CProgramView::~CProgramView() {
    // Before the session goes: a running exchange is cancelled and waited for.
    delete m_commands;
}

// Every editing tool sees the grid and the document, and comes back for the band, the
// refusal of edits and its cautions.
ChannelGridContext CProgramView::gridContext() {
    ChannelGridContext context;
    context.grid = m_grid;
    context.document = m_document;
    context.language = m_run.language;
    context.typingBand = [this] { return typingBand(); };
    context.refusesEdits = [this] { return refusesEdits(); };
    context.showCaution = [this](const QString& text) { showMessage(text, CautionCaption()); };
    return context;
}

// The editing tools also get the history, for their context menu.
ChannelEditContext CProgramView::editContext() {
    ChannelEditContext context;
    static_cast<ChannelGridContext&>(context) = gridContext();
    context.undo = [this] { undo(); };
    context.redo = [this] { redo(); };
    context.bulkTools = m_bulkTools;
    return context;
}

// The tools for many channels also settle the open editor, write notes and see the
// items of the list editors.
ChannelBulkContext CProgramView::bulkContext() {
    ChannelBulkContext context;
    static_cast<ChannelGridContext&>(context) = gridContext();
    context.settleCell = [this] { return !CommitCellEdit(); };
    context.showNote = [this](const QString& text) { showStatusNote(text); };
    context.columnItems = [this](int column) {
        QStringList items;
        if (const auto* list = qobject_cast<const QComboBox*>(cellEditor(column)))
            for (int i = 0; i < list->count(); ++i)
                items << list->itemText(i);
        return items;
    };
    return context;
}

DocumentCommandsContext CProgramView::commandsContext() {
    DocumentCommandsContext context;
    context.view = this;
    context.document = m_document;
    context.language = m_run.language;
    context.iniFilePath = m_run.iniFilePath;
    context.prompts = m_prompts;
    context.showHelp = [this](int contextId) { showHelp(contextId); };
    context.typingBand = [this] { return typingBand(); };
    context.printout = [this] { return printout(); };
    context.refill = [this] { FillGrid(); };
    context.showNote = [this](const QString& text) { showStatusNote(text); };
    return context;
}

// The grid's cell events open and close the editors; keys on the grid and in the
// editors come to eventFilter().
void CProgramView::watchGridAndEditors() {
    m_grid->installEventFilter(this);
    for (QWidget* editor : m_editors) {
        if (editor)
            editor->installEventFilter(this);
    }
    connect(m_grid, &CMSFlexGrid::EnterCell, this, &CProgramView::ShowCellEditor);
    connect(m_grid, &CMSFlexGrid::MouseDown, this, [this] { ShowCellEditor(); });
    connect(m_grid, &CMSFlexGrid::LeaveCell, this, [this] { CommitCellEdit(); });
    connect(m_grid, &CMSFlexGrid::Scroll, this, &CProgramView::HideCellEditors);
}

// ---- image and grid ----------------------------------------------------------------

void CProgramView::OnInitialUpdate() {
    FillGrid();
}

void CProgramView::FillGrid() {
    HideCellEditors(); // an editor left open would carry stale text into the new grid
    if (!m_document)
        return;
    redrawChangedRows();
    applyProductOfImage(); // marks the cells against the image's band
}

// Rows whose texts differ from the document's are written again; the others keep
// their cells untouched.
void CProgramView::redrawChangedRows() {
    const ChannelTable table = DecodeChannels(m_document->image(), m_run.language);
    for (int row = 1; row < kChannelGridRows; ++row) {
        const ChannelRow& texts = table[static_cast<size_t>(row - 1)];
        if (texts == rowTexts(row))
            continue;
        if (row == m_grid->Row())
            HideCellEditors(); // its editor would carry the old text back
        writeRow(row, texts);
    }
}

// The product step of a grid fill. A new document takes the user's last product into
// its starting image (CProgramDoc::OnNewDocument); here the image only names the band
// and the title, and an opened or read image pushes its product to the store.
void CProgramView::applyProductOfImage() {
    const QString& iniPath = m_run.iniFilePath;
    UserStore store(iniPath);
    RadioImage image = m_document->image();
    applyProduct(ReconcileProduct(image, store, iniPath, m_document->isNew()),
                 ProductTitleForm::AfterFill);
}

void CProgramView::onImageChanged(int first, int last) {
    redrawChangedRows();
    if (first <= ImageMap::kProductBand && last >= ImageMap::kProductType)
        applyProductOfImage();
    else
        refreshMarks();
}

void CProgramView::refreshMarks() {
    if (m_document)
        MarkChannelGrid(*m_grid, m_document->image(), m_document->plan(), typingBand(),
                        m_run.language);
}

ChannelTable CProgramView::channelTable() const {
    ChannelTable table;
    for (int row = 1; row < kChannelGridRows; ++row)
        table[static_cast<size_t>(row - 1)] = rowTexts(row);
    return table;
}

ChannelRow CProgramView::rowTexts(int row) const {
    ChannelRow texts;
    for (int col = 0; col < kChannelGridCols; ++col)
        texts[static_cast<size_t>(col)] = m_grid->TextMatrix(row, col);
    return texts;
}

void CProgramView::writeRow(int row, const ChannelRow& texts) {
    for (int col = kColRxFrequency; col < kChannelGridCols; ++col)
        m_grid->SetTextMatrix(row, col, texts[static_cast<size_t>(col)]);
}

void CProgramView::applyProduct(const ProductSelection& selection, ProductTitleForm form) {
    m_nFreqLow = selection.limits.low;
    m_nFreqHigh = selection.limits.high;
    m_typingBand = selection.typingLimits;
    m_title = selection.namedByImage
                  ? ProductTitle(m_run.iniFilePath, m_run.languageName, selection.typeName,
                                 selection.bandText, form, m_run.language)
                  : NoProductTitle(m_run.iniFilePath, m_run.languageName, m_run.language);
    emit titleChanged(m_title);
    refreshMarks(); // against the band just applied
    if (!selection.namedByImage && !m_noProductNoted) {
        m_noProductNoted = true;
        // The first fill runs before the view sits in the main window: note once it does.
        QTimer::singleShot(0, this, [this] { showStatusNote(NoProductNote(m_run.language)); });
    }
}

void CProgramView::goToCell(int channel, ChannelField field) {
    CommitCellEdit();
    m_grid->SetRow(channel);
    m_grid->SetCol(int(field) + kColRxFrequency);
    m_grid->setFocus();
}

// ---- in-place editors --------------------------------------------------------------

QWidget* CProgramView::cellEditor(int col) const {
    return col >= kColRxFrequency && col < kChannelGridCols ? m_editors[static_cast<size_t>(col)]
                                                     : nullptr;
}

QWidget* CProgramView::openEditor() const {
    for (QWidget* editor : m_editors)
        if (editor && editor->isVisible())
            return editor;
    return nullptr;
}

void CProgramView::ShowCellEditor() {
    QWidget* editor = cellEditor(m_grid->Col());
    if (!editor || (!editor->isVisible() && refusesEdits()))
        return;
    if (editor->isVisible()) {
        // Already open over this cell: keep what the user typed.
        editor->setFocus();
        return;
    }
    const QString text = m_grid->Text();
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        int match = 0;
        for (int i = 0; i < list->count(); ++i) {
            if (list->itemText(i).startsWith(text, Qt::CaseInsensitive)) {
                match = i;
                break;
            }
        }
        // Typing into the list searches its items; each opening starts a new search.
        list->view()->keyboardSearch(QString());
        list->setCurrentIndex(match);
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
        edit->selectAll();
    }
    m_textAtOpening = EditorText(editor);
    // A list's drop-down part opens as a pop-up of its own, so it needs no extra height.
    m_overlay->open(editor);
    editor->setFocus();
    m_grid->viewport()->update();
}

void CProgramView::HideCellEditors() {
    for (QWidget* editor : m_editors) {
        if (!editor)
            continue;
        if (editor->hasFocus())
            m_grid->setFocus(); // keep the focus in the grid, not on the next window
        editor->hide();
    }
    m_grid->viewport()->update();
}

bool CProgramView::CommitCellEdit() {
    const int row = m_grid->Row();
    const int col = m_grid->Col();
    QWidget* editor = cellEditor(col);
    if (!editor || !editor->isVisible())
        return false;

    const QString text = EditorText(editor);
    if (editor->hasFocus())
        m_grid->setFocus();
    editor->hide();
    // A cell the user did not change is neither checked nor written again: a channel
    // from another band, or with a tone the list does not offer, keeps its bytes.
    if (text == m_textAtOpening)
        return false;

    if (!m_document)
        return false;
    const CellCommit commit =
        CommitChannelCell(ReadChannel(m_document->image(), row), row, col, text, typingBand());
    storeCommittedCell(row, commit);

    if (commit.result == CommitResult::Accepted)
        return false;
    showMessage(CommitMessage(commit.result), CautionCaption());
    return true;
}

void CProgramView::storeCommittedCell(int row, const CellCommit& commit) {
    if (commit.changed.none())
        return;
    m_document->edit(EditLabel(EditKind::ChannelCell, m_run.language, row), [&](RadioImage& image) {
        WriteChannelFields(commit.channel, commit.changed, row, image);
    });
}

void CProgramView::showMessage(const QString& text, const QString& caption) {
    Prompt prompt;
    prompt.icon = QMessageBox::Warning;
    prompt.caption = caption;
    prompt.text = text;
    m_prompts->show(this, prompt);
}

// ---- keys --------------------------------------------------------------------------

// Enter commits the open editor and moves on: along the row, then to the start of the
// next row, and from the last cell back to the first. A refused value stays put.
void CProgramView::OnEnterKey() {
    if (openEditor() == cellEditor(m_grid->Col()) && openEditor() && CommitCellEdit())
        return;
    if (m_grid->Col() < m_grid->Cols() - 1) {
        m_grid->SetCol(m_grid->Col() + 1);
    } else if (m_grid->Row() < m_grid->Rows() - 1) {
        m_grid->SetCol(1);
        m_grid->SetRow(m_grid->Row() + 1);
    } else {
        m_grid->SetRow(1);
        m_grid->SetCol(1);
    }
}

// Typing on the grid itself goes to the current cell's editor, opened if need be.
void CProgramView::openEditorForTyping(QKeyEvent* event) {
    ShowCellEditor();
    if (QWidget* editor = openEditor()) {
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(),
                       event->isAutoRepeat(), static_cast<ushort>(event->count()));
        QCoreApplication::sendEvent(editor, &copy);
    }
}

bool CProgramView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // F1 belongs to the focused control, not to a window-wide shortcut.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1) {
            event->accept();
            return true;
        }
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);

    auto* key = static_cast<QKeyEvent*>(event);
    if (IsEnterKey(key->key())) {
        OnEnterKey();
        return true;
    }
    // Escape in an open editor drops what was typed: the cell keeps its text.
    if (key->key() == Qt::Key_Escape && watched != m_grid && openEditor()) {
        HideCellEditors();
        return true;
    }
    if (key->key() == Qt::Key_F1) {
        showHelp(ControlId(watched));
        return true;
    }
    if (watched == m_grid && StartsTyping(key)) {
        openEditorForTyping(key);
        return true;
    }
    // A list would step its items instead, and the stepped item would be stored on
    // leaving the cell: walking down a column would rewrite every channel on the way.
    if (qobject_cast<QComboBox*>(watched) && IsRowStep(key)) {
        QCoreApplication::sendEvent(m_grid, event);
        return true;
    }
    // The grid's menu and Fill Down, from any cell: the editors have none of their own
    // for these keys.
    if (watched != m_grid &&
        (ChannelEditActions::IsMenuKey(key) || ChannelBulkTools::IsFillDownKey(key))) {
        QCoreApplication::sendEvent(m_grid, event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- printing ----------------------------------------------------------------------

ChannelPrintout CProgramView::printout() const {
    return ChannelPrintoutOf(channelTable(), m_run.language, m_title,
                             m_document ? m_document->title(m_run.language) : QString());
}

// ---- commands ----------------------------------------------------------------------

void CProgramView::undo() {
    HideCellEditors();
    if (m_document && !refusesEdits())
        m_document->undo();
}

void CProgramView::redo() {
    HideCellEditors();
    if (m_document && !refusesEdits())
        m_document->redo();
}

TransferController* CProgramView::transfer() const {
    return m_commands->transfer();
}

bool CProgramView::isTransferring(TransferDirection* direction) const {
    if (!transfer()->isRunning())
        return false;
    if (direction)
        *direction = transfer()->runningDirection();
    return true;
}

void CProgramView::cancelTransfer(std::function<void()> ended) {
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(transfer(), &TransferController::finished, this, [connection, ended] {
        QObject::disconnect(*connection);
        ended();
    });
    transfer()->cancel();
}

// A read would overwrite an edit made meanwhile, and a write has taken its image
// already: while either runs, the document stays as the exchange found it.
bool CProgramView::refusesEdits() {
    if (!transfer()->isRunning())
        return false;
    showStatusNote(
        OwnText("The radio is being read or written: the channels cannot be changed until it ends."));
    return true;
}

void CProgramView::showStatusNote(const QString& text) {
    m_prompts->note(this, text);
}

void CProgramView::read() {
    m_commands->read();
}

void CProgramView::write() {
    m_commands->write();
}

void CProgramView::restoreRadio() {
    m_commands->restoreRadio();
}

void CProgramView::scanInfo() {
    if (!refusesEdits())
        m_commands->scanInfo();
}

void CProgramView::comSetup() {
    m_commands->comSetup();
}

void CProgramView::print(QPrinter& printer) {
    m_commands->print(printer);
}

void CProgramView::printPreview(QPrinter& printer) {
    m_commands->printPreview(printer);
}

void CProgramView::importChannels() {
    if (!refusesEdits())
        m_commands->importChannels();
}

void CProgramView::exportChannels() {
    m_commands->exportChannels();
}

void CProgramView::runChannelTool(ChannelTool tool) {
    m_bulkTools->run(tool);
}

void CProgramView::showHelp(int contextId) const {
    if (m_showHelp)
        m_showHelp(contextId);
}
