#include "MainFrame.h"

#include "AboutDlg.h"
#include "AlignmentUnlock.h"
#include "CComSetupDlg.h"
#include "COptionalFeaturesDlg.h"
#include "CPowerAdjustDlg.h"
#include "CProductInfoDlg.h"
#include "CSqlAdjustDlg.h"
#include "ChannelPrinter.h"
#include "ChildFrame.h"
#include "CommandIds.h"
#include "DocumentView.h"
#include "EditLabels.h"
#include "FrameKeyFilter.h"
#include "HelpHook.h"
#include "HelpTopics.h"
#include "LanguageDlg.h"
#include "LastFolder.h"
#include "LockKeyPanes.h"
#include "MdiClientWnd.h"
#include "NavigatorBar.h"
#include "ProgramDoc.h"
#include "RunConfig.h"
#include "StartupConfig.h"
#include "UserPrompts.h"
#include "UserStore.h"
#include "ViewFactory.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

namespace {

constexpr QSize kInitialSize(1000, 600);
const QString kNavigatorWidthValue = QStringLiteral("NavigatorWidth");

// The tree's children, in the order the tree compares their captions.
struct TreeCommand {
    const char* english;
    const char* chinese;
    int commandId;
};
const TreeCommand kTreeCommands[] = {
    {"Channel Information", "信道信息", CommandId::kChannelInformation},
    {"Optional Features", "可選功能", CommandId::kOptionalFeatures},
    {"Product Information", "類型設置", CommandId::kProductInformation},
    {"Power Adjust", "功率調整", CommandId::kPowerAdjust},
    {"Sql Adjust", "靜噪調整", CommandId::kSqlAdjust},
};

QString TreeText(const TreeCommand& command) {
    return Tr(startupConfig().language(), command.english, command.chinese);
}

// The command of a tree caption in the run's language; 0 for the root or any other text.
int TreeCommandFor(const QString& text) {
    for (const TreeCommand& command : kTreeCommands) {
        if (text == TreeText(command))
            return command.commandId;
    }
    return 0;
}

const TreeCommand& TreeCommandOf(int commandId) {
    for (const TreeCommand& command : kTreeCommands) {
        if (command.commandId == commandId)
            return command;
    }
    return kTreeCommands[0];
}

bool StartProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

} // namespace

CMainFrame::CMainFrame(RunSession session, QWidget* parent)
    : QMainWindow(parent), m_session(std::move(session)), m_menus(BuildFrameMenus(this)),
      m_launchRestart(StartProgram) {
    TakeStoredPort(m_session, startupConfig().iniFilePath);
    setObjectName(QStringLiteral("mainFrame"));
    resize(kInitialSize);
    const QString appName = LanguageText(QStringLiteral("AppName"));
    setWindowTitle(appName.isEmpty() ? QStringLiteral("Program") : appName);

    QToolBar* toolBar = BuildToolBar(this, m_menus);
    addToolBar(Qt::TopToolBarArea, toolBar);
    createStatusBar();
    createNavigation();
    connectCommands();
    connect(m_menus.actions[CommandId::kViewToolbar], &QAction::toggled, toolBar,
            &QToolBar::setVisible);
    updateMenuBar();
    // Files dropped anywhere on the window open as File > Open would open them.
    setAcceptDrops(true);
    qApp->installEventFilter(new CFrameKeyFilter(this));
    connect(this, &CMainFrame::alignmentUnlockRequested, this,
            [this] { RunAlignmentUnlock(this, m_session, [this] { AppendAlignmentEntries(); }); });
}

CMainFrame::~CMainFrame() {
    // The children hide while the base class destroys them; this frame no longer listens.
    m_mdiClient->disconnect(this);
    navigationTree()->disconnect(this);
    // The documents' windows go before the session their views use.
    qDeleteAll(childFrames());
}

void CMainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    // The message pane says "Ready" whenever no command's text is showing (menus
    // stay English in both languages, and so does this word).
    const QString ready = QStringLiteral("Ready");
    bar->showMessage(ready);
    connect(bar, &QStatusBar::messageChanged, bar, [bar, ready](const QString& message) {
        if (message.isEmpty())
            bar->showMessage(ready);
    });
    m_lockKeyPanes = new CLockKeyPanes(bar);
    connect(m_menus.actions[CommandId::kViewStatusBar], &QAction::toggled, bar,
            &QStatusBar::setVisible);
}

void CMainFrame::createNavigation() {
    const QString company = LanguageText(QStringLiteral("Company"));
    m_navigator = new CNavigatorBar(company);
    m_mdiClient = new CMdiClientWnd;
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_navigator);
    layout->addWidget(m_mdiClient, 1);
    setCentralWidget(central);

    QTreeWidget* tree = m_navigator->tree();
    auto* root = new QTreeWidgetItem(tree, QStringList(company));
    Q_UNUSED(root);
    appendTreeChild("Product Information", "類型設置");
    appendTreeChild("Channel Information", "信道信息");
    appendTreeChild("Optional Features", "可選功能");
    tree->expandItem(treeRoot());
    tree->setCurrentItem(treeRoot());
    connect(tree, &QTreeWidget::itemSelectionChanged, this, &CMainFrame::onTreeSelectionChanged);

    // The width the user last dragged the bar to, kept per user.
    const int storedWidth =
        UserStore(startupConfig().iniFilePath).readNumber(kNavigatorWidthValue, 0);
    if (storedWidth > 0)
        m_navigator->setBarWidth(storedWidth);
    connect(m_navigator, &CNavigatorBar::widthChanged, this, [](int width) {
        UserStore(startupConfig().iniFilePath).writeNumber(kNavigatorWidthValue, width);
    });

    QAction* controlBar = m_menus.actions[CommandId::kViewControlBar];
    connect(controlBar, &QAction::toggled, m_navigator, &QWidget::setVisible);
    connect(m_navigator, &CNavigatorBar::closeRequested, controlBar,
            [controlBar] { controlBar->setChecked(false); });
    connect(m_mdiClient, &QMdiArea::subWindowActivated, this, &CMainFrame::onSubWindowActivated);
}

QTreeWidgetItem* CMainFrame::appendTreeChild(const char* english, const char* chinese) {
    auto* item = new QTreeWidgetItem(treeRoot(),
                                     QStringList(Tr(startupConfig().language(), english, chinese)));
    return item;
}

void CMainFrame::connectCommands() {
    using namespace CommandId;
    const auto on = [this](int id, void (CMainFrame::*slot)()) {
        connect(m_menus.actions[id], &QAction::triggered, this, slot);
    };
    on(kFileNew, &CMainFrame::OnFileNew);
    on(kFileOpen, &CMainFrame::OnFileOpen);
    on(kFileClose, &CMainFrame::OnFileClose);
    on(kFileSave, &CMainFrame::OnFileSave);
    on(kFileSaveAs, &CMainFrame::OnFileSaveAs);
    on(kChannelInformation, &CMainFrame::OnChannelInformation);
    on(kProductInformation, &CMainFrame::OnProductInformation);
    on(kOptionalFeatures, &CMainFrame::OnOptionalFeatures);
    on(kPowerAdjust, &CMainFrame::OnPowerAdjust);
    on(kSqlAdjust, &CMainFrame::OnSqlAdjust);
    on(kLanguage, &CMainFrame::OnLanguage);
    on(kAppAbout, &CMainFrame::OnAppAbout);
    on(kEditUndo, &CMainFrame::OnEditUndo);
    on(kEditRedo, &CMainFrame::OnEditRedo);
    connect(this, &CMainFrame::activeDocumentChanged, this, &CMainFrame::followHistoryOf);
    updateUndoActions();
    connect(m_menus.actions[kAppExit], &QAction::triggered, this, &QWidget::close);
    connect(m_menus.actions[kWindowTile], &QAction::triggered, this,
            [this] { arrangeDocumentWindows(&QMdiArea::tileSubWindows); });
    connect(m_menus.actions[kWindowCascade], &QAction::triggered, this,
            [this] { arrangeDocumentWindows(&QMdiArea::cascadeSubWindows); });
    connect(m_menus.windowMenu, &QMenu::aboutToShow, this, &CMainFrame::fillWindowMenu);
    // Print Setup is there with or without a document.
    connect(m_menus.actions[kFilePrintSetup], &QAction::triggered, this,
            [this] { RunPrintSetup(m_printer, this); });
    connectViewCommands();
}

