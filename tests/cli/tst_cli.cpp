// chprog new, show, export-csv and import-csv, run as a separate process: the output
// formats, the options, the exit status, and nothing written on failure. What a CSV
// value means is the model's (CommonCsvTest).

#include "ChannelCodec.h"
#include "Chprog.h"
#include "Files.h"
#include "RadioImage.h"
#include "TestSuite.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kHeader =
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

} // namespace

class CliTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void newWritesTheNewImage() {
        const QString path = m_dir.filePath("new.dat");
        QCOMPARE(Chprog({"new", "-o", path}).status, 0);
        QCOMPARE(ReadFileBytes(path), ImageBytes(NewImage()));
    }

    void showPrintsSixteenLinesOfTenFields() {
        const QString path = m_dir.filePath("show.dat");
        RadioImage image = NewImage();
        ChannelTable table = DecodeChannels(image, Language::English);
        table[8] = {"", "146.52", "146.52", "67.0", "D023N", "Low", "Yes", "Carrier", "Narrow", "Yes"};
        GridToImage(table, image);
        QVERIFY(SaveDatFile(path, image, nullptr));

        const ChprogRun english = Chprog({"show", path});
        QCOMPARE(english.status, 0);
        const QStringList lines = english.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 16);
        QCOMPARE(lines[0], QString(" 1\t\t\t\t\t\t\t\t\t"));
        QCOMPARE(lines[8], QString(" 9\t146.52000\t146.52000\t67.0\tD023N\tLow\tYes\tCarrier\tNarrow\tYes"));
        QVERIFY(english.err.isEmpty());
        QCOMPARE(Chprog({"show", path, "--lang", "zh"}).out.split('\n')[8],
                 QString(" 9\t146.52000\t146.52000\t67.0\tD023N\t低\t有\t載波\t窄\t是"));
    }

    void csvRoundTripKeepsOtherBytes() {
        const QString base = m_dir.filePath("base.dat");
        RadioImage image = NewImage();
        image[0x200] = 0x5A; // a byte no table owns
        QVERIFY(SaveDatFile(base, image, nullptr));
        const QString csv = m_dir.filePath("in.csv");
        QVERIFY(WriteFileBytes(csv, kHeader + "3,145.5875,,D754I,None,High,Yes,QT/DQT,Wide,No\r\n"
                                              "12,\"400.0125\",400.00625,254.1,67.0,低,無,關,寬,是\r\n"));
        const QString out = m_dir.filePath("out.dat");
        const ChprogRun run = Chprog({"import-csv", csv, "--base", base, "-o", out});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        const QByteArray bytes = ReadFileBytes(out);
        QCOMPARE(quint8(bytes[0x200]), quint8(0x5A));

        const ChprogRun exported = Chprog({"export-csv", out});
        QCOMPARE(exported.status, 0);
        const QStringList lines = exported.out.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 17);
        QCOMPARE(lines[0] + "\r\n", QString::fromUtf8(kHeader));
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
        QTest::newRow("off step") << kHeader + "1,146.514,,None,None,High,No,Off,Wide,No\r\n" << none
                                  << 2 << "bad.csv: line 2, column \"Rx Frequency\"";
        QTest::newRow("--band") << kHeader + "1,160.005,,None,None,High,No,Off,Wide,No\r\n"
                                << QStringList{"--band", "130 - 160MHz"} << 2 << "out of range";
        QTest::newRow("Location 0 names both options")
            << LongList() << none << 2 << "--rows A-B and place them with --first-channel N";
        QTest::newRow("rows 20-35 from channel 1")
            << LongList() << QStringList{"--rows", "20-35", "--first-channel", "1"} << 0
            << "Name and Comment";
        QTest::newRow("bad range") << LongList() << QStringList{"--rows", "9-3"} << 2 << "--rows";
        QTest::newRow("bad channel")
            << LongList() << QStringList{"--first-channel", "17"} << 2 << "--first-channel";
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
        const ChprogRun run = Chprog(QStringList{"import-csv", in, "--base", base, "-o", out} + options);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QCOMPARE(QFile::exists(out), status == 0);
        if (status != 0)
            return;
        const QStringList lines = Chprog({"show", out}).out.split('\n');
        QVERIFY(lines[0].startsWith(" 1\t" + FrequencyText(15600000 + 2500 * 20)));
        QVERIFY(lines[15].startsWith("16\t" + FrequencyText(15600000 + 2500 * 35)));
    }

    void badFilesAndArguments() {
        const QString shortFile = m_dir.filePath("short.dat");
        QVERIFY(WriteFileBytes(shortFile, QByteArray(1023, '\xFF')));
        ChprogRun run = Chprog({"show", shortFile});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains("short.dat"));
        QVERIFY(run.out.isEmpty());
        run = Chprog({"export-csv", m_dir.filePath("missing.dat")});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains("missing.dat"));
        QCOMPARE(Chprog({"show", shortFile, "--lang", "fr"}).status, 2);
        QCOMPARE(Chprog({"frobnicate"}).status, 2);
        QCOMPARE(Chprog({"new"}).status, 2);
        QVERIFY(Chprog({"import-csv", "--help"}).out.contains("--band"));
    }

private:
    QTemporaryDir m_dir;
};

TEST_CLASS(CliTest)
#include "tst_cli.moc"
