// The typed channel record: a field written lands in its own bytes and bits only, and
// reads back as written, whatever else the record holds (empty markers: ChannelCodecTest).

#include "radio/ChannelRecord.h"
#include "tests/support/ChannelBits.h"
#include "tests/support/TestSuite.h"

#include <QRandomGenerator>
#include <QTest>

using namespace ImageMap;

namespace {

RadioImage RandomImage(QRandomGenerator& random) {
    RadioImage image;
    for (auto& byte : image)
        byte = static_cast<std::uint8_t>(random.bounded(256));
    return image;
}

// A value for every field, different from what a random record is likely to hold.
Channel SomeChannel(QRandomGenerator& random) {
    Channel c;
    c.rx = Frequency{13600000 + 625LL * random.bounded(1000)};
    c.tx = random.bounded(4) == 0 ? Frequency{} : Frequency{14000000 + 500LL * random.bounded(1000)};
    c.decodeTone = Tone{ToneCode{static_cast<std::uint8_t>(random.bounded(256)), 0x28}};
    c.encodeTone = Tone{ToneCode{0x85, 0x03}};
    c.power = random.bounded(2) ? Power::High : Power::Low;
    c.scanAdd = random.bounded(2);
    c.busyLock = static_cast<BusyLock>(random.bounded(3));
    c.bandwidth = random.bounded(2) ? Bandwidth::Wide : Bandwidth::Narrow;
    c.compand = random.bounded(2);
    return c;
}

bool SameField(const Channel& a, const Channel& b, ChannelField field) {
    switch (field) {
    case ChannelField::RxFrequency: return a.rx == b.rx;
    case ChannelField::TxFrequency: return a.tx == b.tx;
    case ChannelField::DecodeTone: return a.decodeTone == b.decodeTone;
    case ChannelField::EncodeTone: return a.encodeTone == b.encodeTone;
    case ChannelField::Power: return a.power == b.power;
    case ChannelField::ScanAdd: return a.scanAdd == b.scanAdd;
    case ChannelField::BusyLock: return a.busyLock == b.busyLock;
    case ChannelField::Bandwidth: return a.bandwidth == b.bandwidth;
    case ChannelField::Compand: return a.compand == b.compand;
    }
    return false;
}

} // namespace

class ChannelRecordTest : public QObject {
    Q_OBJECT
private slots:
    void eachFieldWritesOnlyItsBitsAndReadsBack() {
        QRandomGenerator random(20261208);
        for (int round = 0; round < 300; ++round) {
            const RadioImage before = RandomImage(random);
            const Channel value = SomeChannel(random);
            const int channel = 1 + round % kChannelCount;
            for (int f = 0; f < kChannelFieldCount; ++f) {
                const auto field = static_cast<ChannelField>(f);
                RadioImage after = before;
                WriteChannelField(value, field, channel, after);
                const auto owned = ChannelFieldBits(field, channel);
                for (int i = 0; i < kImageSize; ++i) {
                    const auto it = owned.find(i);
                    const std::uint8_t mask = it == owned.end() ? 0 : it->second;
                    if (((before[i] ^ after[i]) & ~mask) != 0)
                        QFAIL(qPrintable(QString("field %1 changed byte 0x%2").arg(f).arg(i, 0, 16)));
                }
                if (!SameField(ReadChannel(after, channel), value, field))
                    QFAIL(qPrintable(QString("field %1 of channel %2").arg(f).arg(channel)));
            }
        }
    }
};

TEST_CLASS(ChannelRecordTest)
#include "tst_channel_record.moc"
