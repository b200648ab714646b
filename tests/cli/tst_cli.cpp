// chprog new, show, export-csv and import-csv, run as a separate process.

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

} // namespace

class CliTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void newWritesTheNewImage() {
        const QString path = m_dir.filePath("new.dat");
        const ChprogRun run = Chprog({"new", "-o", path});
        QCOMPARE(run.status, 0);
        const RadioImage fresh = NewImage();
        QCOMPARE(ReadFileBytes(path), ImageBytes(fresh));
    }

    void showPrintsSixteenLinesOfTenFields() {
        const QString path = m_dir.filePath("show.dat");
        RadioImage image = NewImage();
        ChannelTable table = DecodeChannels(image, Language::English);
        table[8] = {"",    "146.52", "146.52",  "67.0",   "D023N",
                    "Low", "Yes",    "Carrier", "Narrow", "Yes"};
        GridToImage(table, image);
        QVERIFY(SaveDatFile(path, image, nullptr));

        const ChprogRun english = Chprog({"show", path});
        QCOMPARE(english.status, 0);
        const QStringList lines = english.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 16);
        QCOMPARE(lines[0], QString(" 1\t\t\t\t\t\t\t\t\t"));
        QCOMPARE(lines[8],
                 QString(" 9\t146.52000\t146.52000\t67.0\tD023N\tLow\tYes\tCarrier\tNarrow\tYes"));
        QCOMPARE(lines[15].split('\t').size(), 10);
        QVERIFY(english.err.isEmpty());

        const ChprogRun chinese = Chprog({"show", path, "--lang", "zh"});
        QCOMPARE(chinese.out.split('\n')[8],
                 QString(" 9\t146.52000\t146.52000\t67.0\tD023N\t低\t有\t載波\t窄\t是"));
    }

    void csvRoundTripKeepsOtherBytes() {
        const QString base = m_dir.filePath("base.dat");
        RadioImage image = NewImage();
        image[0x200] = 0x5A; // a byte no table owns
        QVERIFY(SaveDatFile(base, image, nullptr));
        const QString csv = m_dir.filePath("in.csv");
        QVERIFY(WriteFileBytes(csv, kHeader +
                                        "3,145.5875,,D754I,None,High,Yes,QT/DQT,Wide,No\r\n"
                                        "12,\"400.0125\",400.00625,254.1,67.0,低,無,關,寬,是\r\n"));
        const QString out = m_dir.filePath("out.dat");
        const ChprogRun run = Chprog({"import-csv", csv, "--base", base, "-o", out});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        const QByteArray bytes = ReadFileBytes(out);
        QCOMPARE(bytes.size(), 1024);
        QCOMPARE(quint8(bytes[0x200]), quint8(0x5A));
        QCOMPARE(bytes.mid(48, 8), QByteArray::fromHex("5087551450875514")); // tx takes rx

        const ChprogRun exported = Chprog({"export-csv", out});
        QCOMPARE(exported.status, 0);
        const QStringList lines = exported.out.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 17);
        QCOMPARE(lines[0] + "\r\n", QString::fromUtf8(kHeader));
        QCOMPARE(lines[3], QString("3,145.58750,145.58750,D754I,None,High,Yes,QT/DQT,Wide,No"));
        QCOMPARE(lines[12], QString("12,400.01250,400.00625,254.1,67.0,Low,No,Off,Wide,Yes"));
        QCOMPARE(lines[1], QString("1,,,,,,,,,"));

        // Export to a file and import it back: the same image.
        const QString again = m_dir.filePath("again.csv");
        QCOMPARE(Chprog({"export-csv", out, "-o", again, "--lang", "zh"}).status, 0);
        const QString out2 = m_dir.filePath("out2.dat");
        QCOMPARE(Chprog({"import-csv", again, "--base", out, "-o", out2}).status, 0);
        QCOMPARE(ReadFileBytes(out2), bytes);
    }

    void badInputIsRefusedAndWritesNothing_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QString>("expected");
        const QStringList none;
        QTest::newRow("off step") << kHeader + "1,146.514,,None,None,High,No,Off,Wide,No\r\n"
                                  << none << "line 2, column \"Rx Frequency\"";
        QTest::newRow("outside band") << kHeader + "1,160.005,,None,None,High,No,Off,Wide,No\r\n"
                                      << QStringList{"--band", "130 - 160MHz"} << "out of range";
        QTest::newRow("1000 MHz") << kHeader + "1,1000,,None,None,High,No,Off,Wide,No\r\n"
                                  << none << "below 1000";
        QTest::newRow("not a tone") << kHeader + "2,146.52,,67.1,None,High,No,Off,Wide,No\r\n"
                                    << none << "column \"QT/DQT Dec\"";
        QTest::newRow("bad word") << kHeader + "2,146.52,,None,None,Medium,No,Off,Wide,No\r\n"
                                  << none << "High/高";
        QTest::newRow("channel 17") << kHeader + "17,146.52,,None,None,High,No,Off,Wide,No\r\n"
                                    << none << "1 to 16";
        QTest::newRow("unclosed quote") << kHeader + "1,\"146.52,,None\r\n" << none << "line 2";
        QTest::newRow("missing heading")
            << QByteArray("CH,Rx Frequency\r\n1,146.52\r\n") << none << "Tx Frequency";
        QTest::newRow("short record") << kHeader + "1,146.52\r\n" << none << "line 2";
    }

    void badInputIsRefusedAndWritesNothing() {
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, extra);
        QFETCH(QString, expected);
        const QString base = m_dir.filePath("base.dat");
        QVERIFY(SaveDatFile(base, NewImage(), nullptr));
        const QString in = m_dir.filePath("bad.csv");
        QVERIFY(WriteFileBytes(in, csv));
        const QString out = m_dir.filePath("never.dat");
        const ChprogRun run =
            Chprog(QStringList{"import-csv", in, "--base", base, "-o", out} + extra);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(expected), qPrintable(run.err));
        QVERIFY(run.err.contains("bad.csv"));
        QVERIFY(!QFile::exists(out));
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
        run = Chprog({"--help"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("import-csv"));
        run = Chprog({"import-csv", "--help"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("--band"));
    }

private:
    QTemporaryDir m_dir;
};

TEST_CLASS(CliTest)
#include "tst_cli.moc"
