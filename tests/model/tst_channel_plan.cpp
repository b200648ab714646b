// Channel plans: the shipped plan files read and keep their own rules, the rules find
// each kind of breach, a broken plan file is refused with the place it is wrong, a
// user's plan replaces a shipped one of the same name, and a new image takes only the
// plan channels its band holds.
#include "document/ChannelPlan.h"
#include "radio/ChannelRecord.h"
#include "radio/ImageMap.h"
#include "tests/support/Files.h"
#include "tests/support/TestSuite.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kShippedPlans = QStringLiteral(TEST_SOURCE_DIR "/resources/plans");

// Every frequency the radio holds: the plans' own band checks are not under test here.
constexpr BandLimits kEveryFrequency{1, kHighestFrequencyUnits};

ChannelPlan PlanOf(const QByteArray& json) {
    ChannelPlan plan;
    QString error;
    if (!ReadChannelPlan(json, QStringLiteral("test"), &plan, &error))
        qWarning("%s", qPrintable(error));
    return plan;
}

// "Field:Rule" for each breach of channel 1, in the order found.
QStringList BreachNames(const RadioImage& image, const PlanRules& rules) {
    static const char* const fields[] = {"Rx",    "Tx",      "Decode",    "Encode", "Power",
                                         "Scan",  "Busy",    "Bandwidth", "Compand"};
    static const char* const kinds[] = {"Frequency", "Simplex", "Bandwidth", "Power", "Tones"};
    QStringList names;
    for (const PlanBreach& breach : PlanBreaches(image, rules))
        names << QStringLiteral("%1:%2").arg(fields[int(breach.field)], kinds[int(breach.rule)]);
    return names;
}

} // namespace

