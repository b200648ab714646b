// Texts and files: numbers read from text, a channel row's commit rules, .dat files and
// Program.ini read and rewritten as their owners wrote them, and saves that fail (they
// keep the old file and say why; targets that are no regular file are refused; a symbolic
// link is followed).

#include "files/AtomicFile.h"
#include "files/DatFile.h"
#include "document/ChannelEdit.h"
#include "radio/DecimalMultiply.h"
#include "radio/MessageText.h"
#include "tests/support/Files.h"
#include "tests/support/FullDisk.h"
#include "config/ProductCatalog.h"
#include "config/ProgramIni.h"
#include "radio/RadioImage.h"
#include "tests/support/TestSuite.h"
#include "radio/TextNumbers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <tuple>

namespace {

const BandLimits kBand130to160{13000000, 16000000};

// The writers of this program, each given a path; they return false and a reason.
using Writer = std::function<bool(const QString& path, QString* error)>;

} // namespace

class TextAndFilesTest : public QObject {
    Q_OBJECT
private slots:
    // Decimal texts times a power of ten, truncated without binary rounding errors.
    void decimalMultiplyIsExact() {
        const QList<std::tuple<double, double, qlonglong>> products = {
            {146.5125, 100000.0, 14651250LL},
            {446.00625, 100000.0, 44600625LL},
            {69.3, 10.0, 693LL},
            {0.55, 20.0, 11LL},
            {2.35, 20.0, 47LL},
            {-146.52, 100000.0, -14652000LL},
            {0.0, 100000.0, 0LL}};
        for (const auto& [a, b, truncated] : products)
            QCOMPARE(DecimalMultiplyTruncated(a, b), truncated);
    }

