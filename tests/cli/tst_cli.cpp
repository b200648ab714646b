// chprog new, show, export-csv, import-csv, calibration and diff, run as a separate
// process: the output formats, the options, the exit status, and nothing written on
// failure. What a CSV value means is the model's (CommonCsvTest).

#include "radio/ChannelCodec.h"
#include "files/DatFile.h"
#include "tests/support/Chprog.h"
#include "tests/support/Files.h"
#include "tests/support/FullDisk.h"
#include "radio/ImageMap.h"
#include "radio/RadioImage.h"
#include "tests/support/TestSuite.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace ImageMap;
using Change = std::function<void(RadioImage&)>;
Q_DECLARE_METATYPE(Change)

namespace {

const QByteArray kOwnHeader =
    "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Scan Add,Busy Lock,W/N,Compand\r\n";

// A common-layout list of Locations 0..59, named.
QByteArray LongList() {
    QByteArray csv = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                     "DtcsPolarity,Mode,TStep,Skip,Comment\r\n";
    for (int location = 0; location < 60; ++location)
        csv += QStringLiteral("%1,CH%1,%2,,0,,88.5,88.5,023,NN,FM,5,,\r\n")
                   .arg(location)
                   .arg(FrequencyText(15600000 + 2500 * location))
                   .toUtf8();
    return csv;
}

const QByteArray kCalibrationIni = "[Setup]\nType1=A\nField1=136 - 174MHz|400 - "
                                   "470MHz\nType2=B\nField2=130 - 160MHz|100 - 300MHz\n";

// An image with channel 3 programmed, of the first model and band of the test Program.ini.
RadioImage BaseImage() {
    RadioImage image = NewImage();
    ChannelTable table = DecodeChannels(image, Language::English);
    table[2] = {"3", "146.52", "146.52", "None", "67.0", "High", "Yes", "Off", "Wide", "No"};
    GridToImage(table, image);
    image[kProductType] = 0;
    image[kProductBand] = 0;
    return image;
}

void SetCell(RadioImage& image, int channel, int column, const QString& text) {
    ChannelTable table = DecodeChannels(image, Language::English);
    table[channel - 1][column] = text;
    GridToImage(table, image);
}

QString HexByte(int byte) {
    return QString("%1").arg(byte, 2, 16, QChar('0')).toUpper();
}

} // namespace

class CliTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void newWritesTheNewImage() {
        const QString path = m_dir.filePath("new.dat");
        QCOMPARE(Chprog({"new", "-o", path}).status, 0);
        RadioImage expected = NewImage();
        expected[kProductType] = expected[kProductBand] = 0; // the first model and band
        QCOMPARE(ReadFileBytes(path), ImageBytes(expected));
    }

    void showPrintsSixteenLinesOfTenFields() {
        RadioImage image = NewImage();
        ChannelTable table = DecodeChannels(image, Language::English);
        table[8] = {"",    "146.52", "146.52",  "67.0",   "D023N",
                    "Low", "Yes",    "Carrier", "Narrow", "Yes"};
        GridToImage(table, image);
        const QString path = saved(image);
        const ChprogRun english = Chprog({"show", path});
        QCOMPARE(english.status, 0);
        const QStringList lines = english.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 16);
        QCOMPARE(lines[0], QString(" 1\t\t\t\t\t\t\t\t\t"));
        QCOMPARE(lines[8],
                 QString(" 9\t146.52000\t146.52000\t67.0\tD023N\tLow\tYes\tCarrier\tNarrow\tYes"));
        QVERIFY(english.err.isEmpty());
        QCOMPARE(Chprog({"show", path, "--lang", "zh"}).out.split('\n')[8],
                 QString(" 9\t146.52000\t146.52000\t67.0\tD023N\t低\t有\t載波\t窄\t是"));
    }

    void csvRoundTripKeepsOtherBytes() {
        RadioImage image = NewImage();
        image[0x200] = 0x5A; // a byte no table owns
        const QString base = saved(image, "base.dat");
        const QString csv = m_dir.filePath("in.csv");
        QVERIFY(WriteFileBytes(csv, kOwnHeader +
                                        "3,145.5875,,D754I,None,High,Yes,QT/DQT,Wide,No\r\n"
                                        "12,\"400.0125\",400.00625,254.1,67.0,低,無,關,寬,是\r\n"));
        const QString out = m_dir.filePath("out.dat");
        const ChprogRun run = Chprog({"import-csv", csv, "--base", base, "-o", out});
        QCOMPARE(run.err, "chprog: note: " + base +
                              " names no band, so no band was checked "
                              "(--band checks one)\n");
        QCOMPARE(run.status, 0);
        const QByteArray bytes = ReadFileBytes(out);
        QCOMPARE(quint8(bytes[0x200]), quint8(0x5A));

        const ChprogRun exported = Chprog({"export-csv", out});
        QCOMPARE(exported.status, 0);
        const QStringList lines = exported.out.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 17);
        QCOMPARE(lines[0] + "\r\n", QString::fromUtf8(kOwnHeader));
        QCOMPARE(lines[1], QString("1,,,,,,,,,"));
        QCOMPARE(lines[3], QString("3,145.58750,145.58750,D754I,None,High,Yes,QT/DQT,Wide,No"));
        QCOMPARE(lines[12], QString("12,400.01250,400.00625,254.1,67.0,Low,No,Off,Wide,Yes"));

        // The common layout, to a file, and back: the same image.
        const QString again = m_dir.filePath("again.csv");
        QCOMPARE(Chprog({"export-csv", out, "--layout", "common", "-o", again}).status, 0);
        QVERIFY(ReadFileBytes(again).startsWith("Location,Name,Frequency,"));
        const QString out2 = m_dir.filePath("out2.dat");
        QCOMPARE(Chprog({"import-csv", again, "--base", out, "-o", out2}).status, 0);
        QCOMPARE(ReadFileBytes(out2), bytes);
    }

    void importOptionsAndRefusals_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        const QStringList none;
        QTest::newRow("off step") << kOwnHeader + "1,146.514,,None,None,High,No,Off,Wide,No\r\n"
                                  << none << 2 << "bad.csv: line 2, column \"Rx Frequency\"";
        QTest::newRow("--band") << kOwnHeader + "1,160.005,,None,None,High,No,Off,Wide,No\r\n"
                                << QStringList{"--band", "130 - 160MHz"} << 2 << "out of range";
        QTest::newRow("rows 20-35 from channel 1")
            << LongList() << QStringList{"--rows", "20-35", "--first-channel", "1"} << 0
            << "Name and Comment";
        QTest::newRow("bad range") << LongList() << QStringList{"--rows", "9-3"} << 2 << "--rows";
        QTest::newRow("bad channel")
            << LongList() << QStringList{"--first-channel", "17"} << 2 << "--first-channel";
        // 500 nines: named as typed, shortened, not as the number they overflow into.
        const QByteArray nines(500, '9');
        const QString shown = QString(40, '9') + QChar(0x2026);
        QTest::newRow("overlong frequency")
            << kOwnHeader + "1," + nines + ",,None,None,High,No,Off,Wide,No\r\n" << none << 2
            << "column \"Rx Frequency\": \"" + shown + "\" is too long to be a frequency; allowed";
        QTest::newRow("overlong offset")
            << LongList().left(LongList().indexOf('\n') + 1) + "1,,146.52,+," + nines +
                   ",,88.5,88.5,023,NN,FM,5,,\r\n"
            << none << 2 << "column \"Offset\": \"" + shown + "\" is too long to be an offset in MHz";
        QTest::newRow("1000 MHz is out of range")
            << kOwnHeader + "1,1000,,None,None,High,No,Off,Wide,No\r\n" << none << 2
            << "1000 MHz is out of range";
    }
    void importOptionsAndRefusals() {
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, options);
        QFETCH(int, status);
        QFETCH(QString, said);
        const QString base = m_dir.filePath("base.dat");
        QVERIFY(SaveDatFile(base, NewImage(), nullptr));
        const QString in = m_dir.filePath("bad.csv");
        QVERIFY(WriteFileBytes(in, csv));
        const QString out = m_dir.filePath("placed.dat");
        QFile::remove(out);
        const ChprogRun run =
            Chprog(QStringList{"import-csv", in, "--base", base, "-o", out} + options);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QCOMPARE(QFile::exists(out), status == 0);
        if (status != 0)
            return;
        const QStringList lines = Chprog({"show", out}).out.split('\n');
        QVERIFY(lines[0].startsWith(" 1\t" + FrequencyText(15600000 + 2500 * 20)));
        QVERIFY(lines[15].startsWith("16\t" + FrequencyText(15600000 + 2500 * 35)));
    }

    // Without --band the base's product bytes name the band, looked up in Program.ini
    // (model A: 136 - 174MHz|400 - 470MHz); a base naming none checks only the step. The
    // bands of the shipped models are PublicListsTest's.
    void importChecksTheBaseBand_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("band");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said"); // the whole of standard error
        const QString allowedVhf = "allowed: 136.00000 to 174.00000 MHz\n";
        const auto refused = [](const char* frequency, const QString& allowed) {
            return QString("chprog: bad.csv: line 2, column \"Rx Frequency\": %1 MHz is out of "
                           "range; %2")
                .arg(frequency, allowed);
        };
        const QString noBand = "chprog: note: BASE names no band, so no band was checked "
                               "(--band checks one)\n";
        const QStringList none;
        QTest::newRow("53 MHz into VHF")
            << 0 << 0 << "53" << none << 2 << refused("53", allowedVhf);
        QTest::newRow("851 MHz into VHF")
            << 0 << 0 << "851" << none << 2 << refused("851", allowedVhf);
        QTest::newRow("--band instead of the base's")
            << 0 << 0 << "446.00625" << QStringList{"--band", "400 - 470MHz"} << 0 << "";
        QTest::newRow("no band byte") << 0 << 0xFF << "851" << none << 0 << noBand;
        QTest::newRow("no model byte") << 0xFF << 0 << "53" << none << 0 << noBand;
        QTest::newRow("a model Program.ini lacks") << 5 << 0 << "53" << none << 0 << noBand;
        QTest::newRow("no band byte, off the step")
            << 0 << 0xFF << "851.001" << none << 2
            << "chprog: bad.csv: line 2, column \"Rx Frequency\": 851.001 MHz is on neither the "
               "5 kHz nor the 6.25 kHz channel step\n";
    }
    void importChecksTheBaseBand() {
        QFETCH(int, type);
        QFETCH(int, band);
        QFETCH(QString, frequency);
        QFETCH(QStringList, options);
        QFETCH(int, status);
        QFETCH(QString, said);
        QVERIFY(WriteFileBytes(m_dir.filePath("Program.ini"), kCalibrationIni));
        RadioImage image = NewImage();
        image[kProductType] = std::uint8_t(type);
        image[kProductBand] = std::uint8_t(band);
        const QString base = saved(image, "base.dat");
        const QString in = m_dir.filePath("bad.csv");
        QVERIFY(WriteFileBytes(in, kOwnHeader + "1," + frequency.toUtf8() +
                                       ",,None,None,High,No,Off,Wide,No\r\n"));
        const QString out = m_dir.filePath("out.dat");
        QFile::remove(out);
        const ChprogRun run = Chprog(
            QStringList{"import-csv", in, "--base", base, "-o", out, "--config", m_dir.path()} +
            options);
        QCOMPARE(run.status, status);
        QCOMPARE(run.err, QString(said).replace("BASE", base).replace("bad.csv", in));
        QCOMPARE(QFile::exists(out), status == 0);
    }

    void calibrationPrintsTheRowsOfTheFilesBand() {
        QVERIFY(WriteFileBytes(m_dir.filePath("Program.ini"), kCalibrationIni));
        RadioImage image = NewImage();
        image[kProductType] = 0;
        image[kProductBand] = 0; // 136 - 174MHz
        for (int k = 0; k < 5; ++k) {
            image[kPowerCalibration + 2 * k] = static_cast<std::uint8_t>(30 + k);
            image[kPowerCalibration + 2 * k + 1] = static_cast<std::uint8_t>(130 + k);
        }
        image[kSquelchCalibration + 1] = 0x83;
        image[kSquelchCalibration + 4] = 0x05;
        image[kPowerCalibration + 8] = 10; // out of range: shown as the default
        const ChprogRun run = Chprog({"calibration", saved(image), "--config", m_dir.path()});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, QString("136\t30\t130\t0\n"
                                  "140\t31\t131\t-3\n"
                                  "150\t32\t132\t0\n"
                                  "160\t33\t133\t0\n"
                                  "170\t100\t134\t5\n"));
        image[kProductType] = 1;
        image[kProductBand] = 0; // 130 - 160MHz: three rows
        const ChprogRun three = Chprog({"calibration", saved(image), "--config", m_dir.path()});
        QCOMPARE(three.out.count('\n'), 3);
        QVERIFY(three.out.startsWith("130\t30\t130\t0\n"));
        // A --config folder without Program.ini is a mistake, not an empty configuration.
        QTemporaryDir empty;
        const ChprogRun noIni = Chprog({"calibration", saved(image), "--config", empty.path()});
        QCOMPARE(noIni.status, 2);
        QCOMPARE(noIni.err, "chprog: --config: there is no Program.ini in " + empty.path() + "\n");
        QCOMPARE(noIni.out, QString());
    }

    // One line per difference and status 1; none and status 0.
    void diffLinesAndStatus_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("out");
        const auto row = [](const char* name, const Change& change, const QString& out,
                            const QStringList& options = {}) {
            QTest::newRow(name) << change << options << out;
        };
        const auto byte = [](int offset, int value) {
            return Change([=](RadioImage& i) { i[offset] = std::uint8_t(value); });
        };
        const RadioImage base = BaseImage();
        row(
            "same", [](RadioImage&) {}, "");
        row(
            "channel cell", [](RadioImage& i) { SetCell(i, 3, kColTxFrequency, "146.55"); },
            "CH 3\tTx Frequency\t146.52000\t146.55000\n");
        row("channel cell in Chinese", [](RadioImage& i) { SetCell(i, 3, kColPower, "Low"); },
            "CH 3\t功率\t高\t低\n", {"--lang", "zh"});
        row("setting", byte(kBeep, base[kBeep] ^ kBeepBit), "Beep\tOn\tOff\n");
        row("band", byte(kProductBand, 1), "Frequency\t136 - 174MHz\t144 - 148MHz\n");
        row("calibration", byte(kPowerCalibration + 3, 170),
            QString("Calibration 140 MHz\tHigh\t%1\t170\n").arg(base[kPowerCalibration + 3]));
        row("raw byte", byte(0x1C4, 0x12), "0x1C4\t" + HexByte(base[0x1C4]) + "\t12\n");
        const int flags = channelRecord(3) + Record::kFlagsB; // 0x3D
        row("a bit the grid does not show", byte(flags, base[flags] ^ 1),
            "0x03D\t" + HexByte(base[flags]) + "\t" + HexByte(base[flags] ^ 1) + "\n");
    }

    void diffLinesAndStatus() {
        QFETCH(Change, change);
        QFETCH(QStringList, options);
        QFETCH(QString, out);
        RadioImage b = BaseImage();
        change(b);
        const QString pathA = saved(BaseImage(), "a.dat"), pathB = saved(b, "b.dat");
        const ChprogRun run =
            Chprog(QStringList{"diff", pathA, pathB, "--config", TEST_BIN_DIR} + options);
        QCOMPARE(run.out, out);
        QCOMPARE(run.status, out.isEmpty() ? 0 : 1);
    }

    // Status 2, the file named, nothing on standard output; read and write check the port
    // and read its file before they talk (the port NOPORT would fail with status 1).
    void badArgumentsAndFiles_data() {
        QTest::addColumn<QStringList>("arguments"); // the names in capitals stand for files
        QTest::addColumn<QString>("said");
        const auto row = [](const char* name, const QStringList& arguments, const char* said = "") {
            QTest::newRow(name) << arguments << QString::fromUtf8(said);
        };
        row("show a short file", {"show", "SHORT"}, "short.dat");
        row("export a missing file", {"export-csv", "MISSING"}, "missing.dat");
        row("unknown language", {"show", "GOOD", "--lang", "fr"});
        row("unknown command", {"frobnicate"});
        row("new without -o", {"new"});
        row("calibration without a file", {"calibration"});
        row("calibration of a missing file", {"calibration", "MISSING"}, "missing.dat");
        row("diff with a missing file", {"diff", "GOOD", "MISSING"}, "missing.dat");
        row("diff of one file", {"diff", "GOOD"});
        row("set on a missing file", {"set", "MISSING", "Beep=On"}, "missing.dat");
        row("set without a value", {"set", "GOOD"});
        row("settings in an unknown language", {"settings", "GOOD", "--lang", "fr"});
        row("ports with a file", {"ports", "GOOD"}, "takes no file");
        row("ports --all", {"ports", "--all"});
        row("read, empty port", {"read", "--port", "", "-o", "GOOD"}, "no port was given");
        row("write, blank port", {"write", "--port", " ", "MISSING"}, "no port was given");
        row("read into a folder", {"read", "--port", "NOPORT", "-o", "FOLDER"},
            "not a regular file");
        row("export into standard output, a pipe", {"export-csv", "GOOD", "-o", "/dev/stdout"},
            "/dev/stdout: cannot write the file (it is not a regular file");
        row("read into a missing folder", {"read", "--port", "NOPORT", "-o", "MISSING/x.dat"},
            "folder does not exist");
        row("read into a read-only folder", {"read", "--port", "NOPORT", "-o", "READONLY"},
            "folder is not writable");
    }
    void badArgumentsAndFiles() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        FullDisk readOnly(FullDisk::ReadOnly);
        if (arguments.contains("READONLY") && !readOnly.isMounted())
            QSKIP("mounting a read-only tmpfs needs root");
        QVERIFY(WriteFileBytes(m_dir.filePath("short.dat"), QByteArray(1023, '\xFF')));
        QVERIFY(QDir(m_dir.path()).mkpath("folder"));
        arguments.replaceInStrings("GOOD", saved(NewImage()))
            .replaceInStrings("SHORT", m_dir.filePath("short.dat"))
            .replaceInStrings("MISSING", m_dir.filePath("missing.dat"))
            .replaceInStrings("NOPORT", m_dir.filePath("no-radio"))
            .replaceInStrings("FOLDER", m_dir.filePath("folder"))
            .replaceInStrings("READONLY", readOnly.filePath("x.dat"));
        const ChprogRun run = Chprog(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }

    // Standard output carries the bytes as they are: a CSV sent to a redirected output
    // is the file export, CRLF line ends and Chinese texts alike (a text-mode stream, as
    // Windows gives by default, would write CR CR LF).
    void csvOnStandardOutputIsTheFileExport() {
        const QString image = saved(PatternImage(4));
        const QString file = m_dir.filePath("export.csv");
        QCOMPARE(Chprog({"export-csv", image, "--lang", "zh", "-o", file}).status, 0);
        QProcess chprog;
        chprog.setStandardOutputFile(m_dir.filePath("redirected.csv"));
        chprog.start(QStringLiteral(TEST_BIN_DIR "/chprog"), {"export-csv", image, "--lang", "zh"});
        QVERIFY(chprog.waitForFinished(30000));
        QCOMPARE(chprog.exitCode(), 0);
        const QByteArray redirected = ReadFileBytes(m_dir.filePath("redirected.csv"));
        QVERIFY(redirected.contains("\r\n") && !redirected.contains("\r\r\n"));
        QCOMPARE(redirected, ReadFileBytes(file));
    }

private:
    QString saved(const RadioImage& image, const QString& name = "image.dat") {
        const QString path = m_dir.filePath(name);
        return SaveDatFile(path, image, nullptr) ? path : QString();
    }
    QTemporaryDir m_dir;
};

TEST_CLASS(CliTest)
#include "tst_cli.moc"