// The active view's own commands. Read, Write and Scan Info see what was typed.
void CMainFrame::connectViewCommands() {
    using namespace CommandId;
    const auto toView = [this](int id, const std::function<void(DocumentView&)>& command) {
        connect(m_menus.actions[id], &QAction::triggered, this, [this, command] {
            if (DocumentView* view = activeDocumentView()) {
                view->commitPendingEdit();
                command(*view);
            }
        });
    };
    toView(kRead, &DocumentView::read);
    toView(kWrite, &DocumentView::write);
    toView(kScanInfo, &DocumentView::scanInfo);
    toView(kComSetup, &DocumentView::comSetup);
    toView(kFilePrint, [this](DocumentView& view) { view.print(m_printer); });
    toView(kFilePrintPreview, [this](DocumentView& view) { view.printPreview(m_printer); });
    toView(kImportChannels, &DocumentView::importChannels);
    toView(kExportChannels, &DocumentView::exportChannels);
}

// --- Documents -------------------------------------------------------------------

CProgramDoc* CMainFrame::activeDocument() const {
    return m_activeChild ? m_activeChild->document() : nullptr;
}

DocumentView* CMainFrame::activeDocumentView() const {
    return m_activeChild ? m_activeChild->documentView() : nullptr;
}

QWidget* CMainFrame::activeView() const {
    return m_activeChild ? m_activeChild->view() : nullptr;
}

QList<CChildFrame*> CMainFrame::childFrames() const {
    QList<CChildFrame*> children;
    for (QMdiSubWindow* window : m_mdiClient->subWindowList()) {
        if (auto* child = qobject_cast<CChildFrame*>(window))
            children << child;
    }
    return children;
}

CChildFrame* CMainFrame::createNewDocument() {
    auto* doc = new CProgramDoc;
    doc->OnNewDocument();
    auto* child = new CChildFrame(doc, viewSurroundings());
    addChild(child);
    return child;
}

