// chprog settings and chprog set, run as a separate process.

#include "tests/support/Chprog.h"
#include "files/DatFile.h"
#include "tests/support/Files.h"
#include "radio/ImageMap.h"
#include "radio/RadioImage.h"
#include "radio/ScanInfo.h"
#include "tests/support/TestSuite.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ImageMap;

namespace {

RadioImage ImageWithChannelFive() {
    RadioImage image = NewImage();
    image[channelRecord(5) + Record::kFrequencyLastByte] = 0x01;
    return image;
}

} // namespace

class CliSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void settingsPrintsWhatTheDialogsShow() {
        const QString path = m_dir.filePath("new.dat");
        QVERIFY(SaveDatFile(path, NewImage(), nullptr));
        const ChprogRun english = Chprog({"settings", path});
        QCOMPARE(english.status, 0);
        QCOMPARE(english.out,
                 QStringLiteral("Time-Out Timer\t60s\nTOT Pre-Alert\t8\nCall Tone\tOff\n"
                                "Vox Gain Level\t5\nVoice Annunciation\tChinese\nSquelch Level\t4\n"
                                "Vox Delay Time\t1.0\nBeep\tOn\nBattery Saver\tOn\n"
                                "Short Press\tTone Call\nLong Press\tMonitor Momentary\n"
                                "Call Key Define\tOff\nPriority\tNone\nPriority Channel\t\n"
                                "Look Back Time A\t0.9\nLook Back Time B\t1.5\nRevert Channel\t\n"
                                "Dropout Delay Time\t48\nTx Dwell Time\t48\n"));
        const ChprogRun chinese = Chprog({"settings", path, "--lang", "zh"});
        QVERIFY(chinese.out.contains(QStringLiteral("Voice Annunciation\t中文\n")));
        QVERIFY(chinese.out.contains(QStringLiteral("Long Press\t監聽瞬時\n")));

        RadioImage zeros;
        zeros.fill(0);
        QVERIFY(SaveDatFile(path, zeros, nullptr));
        const ChprogRun zero = Chprog({"settings", path, "--lang", "zh"});
        // A value no list offers prints empty.
        QVERIFY(zero.out.startsWith(QStringLiteral("Time-Out Timer\t\nTOT Pre-Alert\t\n")));
    }

    void setWritesOutputOrInPlace() {
        const QString in = m_dir.filePath("in.dat");
        const QString out = m_dir.filePath("out.dat");
        QVERIFY(SaveDatFile(in, ImageWithChannelFive(), nullptr));
        const ChprogRun run =
            Chprog({"set", in, "Time-Out Timer=600s", "Look Back Time A=2.35", "Priority Channel=5",
                    "Revert Channel=Priority+Talk back", "Priority=Fixed",
                    "Voice Annunciation=英文", "Beep=Off", "Tx Dwell Time=300", "-o", out});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        QCOMPARE(ReadFileBytes(in), ImageBytes(ImageWithChannelFive()));
        // Each value reaches its field; how fields are stored is SettingsTest's.
        const QByteArray written = ReadFileBytes(out);
        QCOMPARE(written[kTimeOutTimer], char(40));
        QCOMPARE(written[kPriorityChannel], char(5));
        QCOMPARE(written[kRevertChannel], char(3));
        QCOMPARE(written[kVoiceAnnunciation], char(2));
        QCOMPARE(written[kTxDwellTime + 1], char(0x01));

        // Only the dialogs that were touched are closed with OK: a scan setting alone
        // leaves the optional-feature bytes as they were.
        QVERIFY(Chprog({"set", in, "Dropout Delay Time=0"}).status == 0);
        const QByteArray inPlace = ReadFileBytes(in);
        QCOMPARE(inPlace[kDropoutDelay], char(0));
        QCOMPARE(inPlace[kCallKeyDefine], char(0xFF));
        QCOMPARE(Chprog({"settings", in}).out.split('\n').filter("Dropout").first(),
                 QStringLiteral("Dropout Delay Time\t0"));
    }

    void setRefusesWhatTheDialogsWouldNotOffer_data() {
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const QStringList& assignments, const char* said) {
            QTest::newRow(name) << assignments << QString::fromUtf8(said);
        };
        row("unknown name", {"Volume=3"}, "\"Volume\" is not a setting");
        row("no equals", {"Beep"}, "not NAME=VALUE");
        row("timer not a list item", {"Time-Out Timer=600"},
            "Time-Out Timer: \"600\" is not offered");
        row("vox delay 1", {"Vox Delay Time=1"}, "Vox Delay Time:");
        row("momentary short press", {"Short Press=Monitor Momentary"}, "Short Press:");
        row("check box", {"Beep=yes"}, "not On or Off");
        row("delay 301", {"Dropout Delay Time=301"}, "0 to 300");
        row("delay not a number", {"Tx Dwell Time=5s"}, "0 to 300");
        row("look-back, priority not fixed", {"Look Back Time A=2"}, "only when Priority is Fixed");
        row("look-back 7", {"Priority=Fixed", "Priority Channel=5", "Look Back Time B=7"},
            "from 0.5 to 5");
        row("channel 17", {"Priority=Fixed", "Priority Channel=17"}, "1..16");
        row("channel not programmed", {"Priority=Fixed", "Priority Channel=6"},
            "Please select channel inputed");
        row("fixed without channel", {"Priority=Fixed"}, "Please select channel inputed");
        row("revert not offered", {"Revert Channel=Priority"}, "with Priority None");
        row("a good one before a bad one", {"Beep=Off", "Squelch Level=10"}, "Squelch Level:");
        row("the same with -o", {"Beep=Off", "Squelch Level=10", "-o", "OUT"}, "Squelch Level:");
    }

    // Status 2 and the reason; neither the file nor an -o file (OUT) is written.
    void setRefusesWhatTheDialogsWouldNotOffer() {
        QFETCH(QStringList, assignments);
        QFETCH(QString, message);
        const QString in = m_dir.filePath("refuse.dat"), out = m_dir.filePath("refused-out.dat");
        QVERIFY(SaveDatFile(in, ImageWithChannelFive(), nullptr));
        const ChprogRun run =
            Chprog(QStringList{"set", in} + assignments.replaceInStrings("OUT", out));
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(out));
        QCOMPARE(ReadFileBytes(in), ImageBytes(ImageWithChannelFive()));
    }

private:
    QTemporaryDir m_dir;
};

TEST_CLASS(CliSettingsTest)
#include "tst_cli_settings.moc"
