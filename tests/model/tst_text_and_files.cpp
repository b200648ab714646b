#include "ChannelEdit.h"
#include "DecimalMultiply.h"
#include "Files.h"
#include "ProductInfo.h"
#include "ProgramIni.h"
#include "RadioImage.h"
#include "TestSuite.h"
#include "TextNumbers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const BandLimits kBand130to160{13000000, 16000000};

} // namespace

class TextAndFilesTest : public QObject {
    Q_OBJECT
private slots:
    void decimalMultiplyIsExact_data() {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<qlonglong>("truncated");
        QTest::newRow("146.5125 MHz") << 146.5125 << 100000.0 << 14651250LL;
        QTest::newRow("446.00625 MHz") << 446.00625 << 100000.0 << 44600625LL;
        QTest::newRow("69.3 Hz") << 69.3 << 10.0 << 693LL;
        QTest::newRow("0.55 look-back") << 0.55 << 20.0 << 11LL;
        QTest::newRow("2.35 look-back") << 2.35 << 20.0 << 47LL;
        QTest::newRow("negative") << -146.52 << 100000.0 << -14652000LL;
        QTest::newRow("zero") << 0.0 << 100000.0 << 0LL;
    }

    void decimalMultiplyIsExact() {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(qlonglong, truncated);
        QCOMPARE(DecimalMultiplyTruncated(a, b), truncated);
    }

    void leadingNumbers() {
        bool found = true;
        QCOMPARE(LeadingDouble("  146.52abc"), 146.52);
        QCOMPARE(LeadingDouble("1e2x"), 100.0);
        QCOMPARE(LeadingDouble("5e"), 5.0); // an exponent needs digits
        QCOMPARE(LeadingDouble(".5"), 0.5);
        QCOMPARE(LeadingDouble("-3"), -3.0);
        QCOMPARE(LeadingDouble("abc", &found), 0.0);
        QVERIFY(!found);
        QCOMPARE(LeadingDouble(".", &found), 0.0);
        QVERIFY(!found);
        QCOMPARE(LeadingInt(" 5"), 5);
        QCOMPARE(LeadingInt("+12MHz"), 12);
        QCOMPARE(LeadingInt("-3"), -3);
        QCOMPARE(LeadingInt("x1", &found), 0);
        QVERIFY(!found);
        QCOMPARE(LeadingInt("99999999999"), INT_MAX);
        QCOMPARE(FormatFixedPoint(14652000, 5), QString("146.52000"));
        QCOMPARE(FormatFixedPoint(5, 5), QString("0.00005"));
        QCOMPARE(FormatFixedPoint(-15, 1), QString("-1.5"));
    }

    void readFrequencyAndSteps() {
        QCOMPARE(ReadFrequency("146.52").displayText, QString("146.52000"));
        QCOMPARE(ReadFrequency("146.52").units, 14652000LL);
        QCOMPARE(ReadFrequency("160").displayText, QString("160.00000"));
        QCOMPARE(ReadFrequency("146.52MHz").units, 14652000LL);
        QCOMPARE(ReadFrequency("abc").units, 0LL);
        QVERIFY(IsOnChannelStep(14651250)); // 6.25 kHz
        QVERIFY(IsOnChannelStep(14652000)); // 5 kHz
        QVERIFY(!IsOnChannelStep(14651400));
        QVERIFY(IsInBand(ReadFrequency("160"), kBand130to160));
        QVERIFY(IsInBand(ReadFrequency("130"), kBand130to160));
        QVERIFY(!IsInBand(ReadFrequency("160.005"), kBand130to160));
        // A product beyond 32 bits is out of range whatever the band.
        const FrequencyReading huge = ReadFrequency("30000");
        QVERIFY(!huge.fitsInt32);
        QVERIFY(!IsInBand(huge, BandLimits{0, 1LL << 40}));
    }