bool CMainFrame::openDocumentFile(const QString& path) {
    auto doc = std::make_unique<CProgramDoc>();
    QString error;
    if (!doc->OnOpenDocument(path, &error)) {
        m_prompts.showError(this, error);
        return false;
    }
    if (CChildFrame* old = m_activeChild) {
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
    RememberFileFolder(path);
    addChild(new CChildFrame(doc.release(), viewSurroundings()));
    return true;
}

ViewSurroundings CMainFrame::viewSurroundings() {
    return {m_session, [this](int contextId) { showHelp(contextId); }};
}

void CMainFrame::addChild(CChildFrame* child) {
    m_mdiClient->addSubWindow(child);
    connect(child, &CChildFrame::mainTitleChanged, this, [this, child] {
        if (child == m_activeChild)
            showTitleOf(child);
    });
    m_activeChild = child;
    child->show();
    child->fitToView();
    m_mdiClient->setActiveSubWindow(child);
    updateMenuBar();
    showTitleOf(child);
    emit activeDocumentChanged(child->document());
}

void CMainFrame::onSubWindowActivated(QMdiSubWindow* window) {
    // Hiding a window deactivates it; the hidden one stays the active document.
    auto* child = qobject_cast<CChildFrame*>(window);
    if (!child || child == m_activeChild)
        return;
    m_activeChild = child;
    showTitleOf(child);
    emit activeDocumentChanged(child->document());
}

void CMainFrame::showTitleOf(CChildFrame* child) {
    if (!child->mainTitle().isEmpty())
        setWindowTitle(child->mainTitle());
}

bool CMainFrame::saveDocument(CChildFrame* child, bool askForName) {
    CProgramDoc* doc = child->document();
    QString path = doc->pathName();
    if (askForName || path.isEmpty()) {
        QString proposed = path;
        if (proposed.isEmpty() && !doc->defaultPathName().isEmpty())
            proposed = doc->defaultPathName() + QStringLiteral(".dat");
        path = m_prompts.chooseFileToSave(this, InLastFolder(proposed));
        if (path.isEmpty())
            return false;
    }
    commitPendingEdit(child); // a value still open in a cell editor belongs in the file
    QString error;
    if (!doc->OnSaveDocument(path, &error)) {
        m_prompts.showError(this, error);
        return false;
    }
    RememberFileFolder(path);
    child->updateTitle();
    return true;
}

void CMainFrame::commitPendingEdit(CChildFrame* child) {
    if (DocumentView* view = child ? child->documentView() : nullptr)
        view->commitPendingEdit();
}

bool CMainFrame::querySaveModified(CChildFrame* child, bool* discarded) {
    if (discarded)
        *discarded = false;
    commitPendingEdit(child);
    if (!child->document()->isModified())
        return true;
    Prompt prompt;
    prompt.icon = QMessageBox::Question;
    prompt.text = Tr(startupConfig().language(),
                     // Short lines: a message box wraps long ones wherever they overflow.
                     "The channel data of \"%1\"\n"
                     "has changes that are not saved. Save them?",
                     "「%1」的数据已更改但尚未保存。\n是否保存？")
                      .arg(child->document()->title());
    prompt.buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    prompt.defaultButton = QMessageBox::Save;
    switch (m_prompts.ask(this, prompt)) {
    case QMessageBox::Save:
        return saveDocument(child, false);
    case QMessageBox::Discard:
        if (discarded)
            *discarded = true;
        return true;
    default:
        return false;
    }
}

void CMainFrame::OnFileNew() {
    if (CChildFrame* old = m_activeChild) {
        Prompt prompt;
        prompt.icon = QMessageBox::Warning;
        prompt.text = QStringLiteral("All data will be Cleared!");
        prompt.buttons = QMessageBox::Ok | QMessageBox::Cancel;
        if (m_prompts.ask(this, prompt) != QMessageBox::Ok)
            return;
        // After agreeing to clear, unsaved changes may still be saved first.
        if (!querySaveModified(old))
            return;
        delete old;
    }
    createNewDocument();
}

void CMainFrame::OnFileOpen() {
    const QString path = m_prompts.chooseFileToOpen(this);
    if (!path.isEmpty())
        openDocumentFile(path);
}

void CMainFrame::OnFileClose() {
    if (m_activeChild)
        m_activeChild->hide();
}

void CMainFrame::OnFileSave() {
    if (m_activeChild)
        saveDocument(m_activeChild, false);
}

void CMainFrame::OnFileSaveAs() {
    if (m_activeChild)
        saveDocument(m_activeChild, true);
}

// --- Commands --------------------------------------------------------------------

void CMainFrame::updateMenuBar() {
    const QList<QMenu*>& menus =
        childFrames().isEmpty() ? m_menus.emptyMenus : m_menus.documentMenus;
    if (!menuBar()->actions().isEmpty() &&
        menuBar()->actions().first() == menus.first()->menuAction())
        return;
    menuBar()->clear();
    for (QMenu* menu : menus)
        menuBar()->addMenu(menu);
}

// Every document window, hidden ones too, takes part in the arrangement.
void CMainFrame::arrangeDocumentWindows(void (QMdiArea::*arrange)()) {
    const QPointer<CChildFrame> active = m_activeChild;
    for (CChildFrame* child : childFrames()) {
        if (child->isHidden())
            child->showNormal();
    }
    (m_mdiClient->*arrange)();
    if (active)
        m_mdiClient->setActiveSubWindow(active);
}

// Tile and Cascade, then "&1 name" for each document, the active one checked.
void CMainFrame::fillWindowMenu() {
    QMenu* menu = m_menus.windowMenu;
    menu->clear(); // deletes the document entries of the last opening, not the commands
    menu->addAction(m_menus.actions[CommandId::kWindowTile]);
    menu->addAction(m_menus.actions[CommandId::kWindowCascade]);
    const QList<CChildFrame*> children = childFrames();
    if (!children.isEmpty())
        menu->addSeparator();
    for (int i = 0; i < children.size(); ++i) {
        CChildFrame* child = children[i];
        QAction* entry =
            menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(child->documentName()));
        entry->setCheckable(true);
        entry->setChecked(child == m_activeChild);
        connect(entry, &QAction::triggered, child, &CChildFrame::showAgain);
    }
}

