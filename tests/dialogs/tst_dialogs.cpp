// The Optional Features and Scan Information dialogs, driven as a user would: keys
// into the focused control, clicks on the buttons, run() returning what OK wrote.

#include "COptionalFeaturesDlg.h"
#include "CScanInfoDlg.h"
#include "ImageMap.h"
#include "Modal.h"
#include "ScanInfo.h"
#include "StepEdit.h"
#include "TestSuite.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace ImageMap;

namespace {

// Runs `dialog` on `image` and performs `steps` once it is up. Whatever the steps
// leave open is cancelled, so a failing step cannot hang the test.
template <class Dialog>
bool RunWith(Dialog& dialog, RadioImage& image, const std::function<void()>& steps) {
    QTimer::singleShot(0, &dialog, [&dialog, steps] {
        if (QTest::qWaitForWindowActive(&dialog))
            steps();
        else
            qWarning("dialog did not become active");
        if (dialog.isVisible())
            dialog.reject();
    });
    return dialog.run(image);
}

template <class Widget> Widget* Control(QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QString::fromUtf8(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

void ReplaceText(StepEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

RadioImage FixedPriorityImage(int programmedChannel) {
    RadioImage image = NewImage();
    image[channelRecord(programmedChannel) + Record::kFrequencyLastByte] = 0x01;
    image[kPriorityMode] = kPriorityFixed;
    image[kPriorityChannel] = static_cast<std::uint8_t>(programmedChannel);
    return image;
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void optionalFeaturesOpenOkAndCancel();
    void optionalFeaturesKeyFilter();
    void optionalFeaturesInChinese();
    void scanInfoPriorityRules();
    void scanInfoSpinsWrap();
    void scanInfoLeavingFieldsClamps();
    void scanInfoEnterAndEscape();
    void scanInfoRefusesUnprogrammedChannel();
};

void DialogsTest::optionalFeaturesOpenOkAndCancel() {
    COptionalFeaturesDlg dialog(nullptr, Language::English);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Optional Features"));
    RadioImage image = NewImage();
    const RadioImage before = image;
    bool changed = RunWith(dialog, image, [&] {
        QCOMPARE(Control<QComboBox>(dialog, "Time-Out Timer")->currentText(), "60s");
        QCOMPARE(Control<QComboBox>(dialog, "Voice Annunciation")->currentText(), "Chinese");
        QCOMPARE(Control<QComboBox>(dialog, "Long Press")->currentText(), "Monitor Momentary");
        QVERIFY(Control<QCheckBox>(dialog, "beep")->isChecked());
        QComboBox* callKey = Control<QComboBox>(dialog, "Call Key Define");
        QVERIFY(!callKey->isVisible());
        QCOMPARE(callKey->currentText(), "Off");
        QCOMPARE(dialog.focusWidget(), Control<QPushButton>(dialog, "ok"));
        Control<QComboBox>(dialog, "Squelch Level")->setCurrentIndex(9);
        QTest::mouseClick(Control<QPushButton>(dialog, "cancel"), Qt::LeftButton);
    });
    QVERIFY(!changed);
    QCOMPARE(image, before);

    changed = RunWith(dialog, image, [&] {
        // Cancel kept nothing of the earlier opening.
        QCOMPARE(Control<QComboBox>(dialog, "Squelch Level")->currentText(), "4");
        Control<QComboBox>(dialog, "Time-Out Timer")->setCurrentIndex(39);
        Control<QCheckBox>(dialog, "batterySaver")->setChecked(false);
        QTest::mouseClick(Control<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    QVERIFY(changed);
    QCOMPARE(image[kTimeOutTimer], 40);
    QCOMPARE(image[kBatterySaver], 0);
    QCOMPARE(image[kCallKeyDefine], 2);
}

void DialogsTest::optionalFeaturesKeyFilter() {
    COptionalFeaturesDlg dialog(nullptr, Language::English);
    QList<int> helpContexts;
    dialog.helpRequested = [&](int id) { helpContexts << id; };
    RadioImage image = NewImage();
    const bool changed = RunWith(dialog, image, [&] {
        QComboBox* squelch = Control<QComboBox>(dialog, "Squelch Level");
        squelch->setFocus();
        QTest::keyClick(squelch, Qt::Key_5);
        QCOMPARE(squelch->currentText(), "5");
        QTest::keyClick(squelch, Qt::Key_7, Qt::ShiftModifier);
        QTest::keyClick(squelch, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(squelch->currentText(), "5");
        QTest::keyClick(squelch, Qt::Key_Down);
        QCOMPARE(squelch->currentText(), "6");
        QTest::qWait(QApplication::keyboardInputInterval() + 50); // a new search, not "52"
        QTest::keyClick(squelch, Qt::Key_2, Qt::KeypadModifier);
        QCOMPARE(squelch->currentText(), "2");

        QCheckBox* beep = Control<QCheckBox>(dialog, "beep");
        beep->setFocus();
        QTest::keyClick(beep, Qt::Key_Space);
        QVERIFY(beep->isChecked());
        QTest::keyClick(beep, Qt::Key_F1);
        QTest::keyClick(beep, Qt::Key_Tab);
        QCOMPARE(dialog.focusWidget(), beep);
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_A})
            QTest::keyClick(beep, key);
        QVERIFY(dialog.isVisible());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QTest::mouseClick(Control<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    QVERIFY(changed);
    QCOMPARE(image[kSquelchLevel], 2);
    QCOMPARE(helpContexts, QList<int>{1016});
}

void DialogsTest::optionalFeaturesInChinese() {
    COptionalFeaturesDlg dialog(nullptr, Language::Chinese);
    RadioImage image = NewImage();
    image[kLongPressKey] = 1;
    RunWith(dialog, image, [&] {
        QComboBox* longPress = Control<QComboBox>(dialog, "Long Press");
        QCOMPARE(longPress->currentText(), QStringLiteral("監聽"));
        QCOMPARE(Control<QComboBox>(dialog, "Short Press")->currentText(),
                 QStringLiteral("鈴音呼叫"));
        longPress->setCurrentIndex(longPress->findText(QStringLiteral("聲控開關")));
        QTest::mouseClick(Control<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    QCOMPARE(image[kLongPressKey], 10);
    QCOMPARE(image[kShortPressKey], 6);
}

void DialogsTest::scanInfoPriorityRules() {
    CScanInfoDlg dialog(nullptr, Language::English);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Scan Infomation"));
    RadioImage image = NewImage();
    const bool changed = RunWith(dialog, image, [&] {
        QComboBox* priority = Control<QComboBox>(dialog, "Priority");
        QLineEdit* channel = Control<QLineEdit>(dialog, "Priority Channel");
        StepEdit* lookBackA = Control<StepEdit>(dialog, "Look Back Time A");
        QComboBox* revert = Control<QComboBox>(dialog, "Revert Channel");
        QCOMPARE(priority->currentText(), "None");
        QVERIFY(!channel->isEnabled());
        QVERIFY(!lookBackA->isEnabled());
        QCOMPARE(lookBackA->text(), "0.9");
        QCOMPARE(revert->count(), 2);
        QCOMPARE(revert->currentIndex(), -1);

        priority->setFocus();
        QTest::keyClick(priority, Qt::Key_Down);
        QCOMPARE(priority->currentText(), "Fixed");
        QVERIFY(channel->isEnabled());
        QVERIFY(lookBackA->isEnabled());
        QCOMPARE(revert->count(), 4);
        QCOMPARE(revert->currentText(), "Selected");
        QTest::keyClicks(channel, "3");

        QTest::keyClick(priority, Qt::Key_Down);
        QCOMPARE(priority->currentText(), "Selected");
        QCOMPARE(channel->text(), QString());
        QVERIFY(!channel->isEnabled());
        QCOMPARE(revert->currentText(), "Priority");
        QCOMPARE(revert->itemText(1), "Priority+Talk back");
        QTest::mouseClick(Control<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    QVERIFY(changed);
    QCOMPARE(image[kPriorityMode], kPrioritySelected);
    QCOMPARE(image[kRevertChannel], 2);
    QCOMPARE(image[kPriorityChannel], 0x11);
}

void DialogsTest::scanInfoSpinsWrap() {
    CScanInfoDlg dialog(nullptr, Language::English);
    RadioImage image = FixedPriorityImage(5);
    RunWith(dialog, image, [&] {
        // The keys reach the model's steps (which the model tests pin).
        StepEdit* lookBack = Control<StepEdit>(dialog, "Look Back Time B");
        ReplaceText(lookBack, "5");
        QTest::keyClick(lookBack, Qt::Key_Up);
        QCOMPARE(lookBack->text(), "0.5");
        QTest::keyClick(lookBack, Qt::Key_Down);
        QCOMPARE(lookBack->text(), "5");
        ReplaceText(lookBack, "0.55");

        StepEdit* dropout = Control<StepEdit>(dialog, "Dropout Delay Time");
        ReplaceText(dropout, "300");
        QTest::keyClick(dropout, Qt::Key_Up);
        QCOMPARE(dropout->text(), "0");
        QTest::keyClick(dropout, Qt::Key_Down);
        QTest::keyClicks(dropout, "x-");
        QCOMPARE(dropout->text(), "300"); // digits only
        QTest::mouseClick(Control<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    QCOMPARE(image[kLookBackTimeB], 2);
    QCOMPARE(ReadWordLE(image, kDropoutDelay), 300);
}

void DialogsTest::scanInfoLeavingFieldsClamps() {
    CScanInfoDlg dialog(nullptr, Language::English);
    RadioImage image = FixedPriorityImage(5);
    RunWith(dialog, image, [&] {
        StepEdit* lookBack = Control<StepEdit>(dialog, "Look Back Time A");
        StepEdit* dwell = Control<StepEdit>(dialog, "Tx Dwell Time");
        QLineEdit* channel = Control<QLineEdit>(dialog, "Priority Channel");
        ReplaceText(lookBack, "7");
        channel->setFocus();
        QCOMPARE(lookBack->text(), "5");
        ReplaceText(dwell, "450");
        channel->setFocus();
        QCOMPARE(dwell->text(), "300");

        // A look-back text that is not a number: told, the field keeps the focus.
        SeenMessage message;
        AnswerNextMessage(&message);
        ReplaceText(lookBack, "abc");
        channel->setFocus();
        QCOMPARE(message.text, NumberRequiredMessage());
        QCOMPARE(dialog.focusWidget(),
                 lookBack->focusProxy() ? lookBack->focusProxy() : static_cast<QWidget*>(lookBack));
        ReplaceText(lookBack, "2.35");
        QTest::mouseClick(Control<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    QCOMPARE(image[kLookBackTimeA], 38);
    QCOMPARE(ReadWordLE(image, kTxDwellTime), 300);
}

void DialogsTest::scanInfoEnterAndEscape() {
    CScanInfoDlg dialog(nullptr, Language::English);
    RadioImage image = NewImage();
    bool changed = RunWith(dialog, image, [&] {
        StepEdit* dropout = Control<StepEdit>(dialog, "Dropout Delay Time");
        ReplaceText(dropout, "7");
        QTest::keyClick(dropout, Qt::Key_Escape);
    });
    QVERIFY(!changed);
    QCOMPARE(ReadWordLE(image, kDropoutDelay), 48);

    changed = RunWith(dialog, image, [&] {
        // Typed out of range and confirmed with Enter without leaving the field.
        StepEdit* dropout = Control<StepEdit>(dialog, "Dropout Delay Time");
        ReplaceText(dropout, "450");
        QTest::keyClick(dropout, Qt::Key_Return);
    });
    QVERIFY(changed);
    QCOMPARE(ReadWordLE(image, kDropoutDelay), 300);
}

void DialogsTest::scanInfoRefusesUnprogrammedChannel() {
    CScanInfoDlg dialog(nullptr, Language::Chinese);
    QList<int> helpContexts;
    dialog.helpRequested = [&](int id) { helpContexts << id; };
    RadioImage image = FixedPriorityImage(3);
    image[channelRecord(5) + Record::kFrequencyLastByte] = 0xFF;
    const RadioImage before = image;
    const bool changed = RunWith(dialog, image, [&] {
        QLineEdit* channel = Control<QLineEdit>(dialog, "Priority Channel");
        QCOMPARE(channel->text(), " 3");
        QCOMPARE(Control<QComboBox>(dialog, "Revert Channel")->itemText(2), "优先");
        // Which channels are refused is the model's; the dialog stays open and says so.
        channel->setText("5");
        SeenMessage message;
        AnswerNextMessage(&message);
        QTest::mouseClick(Control<QPushButton>(dialog, "ok"), Qt::LeftButton);
        QCOMPARE(message.text, QStringLiteral("请选择已输入的信道"));
        QVERIFY(dialog.isVisible());
        channel->setFocus();
        QTest::keyClick(channel, Qt::Key_F1);
        channel->setText("3");
        QTest::mouseClick(Control<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    QVERIFY(!changed); // channel 3 again: the bytes are the same
    QCOMPARE(image, before);
    QCOMPARE(helpContexts, QList<int>{1003});
}

TEST_CLASS(DialogsTest)
#include "tst_dialogs.moc"
