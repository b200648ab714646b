// chprog export-csv --layout common and import-csv of that layout, with --rows and
// --first-channel, run as a user would.

#include "ChannelCodec.h"
#include "Chprog.h"
#include "Files.h"
#include "RadioImage.h"
#include "TestSuite.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                           "DtcsCode,DtcsPolarity,Mode,TStep,Skip,Comment\r\n";

// A marine-style list: Locations 0..59, named.
QByteArray LongList() {
    QByteArray csv = kHeader;
    for (int location = 0; location < 60; ++location)
        csv += QStringLiteral("%1,CH%1,%2,,0,,88.5,88.5,023,NN,FM,5,,\r\n")
                   .arg(location)
                   .arg(FrequencyText(15600000 + 2500 * location))
                   .toUtf8();
    return csv;
}

} // namespace

class CliCommonCsvTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void exportImportsBackByteForByte() {
        const QString base = m_dir.filePath("base.dat");
        RadioImage image = NewImage();
        ChannelTable table = DecodeChannels(image, Language::English);
        table[4] = {"5",   "146.94", "146.34",  "D023N",  "D023I",
                    "Low", "No",     "Carrier", "Narrow", "Yes"};
        GridToImage(table, image);
        QVERIFY(SaveDatFile(base, image, nullptr));
        const QString csv = m_dir.filePath("common.csv");
        QCOMPARE(Chprog({"export-csv", base, "--layout", "common", "-o", csv}).status, 0);
        QVERIFY(ReadFileBytes(csv).startsWith(kHeader.left(kHeader.size() - 2)));
        const QString out = m_dir.filePath("out.dat");
        const ChprogRun run = Chprog({"import-csv", csv, "--base", base, "-o", out});
        QCOMPARE(run.status, 0);
        QVERIFY(run.err.isEmpty());
        QCOMPARE(ReadFileBytes(out), ReadFileBytes(base));
    }

    void placementOptions_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("Location 0 names both options")
            << QStringList{} << 2 << "--rows A-B and place them with --first-channel N";
        QTest::newRow("rows 20-35 from channel 1")
            << QStringList{"--rows", "20-35", "--first-channel", "1"} << 0 << "Name and Comment";
        QTest::newRow("rows that do not fit")
            << QStringList{"--rows", "0-59", "--first-channel", "5"} << 2
            << "60 rows do not fit from channel 5 on: only 12 fit";
        QTest::newRow("bad range") << QStringList{"--rows", "9-3"} << 2 << "--rows";
        QTest::newRow("bad channel")
            << QStringList{"--first-channel", "17"} << 2 << "--first-channel";
    }

    void placementOptions() {
        QFETCH(QStringList, options);
        QFETCH(int, status);
        QFETCH(QString, message);
        const QString csv = m_dir.filePath("marine.csv");
        QVERIFY(WriteFileBytes(csv, LongList()));
        const QString base = m_dir.filePath("blank.dat");
        QVERIFY(SaveDatFile(base, NewImage(), nullptr));
        const QString out = m_dir.filePath("placed.dat");
        QFile::remove(out);
        const ChprogRun run =
            Chprog(QStringList{"import-csv", csv, "--base", base, "-o", out} + options);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(QFile::exists(out), status == 0);
        if (status != 0)
            return;
        const ChprogRun shown = Chprog({"show", out});
        const QStringList lines = shown.out.split('\n');
        QVERIFY(lines[0].startsWith(" 1\t" + FrequencyText(15600000 + 2500 * 20)));
        QVERIFY(lines[15].startsWith("16\t" + FrequencyText(15600000 + 2500 * 35)));
    }

private:
    QTemporaryDir m_dir;
};

TEST_CLASS(CliCommonCsvTest)
#include "tst_cli_common_csv.moc"
