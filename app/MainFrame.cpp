#include "app/MainFrame.h"

#include "alignment/AlignmentUnlock.h"
#include "dialogs/CComSetupDlg.h"
#include "editor/ChannelPrinter.h"
#include "app/ChildFrame.h"
#include "ui/CommandIds.h"
#include "editor/DocumentView.h"
#include "app/FileCommands.h"
#include "app/FrameDialogs.h"
#include "app/FrameKeyFilter.h"
#include "app/LockKeyPanes.h"
#include "app/MdiClientWnd.h"
#include "app/NavigationTree.h"
#include "app/NavigatorBar.h"
#include "document/ProgramDoc.h"
#include "config/InstallLayout.h"
#include "config/RunConfig.h"
#include "config/StartupConfig.h"
#include "app/TransferClosing.h"
#include "app/ViewFactory.h"
#include "dialogs/NewFromPlanDlg.h"
#include "dialogs/PlanCheckDlg.h"
#include "radio/OwnTexts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

namespace {

constexpr QSize kInitialSize(1000, 600);
bool StartProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

} // namespace

CMainFrame::CMainFrame(RunSession session, QWidget* parent)
    : QMainWindow(parent), m_session(std::move(session)),
      m_prompts(startupConfig().applicationName), m_menus(BuildFrameMenus(this)),
      m_dialogs(std::make_unique<FrameDialogs>(dialogsContext())),
      m_files(std::make_unique<FileCommands>(fileCommandsContext())),
      m_transfers(std::make_unique<TransferClosing>(transferClosingContext())),
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
    qApp->installEventFilter(new CFrameKeyFilter(keyFilterContext()));
    connect(this, &CMainFrame::alignmentUnlockRequested, this,
            [this] {
                RunAlignmentUnlock(this, m_session, m_prompts, startupConfig().language(),
                                   [this] { AppendAlignmentEntries(); });
            });
}

CMainFrame::~CMainFrame() {
    // The children hide while the base class destroys them; this frame no longer listens.
    m_mdiClient->disconnect(this);
    navigationTree()->disconnect(this);
    // The documents' windows go before the session their views use.
    qDeleteAll(childFrames());
}

FileCommandsContext CMainFrame::fileCommandsContext() {
    FileCommandsContext context;
    context.window = this;
    context.prompts = &m_prompts;
    context.language = startupConfig().language();
    context.iniFilePath = startupConfig().iniFilePath;
    context.activeChild = [this] { return activeChild(); };
    context.childFrames = [this] { return childFrames(); };
    context.createNewDocument = [this] { createNewDocument(); };
    context.addDocument = [this](CProgramDoc* doc) { addDocument(doc); };
    return context;
}

FrameDialogsContext CMainFrame::dialogsContext() {
    FrameDialogsContext context;
    context.window = this;
    context.session = &m_session;
    context.prompts = &m_prompts;
    context.language = startupConfig().language();
    context.iniFilePath = startupConfig().iniFilePath;
    context.programDirectory = startupConfig().programDirectory;
    context.showHelp = [this](int contextId) { showHelp(contextId); };
    context.activeDocument = [this] { return activeDocument(); };
    context.activeView = [this] { return activeDocumentView(); };
    return context;
}

TransferClosingContext CMainFrame::transferClosingContext() {
    TransferClosingContext context;
    context.window = this;
    context.prompts = &m_prompts;
    context.views = [this] {
        QList<DocumentView*> views;
        for (CChildFrame* child : childFrames())
            views << child->documentView();
        return views;
    };
    return context;
}

FrameKeyFilterContext CMainFrame::keyFilterContext() {
    FrameKeyFilterContext context;
    context.window = this;
    context.unlockRequested = [this] { emit alignmentUnlockRequested(); };
    context.showHelp = [this](int contextId) { showHelp(contextId); };
    return context;
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

    m_tree = new NavigationTree(m_navigator, m_menus, this);

    QAction* controlBar = m_menus.actions[CommandId::kViewControlBar];
    connect(controlBar, &QAction::toggled, m_navigator, &QWidget::setVisible);
    connect(m_navigator, &CNavigatorBar::closeRequested, controlBar,
            [controlBar] { controlBar->setChecked(false); });
    connect(m_mdiClient, &QMdiArea::subWindowActivated, this, &CMainFrame::onSubWindowActivated);
}

