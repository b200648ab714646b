// Files the way people open them: the folder of the last open or save is where Open and
// Save As start, across runs; a file dropped on the window opens as File > Open would;
// the Window menu reaches every open document, hidden ones included.

#include "app/ChildFrame.h"
#include "dialogs/CProductInfoDlg.h"
#include "editor/CProgramView.h"
#include "editor/ChannelListFiles.h"
#include "ui/CommandIds.h"
#include "tests/support/Files.h"
#include "radio/ImageMap.h"
#include "config/LastFolder.h"
#include "config/UserStore.h"
#include "ui/CMSFlexGrid.h"
#include "app/MainFrame.h"
#include "document/ProgramDoc.h"
#include "tests/support/ProgramFixture.h"
#include "config/StartupConfig.h"
#include "tests/support/Modal.h"
#include "tests/support/TestSuite.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

namespace {

// Sends a drag with `urls` over the frame and drops it; true when the frame took the drag.
bool DropOn(QWidget* frame, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = frame->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &drop);
    QTest::qWait(20); // the files open once the drop is over
    return true;
}

// The menu's entries as shown, "-" for a separator, " (checked)" after the checked one.
QStringList MenuTexts(QMenu* menu) {
    emit menu->aboutToShow();
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text()) +
                     (action->isChecked() ? QStringLiteral(" (checked)") : QString());
    return texts;
}

} // namespace

class AppFilesTest : public QObject {
    Q_OBJECT
private slots:
    void openAndSaveAsStartInTheLastFolder() {
        PromptRecorder prompts;
        ConfigDir config(DefaultIniText());
        QTemporaryDir radios;
        WriteFileBytes(radios.filePath("club.dat"), QByteArray(ImageMap::kImageSize, 0x21));
        {
            auto app = StartProgram(config);
            prompts.setOpenFile(radios.filePath("club.dat"));
            app->mainFrame()->OnFileOpen();
            QCOMPARE(app->mainFrame()->childFrames().size(), 2);
        }
        // The next run starts there: Save As of a new document proposes the folder.
        auto app = StartProgram(config);
        app->mainFrame()->OnFileSaveAs();
        QCOMPARE(prompts.proposedSaveNames,
                 QStringList{QDir(radios.path()).filePath("RadioProgrammer.dat")});

        // Saving elsewhere moves the memory there; a removed folder is forgotten.
        {
            QTemporaryDir other;
            prompts.setSaveFile(other.filePath("mine.dat"));
            app->mainFrame()->OnFileSaveAs();
            QCOMPARE(LastFileFolder(startupConfig().iniFilePath), other.path());
        }
        QCOMPARE(LastFileFolder(startupConfig().iniFilePath), QString());
    }

    // A short file dropped is refused with File > Open's message, and a pipe at once
    // (with no writer, opening it would wait for ever); drags of other things are not
    // taken.
    void droppedFilesAndTheWindowMenu() {
        RunningProgram program;
        CMainFrame* frame = program.frame;
        CChildFrame* first = frame->activeChild();
        const QString shortFile = program.config.filePath("short.dat");
        QVERIFY(WriteFileBytes(shortFile, QByteArray(ImageMap::kImageSize - 1, 0x33)));
        QVERIFY(DropOn(frame, {QUrl::fromLocalFile(shortFile)}));
        QCOMPARE(program.prompts.asked.size(), 1);
        QVERIFY(program.prompts.asked[0].text.contains("short.dat"));
        QCOMPARE(frame->activeChild(), first);
        const QString pipe = program.config.filePath("pipe.dat");
        if (!MakeFifo(pipe))
            QSKIP("this system has no named pipes");
        QVERIFY(DropOn(frame, {QUrl::fromLocalFile(pipe)}));
        QTRY_COMPARE(program.prompts.asked.size(), 2);
        QVERIFY2(program.prompts.asked[1].text.contains("pipe.dat: cannot open the file (it is not a "
                                                        "regular file"),
                 qPrintable(program.prompts.asked[1].text));
        QCOMPARE(frame->activeChild(), first);
        QVERIFY(!DropOn(frame, {QUrl("https://example.org/radio.dat")}));
        QVERIFY(!DropOn(frame, {}));
        for (const char* name : {"a.dat", "b.dat"}) {
            const QString path = program.config.filePath(name);
            QVERIFY(WriteFileBytes(path, QByteArray(ImageMap::kImageSize, 0x33)));
            QVERIFY(DropOn(frame, {QUrl::fromLocalFile(path)}));
        }
        QCOMPARE(frame->activeDocument()->pathName(), program.config.filePath("b.dat"));
        frame->activeDocument()->edit(QStringLiteral("test"),
                                      [](RadioImage& bytes) { bytes[0x20] ^= 0x01; });

        // The Window menu, just before Help as in every multiple-document program, lists
        // each document once however often it opens.
        const QList<QAction*> menus = frame->menuBar()->actions();
        QCOMPARE(menus[menus.size() - 2]->text(), QStringLiteral("&Window"));
        QMenu* window = menus[menus.size() - 2]->menu();
        QCOMPARE(MenuTexts(window), QStringList({"&Tile", "&Cascade", "-", "&1 Channel Information",
                                                 "&2 a.dat", "&3 b.dat* (checked)"}));
        QCOMPARE(MenuTexts(window), MenuTexts(window));
        // A hidden document comes back by its entry and becomes the active one.
        QVERIFY(first->isHidden());
        window->actions()[3]->trigger();
        QVERIFY(first->isVisible());
        QCOMPARE(frame->activeChild(), first);
        QVERIFY(MenuTexts(window)[3].endsWith("(checked)"));
        // Tile and Cascade arrange every document window, hidden ones included.
        for (int command : {CommandId::kWindowTile, CommandId::kWindowCascade}) {
            for (CChildFrame* child : frame->childFrames())
                child->hide();
            frame->commandAction(command)->trigger();
            for (CChildFrame* child : frame->childFrames())
                QVERIFY(child->isVisible());
            QCOMPARE(frame->activeChild(), first);
        }
    }

