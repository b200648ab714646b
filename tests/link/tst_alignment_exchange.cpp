// The alignment exchange against a scripted radio on a fake link.

#include "AlignmentExchange.h"
#include "FakeLink.h"
#include "Files.h"
#include "ScriptedRadio.h"
#include "TestSuite.h"

#include <QTest>

namespace {

const QStringList kGreetingFrames = {"02", "50", "52", "4F", "47", "52", "41", "4D"};

struct AlignmentRig {
    explicit AlignmentRig(const RadioImage& memory) : radio(memory) {
        link.radio = [this](const QByteArray& bytes) { return radio.answer(bytes); };
    }
    ExchangeOutcome read(CalibrationTable table, Language language, RadioImage& image) {
        return AlignmentExchange(link, table, language).read(QStringLiteral("COM2"), image);
    }
    ExchangeOutcome write(CalibrationTable table, Language language, const RadioImage& image) {
        return AlignmentExchange(link, table, language).write(QStringLiteral("COM2"), image);
    }
    ScriptedRadio radio;
    FakeLink link;
};

} // namespace

class AlignmentExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void readsPowerTableFrames() {
        AlignmentRig rig(PatternImage(1));
        RadioImage image = NewImage();
        const ExchangeOutcome outcome = rig.read(CalibrationTable::Power, Language::Chinese, image);
        QCOMPARE(outcome.result, ExchangeResult::Success);
        QCOMPARE(outcome.message, QStringLiteral("讀數據成功"));
        const QStringList blockFrames = {"02",          "06", "52 03 C0 08", "06",
                                         "52 03 C8 08", "06", "52 03 D0 06", "06"};
        QCOMPARE(rig.link.writtenFrames(), kGreetingFrames + blockFrames);
        RadioImage expected = NewImage();
        std::copy(&rig.radio.memory[960], &rig.radio.memory[982], &expected[960]);
        QCOMPARE(ImageBytes(image), ImageBytes(expected));
        QCOMPARE(rig.link.timeouts.readTotalMs(8), 100 + 8 * 50);
        QVERIFY(!rig.link.isOpen());
    }

    void writesSquelchTableFrames() {
        const RadioImage before = NewImage();
        AlignmentRig rig(before);
        const RadioImage image = PatternImage(2);
        const ExchangeOutcome outcome =
            rig.write(CalibrationTable::Squelch, Language::English, image);
        QCOMPARE(outcome.result, ExchangeResult::Success);
        QCOMPARE(outcome.message, QStringLiteral("Write Successfully"));
        const QStringList frames = rig.link.writtenFrames(kGreetingFrames.size() + 2);
        QCOMPARE(frames.size(), 2);
        QCOMPARE(frames[0],
                 "57 03 B0 08 " + Hex(QByteArray(reinterpret_cast<const char*>(&image[944]), 8)));
        QCOMPARE(frames[1],
                 "57 03 B8 03 " + Hex(QByteArray(reinterpret_cast<const char*>(&image[952]), 3)));
        RadioImage expected = before;
        std::copy(&image[944], &image[955], &expected[944]);
        QCOMPARE(ImageBytes(rig.radio.memory), ImageBytes(expected));
        QCOMPARE(rig.link.timeouts.readTotalMs(1), 200);
    }

    void handshakeGivesUpAfterFourAttempts_data() {
        QTest::addColumn<int>("table");
        QTest::addColumn<bool>("writing");
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("message");
        QTest::newRow("power read") << int(CalibrationTable::Power) << false << true << "通信出錯";
        QTest::newRow("power write") << int(CalibrationTable::Power) << true << true << "通訊出錯";
        QTest::newRow("squelch write")
            << int(CalibrationTable::Squelch) << true << true << "通信出錯";
        QTest::newRow("english") << int(CalibrationTable::Power) << true << false
                                 << "Communication Error";
    }

    void handshakeGivesUpAfterFourAttempts() {
        QFETCH(int, table);
        QFETCH(bool, writing);
        QFETCH(bool, chinese);
        QFETCH(QString, message);
        const Language language = chinese ? Language::Chinese : Language::English;
        for (bool answersSomethingElse : {false, true}) {
            AlignmentRig rig(NewImage());
            rig.radio.answerGreeting = answersSomethingElse;
            rig.radio.greetingAnswer = 0x15; // an answer, but not 06
            RadioImage image = PatternImage(3);
            const ExchangeOutcome outcome =
                writing ? rig.write(CalibrationTable(table), language, image)
                        : rig.read(CalibrationTable(table), language, image);
            QCOMPARE(outcome.result, ExchangeResult::CommunicationFailed);
            QCOMPARE(outcome.message, message);
            QCOMPARE(rig.link.writtenFrames(),
                     kGreetingFrames + kGreetingFrames + kGreetingFrames + kGreetingFrames);
            QVERIFY(image == PatternImage(3));
            QVERIFY(!rig.link.isOpen());
        }
    }

    void failedReadLeavesTheImage_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("short identification") << "identification";
        QTest::newRow("short reply in block 2") << "short";
        QTest::newRow("no reply from block 3") << "silent";
        QTest::newRow("wrong acknowledge of block 3") << "bad-ack";
    }

    void failedReadLeavesTheImage() {
        QFETCH(QString, fault);
        AlignmentRig rig(PatternImage(4));
        if (fault == "identification")
            rig.radio.identificationLength = 7;
        if (fault == "short")
            rig.radio.shortReplyAtBlock = 2;
        if (fault == "silent")
            rig.radio.silentFromBlock = 3;
        if (fault == "bad-ack")
            rig.radio.badAckAtBlock = 3;
        RadioImage image = NewImage();
        const ExchangeOutcome outcome = rig.read(CalibrationTable::Power, Language::Chinese, image);
        QCOMPARE(outcome.result, ExchangeResult::CommunicationFailed);
        QCOMPARE(outcome.message, QStringLiteral("通信出錯"));
        QVERIFY(image == NewImage());
        QVERIFY(!rig.link.isOpen());
    }

    void unacknowledgedWriteBlockAndClosedPort() {
        AlignmentRig rig(NewImage());
        rig.radio.badAckAtBlock = 2;
        ExchangeOutcome outcome =
            rig.write(CalibrationTable::Power, Language::Chinese, PatternImage(5));
        QCOMPARE(outcome.result, ExchangeResult::CommunicationFailed);
        QCOMPARE(outcome.message, QStringLiteral("通信出錯")); // a block, not the handshake
        QCOMPARE(rig.link.writtenFrames(kGreetingFrames.size() + 2).size(), 2);

        rig.link.writes.clear();
        rig.link.openFailure = QStringLiteral("/dev/ttyUSB1: busy");
        outcome = rig.write(CalibrationTable::Squelch, Language::English, PatternImage(5));
        QCOMPARE(outcome.result, ExchangeResult::PortOpenFailed);
        QCOMPARE(outcome.message, QStringLiteral("Could not open the port"));
        QCOMPARE(outcome.portDetail, rig.link.openFailure);
        QVERIFY(rig.link.writes.isEmpty());
        outcome = rig.write(CalibrationTable::Squelch, Language::Chinese, PatternImage(5));
        QCOMPARE(outcome.message, QStringLiteral("无法打开串口")); // the power table's is English
    }
};

TEST_CLASS(AlignmentExchangeTest)
#include "tst_alignment_exchange.moc"
