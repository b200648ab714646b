// The channel records: how each grid value packs into its 16 bytes and comes back.

#include "radio/ChannelCodec.h"
#include "tests/support/TestSuite.h"
#include "radio/ToneCodes.h"

#include <QTest>
#include <array>

using namespace ImageMap;

namespace {

std::uint8_t* RecordOf(RadioImage& image, int channel) {
    return image.data() + channelRecord(channel);
}

void SetRecord(RadioImage& image, int channel, const QByteArray& bytes) {
    std::copy(bytes.begin(), bytes.end(), RecordOf(image, channel));
}

} // namespace

class ChannelCodecTest : public QObject {
    Q_OBJECT
private slots:
    // A channel's bytes (frequencies in BCD, tones, flags) and the grid row they show, both
    // ways; texts of either language encode alike.
    void recordsDecodeAndEncode_data() {
        // The first 14 bytes of channel 3's record; the flag bits the grid does not own are
        // those of a new image, which the encoder keeps.
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("grid"); // Rx|Tx|Dec|Enc|Power|Scan|Busy|W/N|Compand
        QTest::addColumn<int>("language");
        const auto row = [](const char* name, const char* hex, const char* grid,
                            Language language = Language::English) {
            QTest::newRow(name) << QByteArray::fromHex(hex) << QString::fromUtf8(grid)
                                << int(language);
        };
        row("446.00625", "2506604425066044ffffffffc7ff",
            "446.00625|446.00625|None|None|High|No|Off|Wide|No");
        row("145.5875 and 400.0125, tones", "50875514501200409e0213a8c7ff",
            "145.58750|400.01250|67.0|D023I|High|No|Off|Wide|No");
        row("146.5125 needs exact decimals, Chinese", "5012651450126514ffffffffe7ef",
            "146.51250|146.51250|無|無|高|有|關|窄|是", Language::Chinese);
        row("DCS and the highest tone, flags", "5012004025066044ec29ed09f7ef",
            "400.01250|446.00625|D754N|254.1|High|Yes|QT/DQT|Narrow|Yes");
    }