    // A number's leading part: an exponent needs digits, a run beyond int stops at its end.
    void userTextInMessages_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const QString ellipsis(QChar(0x2026));
        QTest::newRow("plain") << "146.52"
                               << "146.52";
        QTest::newRow("escape sequence") << "\x1b[2J\x1b]0;x\x07"
                                         << "\\x1b[2J\\x1b]0;x\\x07";
        QTest::newRow("NUL inside") << QString::fromLatin1("1\0xyz", 5) << "1\\x00xyz";
        QTest::newRow("line end, delete, C1") << "a\r\nb\x7f\u009b"
                                              << "a\\x0d\\x0ab\\x7f\\x9b";
        QTest::newRow("text direction") << "ab\u202ecd"
                                        << "ab\\u202ecd";
        QTest::newRow("40 characters") << QString(40, 'x') << QString(40, 'x');
        QTest::newRow("5 MB") << QString(5 << 20, 'x') << QString(40, 'x') + ellipsis;
        // An escape that would cross the limit is left out whole.
        QTest::newRow("escape at the limit")
            << QString(38, 'x') + "\x1b" << QString(38, 'x') + ellipsis;
        QTest::newRow("Chinese") << QString::fromUtf8("高功率") << QString::fromUtf8("高功率");
    }
    void userTextInMessages() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(ShortenedForMessage(text), shown);
    }

    void leadingNumbers() {
        const QList<QPair<const char*, double>> doubles = {
            {"  146.52abc", 146.52}, {"1e2x", 100.0}, {"5e", 5.0}, {".5", 0.5}, {"-3", -3.0}};
        for (const auto& [text, value] : doubles)
            QCOMPARE(LeadingDouble(text), value);
        const QList<QPair<const char*, int>> ints = {
            {" 5", 5}, {"+12MHz", 12}, {"-3", -3}, {"99999999999", INT_MAX}};
        for (const auto& [text, value] : ints)
            QCOMPARE(LeadingInt(text), value);
        bool found = true;
        for (const char* text : {"abc", "."}) {
            QCOMPARE(LeadingDouble(text, &found), 0.0);
            QVERIFY(!found);
        }
        QCOMPARE(LeadingInt("x1", &found), 0);
        QVERIFY(!found);
        QCOMPARE(FormatFixedPoint(14652000, 5), QString("146.52000"));
        QCOMPARE(FormatFixedPoint(5, 5), QString("0.00005"));
        QCOMPARE(FormatFixedPoint(-15, 1), QString("-1.5"));
    }

    void readFrequencyAndSteps() {
        for (const auto& [text, shown] : QList<QPair<const char*, const char*>>{
                 {"146.52", "146.52000"}, {"160", "160.00000"}, {"146.52MHz", "146.52000"}})
            QCOMPARE(ReadFrequency(text).displayText, QString(shown));
        QCOMPARE(ReadFrequency("146.52").units, 14652000LL);
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

    // One channel edited cell by cell: what each commit answers and the whole row after it.
    void commitRulesOfAChannelRow() {
        using R = CommitResult;
        const struct {
            int column;
            const char* typed;
            R result;
            const char* row; // after the commit: Rx|Tx|Power, the others at their defaults
        } steps[] = {
            // A new channel takes the defaults and the simplex transmit frequency.
            {kColRxFrequency, "146.52", R::Accepted, "146.52000|146.52000|High"},
            {kColRxFrequency, "146.5125", R::Accepted, "146.51250|146.52000|High"},
            {kColTxFrequency, "", R::Accepted, "146.51250|146.51250|High"},
            {kColTxFrequency, "170", R::OutOfRange, "146.51250|146.51250|High"},
            {kColPower, "Low", R::Accepted, "146.51250|146.51250|Low"},
            {kColRxFrequency, "146.514", R::OffStep, "146.51250|146.51250|Low"},
            // An empty receive frequency blanks the channel, which then takes nothing else.
            {kColRxFrequency, "", R::Accepted, ""},
            {kColPower, "High", R::Accepted, ""},
            {kColTxFrequency, "146.52", R::Accepted, ""},
            {kColRxFrequency, "abc", R::OutOfRange, ""}, // letters alone read as 0
        };
        ChannelRow row;
        for (const auto& step : steps) {
            const QStringList parts = QString(step.row).split('|');
            const QString expected = parts.size() < 3 ? QString(8, '|')
                                                      : QString("%1|%2|None|None|%3|No|Off|Wide|No")
                                                            .arg(parts[0], parts[1], parts[2]);
            QCOMPARE(
                CommitChannelCell(row, step.column, step.typed, kBand130to160, Language::English),
                step.result);
            QCOMPARE(QStringList(row.begin() + 1, row.end()).join('|'), expected);
        }
        QCOMPARE(
            CommitChannelCell(row, kColRxFrequency, "146.52xyz", kBand130to160, Language::Chinese),
            R::Accepted);
        QCOMPARE(row[kColRxFrequency] + row[kColBusyLock], QString("146.52000關"));
        QVERIFY(!CommitMessage(CommitResult::OffStep).isEmpty());
    }

    // 1024 bytes save and load; a longer file loads its first 1024; a shorter one is
    // refused, named with its size, and leaves the image as it was.
    void datFileRoundTripAndRefusals() {
        QTemporaryDir dir;
        const QString path = dir.filePath("radio.dat");
        const RadioImage image = PatternImage(3);
        QString error;
        QVERIFY(SaveDatFile(path, image, &error));
        QCOMPARE(ReadFileBytes(path), ImageBytes(image));
        QVERIFY(WriteFileBytes(dir.filePath("long.dat"), ImageBytes(image) + '\x01'));
        RadioImage loaded = NewImage();
        QVERIFY(LoadDatFile(dir.filePath("long.dat"), loaded, &error));
        QVERIFY(loaded == image);
        QVERIFY(WriteFileBytes(dir.filePath("short.dat"), ImageBytes(image).left(1023)));
        QVERIFY(!LoadDatFile(dir.filePath("short.dat"), loaded, &error));
        QVERIFY(loaded == image);
        QVERIFY2(error.contains("short.dat") && error.contains("1023"), qPrintable(error));
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

        // What a write leaves is rewriteKeepsTheFile's; values are cut to 259 characters.
        QVERIFY(WriteProfileString(ini, "Setup", "Long", QString(300, 'a')));
        QCOMPARE(ReadProfileString(ini, "Setup", "Long").size(), 259);
    }

    // A setting change keeps the file as its owner wrote it: line ending, byte-order mark,
    // comments and order; only the changed line differs.
    void rewriteKeepsTheFile_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file yet
        QTest::addColumn<QByteArray>("after");  // Language=Chinese stored in [Setup]
        QTest::newRow("LF, value changed")
            << QByteArray("; radio setup\n[Setup]\nLanguage=English\nShowLang=1\n")
            << QByteArray("; radio setup\n[Setup]\nLanguage=Chinese\nShowLang=1\n");
        QTest::newRow("CR LF, value changed")
            << QByteArray("; radio setup\r\n[Setup]\r\nLanguage=English\r\nShowLang=1\r\n")
            << QByteArray("; radio setup\r\n[Setup]\r\nLanguage=Chinese\r\nShowLang=1\r\n");
        QTest::newRow("LF, key added to its section")
            << QByteArray("[Setup]\nShowLang=1\n\n[English]\nCompany=Radio\n")
            << QByteArray("[Setup]\nShowLang=1\nLanguage=Chinese\n\n[English]\nCompany=Radio\n");
        QTest::newRow("CR LF, section added")
            << QByteArray("[English]\r\nCompany=Radio\r\n")
            << QByteArray("[English]\r\nCompany=Radio\r\n\r\n[Setup]\r\nLanguage=Chinese\r\n");
        QTest::newRow("LF with a byte-order mark, no newline at the end")
            << QByteArray("\xEF\xBB\xBF[Setup]\nLanguage=English")
            << QByteArray("\xEF\xBB\xBF[Setup]\nLanguage=Chinese\n");
        QTest::newRow("a new file ends its lines with LF")
            << QByteArray() << QByteArray("[Setup]\nLanguage=Chinese\n");
    }

    void rewriteKeepsTheFile() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString ini = dir.filePath("Program.ini");
        QVERIFY(before.isNull() || WriteFileBytes(ini, before));
        QVERIFY(WriteProfileString(ini, "Setup", "Language", "Chinese"));
        QCOMPARE(ReadFileBytes(ini), after);
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

    void cleanup() { AtomicFile::failWritesForTesting(QString()); }

    // A write that fails (told to, or on a full disk, which needs root to set up) keeps the
    // old file and leaves no temporary file behind.
    void failedWriteKeepsOldFile_data() {
        QTest::addColumn<Writer>("writer");
        QTest::addColumn<bool>("fullDisk");
        const Writer dat = [](const QString& path, QString* error) {
            return SaveDatFile(path, NewImage(), error);
        };
        const Writer ini = [](const QString& path, QString* error) {
            return WriteProfileString(path, "Setup", "Language", "Chinese", error);
        };
        for (bool full : {false, true}) {
            QTest::addRow(".dat%s", full ? ", full disk" : "") << dat << full;
            QTest::addRow("Program.ini%s", full ? ", full disk" : "") << ini << full;
        }
    }
    void failedWriteKeepsOldFile() {
        QFETCH(Writer, writer);
        QFETCH(bool, fullDisk);
        FullDisk disk;
        QTemporaryDir dir;
        if (fullDisk && !disk.isMounted())
            QSKIP("mounting a small tmpfs needs root");
        const QString path = fullDisk ? disk.filePath("target") : dir.filePath("target");
        const QByteArray old = "[Setup]\r\nLanguage=English\r\n" + QByteArray(1000, '\x11');
        QVERIFY(WriteFileBytes(path, old));
        if (fullDisk)
            disk.fill();
        else
            AtomicFile::failWritesForTesting("No space left on device");
        QString error;
        QVERIFY(!writer(path, &error));
        QVERIFY2(error.contains("No space left on device"), qPrintable(error));
        QCOMPARE(ReadFileBytes(path), old);
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden),
                 fullDisk ? QStringList({".filler", "target"}) : QStringList{"target"});
    }

    void refusesTargetsThatAreNoRegularFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("device") << "device";
        QTest::newRow("link to a folder") << "link";
    }

    void refusesTargetsThatAreNoRegularFile() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath("target");
        if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkdir("target"));
        else if (kind == "pipe" && !MakeFifo(path))
            QSKIP("this system has no named pipes");
        else if (kind == "link")
            QVERIFY(QFile::link(dir.path(), path));
        else if (kind == "device" && !MakeCharacterDevice(path))
            QSKIP("creating a device node needs root");
        QString error;
        QVERIFY(!SaveDatFile(path, NewImage(), &error));
        QVERIFY2(error.contains("not a regular file"), qPrintable(error));
        QVERIFY(error.contains(path));
        const QFileInfo after(path);
        QVERIFY(after.exists() && !after.isFile()); // still what it was
    }

    void followsSymbolicLink() {
        QTemporaryDir dir;
        const QString real = dir.filePath("real.dat");
        const QString link = dir.filePath("link.dat");
        QVERIFY(WriteFileBytes(real, QByteArray(1024, '\x33')));
        QVERIFY(QFile::link(real, link));
        QString error;
        QVERIFY2(SaveDatFile(link, NewImage(), &error), qPrintable(error));
        QVERIFY(QFileInfo(link).isSymLink());
        const RadioImage image = NewImage();
        QCOMPARE(ReadFileBytes(real), ImageBytes(image));
    }
};

TEST_CLASS(TextAndFilesTest)
#include "tst_text_and_files.moc"
