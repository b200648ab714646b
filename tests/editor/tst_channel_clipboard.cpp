// The grid's editing tools driven with real clicks on the channel numbers and real
// keys on the grid: copy and paste, a refused paste, cut, move, delete, each one step
// of the document's history; and the context menu's enabled states.
#include "AppConfig.h"
#include "ChannelEditActions.h"
#include "ChannelScreen.h"
#include "CommandIds.h"
#include "ProgramFixture.h"
#include "TestSuite.h"
#include "UserStore.h"

#include <QClipboard>
#include <QHeaderView>
#include <QMenu>

namespace {

const QString kIni = QStringLiteral("[Setup]\nAppName=ClipboardTest\nType1=QZ-417\n"
                                    "Field1=130 - 160MHz\n[English]\nAppName=Radio\n");

QByteArray Records(const RadioImage& image, int first, int last) {
    const int start = ImageMap::channelRecord(first);
    return QByteArray(reinterpret_cast<const char*>(image.data()) + start,
                      ImageMap::channelRecord(last + 1) - start);
}

struct Screen : ChannelScreen {
    QHeaderView& numbers() { return *grid().verticalHeader(); }
    QPoint numberCentre(int row) {
        return {numbers().width() / 2, numbers().sectionViewportPosition(row - 1) + 5};
    }
    void clickNumber(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(numbers().viewport(), Qt::LeftButton, modifiers, numberCentre(row));
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QTest::keyClick(&grid(), key, modifiers);
    }
    std::vector<int> selected() { return view.editActions()->selectedChannels(); }
    // Channels 2, 3 and 4 programmed, each with settings of its own.
    void programThree() {
        program(2, "146.52");
        program(3, "150.00625");
        enterIn(3, kColPower, "L");
        program(4, "155");
        enterIn(4, kColBandwidth, "N");
    }
};

} // namespace

class ChannelClipboardTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void copyAndPasteGiveTheSameBytes();
    void refusedPasteChangesNothing();
    void cutThenUndoRestores();
    void moveDownSwapsAndUndoes();
    void deleteIsOneStep();
    void contextMenuOffersWhatApplies();

private:
    ConfigDir m_dir{kIni};
};

void ChannelClipboardTest::initTestCase() {
    appConfig().iniFilePath = m_dir.iniPath();
    appConfig().programDirectory = m_dir.path() + '/';
    appConfig().chineseLanguage = false;
    appConfig().languageName = "English";
}

void ChannelClipboardTest::copyAndPasteGiveTheSameBytes() {
    Screen s;
    s.programThree();
    QCOMPARE(s.settings(3)[kColPower - kColDecodeTone] +
                 s.settings(4)[kColBandwidth - kColDecodeTone],
             QString("LowNarrow"));
    QVERIFY(Records(s.doc.image(), 10, 12) != Records(s.doc.image(), 2, 4));
    s.clickNumber(2);
    s.clickNumber(4, Qt::ShiftModifier);
    QCOMPARE(s.selected(), (std::vector<int>{2, 3, 4}));
    s.press(Qt::Key_C);
    QVERIFY(QGuiApplication::clipboard()->text().startsWith("CH\tRx Frequency\t"));
    s.clickNumber(10);
    s.press(Qt::Key_V);
    QCOMPARE(Records(s.doc.image(), 10, 12), Records(s.doc.image(), 2, 4));
    QCOMPARE(s.doc.undoLabel(), QString("Paste 3 channels"));
    QCOMPARE(s.selected(), (std::vector<int>{10, 11, 12}));
    QVERIFY(s.messages.isEmpty());
}

void ChannelClipboardTest::refusedPasteChangesNothing() {
    Screen s;
    s.programThree();
    QGuiApplication::clipboard()->setText("1\t146.52\t\tNone\tNone\tHigh\tYes\tOff\tWide\tNo\n"
                                          "2\t146.52\t\tNone\tNone\tHuge\tYes\tOff\tWide\tNo\n");
    const RadioImage before = s.doc.image();
    s.clickNumber(3);
    s.press(Qt::Key_V);
    QCOMPARE(s.doc.image(), before);
    QCOMPARE(s.messages.size(), 1);
    QVERIFY2(s.messages[0].contains("line 2, column \"Power\""), qPrintable(s.messages[0]));
}

void ChannelClipboardTest::cutThenUndoRestores() {
    Screen s;
    s.programThree();
    const RadioImage before = s.doc.image();
    s.clickNumber(3);
    s.clickNumber(4, Qt::ControlModifier);
    s.press(Qt::Key_X);
    QCOMPARE(s.cell(2, kColRxFrequency) + s.cell(3, kColRxFrequency) + s.cell(4, kColRxFrequency),
             QString("146.52000"));
    QCOMPARE(QGuiApplication::clipboard()->text().count('\n'), 3);
    QVERIFY(s.doc.undo());
    QCOMPARE(s.doc.image(), before);
}

void ChannelClipboardTest::moveDownSwapsAndUndoes() {
    Screen s;
    s.programThree();
    const RadioImage before = s.doc.image();
    s.clickNumber(2);
    s.press(Qt::Key_Down);
    QCOMPARE(Records(s.doc.image(), 3, 3), Records(before, 2, 2));
    QCOMPARE(Records(s.doc.image(), 2, 2), Records(before, 3, 3));
    QCOMPARE(s.selected(), std::vector<int>{3});
    QCOMPARE(s.doc.undoLabel(), QString("Move channel 2 down"));
    QVERIFY(s.doc.undo());
    QCOMPARE(s.doc.image(), before);
}

void ChannelClipboardTest::deleteIsOneStep() {
    Screen s;
    s.programThree();
    const RadioImage before = s.doc.image();
    s.clickNumber(2);
    s.clickNumber(3, Qt::ShiftModifier);
    s.press(Qt::Key_Delete, Qt::NoModifier);
    QCOMPARE(s.cell(2, kColRxFrequency) + s.cell(3, kColRxFrequency), QString());
    QCOMPARE(s.doc.undoLabel(), QString("Delete 2 channels"));
    QVERIFY(s.doc.undo());
    QCOMPARE(s.doc.image(), before);
}

void ChannelClipboardTest::contextMenuOffersWhatApplies() {
    Screen s;
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(s.numbers().viewport(), Qt::RightButton, {}, s.numberCentre(1));
    QContextMenuEvent event(QContextMenuEvent::Mouse, s.numberCentre(1));
    QApplication::sendEvent(s.numbers().viewport(), &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QStringList enabled;
    for (QAction* action : menu->actions())
        if (action->isEnabled() && !action->isSeparator())
            enabled << action->text().section('\t', 0, 0).remove('&');
    QCOMPARE(enabled, QStringList({"Cut", "Copy", "Delete", "Move down"}));
    menu->close();
}

TEST_CLASS(ChannelClipboardTest)
#include "tst_channel_clipboard.moc"