    void commitRulesOfAChannelRow() {
        const Language en = Language::English;
        ChannelRow row;
        // A new channel takes the defaults and the simplex transmit frequency.
        QCOMPARE(CommitChannelCell(row, kColRxFrequency, "146.52", kBand130to160, en),
                 CommitResult::Accepted);
        QCOMPARE(row[kColTxFrequency], QString("146.52000"));
        QCOMPARE(row[kColDecodeTone], QString("None"));
        QCOMPARE(row[kColPower], QString("High"));
        QCOMPARE(row[kColCompand], QString("No"));

        // Changing rx keeps tx.
        QCOMPARE(CommitChannelCell(row, kColRxFrequency, "146.5125", kBand130to160, en),
                 CommitResult::Accepted);
        QCOMPARE(row[kColRxFrequency], QString("146.51250"));
        QCOMPARE(row[kColTxFrequency], QString("146.52000"));

        // Clearing tx copies rx; a refused tx leaves the row as it was.
        QCOMPARE(CommitChannelCell(row, kColTxFrequency, "", kBand130to160, en),
                 CommitResult::Accepted);
        QCOMPARE(row[kColTxFrequency], QString("146.51250"));
        QCOMPARE(CommitChannelCell(row, kColTxFrequency, "170", kBand130to160, en),
                 CommitResult::OutOfRange);
        QCOMPARE(row[kColTxFrequency], QString("146.51250"));
        QCOMPARE(row[kColRxFrequency], QString("146.51250"));

        // Settings stay on a programmed channel.
        QCOMPARE(CommitChannelCell(row, kColPower, "Low", kBand130to160, en),
                 CommitResult::Accepted);
        QCOMPARE(row[kColPower], QString("Low"));

        // An off-step rx keeps the whole channel; an empty rx blanks it.
        const ChannelRow kept = row;
        QCOMPARE(CommitChannelCell(row, kColRxFrequency, "146.514", kBand130to160, en),
                 CommitResult::OffStep);
        QCOMPARE(row, kept);
        QCOMPARE(CommitChannelCell(row, kColRxFrequency, "", kBand130to160, en),
                 CommitResult::Accepted);
        for (int c = 1; c < kChannelColumns; ++c)
            QVERIFY(row[c].isEmpty());

        // An empty channel takes no settings and no transmit frequency.
        QCOMPARE(CommitChannelCell(row, kColPower, "High", kBand130to160, en),
                 CommitResult::Accepted);
        QVERIFY(row[kColPower].isEmpty());
        QCOMPARE(CommitChannelCell(row, kColTxFrequency, "146.52", kBand130to160, en),
                 CommitResult::Accepted);
        QVERIFY(row[kColTxFrequency].isEmpty());

        // Letters alone read as 0, which is out of range.
        QCOMPARE(CommitChannelCell(row, kColRxFrequency, "abc", kBand130to160, en),
                 CommitResult::OutOfRange);
        QCOMPARE(
            CommitChannelCell(row, kColRxFrequency, "146.52xyz", kBand130to160, Language::Chinese),
            CommitResult::Accepted);
        QCOMPARE(row[kColRxFrequency], QString("146.52000"));
        QCOMPARE(row[kColBusyLock], QString("關"));
        QVERIFY(!CommitMessage(CommitResult::OffStep).isEmpty());
    }

    void datFileRoundTripAndRefusals() {
        QTemporaryDir dir;
        const QString path = dir.filePath("radio.dat");
        RadioImage image = NewImage();
        image[0x200] = 0x42;
        QString error;
        QVERIFY(SaveDatFile(path, image, &error));
        QCOMPARE(ReadFileBytes(path).size(), 1024);
        RadioImage loaded{};
        QVERIFY(LoadDatFile(path, loaded, &error));
        QVERIFY(loaded == image);

        // 1025 bytes load; the extra byte is ignored.
        QVERIFY(
            WriteFileBytes(dir.filePath("long.dat"), ReadFileBytes(path) + QByteArray(1, '\x01')));
        QVERIFY(LoadDatFile(dir.filePath("long.dat"), loaded, &error));
        QVERIFY(loaded == image);

        // 1023 bytes are refused and the image stays as it was.
        QVERIFY(WriteFileBytes(dir.filePath("short.dat"), ReadFileBytes(path).left(1023)));
        RadioImage untouched = NewImage();
        QVERIFY(!LoadDatFile(dir.filePath("short.dat"), untouched, &error));
        QVERIFY(untouched == NewImage());
        QVERIFY(error.contains("short.dat"));
        QVERIFY(error.contains("1023"));
        QVERIFY(!LoadDatFile(dir.filePath("missing.dat"), untouched, &error));
        QVERIFY(error.contains("missing.dat"));
    }

    void profileReadWrite() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("Program.ini");
        QCOMPARE(ReadProfileString(ini, "Setup", "Language"), QString()); // no file
        QVERIFY(WriteFileBytes(
            ini, "\xEF\xBB\xBF[Setup]\r\nLanguage=Chinese\r\nAppName = Radio\r\n\r\n"
                 "[Chinese]\r\nCompany=\xE5\x85\xAC\xE5\x8F\xB8\r\n[Other]\r\nlanguage=x\r\n"));
        QCOMPARE(ReadProfileString(ini, "setup", "LANGUAGE"), QString("Chinese"));
        QCOMPARE(ReadProfileString(ini, "Setup", "AppName"), QString("Radio"));
        QCOMPARE(ReadProfileString(ini, "Chinese", "Company"), QString("公司"));
        QCOMPARE(ReadProfileString(ini, "Setup", "Missing"), QString());

