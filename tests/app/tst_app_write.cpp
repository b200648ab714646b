// The window program's Write on a scripted radio: the read before it, the question when
// the radio is for another band, the changes shown, the read back after it, its line in
// the log, and Restore Radio.
#include "config/StartupConfig.h"
#include "config/UserStore.h"
#include "dialogs/RestoreRadioDlg.h"
#include "dialogs/WritePreviewDlg.h"
#include "document/ProgramDoc.h"
#include "editor/CProgramView.h"
#include "files/ProgrammingLog.h"
#include "link/DetectedPorts.h"
#include "radio/ChannelCodec.h"
#include "tests/support/FakeLink.h"
#include "tests/support/ProgramFixture.h"
#include "tests/support/ScriptedRadio.h"
#include "tests/support/TestSuite.h"
#include "ui/CProcessDlg.h"
#include "ui/CommandIds.h"
#include "ui/TransferController.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

// Model 3 of the default Program.ini: band 0 is 136 - 174MHz, band 1 400 - 470MHz.
RadioImage DualBandImage(std::uint8_t band) {
    RadioImage image = NewImage();
    image[ImageMap::kProductType] = 2;
    image[ImageMap::kProductBand] = band;
    return image;
}

// The program with its channel view on a scripted radio, its document the radio's
// image with channel 1 set.
struct WriteBench {
    RunningProgram program;
    std::shared_ptr<FakeLink> link = std::make_shared<FakeLink>();
    std::shared_ptr<ScriptedRadio> radio;
    CProgramView* view = nullptr;
    QString logPath = ProgrammingLogFile(QStringLiteral("RadioProgrammer"));
    bool previewAnswer = true;  // Write
    QStringList previewed;      // "item|field|radio|written" per line shown
    QString restoreChoice;      // the kind of the backup Restore Radio chose first

    // `channel2`: the receive and transmit frequency of channel 2, empty for none.
    explicit WriteBench(const RadioImage& held, std::uint8_t documentBand,
                        const QString& channel2 = QString())
        : radio(std::make_shared<ScriptedRadio>(held)) {
        link->radio = [radio = radio](const QByteArray& written) { return radio->answer(written); };
        view = qobject_cast<CProgramView*>(program.frame->activeView());
        view->transfer()->setLinkFactory([link = link] { return link; });
        RadioImage document = DualBandImage(documentBand);
        ChannelTable table = DecodeChannels(document, Language::English);
        table[0] = {"", "146.52", "146.52", "", "", "High", "Yes", "Off", "Wide", "No"};
        if (!channel2.isEmpty())
            table[1] = {"", channel2, channel2, "", "", "High", "Yes", "Off", "Wide", "No"};
        GridToImage(table, document);
        program.frame->activeDocument()->edit(QStringLiteral("test"),
                                              [&](RadioImage& image) { image = document; });
        QFile::remove(logPath);
    }

    // The command (Write, Restore Radio), OK in the progress window, the answers to the
    // dialogs it opens, and the end; whether it succeeded.
    bool write(int command = CommandId::kWrite) {
        QSignalSpy finished(view->transfer(), &TransferController::finished);
        QTimer dialogs;
        dialogs.setInterval(5);
        QObject::connect(&dialogs, &QTimer::timeout, [this] { answerDialog(); });
        dialogs.start();
        program.frame->commandAction(command)->trigger();
        view->transfer()->progressWindow()->findChild<QPushButton*>()->click();
        return finished.wait(20000) && finished.first().first().toBool();
    }