void CMainFrame::connectCommands() {
    using namespace CommandId;
    settleTypedValuesBeforeCommands();
    const auto on = [this](int id, void (CMainFrame::*slot)()) {
        connect(m_menus.actions[id], &QAction::triggered, this, slot);
    };
    on(kFileNew, &CMainFrame::OnFileNew);
    on(kFileNewFromPlan, &CMainFrame::OnFileNewFromPlan);
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
    connect(m_menus.actions[kFleetStation], &QAction::triggered, this,
            [this] { m_dialogs->fleetStation(); });
    on(kEditUndo, &CMainFrame::OnEditUndo);
    on(kEditRedo, &CMainFrame::OnEditRedo);
    connect(this, &CMainFrame::activeDocumentChanged, this, &CMainFrame::followHistoryOf);
    updateUndoActions();
    connect(m_menus.actions[kAppExit], &QAction::triggered, this, &QWidget::close);
    connect(m_menus.actions[kWindowTile], &QAction::triggered, this,
            [this] { arrangeDocumentWindows(&QMdiArea::tileSubWindows); });
    // Cascaded windows show their whole grid where the area has room for it.
    connect(m_menus.actions[kWindowCascade], &QAction::triggered, this, [this] {
        arrangeDocumentWindows(&QMdiArea::cascadeSubWindows);
        for (CChildFrame* child : childFrames())
            child->fitToViewWithin(m_mdiClient->viewport()->size());
    });
    connect(m_menus.windowMenu, &QMenu::aboutToShow, this,
            [this] { FillWindowMenu(m_menus, childFrames(), m_activeChild); });
    // Print Setup is there with or without a document.
    connect(m_menus.actions[kFilePrintSetup], &QAction::triggered, this,
            [this] { RunPrintSetup(m_printer, this); });
    connectViewCommands();
}

// Every command of the menus, the tool bar and the keys sees what was typed: this is
// connected first, so it runs before the command itself. Undo and Redo are the
// exception: the view drops an uncommitted value, which never became a step.
void CMainFrame::settleTypedValuesBeforeCommands() {
    for (auto it = m_menus.actions.cbegin(); it != m_menus.actions.cend(); ++it) {
        if (it.key() != CommandId::kEditUndo && it.key() != CommandId::kEditRedo)
            connect(it.value(), &QAction::triggered, this, &CMainFrame::settleTypedValues);
    }
}

// A value typed into a cell without Enter becomes part of its document.
void CMainFrame::settleTypedValues() {
    for (CChildFrame* child : childFrames()) {
        if (DocumentView* view = child->documentView())
            view->commitPendingEdit();
    }
}

// The active view's own commands. A command run with the channel window closed shows
// the window it acts on first.
void CMainFrame::connectViewCommands() {
    using namespace CommandId;
    const auto toView = [this](int id, const std::function<void(DocumentView&)>& command) {
        connect(m_menus.actions[id], &QAction::triggered, this, [this, command] {
            if (DocumentView* view = activeDocumentView()) {
                if (m_activeChild->isHidden())
                    m_activeChild->showAgain();
                command(*view);
            }
        });
    };
    toView(kRead, &DocumentView::read);
    toView(kWrite, &DocumentView::write);
    toView(kRestoreRadio, &DocumentView::restoreRadio);
    toView(kScanInfo, &DocumentView::scanInfo);
    toView(kComSetup, &DocumentView::comSetup);
    toView(kFilePrint, [this](DocumentView& view) { view.print(m_printer); });
    toView(kFilePrintPreview, [this](DocumentView& view) { view.printPreview(m_printer); });
    toView(kImportChannels, &DocumentView::importChannels);
    toView(kExportChannels, &DocumentView::exportChannels);
    toView(kCheckAgainstPlan, [this](DocumentView& view) { checkAgainstPlan(view); });
    for (const auto& [id, tool] :
         {std::pair{kSetForSelection, ChannelTool::SetForSelection},
          std::pair{kFillDown, ChannelTool::FillDown},
          std::pair{kFrequencySeries, ChannelTool::FrequencySeries},
          std::pair{kSortByFrequency, ChannelTool::SortByFrequency},
          std::pair{kFindDuplicates, ChannelTool::FindDuplicates},
          std::pair{kCompactChannels, ChannelTool::Compact}})
        toView(id, [tool = tool](DocumentView& view) { view.runChannelTool(tool); });
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
    const QString& iniPath = startupConfig().iniFilePath;
    const NewDocumentDefaults defaults = NewDocumentDefaultsOf(iniPath);
    auto* doc = new CProgramDoc;
    if (!m_planOfNextNew) {
        doc->OnNewDocument(defaults);
        return addDocument(doc);
    }
    // The plan's channels that the new document's band holds, as chprog new --plan.
    const ChannelPlan& plan = *m_planOfNextNew;
    const ProductSelection product =
        ProductFromIndexes(iniPath, defaults.productType, defaults.productBand);
    int leftOut = 0;
    doc->OnNewDocument(defaults, plan, product.limits, &leftOut);
    CChildFrame* child = addDocument(doc);
    if (leftOut > 0)
        m_prompts.note(this, OwnText("%1 of the %2 channels of %3 are left out (outside %4, or "
                                     "beyond 16).")
                                 .arg(leftOut)
                                 .arg(plan.channels.size())
                                 .arg(plan.nameIn(startupConfig().language()), product.bandText));
    return child;
}