void CMainFrame::OnEditUndo() {
    if (DocumentView* view = activeDocumentView())
        view->undo();
    else if (CProgramDoc* doc = activeDocument())
        doc->undo();
}

void CMainFrame::OnEditRedo() {
    if (DocumentView* view = activeDocumentView())
        view->redo();
    else if (CProgramDoc* doc = activeDocument())
        doc->redo();
}

void CMainFrame::followHistoryOf(CProgramDoc* doc) {
    disconnect(m_historyConnection);
    if (doc)
        m_historyConnection =
            connect(doc, &CProgramDoc::historyChanged, this, &CMainFrame::updateUndoActions);
    updateUndoActions();
}

// The buttons say what they would take back or do again ("Undo Paste 3 channels").
void CMainFrame::updateUndoActions() {
    const CProgramDoc* doc = activeDocument();
    const Language language = startupConfig().language();
    QAction* undo = m_menus.actions[CommandId::kEditUndo];
    QAction* redo = m_menus.actions[CommandId::kEditRedo];
    undo->setEnabled(doc && doc->canUndo());
    redo->setEnabled(doc && doc->canRedo());
    const QString undoText = UndoText(doc ? doc->undoLabel() : QString(), language);
    const QString redoText = RedoText(doc ? doc->redoLabel() : QString(), language);
    undo->setToolTip(undoText);
    undo->setStatusTip(undoText);
    redo->setToolTip(redoText);
    redo->setStatusTip(redoText);
}

void CMainFrame::OnChannelInformation() {
    if (m_activeChild)
        m_activeChild->showAgain();
}

void CMainFrame::OnProductInformation() {
    DocumentView* view = activeDocumentView();
    if (!view || !view->document())
        return;
    if (!m_productInfoDlg) {
        m_productInfoDlg = new CProductInfoDlg(this);
        m_productInfoDlg->helpRequested = [this](int controlId) {
            showHelp(DialogHelpContext(controlId, CommandId::kProductInformation));
        };
    }
    const BandLimits bandBefore = view->bandLimits();
    if (!m_productInfoDlg->run(*view->document()))
        return;
    view->applyProduct(m_productInfoDlg->selection(), ProductTitleForm::AfterDialog);
    // Channels of the old band are kept; the user hears once how many they are.
    const BandLimits band = view->bandLimits();
    if (band.low == bandBefore.low && band.high == bandBefore.high)
        return;
    const int outside = ChannelsOutsideBand(view->document()->image(), band);
    if (outside > 0)
        m_prompts.showError(this, ChannelsOutsideBandMessage(outside, startupConfig().language()));
}

void CMainFrame::OnOptionalFeatures() {
    CProgramDoc* doc = activeDocument();
    if (!doc)
        return;
    if (!m_optionalFeaturesDlg) {
        m_optionalFeaturesDlg = new COptionalFeaturesDlg(this, startupConfig().language());
        m_optionalFeaturesDlg->helpRequested = [this](int controlId) {
            showHelp(DialogHelpContext(controlId, CommandId::kOptionalFeatures));
        };
    }
    RadioImage image = doc->image();
    if (m_optionalFeaturesDlg->run(image))
        doc->edit(EditLabel(EditKind::OptionalFeatures, startupConfig().language()),
                  [&image](RadioImage& target) { target = image; });
}

