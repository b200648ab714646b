// Takes the README's screenshots: starts the window program on the current display
// (a virtual one with a window manager, see scripts/take-screenshots.sh), opens each
// dialog and message box the way a user does, and saves each window with its frame.
//
//   dialog_shots OUTPUT_FOLDER SUFFIX [--main-only | --marks FILE.dat] PROGRAM_ARGUMENTS...
// writes OUTPUT_FOLDER/<dialog>-SUFFIX.png for every dialog, and main-SUFFIX.png; with
// --marks also plan-marks-SUFFIX.png, the grid of FILE.dat checked against its plan.
#include "ui/CMSFlexGrid.h"
#include "editor/CProgramView.h"
#include "editor/ChannelEditActions.h"
#include "app/ChildFrame.h"
#include "ui/CommandIds.h"
#include "ui/HelpHook.h"
#include "app/MainFrame.h"
#include "app/ProgramApp.h"
#include "dialogs/PlanCheckDlg.h"
#include "document/ProgramDoc.h"
#include "config/StartupConfig.h"
#include "dialogs/FleetStationDlg.h"
#include "files/DatFile.h"
#include "link/DetectedPorts.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <cstdio>
#include <functional>

namespace {

// The frame of the window manager the script starts, when Qt does not report it.
constexpr int kTitleBar = 23;
constexpr int kBorder = 1;

QString g_folder;
QString g_suffix;
QString g_markedFile; // --marks

void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The window with the frame the window manager drew around it.
void Shoot(QWidget* window, const QString& name) {
    // Mapped, framed by the window manager and painted.
    for (int waited = 0; waited < 3000 && window->frameGeometry() == window->geometry();
         waited += 100)
        Wait(100);
    Wait(500);
    QRect frame = window->frameGeometry();
    // Qt does not always learn the frame's size; take the usual title bar and borders.
    if (frame == window->geometry())
        frame.adjust(-kBorder, -kTitleBar, kBorder, kBorder);
    const QPixmap shot =
        window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    const QString path = QDir(g_folder).filePath(name + u'-' + g_suffix + QStringLiteral(".png"));
    if (!shot.save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

QWidget* ModalWindow() {
    return QApplication::activeModalWidget();
}

// Runs `open`; when its modal window is up, `act` gets it (and closes it).
void WhenUp(const std::function<void()>& open, const std::function<void(QWidget*)>& act) {
    auto* poll = new QTimer;
    QWidget* before = ModalWindow();
    QObject::connect(poll, &QTimer::timeout, [poll, before, act] {
        QWidget* modal = ModalWindow();
        if (!modal || modal == before || !modal->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start(50);
    open();
}

void ShootAndClose(QWidget* modal, const QString& name) {
    Shoot(modal, name);
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        if (box->escapeButton())
            box->escapeButton()->click();
        else
            box->reject();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
    }
}

void ShootDialog(const QString& name, const std::function<void()>& open) {
    WhenUp(open, [name](QWidget* modal) { ShootAndClose(modal, name); });
}

// The File menu open at Import Channels..., with the top left of the window around it.
void ShootImportMenu(CMainFrame* frame) {
    QAction* import = frame->commandAction(CommandId::kImportChannels);
    for (QAction* title : frame->menuBar()->actions()) {
        QMenu* menu = title->menu();
        if (!menu || !menu->actions().contains(import))
            continue;
        frame->menuBar()->setActiveAction(title);
        Wait(800);
        menu->setActiveAction(import);
        Wait(500);
        const QRect window = frame->frameGeometry();
        const QRect shown = menu->geometry().adjusted(0, 0, 120, 40);
        const QRect area(window.topLeft(), shown.bottomRight());
        const QPixmap shot =
            frame->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        shot.save(QDir(g_folder).filePath(QStringLiteral("import-menu-") + g_suffix + QStringLiteral(".png")));
        menu->hide();
        return;
    }
}

// Channels 2 and 3 copied and pasted at 5, then selected again, the grid's context
// menu open beside them at Copy, with the channel window around it.
void ShootGridEditing(CMainFrame* frame) {
    auto* view = qobject_cast<CProgramView*>(frame->activeView());
    if (!view)
        return;
    ChannelEditActions& tools = *view->editActions();
    tools.selectChannels(2, 3);
    tools.copy();
    tools.selectChannels(5, 5);
    tools.paste();
    tools.selectChannels(2, 3);
    CMSFlexGrid* grid = view->grid();
    const QRect cell = grid->visualItemRect(grid->item(2, 1));
    QMenu* menu = view->editActions()->createContextMenu(grid);
    menu->popup(grid->viewport()->mapToGlobal(cell.center()));
    Wait(800);
    for (QAction* action : menu->actions())
        if (action->data().toInt() == CommandId::kEditCopy)
            menu->setActiveAction(action);
    Wait(500);
    const QRect window = frame->frameGeometry();
    const QRect area(window.topLeft(), menu->geometry().bottomRight() + QPoint(40, 40));
    const QPixmap shot =
        frame->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    shot.save(QDir(g_folder).filePath(QStringLiteral("grid-editing-") + g_suffix + QStringLiteral(".png")));
    menu->close();
    delete menu;
    grid->clearSelection();
    view->GetDocument()->undo();
}

// The marked file opened and checked against PMR446, which the grid then marks against,
// with one mark's tooltip up.
void ShootPlanMarks(CMainFrame* frame) {
    if (g_markedFile.isEmpty() || !frame->openDocumentFile(g_markedFile))
        return;
    WhenUp([frame] { frame->commandAction(CommandId::kCheckAgainstPlan)->trigger(); },
           [](QWidget* modal) {
               if (auto* check = qobject_cast<PlanCheckDlg*>(modal)) {
                   QComboBox* plans = check->planChoice();
                   plans->setCurrentIndex(plans->findText(QStringLiteral("PMR446")));
                   check->reject();
               }
           });
    frame->activeChild()->showMaximized();
    Wait(500);
    // The tooltip of channel 3's power, as the pointer resting on the cell shows it.
    if (auto* view = qobject_cast<CProgramView*>(frame->activeView())) {
        CMSFlexGrid* grid = view->grid();
        const QRect cell = grid->visualItemRect(grid->item(2, kColPower - 1));
        QToolTip::showText(grid->viewport()->mapToGlobal(cell.center()),
                           grid->CellMarkTip(3, kColPower), grid->viewport());
    }
    Shoot(frame, QStringLiteral("plan-marks"));
}

void ShootFileMessages(CMainFrame* frame);
void ShootStation(CMainFrame* frame);

void ShootDialogs(CMainFrame* frame) {
    ShootImportMenu(frame);
    ShootGridEditing(frame);
    const auto command = [frame](int id) { return [frame, id] { frame->commandAction(id)->trigger(); }; };
    ShootDialog("about", [frame] { frame->OnAppAbout(); });
    ShootDialog("language", [frame] { frame->OnLanguage(); });
    ShootDialog("com-setup", command(CommandId::kComSetup));
    ShootDialog("product-information", [frame] { frame->OnProductInformation(); });
    ShootDialog("optional-features", [frame] { frame->OnOptionalFeatures(); });
    ShootDialog("scan-info", command(CommandId::kScanInfo));
    ShootDialog("new-from-plan", command(CommandId::kFileNewFromPlan));
    ShootDialog("check-plan", command(CommandId::kCheckAgainstPlan));
    ShootStation(frame);
    // The password dialog, then its error box for a wrong code.
    WhenUp([frame] { emit frame->alignmentUnlockRequested(); }, [](QWidget* password) {
        Shoot(password, "password");
        password->findChild<QLineEdit*>()->setText(QStringLiteral("1"));
        ShootDialog("password-error", [password] { static_cast<QDialog*>(password)->accept(); });
        static_cast<QDialog*>(password)->reject();
    });
    frame->AppendAlignmentEntries();
    ShootDialog("power-adjust", [frame] { frame->OnPowerAdjust(); });
    ShootDialog("sql-adjust", [frame] { frame->OnSqlAdjust(); });
    ShootDialog("new-question", [frame] { frame->OnFileNew(); });
    frame->activeDocument()->edit(QStringLiteral("shot"),
                                  [](RadioImage& image) { image[0x20] ^= 0x01; });
    ShootDialog("exit-question", [frame] { frame->close(); });
    frame->activeDocument()->undo();

    // The progress window of a read is not modal: shoot it where it shows.
    frame->commandAction(CommandId::kRead)->trigger();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->property(kHelpIdProperty).toInt() == CommandId::kRead) {
            Shoot(window, "process");
            window->close(); // may delete windows of the list
            break;
        }
    }
    frame->showHelp(CommandId::kComSetup);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->inherits("CHelpViewer")) {
            Shoot(window, "help");
            window->close();
            break;
        }
    }
    ShootPlanMarks(frame);
    ShootFileMessages(frame);
}

// The messages of files gone wrong: a file too short to be a radio image, and a file
// someone else changed since it was opened.
void ShootFileMessages(CMainFrame* frame) {
    QTemporaryDir folder;
    const QString shortFile = folder.filePath(QStringLiteral("short.dat"));
    const QString shared = folder.filePath(QStringLiteral("shared.dat"));
    const auto write = [](const QString& path, int size) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(QByteArray(size, '\0')) == size;
    };
    if (!write(shortFile, 100) || !write(shared, 1024))
        return;
    ShootDialog("open-error", [frame, shortFile] { frame->openDocumentFile(shortFile); });
    if (!frame->openDocumentFile(shared))
        return;
    frame->activeDocument()->edit(QStringLiteral("shot"),
                                  [](RadioImage& image) { image[0x20] ^= 0x01; });
    write(shared, 1025);
    ShootDialog("changed-file-question", [frame] { frame->OnFileSave(); });
    frame->activeDocument()->undo();
}

