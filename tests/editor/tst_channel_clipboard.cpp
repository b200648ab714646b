// The grid's editing tools driven with real clicks on the channel numbers and real keys
// on the grid: each changes the channels it should as one step of the document's history,
// a refused paste changes nothing, and the context menu offers what applies. The clipboard
// texts and which pastes are refused are ClipboardTextTest's.
#include "editor/ChannelEditActions.h"
#include "tests/editor/ChannelScreen.h"
#include "tests/support/TestSuite.h"

#include <tuple>

#include <QClipboard>
#include <QHeaderView>
#include <QMenu>

namespace {

struct Screen : ChannelScreen {
    QHeaderView& numbers() { return *grid().verticalHeader(); }
    QPoint numberCentre(int row) {
        return {numbers().width() / 2, numbers().sectionViewportPosition(row - 1) + 5};
    }
    void clickNumber(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(numbers().viewport(), Qt::LeftButton, modifiers, numberCentre(row));
    }
    // Channels 2, 3 and 4 programmed, each with settings of its own.
    void programThree() {
        program(2, "146.52");
        program(3, "150.00625");
        enterIn(3, kColScanAdd, "Y");
        enterIn(3, kColPower, "L");
        program(4, "155");
        enterIn(4, kColBandwidth, "N");
    }
    // Where each of channels 1 to 12 came from: its number in `before`, "-" when empty.
    QString layout(const ChannelTable& before) {
        const ChannelTable now = DecodeChannels(doc.image(), Language::English);
        QStringList from;
        for (int row = 0; row < 12; ++row) {
            const auto same = [&](const ChannelRow& old) {
                return std::equal(old.begin() + 1, old.end(), now[row].begin() + 1);
            };
            const auto found = std::find_if(before.begin(), before.end(), same);
            from << (now[row][kColRxFrequency].isEmpty() ? QStringLiteral("-")
                     : found == before.end()             ? QStringLiteral("?")
                                                         : QString::number(found - before.begin() + 1));
        }
        return from.join(u' ');
    }
};

} // namespace

class ChannelClipboardTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_run.reset(); }
    void toolsAreOneStepEach_data();
    void toolsAreOneStepEach();
    void refusedPasteChangesNothing();
    void contextMenuOffersWhatApplies();
    void keysOpenTheMenuFromAnyCell();

private:
    EditorRun m_run;
};

void ChannelClipboardTest::toolsAreOneStepEach_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("extend"); // the modifier of the click on `last`
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("pasteAt"); // 0: no paste
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("layout");
    const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    QTest::newRow("copy, paste") << 2 << 4 << shift << "Ctrl+C" << 10 << "Paste 3 channels" << 1
                                 << "- 2 3 4 - - - - - 2 3 4";
    QTest::newRow("cut, paste") << 3 << 4 << ctrl << "Ctrl+X" << 10 << "Paste 2 channels" << 2
                                << "- 2 - - - - - - - 3 4 -";
    // The selection moves with the channel, so the second key moves it on.
    QTest::newRow("move down twice") << 2 << 2 << 0 << "Ctrl+Down, Ctrl+Down" << 0
                                     << "Move channel 3 down" << 2 << "- 3 4 2 - - - - - - - -";
    QTest::newRow("delete") << 2 << 3 << shift << "Del" << 0 << "Delete 2 channels" << 1
                            << "- - - 4 - - - - - - - -";
}

void ChannelClipboardTest::toolsAreOneStepEach() {
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, extend);
    QFETCH(QString, keys);
    QFETCH(int, pasteAt);
    QFETCH(QString, label);
    QFETCH(int, steps);
    QFETCH(QString, layout);
    Screen s;
    s.programThree();
    const RadioImage before = s.doc.image();
    const ChannelTable channels = DecodeChannels(before, Language::English);
    s.clickNumber(first);
    s.clickNumber(last, Qt::KeyboardModifiers(extend));
    QTest::keySequence(&s.grid(), QKeySequence(keys));
    if (pasteAt) {
        s.clickNumber(pasteAt);
        QTest::keyClick(&s.grid(), Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(s.layout(channels), layout);
    QCOMPARE(s.doc.undoLabel(), label);
    for (int step = 0; step < steps; ++step)
        QVERIFY(s.doc.undo());
    QCOMPARE(s.doc.image(), before);
    QVERIFY(s.messages.isEmpty());
}

void ChannelClipboardTest::refusedPasteChangesNothing() {
    Screen s;
    s.programThree();
    QGuiApplication::clipboard()->setText("1\t146.52\t\tNone\tNone\tHuge\tYes\tOff\tWide\tNo\n");
    const RadioImage before = s.doc.image();
    s.clickNumber(3);
    QTest::keyClick(&s.grid(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(s.doc.image(), before);
    QCOMPARE(s.messages.size(), 1);
    QVERIFY2(s.messages[0].contains("column \"Power\""), qPrintable(s.messages[0]));
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
    // Fill Down needs a second channel below the first.
    QCOMPARE(enabled, QStringList({"Cut", "Copy", "Delete", "Move down", "Set for Selection...",
                                   "Frequency Series...", "Sort by Frequency", "Find Duplicates",
                                   "Compact"}));
    menu->close();
}

// The cell's editor has the focus; Shift+F10 (in a frequency cell) and the Menu key (in
// a list) still open the grid's menu, under the cell.
void ChannelClipboardTest::keysOpenTheMenuFromAnyCell() {
    Screen s;
    const auto cases = {std::tuple{int(kColRxFrequency), Qt::Key_F10, Qt::ShiftModifier},
                        std::tuple{int(kColPower), Qt::Key_Menu, Qt::NoModifier}};
    for (const auto& [col, key, modifiers] : cases) {
        s.click(2, col);
        QVERIFY(s.view.openEditor());
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        const QRect cell = s.grid().visualItemRect(s.grid().item(1, col - 1));
        QVERIFY(QRect(s.grid().viewport()->mapToGlobal(cell.topLeft()), cell.size())
                    .contains(menu->geometry().topLeft()));
        menu->close();
    }
}

TEST_CLASS(ChannelClipboardTest)
#include "tst_channel_clipboard.moc"