class ChannelPlanTest : public QObject {
    Q_OBJECT
private slots:
    // A slip in a shipped file (a digit, a step, a bandwidth) shows as a plan whose own
    // channels break its own rules, or as a file that does not read.
    void shippedPlansKeepTheirOwnRules() {
        QStringList problems;
        const std::vector<ChannelPlan> plans = LoadChannelPlans({kShippedPlans}, &problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        const std::map<QString, int> counts = {
            {"pmr446", 16}, {"frs", 22}, {"murs", 5}, {"marine-vhf", 15}, {"business-example", 3}};
        QCOMPARE(int(plans.size()), int(counts.size()));
        for (const ChannelPlan& plan : plans) {
            QVERIFY2(counts.count(plan.id), qPrintable(plan.id));
            QCOMPARE(int(plan.channels.size()), counts.at(plan.id));
            QVERIFY(!plan.nameIn(Language::Chinese).isEmpty());
            QVERIFY(!plan.descriptionIn(Language::Chinese).isEmpty());
            QVERIFY(!plan.source.isEmpty());
            for (std::size_t first = 0; first < plan.channels.size();
                 first += ImageMap::kChannelCount) {
                ChannelPlan part = plan;
                part.channels.erase(part.channels.begin(), part.channels.begin() + long(first));
                RadioImage image = NewImage();
                int leftOut = 0;
                WritePlanChannels(part, kEveryFrequency, image, &leftOut);
                QVERIFY2(PlanBreaches(image, plan.rules).empty(), qPrintable(plan.id));
            }
        }
        // The published edges of PMR446: 446.00625 to 446.19375 MHz, 12.5 kHz apart.
        const ChannelPlan* pmr = FindChannelPlan(plans, QStringLiteral("PMR446"));
        QVERIFY(pmr);
        QCOMPARE(pmr->channels.front().rx.units, 44600625LL);
        QCOMPARE(pmr->channels.back().rx.units, 44619375LL);
        QVERIFY(!pmr->rules.allowsFrequency(44600000));
        QVERIFY(!pmr->rules.allowsFrequency(44620625));
    }

    void rulesFindEachBreach_data() {
        QTest::addColumn<QByteArray>("rules");
        QTest::addColumn<std::function<void(Channel&)>>("change");
        QTest::addColumn<QStringList>("breaches");
        using Change = std::function<void(Channel&)>;
        const QByteArray strict =
            R"("ranges": [{"from": "446.00625", "to": "446.19375", "step_khz": "12.5"}],
            "bandwidth": "Narrow", "max_power": "Low", "simplex": true, "tones": false)";
        QTest::newRow("as the plan") << strict << Change([](Channel&) {}) << QStringList{};
        QTest::newRow("between two steps")
            << strict << Change([](Channel& c) { c.rx.units = c.tx.units = 44601250; })
            << QStringList{"Rx:Frequency", "Tx:Frequency"};
        QTest::newRow("past the last channel")
            << strict << Change([](Channel& c) { c.rx.units = c.tx.units = 44620625; })
            << QStringList{"Rx:Frequency", "Tx:Frequency"};
        QTest::newRow("split transmit")
            << strict << Change([](Channel& c) { c.tx.units = 44601875; })
            << QStringList{"Tx:Simplex"};
        QTest::newRow("receive only") << strict << Change([](Channel& c) { c.tx.units = 0; })
                                      << QStringList{};
        QTest::newRow("wide, high, with tones") << strict << Change([](Channel& c) {
            c.bandwidth = Bandwidth::Wide;
            c.power = Power::High;
            c.decodeTone = Tone{ToneTextToCode(QStringLiteral("88.5"))};
            c.encodeTone = Tone{ToneTextToCode(QStringLiteral("D023N"))};
        }) << QStringList{"Decode:Tones", "Encode:Tones", "Power:Power", "Bandwidth:Bandwidth"};
        const QByteArray listed = R"("frequencies": ["446.00625", "451.18750"], "simplex": false)";
        QTest::newRow("listed split pair")
            << listed << Change([](Channel& c) { c.tx.units = 45118750; }) << QStringList{};
        QTest::newRow("transmit off the list")
            << listed << Change([](Channel& c) { c.tx.units = 45618750; })
            << QStringList{"Tx:Frequency"};
        QTest::newRow("no frequency rule")
            << QByteArray(R"("tones": true)")
            << Change([](Channel& c) { c.rx.units = c.tx.units = 14652000; }) << QStringList{};
    }