    // The preview: its lines kept, then Write or Cancel. The backups: the one chosen first
    // kept, then Restore.
    void answerDialog() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* preview = qobject_cast<WritePreviewDlg*>(modal)) {
            for (int i = 0; i < preview->changeList()->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* item = preview->changeList()->topLevelItem(i);
                previewed << QStringList{item->text(0), item->text(1), item->text(2), item->text(3)}
                                 .join(u'|');
            }
            previewAnswer ? preview->writeButton()->click() : preview->reject();
        } else if (auto* restore = qobject_cast<RestoreRadioDlg*>(modal)) {
            const QTreeWidgetItem* chosen = restore->backupList()->currentItem();
            restoreChoice = chosen ? chosen->text(1) : QString();
            restore->restoreButton()->click();
        }
    }

    QStringList logResults() const {
        std::vector<LogLine> lines;
        int unreadable = 0;
        QString error;
        if (!ReadProgrammingLog(logPath, &lines, &unreadable, &error) || unreadable)
            return {QStringLiteral("unreadable")};
        QStringList results;
        const int result = static_cast<int>(ProgrammingLogFields().indexOf("result"));
        for (const LogLine& line : lines)
            results << line[result];
        return results;
    }
};

} // namespace

class AppWriteTest : public QObject {
    Q_OBJECT
private slots:
    void writeEndsAsTheRadioAllows_data();
    void writeEndsAsTheRadioAllows();
    void everyWriteIsLogged();
    void theChoicesDecideTheWrite_data();
    void theChoicesDecideTheWrite();
    void restoreWritesBackWhatTheRadioHeld();
};

void AppWriteTest::writeEndsAsTheRadioAllows_data() {
    QTest::addColumn<int>("radioBand");
    QTest::addColumn<int>("answer"); // to the wrong-band question
    QTest::addColumn<int>("dropWriteAtBlock");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("logged");
    const QString wrongBand =
        "The radio is for 400 - 470MHz; this document is for 136 - 174MHz. Write anyway?";
    QTest::newRow("same band") << 0 << 0 << 0 << QString() << true << "written+verified";
    QTest::newRow("wrong band, No") << 1 << int(QMessageBox::No) << 0 << wrongBand << false
                                    << "skipped: wrong target";
    QTest::newRow("wrong band, Yes") << 1 << int(QMessageBox::Yes) << 0 << wrongBand << true
                                     << "written+verified";
    // Block 3 holds 0x010-0x017, the start of channel 1's record: acknowledged, never
    // stored.
    QTest::newRow("a lost block") << 0 << 0 << 3
                                  << "Verify failed at 0x010: the radio holds FF, the image 00"
                                  << false << "failed: verify failed";
}

void AppWriteTest::writeEndsAsTheRadioAllows() {
    QFETCH(int, radioBand);
    QFETCH(int, answer);
    QFETCH(int, dropWriteAtBlock);
    QFETCH(QString, asked);
    QFETCH(bool, written);
    QFETCH(QString, logged);
    WriteBench bench(DualBandImage(static_cast<std::uint8_t>(radioBand)), 0);
    bench.radio->dropWriteAtBlock = dropWriteAtBlock;
    if (answer)
        bench.program.prompts.answerNext(QMessageBox::StandardButton(answer));
    const RadioImage document = bench.program.frame->activeDocument()->image();

    QCOMPARE(bench.write(), written && !dropWriteAtBlock);
    QCOMPARE(bench.program.prompts.asked.size(), asked.isEmpty() ? 0 : 1);
    if (!asked.isEmpty())
        QCOMPARE(bench.program.prompts.asked[0].text, asked);
    const int record = ImageMap::channelRecord(1);
    QCOMPARE(bench.radio->memory[record] == document[record], written);
    QCOMPARE(bench.logResults(), QStringList{logged});
}