    void recordsDecodeAndEncode() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, grid);
        QFETCH(int, language);
        const Language lang = Language(language);
        const bool scan = QStringList{"Yes", "有"}.contains(grid.section('|', 5, 5));
        RadioImage image = NewImage();
        std::copy(bytes.begin(), bytes.end(), RecordOf(image, 3));
        image[kScanListLow] = scan ? 0x04 : 0x00;
        ChannelRow row = DecodeChannels(image, lang)[2];
        QCOMPARE(QStringList(row.begin() + 1, row.end()).join('|'), grid);

        RadioImage encoded = NewImage();
        RecordOf(encoded, 3)[14] = 0x5A; // bytes the encoder does not own
        RecordOf(encoded, 3)[15] = 0xA5;
        ChannelTable table = DecodeChannels(encoded, Language::English);
        const QStringList cells = grid.split('|');
        std::copy(cells.begin(), cells.end(), table[2].begin() + 1);
        GridToImage(table, encoded);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(RecordOf(encoded, 3)), 16).toHex(),
                 bytes.toHex() + "5aa5");
        QCOMPARE(int(encoded[kScanListLow]), scan ? 0x04 : 0x00);
    }

    void emptyChannelMarkers() {
        RadioImage image = NewImage();
        // Zeros decode as empty, like FF; an empty channel still shows its tones; a transmit
        // frequency whose last byte is FF or 00 empties the channel, its rx still shown.
        SetRecord(image, 1, QByteArray::fromHex("0000000000000000ffffffff2030"));
        SetRecord(image, 5, QByteArray::fromHex("ffffffffffffffff9e0213a8"));
        SetRecord(image, 2, QByteArray::fromHex("00206514ffffffffffffffff2030"));
        SetRecord(image, 3, QByteArray::fromHex("0020651400206500ffffffff2030"));
        const ChannelTable table = DecodeChannels(image, Language::English);
        for (int c = 1; c < kChannelColumns; ++c)
            QVERIFY(table[0][c].isEmpty());
        for (int row : {1, 2}) {
            QCOMPARE(table[row][kColRxFrequency], QString("146.52000"));
            for (int c = kColTxFrequency; c < kChannelColumns; ++c)
                QVERIFY(table[row][c].isEmpty());
        }
        QCOMPARE(table[4][kColDecodeTone] + table[4][kColEncodeTone] + table[4][kColPower],
                 QString("67.0D023I"));

        // On encoding, an empty frequency always writes FF FF FF FF.
        ChannelTable edited = table;
        edited[0][kColRxFrequency] = "";
        GridToImage(edited, image);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(RecordOf(image, 1)[i], 0xFF);
    }

    void scanBitsDifferBetweenHalves() {
        RadioImage image = NewImage();
        image[kScanListLow] = 0x08;  // channel 4, empty
        image[kScanListHigh] = 0x08; // channel 12, empty
        ChannelTable table = DecodeChannels(image, Language::English);
        QVERIFY(table[3][kColScanAdd].isEmpty());
        QCOMPARE(table[11][kColScanAdd], QString("Yes"));
        GridToImage(table, image);
        QCOMPARE(image[kScanListLow], 0x00);  // channel 4's bit is lost, as the grid showed
        QCOMPARE(image[kScanListHigh], 0x08); // channel 12's bit is kept

        // Programmed channels: bit n-1 of the first byte, n-9 of the second.
        const QStringList cells = QString("146.52|146.52|None|None|High|Yes|Off|Wide|No").split('|');
        for (int row : {0, 8})
            std::copy(cells.begin(), cells.end(), table[row].begin() + 1);
        table[11][kColScanAdd] = "";
        GridToImage(table, image);
        QCOMPARE(image[kScanListLow], 0x01);
        QCOMPARE(image[kScanListHigh], 0x01);
    }

    void emptyRowEncodesFlagBytes() {
        RadioImage image = NewImage();
        GridToImage(DecodeChannels(image, Language::English), image);
        for (int ch = 1; ch <= 16; ++ch)
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(RecordOf(image, ch)), 16).toHex(),
                     QByteArray("ffffffffffffffffffffffffd7cfffff"));
        // Everything else is the new image, calibration included.
        const RadioImage fresh = NewImage();
        for (int i = 0; i < kImageSize; ++i) {
            if (i >= channelRecord(1) && i < channelRecord(17) && (i % 16 == 12 || i % 16 == 13))
                continue;
            QCOMPARE(image[i], fresh[i]);
        }
    }

    void busyLockReplacesBothBits_data() {
        QTest::addColumn<int>("storedBits");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("writtenBits");
        QTest::newRow("QT/DQT to Carrier") << 0x10 << "QT/DQT" << "Carrier" << 0x08;
        QTest::newRow("Carrier to QT/DQT") << 0x08 << "Carrier" << "QT/DQT" << 0x10;
        QTest::newRow("QT/DQT to Off") << 0x10 << "QT/DQT" << "Off" << 0x00;
        QTest::newRow("both bits to Carrier") << 0x18 << "QT/DQT" << "Carrier" << 0x08;
    }

    void busyLockReplacesBothBits() {
        QFETCH(int, storedBits);
        QFETCH(QString, chosen);
        RadioImage image = NewImage();
        const std::uint8_t flagsA = static_cast<std::uint8_t>(0xC7 | storedBits);
        SetRecord(image, 2,
                  QByteArray::fromHex("0020651400206514ffffffff") + char(flagsA) + '\xCF');
        ChannelTable table = DecodeChannels(image, Language::English);
        QTEST(table[1][kColBusyLock], "shown");
        table[1][kColBusyLock] = chosen;
        GridToImage(table, image);
        QTEST(RecordOf(image, 2)[12] & (kBusyLockCarrierBit | kBusyLockToneBit), "writtenBits");
    }

    void calibrationClamp() {
        RadioImage image = NewImage();
        // Squelch magnitudes above 5 are cleared; power below 25 or above 250 takes the default.
        const QList<std::array<int, 3>> cases = {
            {kSquelchCalibration, 0x85, 0x85},      {kSquelchCalibration + 1, 0x86, 0x00},
            {kSquelchCalibration + 10, 0x06, 0x00}, {kPowerCalibration, 24, 100},
            {kPowerCalibration + 1, 251, 200},      {kPowerCalibration + 20, 150, 150},
            {kPowerCalibration + 21, 128, 128},     {kSquelchCalibration - 1, 0xFF, 0xFF},
            {kPowerCalibration + 22, 0xFF, 0xFF}}; // offset, stored, after the clamp
        for (const auto& [offset, stored, clamped] : cases)
            image[offset] = static_cast<std::uint8_t>(stored);
        ClampCalibration(image);
        for (const auto& [offset, stored, clamped] : cases)
            QCOMPARE(int(image[offset]), clamped);
    }

    // Tone texts and their two bytes; the ones in recordsDecodeAndEncode are not repeated.
    void tones_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("None") << "None" << 0xFF << 0xFF << "";
        QTest::newRow("Chinese none") << "無" << 0xFF << 0xFF << "";
        QTest::newRow("empty") << "" << 0xFF << 0xFF << "";
        QTest::newRow("69.3 exact") << "69.3" << 0xB5 << 0x02 << "69.3";
        QTest::newRow("100.0") << "100.0" << 0xE8 << 0x03 << "100.0";
        QTest::newRow("D023N") << "D023N" << 0x13 << 0x28 << "D023N";
        QTest::newRow("D411N") << "D411N" << 0x09 << 0x29 << "D411N";
        QTest::newRow("D754I") << "D754I" << 0xEC << 0xA9 << "D754I";
        QTest::newRow("D999N not a code") << "D999N" << 0x00 << 0x29 << "D000N";
    }

    void tones() {
        QFETCH(QString, text);
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(QString, decoded);
        const ToneCode code = ToneTextToCode(text);
        QCOMPARE(int(code.low), low);
        QCOMPARE(int(code.high), high);
        if (!decoded.isEmpty())
            QCOMPARE(ToneCodeToText(code), decoded);
    }

    void toneListOrder() {
        // None, 50 tones, 106 codes normal, 106 inverted; each encodes and decodes to itself.
        const QStringList english = ToneList(Language::English);
        QCOMPARE(english.size(), 265);
        QCOMPARE(english.mid(0, 2) + english.mid(50, 2) + english.mid(157, 2) + english.mid(264),
                 (QStringList{"None", "67.0", "254.1", "D017N", "D754N", "D017I", "D754I"}));
        QCOMPARE(ToneList(Language::Chinese)[0], QString("無"));
        for (int i = 1; i < english.size(); ++i)
            QCOMPARE(ToneCodeToText(ToneTextToCode(english[i])), english[i]);
        // Words of either language find their place; letter case only when asked.
        QCOMPARE(ToneListIndex("無"), 0);
        QCOMPARE(ToneListIndex("D754I"), 264);
        QCOMPARE(ToneListIndex("d754i"), -1);
        QCOMPARE(ToneListIndex("d754i", Qt::CaseInsensitive), 264);
        QCOMPARE(ToneListIndex("67"), -1);
    }
};

TEST_CLASS(ChannelCodecTest)
#include "tst_channel_codec.moc"
