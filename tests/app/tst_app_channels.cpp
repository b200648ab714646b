// The window program with its channel view: a user picks a model and band, types a
// dozen channels with tones using the keyboard only, saves, and opens the file again.
#include "ui/CMSFlexGrid.h"
#include "dialogs/CProductInfoDlg.h"
#include "editor/CProgramView.h"
#include "ui/CommandIds.h"
#include "app/MainFrame.h"
#include "document/ProgramDoc.h"
#include "tests/support/ProgramFixture.h"
#include "tests/support/TestSuite.h"
#include "config/UserStore.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTest>
#include <QTimer>

class AppChannelsTest : public QObject {
    Q_OBJECT
private slots:
    void keyboardOnlySession();
};

namespace {

void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

void Type(const QString& text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
}

} // namespace

void AppChannelsTest::keyboardOnlySession() {
    PromptRecorder prompts;
    ConfigDir config(DefaultIniText());
    UserStore store(config.iniPath()); // a user who never chose a product
    store.writeNumber("Type", 0);
    store.writeNumber("Field", 0);
    auto app = StartProgram(config);
    CMainFrame* frame = app->mainFrame();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    auto* view = qobject_cast<CProgramView*>(frame->activeView());
    QCOMPARE(frame->windowTitle(),
             QStringLiteral("FM Radio Programmer  [ Type:QR-16V  Fre:136 - 174MHz ]"));

    // Edit > Product Information: the second model, its second band, Enter.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CProductInfoDlg*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QApplication::setActiveWindow(dialog);
        if (!QTest::qWaitForWindowActive(dialog))
            dialog->reject();
        QCOMPARE(QApplication::focusWidget(), dialog->typeList());
        Key(Qt::Key_Down);
        Key(Qt::Key_Tab);
        Key(Qt::Key_Down);
        Key(Qt::Key_Return);
    });
    frame->commandAction(CommandId::kProductInformation)->trigger();
    QCOMPARE(frame->windowTitle(),
             QStringLiteral("FM Radio Programmer  [ Type:QR-16U  Field:450 - 520MHz ]"));
    QCOMPARE(view->freqLow(), 45000000LL);

    // Twelve channels, each with a decode and an encode tone; Enter walks the row.
    QApplication::setActiveWindow(frame);
    QCOMPARE(QApplication::focusWidget(), view->grid());
    const QStringList tones{"67.0", "88.5", "D023N", "100.0", "D754I", "123.0",
                            "67.0", "88.5", "D023N", "100.0", "D754I", "254.1"};
    for (int i = 0; i < 12; ++i) {
        Type(QStringLiteral("%1").arg(450.0125 + i * 0.5, 0, 'f', 4)); // receive
        Key(Qt::Key_Return);
        Key(Qt::Key_Return); // transmit: the same
        Type(tones[i]);
        Key(Qt::Key_Return);
        Type(tones[(i + 1) % 12]);
        for (int col = kColEncodeTone; col < kChannelColumns; ++col)
            Key(Qt::Key_Return);
    }
    const ChannelTable typed = view->channelTable();
    QStringList told;
    for (const Prompt& prompt : prompts.asked)
        told << prompt.text;
    QCOMPARE(told, QStringList()); // no typed value was refused
    QCOMPARE(typed[0][kColRxFrequency], QStringLiteral("450.01250"));
    QCOMPARE(typed[11][kColTxFrequency], QStringLiteral("455.51250"));
    QCOMPARE(typed[2][kColDecodeTone], QStringLiteral("D023N"));
    QCOMPARE(typed[11][kColEncodeTone], QStringLiteral("67.0"));
    QCOMPARE(typed[12][kColRxFrequency], QString());
    QVERIFY(prompts.asked.isEmpty());
    QVERIFY(frame->activeDocument()->isModified());

    // Ctrl+S saves under the name the user gives.
    const QString path = config.filePath("twelve.dat");
    prompts.setSaveFile(path);
    Key(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!frame->activeDocument()->isModified());

    // Ctrl+O opens a copy of it as a further document with the same grid and product.
    QVERIFY(QFile::copy(path, config.filePath("copy.dat")));
    prompts.setOpenFile(config.filePath("copy.dat"));
    Key(Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(frame->childFrames().size(), 2);
    auto* reopened = qobject_cast<CProgramView*>(frame->activeView());
    QVERIFY(reopened && reopened != view);
    QCOMPARE(reopened->channelTable(), typed);
    QCOMPARE(frame->windowTitle(),
             QStringLiteral("FM Radio Programmer  [ Type:QR-16U  Fre:450 - 520MHz ]"));
}

TEST_CLASS(AppChannelsTest)
#include "tst_app_channels.moc"