    // Entries 10 and on have no mnemonic of their own; Cascade leaves the first window the
    // room for its whole grid when the area has it.
    void manyDocumentsListedAndCascaded() {
        RunningProgram program;
        CMainFrame* frame = program.frame;
        frame->resize(1600, 1200);
        const QSize fitted = frame->childFrames().first()->size();
        for (int i = 0; i < 10; ++i)
            frame->createNewDocument();
        const QList<QAction*> menus = frame->menuBar()->actions();
        const QStringList texts = MenuTexts(menus[menus.size() - 2]->menu());
        QCOMPARE(texts.size(), 3 + 11);
        QVERIFY(texts[3 + 8].startsWith("&9 "));
        QVERIFY(texts[3 + 9].startsWith("10 "));
        QVERIFY(texts[3 + 10].startsWith("11 "));
        frame->commandAction(CommandId::kWindowCascade)->trigger();
        QCOMPARE(frame->childFrames().first()->size(), fitted);
    }

    // A channel list with names imports its channels and says, as chprog does, that the
    // names stay behind.
    void importNotesTheNamesLeftBehind() {
        RunningProgram program;
        CMainFrame* frame = program.frame;
        const QString path = program.config.filePath("named.csv");
        QVERIFY(WriteFileBytes(path, "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,"
                                     "cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,Skip,Comment\r\n"
                                     "1,Gate,146.52,,0,,88.5,88.5,023,NN,FM,5,,\r\n"));
        auto* view = qobject_cast<CProgramView*>(frame->activeView());
        const ChannelListContext lists{view, frame->activeDocument(), Language::English,
                                       view->typingBand(), &frame->prompts(),
                                       [view](const QString& text) { view->showStatusNote(text); },
                                       {}};
        QVERIFY(ChannelListFiles::Import(lists, path));
        QVERIFY2(frame->statusBar()->currentMessage().contains("Name and Comment"),
                 qPrintable(frame->statusBar()->currentMessage()));
        program.prompts.answerNext(QMessageBox::Discard);
        QVERIFY(frame->close());
    }

    // A file that names no model or band (FF) is typed into with the user's last band,
    // says once that it names no model, and keeps FF until a choice in Product Information.
    void imageWithoutProductKeepsTheUsersBand() {
        PromptRecorder prompts;
        ConfigDir config(DefaultIniText());
        UserStore store(config.iniPath()); // the user's last product: QR-16U, 400 - 470MHz
        store.writeNumber("Type", 1);
        store.writeNumber("Field", 0);
        const QString path = config.filePath("old.dat");
        QByteArray bytes = ImageBytes(NewImage());
        bytes[ImageMap::kProductType] = bytes[ImageMap::kProductBand] = char(0xFF);
        QVERIFY(WriteFileBytes(path, bytes));
        auto app = StartProgram(config);
        CMainFrame* frame = app->mainFrame();
        const QString note("The image names no model; choose one in Product Information");
        QSignalSpy notes(frame->statusBar(), &QStatusBar::messageChanged);
        prompts.setOpenFile(path);
        frame->OnFileOpen();
        auto* view = qobject_cast<CProgramView*>(frame->activeView());
        QTest::qWait(10);
        frame->statusBar()->clearMessage();
        view->OnInitialUpdate(); // a second fill says nothing more
        QTest::qWait(10);
        QCOMPARE(notes.count(QVariantList{note}), 1);
        QCOMPARE(frame->windowTitle(),
                 QString("FM Radio Programmer  [ No model: choose one in Product Information ]"));

        for (const auto& [channel, typed, refused] :
             {std::tuple{1, "446.00625", false}, {2, "146.52", true}}) {
            view->goToCell(channel, ChannelField::RxFrequency);
            QTest::keyClicks(view->grid(), QString(typed).left(1));
            QTest::keyClicks(view->openEditor(), QString(typed).mid(1));
            QTest::keyClick(view->openEditor(), Qt::Key_Return);
            QCOMPARE(prompts.asked.size(), refused ? 1 : 0);
        }
        view->HideCellEditors();
        QCOMPARE(view->grid()->TextMatrix(1, kColRxFrequency), QString("446.00625"));
        frame->OnFileSave();
        QCOMPARE(ReadFileBytes(path).mid(ImageMap::kProductType, 2), QByteArray(2, char(0xFF)));

        // Product Information opens on the user's last choice; OK stores it in the image.
        WhenModal<CProductInfoDlg>([](CProductInfoDlg* dialog) {
            QCOMPARE(dialog->typeList()->currentIndex(), 1);
            QCOMPARE(dialog->bandList()->currentIndex(), 0);
            emit dialog->findChild<QDialogButtonBox*>()->accepted();
        });
        frame->commandAction(CommandId::kProductInformation)->trigger();
        QCOMPARE(frame->activeDocument()->image()[ImageMap::kProductType], std::uint8_t(1));
        QCOMPARE(frame->windowTitle(),
                 QString("FM Radio Programmer  [ Type:QR-16U  Field:400 - 470MHz ]"));
    }
};

TEST_CLASS(AppFilesTest)
#include "tst_app_files.moc"