// One parseable line per Write, appended, naming the port, the cable's serial number,
// the operator and the radio as it was read. A radio that holds the image already is
// not written again.
void AppWriteTest::everyWriteIsLogged() {
    WriteBench bench(DualBandImage(0), 0);
    QVERIFY(bench.write());
    std::vector<LogLine> first;
    int unreadable = 0;
    QString error;
    QVERIFY(ReadProgrammingLog(bench.logPath, &first, &unreadable, &error) && first.size() == 1);
    DetectedPort cable;
    cable.device = first[0][ProgrammingLogFields().indexOf("port")];
    cable.serialNumber = QStringLiteral("A1B2");
    SetPortLister([cable] { return QList<DetectedPort>{cable}; });
    UserStore(startupConfig().iniFilePath).setOperatorName(QStringLiteral("kim"));
    const bool secondWritten = bench.write();
    SetPortLister({});
    QVERIFY(secondWritten);
    QCOMPARE(bench.logResults(), (QStringList{"written+verified", "already programmed"}));
    std::vector<LogLine> lines;
    QVERIFY(ReadProgrammingLog(bench.logPath, &lines, &unreadable, &error));
    const QStringList fields = ProgrammingLogFields();
    QCOMPARE(lines[1][fields.indexOf("usb_serial")], QString("A1B2"));
    QCOMPARE(lines[1][fields.indexOf("operator")], QString("kim"));
    QCOMPARE(lines[0][fields.indexOf("fingerprint")], RadioFingerprint(DualBandImage(0), true));
    QVERIFY(QFileInfo::exists(lines[0][fields.indexOf("backup")]));
}

void AppWriteTest::theChoicesDecideTheWrite_data() {
    QTest::addColumn<bool>("showChanges");
    QTest::addColumn<bool>("verify");
    QTest::addColumn<bool>("answer"); // to the preview: Write
    QTest::addColumn<QString>("channel2");
    QTest::addColumn<QString>("firstChange"); // empty: no preview
    QTest::addColumn<QString>("logged");
    const QString channel1 = "CH 1|Rx Frequency||146.52000";
    QTest::newRow("shown, Write") << true << true << true << "" << channel1 << "written+verified";
    QTest::newRow("shown, Cancel") << true << true << false << "" << channel1
                                   << "failed: not confirmed";
    QTest::newRow("not shown") << false << true << true << "" << "" << "written+verified";
    QTest::newRow("not verified") << true << false << true << "" << channel1 << "written";
    // The question about channel 2 is answered with its default, No, before any preview.
    QTest::newRow("outside the band") << true << true << true << "180" << ""
                                      << "failed: not confirmed";
}

void AppWriteTest::theChoicesDecideTheWrite() {
    QFETCH(bool, showChanges);
    QFETCH(bool, verify);
    QFETCH(bool, answer);
    QFETCH(QString, channel2);
    QFETCH(QString, firstChange);
    QFETCH(QString, logged);
    WriteBench bench(DualBandImage(0), 0, channel2);
    UserStore store(startupConfig().iniFilePath);
    store.setShowsChangesBeforeWriting(showChanges);
    store.setVerifiesAfterWriting(verify);
    bench.previewAnswer = answer;
    const RadioImage held = bench.radio->memory;

    QCOMPARE(bench.write(), logged.startsWith("written"));
    QCOMPARE(bench.previewed.value(0), firstChange);
    QCOMPARE(bench.radio->memory == held, !logged.startsWith("written"));
    QCOMPARE(bench.logResults(), QStringList{logged});
    if (!channel2.isEmpty())
        QVERIFY(bench.program.prompts.asked.value(0).text.contains(
            "CH 2 Rx Frequency: outside the band"));
}

// After a Write, Restore Radio chooses what the radio held before it and writes that back.
void AppWriteTest::restoreWritesBackWhatTheRadioHeld() {
    WriteBench bench(DualBandImage(0), 0);
    const RadioImage before = bench.radio->memory;
    QVERIFY(bench.write());
    QVERIFY(bench.radio->memory != before);
    const RadioImage document = bench.program.frame->activeDocument()->image();
    bench.previewed.clear();

    QVERIFY(bench.write(CommandId::kRestoreRadio));
    QVERIFY(bench.restoreChoice.startsWith("read"));
    QCOMPARE(bench.previewed.value(0), "CH 1|Rx Frequency|146.52000|");
    QCOMPARE(bench.radio->memory, before);
    QCOMPARE(bench.program.frame->activeDocument()->image(), document);
    QCOMPARE(bench.logResults(), (QStringList{"written+verified", "written+verified"}));
}

TEST_CLASS(AppWriteTest)
#include "tst_app_write.moc"
