// The rules of a committed channel cell (document/ChannelEdit): frequencies read from
// text, checked against the band and the channel steps, and one channel edited cell by
// cell through the image, as the grid commits it.

#include "document/ChannelEdit.h"
#include "radio/ChannelRecord.h"
#include "tests/support/TestSuite.h"

#include <QTest>
#include <tuple>

namespace {

const BandLimits kBand130to160{13000000, 16000000};

} // namespace

class ChannelEditTest : public QObject {
    Q_OBJECT
private slots:
    void readFrequencyAndSteps() {
        for (const auto& [text, shown] : QList<QPair<const char*, const char*>>{
                 {"146.52", "146.52000"}, {"160", "160.00000"}, {"146.52MHz", "146.52000"},
                 {"146.520006", "146.52001"}})
            QCOMPARE(ReadFrequency(text).displayText(), QString(shown));
        QCOMPARE(ReadFrequency("146.52").units, 14652000LL);
        QCOMPARE(ReadFrequency("146.520006").units, 14652000LL); // checked truncated
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

    // One channel edited cell by cell: what each commit answers and the whole row after it
    // is written into the image.
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
        RadioImage image = NewImage();
        for (const auto& step : steps) {
            const QStringList parts = QString(step.row).split('|');
            const QString expected = parts.size() < 3 ? QString(8, '|')
                                                      : QString("%1|%2|None|None|%3|No|Off|Wide|No")
                                                            .arg(parts[0], parts[1], parts[2]);
            const CellCommit commit = CommitChannelCell(ReadChannel(image, 1), 1, step.column,
                                                        step.typed, kBand130to160);
            QCOMPARE(commit.result, step.result);
            WriteChannelFields(commit.channel, commit.changed, 1, image);
            const ChannelRow row = DecodeChannels(image, Language::English)[0];
            QCOMPARE(QStringList(row.begin() + 1, row.end()).join('|'), expected);
        }
        QVERIFY(!CommitMessage(CommitResult::OffStep).isEmpty());
    }

    // A commit writes the fields whose shown value changed and nothing else: an unchanged
    // frequency keeps odd bytes, a refusal writes nothing, blanking clears what is shown.
    void commitWritesOnlyWhatChanged_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("changed"); // ChannelField indexes
        const auto f = [](ChannelField field) { return int(FieldIndex(field)); };
        QTest::newRow("same receive frequency") << int(kColRxFrequency) << "144.0125" << QList<int>{};
        QTest::newRow("another receive frequency")
            << int(kColRxFrequency) << "144.025" << QList<int>{f(ChannelField::RxFrequency)};
        QTest::newRow("refused") << int(kColTxFrequency) << "170" << QList<int>{};
        QTest::newRow("simplex") << int(kColTxFrequency) << "" << QList<int>{f(ChannelField::TxFrequency)};
        QTest::newRow("tone") << int(kColEncodeTone) << "D023N" << QList<int>{f(ChannelField::EncodeTone)};
        QList<int> all;
        for (int field = 0; field < kChannelFieldCount; ++field)
            all << field;
        QTest::newRow("blanked") << int(kColRxFrequency) << "" << all;
    }
    void commitWritesOnlyWhatChanged() {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QList<int>, changed);
        Channel before = Channel::newChannelDefaults();
        before.rx = Frequency{14401250};
        before.tx = Frequency{14501250};
        const CellCommit commit = CommitChannelCell(before, 1, column, typed, kBand130to160);
        QList<int> written;
        for (int field = 0; field < kChannelFieldCount; ++field) {
            if (commit.changed.test(std::size_t(field)))
                written << field;
        }
        QCOMPARE(written, changed);
    }

    // Stored frequencies that typing would refuse: the band is checked before the step, a
    // receive-only channel has no transmit fault, an empty channel none, a band of 0..0
    // checks the step only. Channels outside the band are counted once however many.
    void storedFrequencyFaults() {
        RadioImage image = NewImage();
        const auto put = [&image](int number, long long rx, long long tx) {
            Channel channel = Channel::newChannelDefaults();
            channel.rx = Frequency{rx};
            channel.tx = Frequency{tx};
            WriteChannel(channel, number, image);
        };
        put(1, 14652000, 14652000);  // fine
        put(2, 44600625, 14652000);  // rx outside
        put(3, 14652000, 17000100);  // tx outside (and off step: the band wins)
        put(4, 14651400, 0);         // rx off step, receive only
        put(5, 44600625, 44600625);  // both outside
        using F = FrequencyFault;
        using C = ChannelField;
        const std::vector<std::tuple<int, C, F>> expected{
            {2, C::RxFrequency, F::OutsideBand}, {3, C::TxFrequency, F::OutsideBand},
            {4, C::RxFrequency, F::OffStep},     {5, C::RxFrequency, F::OutsideBand},
            {5, C::TxFrequency, F::OutsideBand}};
        std::vector<std::tuple<int, C, F>> found;
        for (const ChannelFrequencyFault& f : ImageFrequencyFaults(image, kBand130to160))
            found.emplace_back(f.channel, f.field, f.fault);
        QVERIFY(found == expected);
        QCOMPARE(ChannelsOutsideBand(image, kBand130to160), 3);
        const auto unbanded = ImageFrequencyFaults(image, BandLimits{});
        QCOMPARE(int(unbanded.size()), 2); // channel 3's tx and channel 4's rx are off step
        QCOMPARE(unbanded[0].channel, 3);
        QVERIFY(FrequencyFaultText(F::OutsideBand, kBand130to160, Language::English)
                    .contains("130.00000 - 160.00000"));
    }
};

TEST_CLASS(ChannelEditTest)
#include "tst_channel_edit.moc"