// The adjust dialogs work on the active document with the band of its channel view.
void CMainFrame::OnPowerAdjust() {
    DocumentView* view = activeDocumentView();
    if (!view || !view->document())
        return;
    CPowerAdjustDlg dialog(view->document(), view->bandLimits(), this, &m_session);
    dialog.exec();
}

void CMainFrame::OnSqlAdjust() {
    DocumentView* view = activeDocumentView();
    if (!view || !view->document())
        return;
    CSqlAdjustDlg dialog(view->document(), view->bandLimits(), this, &m_session);
    dialog.exec();
}

void CMainFrame::showHelp(int contextId) const {
    if (m_help)
        m_help(contextId);
}

void CMainFrame::OnAppAbout() {
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::OnLanguage() {
    if (!m_languageDlg)
        m_languageDlg = new CLanguageDlg(this);
    m_languageDlg->errorShown = [this](const QString& text) { m_prompts.showError(this, text); };
    if (m_languageDlg->exec() == QDialog::Accepted && m_languageDlg->languageChanged())
        restartForLanguage();
}

bool CMainFrame::restartForLanguage() {
    m_restartOnClose = true;
    m_restartLaunched = false;
    close();
    m_restartOnClose = false;
    return m_restartLaunched;
}

void CMainFrame::keyPressEvent(QKeyEvent* event) {
    // F1 that no widget handled: the topic of the focused widget, else the contents.
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        showHelp(CFrameKeyFilter::helpContextFor(QApplication::focusWidget()));
        return;
    }
    QMainWindow::keyPressEvent(event);
}

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

} // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList files = DroppedFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // Each opens as a further document; one that is not a radio image is refused with
    // the message File > Open gives.
    // Opened once the drop is over: a message box must not run inside the drop.
    QTimer::singleShot(0, this, [this, files] {
        for (const QString& file : files)
            openDocumentFile(file);
    });
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    for (CChildFrame* child : childFrames()) {
        if (!querySaveModified(child)) {
            event->ignore();
            return;
        }
    }
    event->accept();
    if (m_restartOnClose)
        m_restartLaunched =
            m_launchRestart(QCoreApplication::applicationFilePath(), m_restartArguments);
}

// --- Navigation tree -------------------------------------------------------------

QTreeWidget* CMainFrame::navigationTree() const {
    return m_navigator->tree();
}

QTreeWidgetItem* CMainFrame::treeRoot() const {
    return navigationTree()->topLevelItem(0);
}

void CMainFrame::onTreeSelectionChanged() {
    if (m_reselectingRoot)
        return;
    // The item under the mouse pointer decides, not the newly selected one (the
    // selection may have moved by keyboard).
    QTreeWidget* tree = navigationTree();
    const QTreeWidgetItem* item = tree->itemAt(tree->viewport()->mapFromGlobal(QCursor::pos()));
    const int commandId = item ? TreeCommandFor(item->text(0)) : 0;
    // Act once the click or key that changed the selection is fully handled.
    QTimer::singleShot(0, this, [this, commandId] {
        if (commandId != 0)
            m_menus.actions[commandId]->trigger();
        reselectTreeRoot();
    });
}

void CMainFrame::reselectTreeRoot() {
    // Selecting the root again lets the same child act on its next click; this
    // selection change itself acts on nothing.
    m_reselectingRoot = true;
    navigationTree()->setCurrentItem(treeRoot());
    m_reselectingRoot = false;
}

void CMainFrame::AppendAlignmentEntries() {
    const QList<QAction*> items = m_menus.editMenu->actions();
    if (!items.isEmpty() && items.last()->data().toInt() == CommandId::kSqlAdjust)
        return;
    for (int id : {CommandId::kPowerAdjust, CommandId::kSqlAdjust}) {
        const TreeCommand& command = TreeCommandOf(id);
        appendTreeChild(command.english, command.chinese);
        QAction* action = m_menus.actions[id];
        action->setText(TreeText(command));
        m_menus.editMenu->addAction(action);
    }
}
