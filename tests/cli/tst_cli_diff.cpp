// chprog diff: the lines for channel, setting, product, calibration and raw-byte
// differences, and the exit status.

#include "ChannelCodec.h"
#include "Chprog.h"
#include "RadioImage.h"
#include "TestSuite.h"

#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace ImageMap;
using Change = std::function<void(RadioImage&)>;
Q_DECLARE_METATYPE(Change)

namespace {

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

QString Hex(int byte) {
    return QString("%1").arg(byte, 2, 16, QChar('0')).toUpper();
}

} // namespace

class CliDiffTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void linesAndStatus_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::newRow("same") << Change([](RadioImage&) {}) << QStringList{} << 0 << "";
        QTest::newRow("channel cell")
            << Change([](RadioImage& i) { SetCell(i, 3, kColTxFrequency, "146.55"); })
            << QStringList{} << 1 << "CH 3\tTx Frequency\t146.52000\t146.55000\n";
        QTest::newRow("channel cell in Chinese")
            << Change([](RadioImage& i) { SetCell(i, 3, kColPower, "Low"); })
            << QStringList{"--lang", "zh"} << 1 << "CH 3\t功率\t高\t低\n";
        QTest::newRow("setting") << Change([](RadioImage& i) { i[kBeep] ^= kBeepBit; })
                                 << QStringList{} << 1 << "Beep\tOn\tOff\n";
        QTest::newRow("band") << Change([](RadioImage& i) { i[kProductBand] = 1; }) << QStringList{}
                              << 1 << "Frequency\t136 - 174MHz\t144 - 148MHz\n";
        QTest::newRow("calibration")
            << Change([](RadioImage& i) { i[kPowerCalibration + 3] = 170; }) << QStringList{} << 1
            << QString("Calibration 140 MHz\tHigh\t%1\t170\n").arg(NewImage()[kPowerCalibration + 3]);
        QTest::newRow("raw byte") << Change([](RadioImage& i) { i[0x1C4] = 0x12; }) << QStringList{}
                                  << 1 << "0x1C4\t" + Hex(NewImage()[0x1C4]) + "\t12\n";
        QTest::newRow("a bit the grid does not show")
            << Change([](RadioImage& i) { i[channelRecord(3) + Record::kFlagsB] ^= 0x01; })
            << QStringList{} << 1
            << "0x03D\t" + Hex(BaseImage()[0x3D]) + "\t" + Hex(BaseImage()[0x3D] ^ 1) + "\n";
    }

    void linesAndStatus() {
        QFETCH(Change, change);
        QFETCH(QStringList, options);
        QFETCH(int, status);
        QFETCH(QString, out);
        const RadioImage a = BaseImage();
        RadioImage b = a;
        change(b);
        const QString pathA = m_dir.filePath("a.dat"), pathB = m_dir.filePath("b.dat");
        QVERIFY(SaveDatFile(pathA, a, nullptr));
        QVERIFY(SaveDatFile(pathB, b, nullptr));
        const ChprogRun run =
            Chprog(QStringList{"diff", pathA, pathB, "--config", TEST_BIN_DIR} + options);
        QCOMPARE(run.out, out);
        QCOMPARE(run.status, status);
    }

    void badInputIsStatusTwo() {
        const QString pathA = m_dir.filePath("a.dat");
        QVERIFY(SaveDatFile(pathA, NewImage(), nullptr));
        QCOMPARE(Chprog({"diff", pathA, m_dir.filePath("missing.dat")}).status, 2);
        QCOMPARE(Chprog({"diff", pathA}).status, 2);
    }

private:
    QTemporaryDir m_dir;
};

TEST_CLASS(CliDiffTest)
#include "tst_cli_diff.moc"
