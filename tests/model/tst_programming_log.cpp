// The programming log: one line per radio, only ever appended, readable in both formats
// after anything a crash can leave; and the radio's fingerprint it names.

#include "files/Backups.h"
#include "files/ProgrammingLog.h"
#include "tests/support/Files.h"
#include "tests/support/TestSuite.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTest>

namespace {

ProgrammingRecord Record(const QString& port, ProgrammingResult result, const QString& failure = {}) {
    ProgrammingRecord record;
    record.time = QDateTime(QDate(2026, 12, 9), QTime(10, 15, 2), QTimeZone(3600));
    record.port = port;
    record.usbSerial = "A1,\"B\"";
    record.usbId = "0403:6001";
    record.operatorName = "kim";
    record.fingerprint = RadioFingerprint(NewImage(), true);
    record.imageSha256 = "9c1d";
    record.result = result;
    record.failure = failure;
    record.backup = "/backups/20261209-101500-read.dat";
    record.durationMs = 14210;
    return record;
}

} // namespace

class ProgrammingLogTest : public QObject {
    Q_OBJECT
private slots:
    // A line per radio in either format, appended to what the file held, read back field
    // for field (a comma and quotes in a CSV field, the failure's own words).
    void appendsLinesAndReadsThemBack_data() {
        QTest::addColumn<int>("format");
        QTest::newRow("JSON Lines") << int(LogFormat::JsonLines);
        QTest::newRow("CSV") << int(LogFormat::Csv);
    }

    void appendsLinesAndReadsThemBack() {
        QFETCH(int, format);
        QTemporaryDir dir;
        const QString path = dir.filePath("station.log");
        for (int run = 0; run < 2; ++run) { // two runs, the second appends
            ProgrammingLog log(path, LogFormat(format));
            QString error;
            QVERIFY2(log.open(&error), qPrintable(error));
            QVERIFY(log.append(Record("/dev/ttyUSB0", ProgrammingResult::WrittenVerified), &error));
            QVERIFY(log.append(Record("/dev/ttyUSB1", ProgrammingResult::Failed, "verify failed: 0x1A0"),
                               &error));
        }
        const QByteArray bytes = ReadFileBytes(path);
        QCOMPARE(bytes.count('\n'), format == int(LogFormat::Csv) ? 5 : 4); // CSV: one header
        std::vector<LogLine> lines;
        int unreadable = -1;
        QString error;
        QVERIFY(ReadProgrammingLog(path, &lines, &unreadable, &error));
        QCOMPARE(unreadable, 0);
        QCOMPARE(lines.size(), std::size_t(4));
        QCOMPARE(lines[0], (QStringList{"2026-12-09T10:15:02+01:00", "/dev/ttyUSB0", "A1,\"B\"",
                                        "0403:6001", "kim", RadioFingerprint(NewImage(), true),
                                        "9c1d", "written+verified",
                                        "/backups/20261209-101500-read.dat", "14210"}));
        QCOMPARE(lines[3].value(7), QStringLiteral("failed: verify failed: 0x1A0"));
        if (format == int(LogFormat::JsonLines)) { // a number, as a JSON reader wants it
            const QJsonObject first = QJsonDocument::fromJson(bytes.split('\n').first()).object();
            QCOMPARE(first.value("duration_ms").toInteger(), 14210);
        }
    }

    // What a crash of an older writer or a hand edit leaves, a torn last line among them,
    // is counted and left out; the lines before it stay.
    void tornLinesAreLeftOut() {
        QTemporaryDir dir;
        const QString path = dir.filePath("station.log");
        {
            ProgrammingLog log(path, LogFormat::JsonLines);
            QString error;
            QVERIFY(log.open(&error));
            QVERIFY(log.append(Record("A", ProgrammingResult::AlreadyProgrammed), &error));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("not json\n{\"time\":\"2026-12-09T10:1");
        file.close();
        std::vector<LogLine> lines;
        int unreadable = 0;
        QString error;
        QVERIFY(ReadProgrammingLog(path, &lines, &unreadable, &error));
        QCOMPARE(lines.size(), std::size_t(1));
        QCOMPARE(lines[0].value(7), QStringLiteral("already programmed"));
        QCOMPARE(unreadable, 2);
        // A log that is no regular file is refused, naming it.
        QVERIFY(!ProgrammingLog(dir.path(), LogFormat::Csv).open(&error));
        QVERIFY2(error.startsWith(dir.path() + ": cannot open the log"), qPrintable(error));
    }

    // The fingerprint follows the bytes a write never changes: the tail always, the
    // calibration tables unless the write is an alignment write; nothing else.
    void fingerprintFollowsTheRadiosOwnBytes_data() {
        QTest::addColumn<int>("address");
        QTest::addColumn<bool>("withCalibration");
        QTest::addColumn<bool>("changes");
        QTest::newRow("tail start") << ImageMap::kWritableEnd << false << true;
        QTest::newRow("tail end") << ImageMap::kImageSize - 1 << true << true;
        QTest::newRow("call tone") << ImageMap::kCallTone << true << false;
        QTest::newRow("squelch table") << ImageMap::kSquelchCalibration << true << true;
        QTest::newRow("squelch, alignment") << ImageMap::kSquelchCalibration << false << false;
        QTest::newRow("after the squelch table")
            << ImageMap::kSquelchCalibration + ImageMap::kCalibrationRows << true << false;
        QTest::newRow("power table end")
            << ImageMap::kPowerCalibration + 2 * ImageMap::kCalibrationRows - 1 << true << true;
        QTest::newRow("product band") << ImageMap::kProductBand << true << false;
        QTest::newRow("a channel") << ImageMap::channelRecord(3) << true << false;
    }

    void fingerprintFollowsTheRadiosOwnBytes() {
        QFETCH(int, address);
        QFETCH(bool, withCalibration);
        RadioImage changed = NewImage();
        changed[address] ^= 0x5A;
        const QString before = RadioFingerprint(NewImage(), withCalibration);
        QCOMPARE(before.size(), 64);
        QTEST(RadioFingerprint(changed, withCalibration) != before, "changes");
    }
};

TEST_CLASS(ProgrammingLogTest)
#include "tst_programming_log.moc"