    void rulesFindEachBreach() {
        QFETCH(QByteArray, rules);
        QFETCH(std::function<void(Channel&)>, change);
        const ChannelPlan plan = PlanOf(R"({"name": "test", "channels": [{"rx": "446.00625"}],
            "rules": {)" + rules + "}}");
        QCOMPARE(int(plan.channels.size()), 1);
        Channel channel = plan.channels.front();
        change(channel);
        RadioImage image = NewImage();
        WriteChannel(channel, 1, image);
        QTEST(BreachNames(image, plan.rules), "breaches");
    }

    void brokenPlansAreRefused_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("said");
        const QByteArray channel = R"("channels": [{"rx": "446.00625"}])";
        QTest::newRow("not JSON") << QByteArray("{\"name\": ") << "not a JSON object";
        QTest::newRow("no name") << "{" + channel + "}" << "no name";
        QTest::newRow("no channels")
            << QByteArray(R"({"name": "x", "channels": []})") << "no channels";
        QTest::newRow("word for a frequency")
            << QByteArray(R"({"name": "x", "channels": [{"rx": "446 MHz"}]})")
            << "channels[0].rx: \"446 MHz\" is not a frequency in MHz";
        QTest::newRow("off the channel step")
            << QByteArray(R"({"name": "x", "channels": [{"rx": "446.00100"}]})")
            << "neither the 5 kHz nor the 6.25 kHz";
        QTest::newRow("unknown tone")
            << QByteArray(R"({"name": "x", "channels": [{"rx": "446.00625", "decode": "88.4"}]})")
            << "channels[0].decode: \"88.4\" is not a tone";
        QTest::newRow("unknown bandwidth")
            << "{\"name\": \"x\", \"rules\": {\"bandwidth\": \"Medium\"}, " + channel + "}"
            << "rules.bandwidth: \"Medium\" is not one of Narrow, Wide";
        QTest::newRow("range upside down") << "{\"name\": \"x\", \"rules\": {\"ranges\": "
                                              "[{\"from\": \"446.1\", \"to\": \"446.0\", "
                                              "\"step_khz\": \"12.5\"}]}, " +
                                                  channel + "}"
                                           << "rules.ranges[0]: \"to\" lies below \"from\"";
        QTest::newRow("no step") << "{\"name\": \"x\", \"rules\": {\"ranges\": [{\"from\": "
                                    "\"446.0\", \"to\": \"446.1\"}]}, " +
                                        channel + "}"
                                 << "rules.ranges[0].step_khz";
    }

    void brokenPlansAreRefused() {
        QFETCH(QByteArray, json);
        QFETCH(QString, said);
        ChannelPlan plan;
        QString error;
        QVERIFY(!ReadChannelPlan(json, QStringLiteral("x"), &plan, &error));
        QVERIFY2(error.contains(said), qPrintable(error));
    }

    void userPlanReplacesShippedOne() {
        QTemporaryDir user;
        QVERIFY(WriteFileBytes(user.filePath("PMR446.json"),
                               R"({"name": "Our PMR", "channels": [{"rx": "446.00625"}]})"));
        QVERIFY(WriteFileBytes(user.filePath("broken.json"), "{"));
        QStringList problems;
        const std::vector<ChannelPlan> plans =
            LoadChannelPlans({kShippedPlans, user.path(), user.filePath("missing")}, &problems);
        QCOMPARE(problems.size(), 1);
        QVERIFY(problems.first().startsWith(user.filePath("broken.json")));
        const ChannelPlan* pmr = FindChannelPlan(plans, QStringLiteral("pmr446"));
        QVERIFY(pmr);
        QCOMPARE(pmr->nameIn(Language::English), QStringLiteral("Our PMR"));
        QVERIFY(FindChannelPlan(plans, QStringLiteral("frs")));
    }

    void newImageTakesWhatItsBandHolds() {
        QStringList problems;
        const std::vector<ChannelPlan> plans = LoadChannelPlans({kShippedPlans}, &problems);
        const ChannelPlan* frs = FindChannelPlan(plans, QStringLiteral("frs"));
        QVERIFY(frs);
        RadioImage image = NewImage();
        const RadioImage before = image;
        int leftOut = 0;
        QCOMPARE(WritePlanChannels(*frs, BandLimits{45000000, 52000000}, image, &leftOut), 16);
        QCOMPARE(leftOut, 6);
        QCOMPARE(ReadChannel(image, 16).rx, frs->channels[15].rx);
        // Outside the channel records and the scan list nothing changed.
        const int recordsBegin = ImageMap::channelRecord(1);
        const int recordsEnd = ImageMap::channelRecord(ImageMap::kChannelCount + 1);
        for (int at = 0; at < int(image.size()); ++at) {
            const bool scanList = at == ImageMap::kScanListLow || at == ImageMap::kScanListHigh;
            if ((at < recordsBegin || at >= recordsEnd) && !scanList)
                QCOMPARE(image[at], before[at]);
        }
        // A VHF band holds none of FRS; MURS is all VHF.
        RadioImage vhf = NewImage();
        QCOMPARE(WritePlanChannels(*frs, BandLimits{13600000, 17400000}, vhf, &leftOut), 0);
        QCOMPARE(leftOut, 22);
        QCOMPARE(WritePlanChannels(*FindChannelPlan(plans, QStringLiteral("murs")),
                                   BandLimits{13600000, 17400000}, vhf, &leftOut),
                 5);
        QVERIFY(ReadChannel(vhf, 6).empty);
    }
};

TEST_CLASS(ChannelPlanTest)
#include "tst_channel_plan.moc"