// The fleet station with two radios done: `chprog simulate` plays two radios that hold
// the document with one channel changed, on links listed as two USB cables.
void ShootStation(CMainFrame* frame) {
    QTemporaryDir folder(QStringLiteral("/tmp/cables-XXXXXX"));
    if (!frame->activeDocument())
        return;
    RadioImage memory = frame->activeDocument()->image();
    memory[0x00] ^= 0x11;
    const QString memoryPath = folder.filePath(QStringLiteral("memory.dat"));
    if (!SaveDatFile(memoryPath, memory, nullptr))
        return;
    QProcess simulator;
    simulator.setReadChannel(QProcess::StandardError);
    simulator.start(QCoreApplication::applicationDirPath() + QStringLiteral("/chprog"),
                    {QStringLiteral("simulate"), QStringLiteral("--count"), QStringLiteral("2"),
                     QStringLiteral("--link-prefix"), folder.filePath(QStringLiteral("usb")),
                     QStringLiteral("--image"), memoryPath, QStringLiteral("--baud"),
                     QStringLiteral("9600")});
    QByteArray said;
    for (int waited = 0; said.count("ready:") < 2 && waited < 10000; waited += 100) {
        simulator.waitForReadyRead(100);
        said += simulator.readAllStandardError();
    }
    QList<DetectedPort> cables;
    for (int k = 1; k <= 2; ++k) {
        DetectedPort cable;
        cable.device = folder.filePath(QStringLiteral("usb%1").arg(k));
        cable.portName = QStringLiteral("usb%1").arg(k);
        cable.description = QStringLiteral("USB-Serial Controller");
        cable.isUsb = true;
        cables << cable;
    }
    SetPortLister([cables] { return cables; });
    const auto open = [frame] { frame->commandAction(CommandId::kFleetStation)->trigger(); };
    WhenUp(open, [cables](QWidget* modal) {
        auto* station = qobject_cast<FleetStationDlg*>(modal);
        if (!station)
            return;
        for (const DetectedPort& cable : cables)
            station->tickPort(cable.device);
        if (auto* name = station->findChild<QLineEdit*>())
            name->setText(QStringLiteral("kim"));
        station->start();
        const auto resultsShown = [station, &cables] {
            return !station->tileResult(cables[0].device).isEmpty() &&
                   !station->tileResult(cables[1].device).isEmpty();
        };
        for (int waited = 0; waited < 30000 && !resultsShown(); waited += 200)
            Wait(200);
        Wait(2500); // the poll that finds the radios still connected
        ShootAndClose(modal, QStringLiteral("fleet-station"));
        Wait(1000);
    });
    SetPortLister({});
    simulator.terminate();
    simulator.waitForFinished(5000);
}

} // namespace

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: dialog_shots FOLDER SUFFIX [--main-only | --marks FILE.dat] "
                             "PROGRAM_ARGUMENTS...\n");
        return 2;
    }
    g_folder = arguments[1];
    g_suffix = arguments[2];
    int first = 3; // of the program's own arguments
    const bool mainOnly = arguments.size() > first && arguments[first] == QLatin1String("--main-only");
    if (mainOnly)
        ++first;
    if (arguments.size() > first + 1 && arguments[first] == QLatin1String("--marks")) {
        g_markedFile = arguments[first + 1];
        first += 2;
    }
    QStringList programArguments{QStringLiteral("Program")};
    programArguments += arguments.mid(first);
    CProgramApp app;
    if (!app.InitInstance(programArguments, QCoreApplication::applicationDirPath()))
        return app.exitCode();
    CMainFrame* frame = app.mainFrame();
    Wait(1500);
    Shoot(frame, QStringLiteral("main"));
    if (!mainOnly)
        ShootDialogs(frame);
    return 0;
}