std::vector<ChannelPlan> CMainFrame::channelPlans() {
    QStringList problems;
    std::vector<ChannelPlan> plans = InstalledChannelPlans(&problems);
    if (plans.empty())
        m_prompts.showError(this, OwnText("No channel plans were found in %1.")
                                      .arg(ChannelPlanFolders(DetectInstallLayout(
                                               QCoreApplication::applicationDirPath()))
                                               .join(QStringLiteral(", "))));
    return plans;
}

void CMainFrame::checkAgainstPlan(DocumentView& view) {
    std::vector<ChannelPlan> plans = channelPlans();
    if (plans.empty())
        return;
    const ChannelPlan* own = view.document()->plan();
    PlanCheckDlg dialog(std::move(plans), own ? own->id : QString(), view.document()->image(),
                        startupConfig().language(), this);
    const bool chosen = dialog.exec() == QDialog::Accepted && dialog.chosenBreach();
    // The grid marks the cells that break the plan last checked against.
    if (const ChannelPlan* shown = dialog.shownPlan())
        view.document()->setPlan(*shown);
    if (chosen)
        view.goToCell(dialog.chosenBreach()->channel, dialog.chosenBreach()->field);
}

bool CMainFrame::openDocumentFile(const QString& path) {
    return m_files->openFile(path);
}

ViewSurroundings CMainFrame::viewSurroundings() {
    return {m_session, m_prompts, [this](int contextId) { showHelp(contextId); }};
}

CChildFrame* CMainFrame::addDocument(CProgramDoc* doc) {
    auto* child = new CChildFrame(doc, viewSurroundings());
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
    return child;
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

void CMainFrame::OnFileNew() {
    if (!activeViewRefusesEdits())
        m_files->fileNew();
}

void CMainFrame::OnFileNewFromPlan() {
    if (activeViewRefusesEdits())
        return;
    std::vector<ChannelPlan> plans = channelPlans();
    if (plans.empty())
        return;
    NewFromPlanDlg dialog(std::move(plans), startupConfig().language(), this);
    if (dialog.exec() != QDialog::Accepted || !dialog.chosenPlan())
        return;
    m_planOfNextNew = *dialog.chosenPlan();
    m_files->fileNew();
    m_planOfNextNew.reset();
}

void CMainFrame::OnFileOpen() {
    m_files->fileOpen();
}

void CMainFrame::OnFileClose() {
    if (m_activeChild)
        m_activeChild->hide();
}

void CMainFrame::OnFileSave() {
    if (m_activeChild)
        m_files->save(m_activeChild, false);
}

void CMainFrame::OnFileSaveAs() {
    if (m_activeChild)
        m_files->save(m_activeChild, true);
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

void CMainFrame::updateUndoActions() {
    ShowUndoState(m_menus, activeDocument());
}

void CMainFrame::OnChannelInformation() {
    if (m_activeChild)
        m_activeChild->showAgain();
}

// The dialogs that change the document wait until an exchange with the radio has ended.
void CMainFrame::OnProductInformation() {
    if (!activeViewRefusesEdits())
        m_dialogs->productInformation();
}

void CMainFrame::OnOptionalFeatures() {
    if (!activeViewRefusesEdits())
        m_dialogs->optionalFeatures();
}

void CMainFrame::OnPowerAdjust() {
    if (!activeViewRefusesEdits())
        m_dialogs->powerAdjust();
}

void CMainFrame::OnSqlAdjust() {
    if (!activeViewRefusesEdits())
        m_dialogs->sqlAdjust();
}

bool CMainFrame::activeViewRefusesEdits() const {
    DocumentView* view = activeDocumentView();
    return view && view->refusesEdits();
}

void CMainFrame::showHelp(int contextId) const {
    if (m_help)
        m_help(contextId);
}

void CMainFrame::OnAppAbout() {
    m_dialogs->about();
}

void CMainFrame::OnLanguage() {
    if (m_dialogs->languageChanged())
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

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    m_files->dragEnter(event);
}

void CMainFrame::dropEvent(QDropEvent* event) {
    settleTypedValues();
    m_files->drop(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    settleTypedValues();
    // A restart for the language closes again as a restart.
    const bool restart = m_restartOnClose;
    if (!m_transfers->mayClose([this, restart] { restart ? restartForLanguage() : close(); }) ||
        !m_files->settleAllDocuments()) {
        event->ignore();
        return;
    }
    // The new language is written only now that the window really closes: a restart the
    // user cancelled leaves the next start as it was.
    QString error;
    if (m_restartOnClose && !SaveNextRunLanguage(!startupConfig().chineseLanguage, &error)) {
        m_prompts.showError(this, error);
        event->ignore();
        return;
    }
    event->accept();
    if (m_restartOnClose)
        m_restartLaunched =
            m_launchRestart(QCoreApplication::applicationFilePath(), m_restartArguments);
}

// --- Navigation tree -------------------------------------------------------------

QTreeWidget* CMainFrame::navigationTree() const {
    return m_tree->tree();
}

QTreeWidgetItem* CMainFrame::treeRoot() const {
    return m_tree->root();
}

void CMainFrame::AppendAlignmentEntries() {
    m_tree->appendAlignmentEntries();
}
