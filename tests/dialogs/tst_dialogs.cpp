// The Optional Features and Scan Information dialogs, driven as a user would: keys
// into the focused control, clicks on the buttons, run() returning what OK wrote.

#include "dialogs/COptionalFeaturesDlg.h"
#include "dialogs/CScanInfoDlg.h"
#include "dialogs/WritePreviewDlg.h"
#include "radio/ChannelRecord.h"
#include "radio/ImageMap.h"
#include "tests/support/Modal.h"
#include "radio/ScanInfo.h"
#include "ui/StepEdit.h"
#include "tests/support/TestSuite.h"
#include "ui/Prompts.h"

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
    void optionalFeatures();
    void scanInfoStepFields();
    void scanInfoRefusesUnprogrammedChannel();
    void writePreviewUsesTheGridsWords_data();
    void writePreviewUsesTheGridsWords();

private:
    const Prompts m_prompts; // real message boxes, answered through Modal.h
};

// Cancel keeps nothing, also of an earlier opening; keys reach the lists through the
// model's filter; Enter and Escape do not end the dialog; OK stores.
void DialogsTest::optionalFeatures() {
    COptionalFeaturesDlg dialog(nullptr, Language::English);
    QList<int> helpContexts;
    dialog.helpRequested = [&](int id) { helpContexts << id; };
    RadioImage image = NewImage();
    const RadioImage before = image;
    bool changed = RunWith(dialog, image, [&] {
        QCOMPARE(Control<QComboBox>(dialog, "Time-Out Timer")->currentText(), "60s");
        Control<QComboBox>(dialog, "Squelch Level")->setCurrentIndex(9);
        QTest::mouseClick(Control<QPushButton>(dialog, "cancel"), Qt::LeftButton);
    });
    QVERIFY(!changed);
    QCOMPARE(image, before);

    changed = RunWith(dialog, image, [&] {
        QComboBox* squelch = Control<QComboBox>(dialog, "Squelch Level");
        QCOMPARE(squelch->currentText(), "4");
        squelch->setFocus();
        QTest::keyClick(squelch, Qt::Key_5);
        QTest::keyClick(squelch, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(squelch->currentText(), "5");
        Control<QComboBox>(dialog, "Time-Out Timer")->setCurrentIndex(39);
        QCheckBox* saver = Control<QCheckBox>(dialog, "batterySaver");
        saver->setChecked(false);
        saver->setFocus();
        QTest::keyClick(saver, Qt::Key_F1);
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return})
            QTest::keyClick(saver, key);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QTest::mouseClick(Control<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    QVERIFY(changed);
    QCOMPARE(image[kSquelchLevel], 5);
    QCOMPARE(image[kTimeOutTimer], 40);
    QCOMPARE(image[kBatterySaver], 0);
    QCOMPARE(helpContexts.size(), 1);
}

// Arrow keys reach the model's steps; leaving a field clamps it, and so does Enter in
// it, which also ends the dialog with OK; a look-back text that is not a number is told
// and keeps the focus; the model's rules follow the priority chosen with the keyboard.
void DialogsTest::scanInfoStepFields() {
    CScanInfoDlg dialog(nullptr, m_prompts, Language::English);
    RadioImage image = FixedPriorityImage(5);
    const bool changed = RunWith(dialog, image, [&] {
        StepEdit* lookBackB = Control<StepEdit>(dialog, "Look Back Time B");
        ReplaceText(lookBackB, "5");
        QTest::keyClick(lookBackB, Qt::Key_Up);
        QCOMPARE(lookBackB->text(), "0.5");
        StepEdit* dwell = Control<StepEdit>(dialog, "Tx Dwell Time");
        QLineEdit* channel = Control<QLineEdit>(dialog, "Priority Channel");
        ReplaceText(dwell, "450");
        channel->setFocus();
        QCOMPARE(dwell->text(), "300");

        StepEdit* lookBack = Control<StepEdit>(dialog, "Look Back Time A");
        SeenMessage message;
        AnswerNextMessage(&message);
        ReplaceText(lookBack, "abc");
        channel->setFocus();
        QCOMPARE(message.text, NumberRequiredMessage());
        QCOMPARE(dialog.focusWidget(),
                 lookBack->focusProxy() ? lookBack->focusProxy() : static_cast<QWidget*>(lookBack));
        ReplaceText(lookBack, "2.35");
        QComboBox* priority = Control<QComboBox>(dialog, "Priority");
        priority->setFocus();
        QTest::keyClick(priority, Qt::Key_Down);
        QCOMPARE(priority->currentText(), "Selected");
        QVERIFY(!channel->isEnabled());
        QCOMPARE(Control<QComboBox>(dialog, "Revert Channel")->currentText(), "Priority");
        StepEdit* dropout = Control<StepEdit>(dialog, "Dropout Delay Time");
        ReplaceText(dropout, "450");
        QTest::keyClick(dropout, Qt::Key_Return);
    });
    QVERIFY(changed);
    QCOMPARE(image[kLookBackTimeB], 1);
    QCOMPARE(image[kLookBackTimeA], 38);
    QCOMPARE(ReadWordLE(image, kTxDwellTime), 300);
    QCOMPARE(ReadWordLE(image, kDropoutDelay), 300);
    QCOMPARE(image[kPriorityMode], kPrioritySelected);
    QCOMPARE(image[kRevertChannel], 2);
}

// Which channels are refused is the model's; the dialog stays open and says so. Escape
// in a field cancels.
void DialogsTest::scanInfoRefusesUnprogrammedChannel() {
    CScanInfoDlg dialog(nullptr, m_prompts, Language::Chinese);
    RadioImage image = FixedPriorityImage(3);
    const RadioImage before = image;
    const bool changed = RunWith(dialog, image, [&] {
        QLineEdit* channel = Control<QLineEdit>(dialog, "Priority Channel");
        QCOMPARE(channel->text(), " 3");
        channel->setText("5");
        SeenMessage message;
        AnswerNextMessage(&message);
        QTest::mouseClick(Control<QPushButton>(dialog, "ok"), Qt::LeftButton);
        QCOMPARE(message.text, QStringLiteral("请选择已输入的信道"));
        QVERIFY(dialog.isVisible());
        StepEdit* dropout = Control<StepEdit>(dialog, "Dropout Delay Time");
        ReplaceText(dropout, "7");
        QTest::keyClick(dropout, Qt::Key_Escape);
    });
    QVERIFY(!changed);
    QCOMPARE(image, before);
}

void DialogsTest::writePreviewUsesTheGridsWords_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("line");
    QTest::newRow("English") << int(Language::English) << "CH 1|Rx Frequency||146.52000";
    QTest::newRow("Chinese") << int(Language::Chinese) << "CH 1|接收頻率||146.52000";
}

void DialogsTest::writePreviewUsesTheGridsWords() {
    QFETCH(int, language);
    QFETCH(QString, line);
    const Language words = Language(language);
    const RadioImage radio = NewImage();
    RadioImage written = radio;
    Channel channel;
    channel.rx.units = 14652000;
    WriteChannelField(channel, ChannelField::RxFrequency, 1, written);
    const std::vector<QStringList> lines =
        WritePreviewLines(CompareImages(radio, written, words, QString()), words);
    QCOMPARE(lines.size(), size_t(1));
    QCOMPARE(lines[0].join(u'|'), line);
}

TEST_CLASS(DialogsTest)
#include "tst_dialogs.moc"
