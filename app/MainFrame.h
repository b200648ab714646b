#pragma once
// The main window: menus, tool bar, status bar, the navigation bar with its tree on
// the left, and the MDI client holding one child window per document. Only one
// channel window is visible at a time: New replaces the active document, Open adds a
// document and hides the window that was active, and closing a channel window only
// hides it.
//
// Pieces built elsewhere plug in here: the settings dialogs through
// OnProductInformation() and OnOptionalFeatures(), the alignment through
// alignmentUnlockRequested(), AppendAlignmentEntries(), OnPowerAdjust() and
// OnSqlAdjust(); the channel view receives its commands as the typed calls of
// DocumentView (see ViewFactory.h).

#include <QMainWindow>
#include <QPointer>
#include <QPrinter>
#include <functional>
#include <memory>
#include <optional>

#include "app/ChildFrame.h"
#include "app/FrameMenus.h"
#include "document/ChannelPlan.h"
#include "ui/HelpHook.h"
#include "link/RunSession.h"
#include "ui/Prompts.h"

class DocumentView;
class CLockKeyPanes;
class FileCommands;
class FrameDialogs;
class TransferClosing;
struct FileCommandsContext;
struct FrameDialogsContext;
struct FrameKeyFilterContext;
struct TransferClosingContext;
class NavigationTree;
class CMdiClientWnd;
class QMdiArea;
class QMdiSubWindow;
class CNavigatorBar;
class CProgramDoc;
class QTreeWidget;
class QTreeWidgetItem;
struct ViewSurroundings;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // `session` starts the run's session: the --port and --trace of the command line.
    explicit CMainFrame(RunSession session = RunSession(), QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The child window of the active document; it stays the active one while hidden.
    CChildFrame* activeChild() const { return m_activeChild; }
    CProgramDoc* activeDocument() const;
    QWidget* activeView() const;
    QList<CChildFrame*> childFrames() const;

    // A new document in a new child window, without any question (start-up, and the
    // second half of File > New).
    CChildFrame* createNewDocument();
    // File > Open without its chooser.
    bool openDocumentFile(const QString& path);

    QAction* commandAction(int commandId) const { return m_menus.actions.value(commandId); }
    QMenu* editMenu() const { return m_menus.editMenu; }
    QMenu* setupMenu() const { return m_menus.setupMenu; }
    QMenu* helpMenu() const { return m_menus.helpMenu; }
    CNavigatorBar* navigatorBar() const { return m_navigator; }
    CLockKeyPanes* lockKeyPanes() const { return m_lockKeyPanes; }
    QTreeWidget* navigationTree() const;
    QTreeWidgetItem* treeRoot() const;
    CMdiClientWnd* mdiClient() const { return m_mdiClient; }
    // The port, alignment unlock and trace of the run, handed to the views and dialogs.
    RunSession& session() { return m_session; }
    // Questions, messages, notes and file choosers of the window, its views and
    // dialogs (tests answer them).
    Prompts& prompts() { return m_prompts; }

    // Help of the window, its dialogs and its views: the viewer, given at start-up.
    void setHelpHandler(HelpHandler handler) { m_help = std::move(handler); }
    void showHelp(int contextId) const;

    // Adds "Power Adjust" and "Sql Adjust" to the tree and the Edit menu, once.
    void AppendAlignmentEntries();

    // How the program is started again after a language change; tests record it.
    using RestartLauncher = std::function<bool(const QString& program, const QStringList& args)>;
    void setRestartLauncher(RestartLauncher launcher) { m_launchRestart = std::move(launcher); }
    void setRestartArguments(const QStringList& arguments) { m_restartArguments = arguments; }
    // Closes the window (asking about unsaved changes) and, only when it really
    // closes, writes the other language than the run's to Program.ini and starts the
    // program again. True when the restart was launched.
    bool restartForLanguage();

public slots:
    void OnFileNew();
    // A plan chosen in New from Plan, then File > New with the plan's channels.
    void OnFileNewFromPlan();
    void OnFileOpen();
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();
    void OnChannelInformation();
    void OnProductInformation();
    void OnOptionalFeatures();
    void OnPowerAdjust();
    void OnSqlAdjust();
    void OnLanguage();
    void OnAppAbout();
    // Undo and Redo of the active document (the tool bar and the usual keys).
    void OnEditUndo();
    void OnEditRedo();

signals:
    // Ctrl+F11 in the main window while no modal dialog runs.
    void alignmentUnlockRequested();
    void activeDocumentChanged(CProgramDoc* doc);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // What the window's helpers work with (the window itself stays out of their reach).
    FileCommandsContext fileCommandsContext();
    FrameDialogsContext dialogsContext();
    TransferClosingContext transferClosingContext();
    FrameKeyFilterContext keyFilterContext();
    // The active document's view, as it takes the window's commands.
    DocumentView* activeDocumentView() const;
    // Shows `doc` (taken over) in a new child window, which becomes the active one.
    CChildFrame* addDocument(CProgramDoc* doc);

    void connectCommands();
    void settleTypedValuesBeforeCommands();
    void settleTypedValues();
    void connectViewCommands();
    // Program > Check Against Plan: the breaches, and the grid at the one double-clicked.
    void checkAgainstPlan(DocumentView& view);
    // The run's channel plans; none found is said in a message.
    std::vector<ChannelPlan> channelPlans();
    void createStatusBar();
    void createNavigation();
    ViewSurroundings viewSurroundings();
    void updateMenuBar();
    void arrangeDocumentWindows(void (QMdiArea::*arrange)());
    void onSubWindowActivated(QMdiSubWindow* window);
    void showTitleOf(CChildFrame* child);
    void followHistoryOf(CProgramDoc* doc);
    void updateUndoActions();
    // True, with a note in the status bar, while the active document must not change (an
    // exchange with the radio runs).
    bool activeViewRefusesEdits() const;

    RunSession m_session;
    HelpHandler m_help;
    Prompts m_prompts;
    QPrinter m_printer{QPrinter::HighResolution}; // Print Setup changes it, every print uses it
    FrameMenus m_menus;
    CNavigatorBar* m_navigator = nullptr;
    CMdiClientWnd* m_mdiClient = nullptr;
    CLockKeyPanes* m_lockKeyPanes = nullptr;
    NavigationTree* m_tree = nullptr;
    std::unique_ptr<FrameDialogs> m_dialogs;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<TransferClosing> m_transfers;
    QPointer<CChildFrame> m_activeChild;
    bool m_restartOnClose = false;
    bool m_restartLaunched = false;
    RestartLauncher m_launchRestart;
    QStringList m_restartArguments;
    QMetaObject::Connection m_historyConnection;
    std::optional<ChannelPlan> m_planOfNextNew; // while New from Plan runs File > New
};