        QVERIFY(WriteProfileString(ini, "Setup", "Language", "English"));
        QVERIFY(WriteProfileString(ini, "Ports", "COM1", "/dev/ttyUSB3"));
        QVERIFY(WriteProfileString(ini, "Setup", "ShowLang", "1"));
        QCOMPARE(ReadProfileString(ini, "Setup", "Language"), QString("English"));
        QCOMPARE(ReadProfileString(ini, "Setup", "ShowLang"), QString("1"));
        QCOMPARE(ReadProfileString(ini, "Ports", "COM1"), QString("/dev/ttyUSB3"));
        QCOMPARE(ReadProfileString(ini, "Chinese", "Company"), QString("公司"));
        QCOMPARE(ReadProfileString(ini, "Other", "Language"), QString("x"));

        // Values are cut to 259 characters.
        QVERIFY(WriteProfileString(ini, "Setup", "Long", QString(300, 'a')));
        QCOMPARE(ReadProfileString(ini, "Setup", "Long").size(), 259);
    }

    // A setting change keeps the file as its owner wrote it: line ending, byte-order mark,
    // comments and order; only the changed line differs.
    void rewriteKeepsTheFile_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("LF, value changed")
            << QByteArray("; radio setup\n[Setup]\nLanguage=English\nShowLang=1\n") << "Setup"
            << "Language" << QByteArray("; radio setup\n[Setup]\nLanguage=Chinese\nShowLang=1\n");
        QTest::newRow("CR LF, value changed")
            << QByteArray("; radio setup\r\n[Setup]\r\nLanguage=English\r\nShowLang=1\r\n")
            << "Setup"
            << "Language"
            << QByteArray("; radio setup\r\n[Setup]\r\nLanguage=Chinese\r\nShowLang=1\r\n");
        QTest::newRow("LF, key added to its section")
            << QByteArray("[Setup]\nShowLang=1\n\n[English]\nCompany=Radio\n") << "Setup"
            << "Language"
            << QByteArray("[Setup]\nShowLang=1\nLanguage=Chinese\n\n[English]\nCompany=Radio\n");
        QTest::newRow("CR LF, section added")
            << QByteArray("[English]\r\nCompany=Radio\r\n") << "Setup"
            << "Language"
            << QByteArray("[English]\r\nCompany=Radio\r\n\r\n[Setup]\r\nLanguage=Chinese\r\n");
        QTest::newRow("LF with a byte-order mark, no newline at the end")
            << QByteArray("\xEF\xBB\xBF[Setup]\nLanguage=English") << "Setup"
            << "Language" << QByteArray("\xEF\xBB\xBF[Setup]\nLanguage=Chinese\n");
    }

    void rewriteKeepsTheFile() {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString ini = dir.filePath("Program.ini");
        QVERIFY(WriteFileBytes(ini, before));
        QVERIFY(WriteProfileString(ini, section, key, "Chinese"));
        QCOMPARE(ReadFileBytes(ini), after);
    }

    void newFileGetsThePlatformEnding() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("Program.ini");
        QVERIFY(WriteProfileString(ini, "Setup", "Language", "Chinese"));
#ifdef Q_OS_WIN
        QCOMPARE(ReadFileBytes(ini), QByteArray("[Setup]\r\nLanguage=Chinese\r\n"));
#else
        QCOMPARE(ReadFileBytes(ini), QByteArray("[Setup]\nLanguage=Chinese\n"));
#endif
    }

    void bandsAndPoints() {
        const BandLimits band = BandLimitsFromText("130 - 160MHz");
        QCOMPARE(band.low, 13000000LL);
        QCOMPARE(band.high, 16000000LL);
        QCOMPARE(BandLimitsFromText("400").high, 40000000LL);
        QCOMPARE(BandLimitsFromText("").low, 0LL);
        // The points of a band are CalibrationTest::bandRows.

        QTemporaryDir dir;
        const QString ini = dir.filePath("Program.ini");
        QVERIFY(WriteFileBytes(
            ini, "[Setup]\nType1=A\nType2=B\nType4=D\nField2=136 - 174MHz|400 - 470MHz\n"));
        QCOMPARE(ProductTypeNames(ini), (QStringList{"A", "B"}));
        QCOMPARE(BandPieces(ini, 1).size(), 2);
        QCOMPARE(BandPieces(ini, 0), QStringList{QString()});
        const ProductSelection second = ProductFromIndexes(ini, 1, 1);
        QCOMPARE(second.typeName, QString("B"));
        QCOMPARE(second.limits.low, 40000000LL);
        QCOMPARE(ProductFromIndexes(ini, 1, 9).bandText, QString("400 - 470MHz")); // beyond: last
    }
};

TEST_CLASS(TextAndFilesTest)
#include "tst_text_and_files.moc"
