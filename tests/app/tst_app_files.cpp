// Files the way people open them: the folder of the last open or save is where Open and
// Save As start, across runs; a file dropped on the window opens as File > Open would.

#include "ChildFrame.h"
#include "Files.h"
#include "ImageMap.h"
#include "LastFolder.h"
#include "MainFrame.h"
#include "ProgramDoc.h"
#include "ProgramFixture.h"
#include "StartupConfig.h"
#include "TestSuite.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

namespace {

// Sends a drag with `urls` over the frame and drops it; true when the frame took it.
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
    return drop.isAccepted();
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
            QCOMPARE(LastFileFolder(), other.path());
        }
        QCOMPARE(LastFileFolder(), QString());
    }

    void droppedFiles_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("opens");
        QTest::newRow("a radio image") << int(ImageMap::kImageSize) << true;
        QTest::newRow("too short") << int(ImageMap::kImageSize) - 1 << false;
    }
    void droppedFiles() {
        QFETCH(int, size);
        QFETCH(bool, opens);
        PromptRecorder prompts;
        ConfigDir config(DefaultIniText());
        auto app = StartProgram(config);
        CMainFrame* frame = app->mainFrame();
        CChildFrame* before = frame->activeChild();
        const QString path = config.filePath("dropped.dat");
        WriteFileBytes(path, QByteArray(size, 0x33));

        QVERIFY(DropOn(frame, {QUrl::fromLocalFile(path)}));
        // Refused with the message File > Open gives; the shown document stays.
        QCOMPARE(prompts.asked.size(), opens ? 0 : 1);
        QCOMPARE(frame->childFrames().size(), opens ? 2 : 1);
        QCOMPARE(frame->activeDocument()->pathName() == path, opens);
        QCOMPARE(before->isVisible(), !opens);
        // Drags of other things are not taken.
        QVERIFY(!DropOn(frame, {QUrl("https://example.org/radio.dat")}));
        QVERIFY(!DropOn(frame, {}));
    }
};

TEST_CLASS(AppFilesTest)
#include "tst_app_files.moc"
