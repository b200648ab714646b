// Sorting and compacting move whole channels: every record keeps all its bytes (stray
// flag bits and spare bytes too) and its scan-list bit, nothing outside the records and
// the scan list changes, and channels outside the range stay where they are.
#include "document/ChannelOrder.h"
#include "radio/ChannelRecord.h"
#include "radio/ImageMap.h"
#include "tests/support/Files.h"
#include "tests/support/TestSuite.h"

#include <QTest>
#include <map>

namespace {

// Channel `number`'s record bytes and scan bit: what must travel together.
QByteArray Carried(const RadioImage& image, int number) {
    const int at = ImageMap::channelRecord(number);
    QByteArray bytes(reinterpret_cast<const char*>(image.data()) + at,
                     ImageMap::kChannelRecordSize);
    bytes += ReadChannel(image, number).scanAdd ? '+' : '-';
    return bytes;
}

bool InRecordsOrScanList(int at) {
    return (at >= ImageMap::channelRecord(1) &&
            at < ImageMap::channelRecord(ImageMap::kChannelCount + 1)) ||
           at == ImageMap::kScanListLow || at == ImageMap::kScanListHigh;
}

// A pattern image whose channels `emptyOnes` are empty and whose others have the given
// receive frequencies (10 Hz units), tones and flags as the pattern left them.
RadioImage Channels(const std::map<int, long long>& frequencies) {
    RadioImage image = PatternImage(7);
    for (int number = 1; number <= ImageMap::kChannelCount; ++number) {
        Channel channel = ReadChannel(image, number);
        const auto it = frequencies.find(number);
        channel.rx.units = it == frequencies.end() ? 0 : it->second;
        channel.tx.units = channel.rx.units;
        WriteChannelField(channel, ChannelField::RxFrequency, number, image);
        WriteChannelField(channel, ChannelField::TxFrequency, number, image);
    }
    return image;
}

} // namespace

class ChannelOrderTest : public QObject {
    Q_OBJECT
private slots:
    void movesCarryWholeChannels_data() {
        QTest::addColumn<bool>("compact");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QList<int>>("expected"); // the channel that ends up at first, first+1, ...
        // Channels 2, 5, 9 and 14 are empty; 3 and 7 share a frequency.
        QTest::newRow("sort all") << false << 1 << 16 << QList<int>{16, 3,  7,  1,  4, 6, 8, 10,
                                                                    11, 12, 13, 15, 2, 5, 9, 14};
        QTest::newRow("compact all")
            << true << 1 << 16 << QList<int>{1, 3, 4, 6, 7, 8, 10, 11, 12, 13, 15, 16, 2, 5, 9, 14};
        QTest::newRow("sort a range") << false << 4 << 8 << QList<int>{7, 4, 6, 8, 5};
        QTest::newRow("compact a range") << true << 2 << 6 << QList<int>{3, 4, 6, 2, 5};
    }

    void movesCarryWholeChannels() {
        QFETCH(bool, compact);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QList<int>, expected);
        const std::map<int, long long> frequencies = {
            {1, 44610000}, {3, 44601250}, {4, 44620000}, {6, 44630000}, {7, 44601250},
            {8, 44640000}, {10, 44650000}, {11, 44660000}, {12, 44670000}, {13, 44680000},
            {15, 44690000}, {16, 14652000}};
        const RadioImage before = Channels(frequencies);
        RadioImage image = before;
        std::vector<int> range;
        for (int number = first; number <= last; ++number)
            range.push_back(number);
        compact ? CompactChannels(image, range) : SortChannels(image, range);
        for (int number = 1; number <= ImageMap::kChannelCount; ++number) {
            const int from = number >= first && number <= last ? expected[number - first] : number;
            QVERIFY2(
                Carried(image, number) == Carried(before, from),
                qPrintable(
                    QStringLiteral("channel %1 should hold channel %2").arg(number).arg(from)));
        }
        for (int at = 0; at < ImageMap::kImageSize; ++at) {
            if (!InRecordsOrScanList(at))
                QCOMPARE(image[at], before[at]);
        }
    }

    void duplicatesIgnoreHowNoToneIsStored() {
        RadioImage image = Channels({{1, 14652000}, {2, 14652000}, {3, 14652000}, {4, 14653000},
                                     {6, 14653000}});
        const auto setTones = [&image](int number, ToneCode decode, ToneCode encode) {
            Channel channel = ReadChannel(image, number);
            channel.decodeTone.code = decode;
            channel.encodeTone.code = encode;
            WriteChannelField(channel, ChannelField::DecodeTone, number, image);
            WriteChannelField(channel, ChannelField::EncodeTone, number, image);
        };
        const ToneCode none00{0x00, 0x00}, noneFF{0xFF, 0xFF};
        const ToneCode tone885 = ToneTextToCode(QStringLiteral("88.5"));
        setTones(1, none00, none00);
        setTones(2, noneFF, noneFF);
        setTones(3, tone885, noneFF); // another tone: not a duplicate
        setTones(4, tone885, tone885);
        setTones(6, tone885, tone885);
        const std::vector<std::vector<int>> expected = {{1, 2}, {4, 6}};
        QCOMPARE(DuplicateChannels(image), expected);
    }
};

TEST_CLASS(ChannelOrderTest)
#include "tst_channel_order.moc"
