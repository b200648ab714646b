// A read reply must be the one asked for: header 57 high low n, n data bytes and
// nothing more. Anything else fails the block and leaves the image as it was. A write
// can be read back and compared.

#include "AlignmentExchange.h"
#include "FakeLink.h"
#include "Files.h"
#include "ProgrammingExchange.h"
#include "ScriptedRadio.h"
#include "TestSuite.h"

#include <QTest>

namespace {

using Disturbance = std::function<QByteArray(const QByteArray& reply)>;

// A scripted radio on a fake link whose reply to read request `block` is disturbed.
struct Rig {
    Rig(const RadioImage& memory, int block, Disturbance disturbance) : radio(memory) {
        link.radio = [this](const QByteArray& bytes) { return radio.answer(bytes); };
        radio.disturbReply = [block, disturbance](int n, const QByteArray& reply) {
            return n == block && disturbance ? disturbance(reply) : reply;
        };
    }
    ScriptedRadio radio;
    FakeLink link;
};

} // namespace

Q_DECLARE_METATYPE(Disturbance)

class ReplyChecksTest : public QObject {
    Q_OBJECT
private slots:
    void disturbedReplyFailsTheRead_data() {
        QTest::addColumn<Disturbance>("disturbance");
        QTest::newRow("our request echoed first")
            << Disturbance([](const QByteArray& reply) { return "R" + reply.mid(1, 3) + reply; });
        QTest::newRow("first byte not 57") << Disturbance([](QByteArray reply) {
            reply[0] = 'R';
            return reply;
        });
        QTest::newRow("another address") << Disturbance([](QByteArray reply) {
            reply[2] = static_cast<char>(reply[2] + 8);
            return reply;
        });
        QTest::newRow("another length") << Disturbance([](QByteArray reply) {
            reply[3] = static_cast<char>(reply[3] - 1);
            return reply;
        });
        QTest::newRow("header cut by a pause")
            << Disturbance([](const QByteArray& reply) { return reply.left(1); });
        QTest::newRow("no reply in time")
            << Disturbance([](const QByteArray&) { return QByteArray(); });
        QTest::newRow("a surplus byte after the data")
            << Disturbance([](const QByteArray& reply) { return reply + "\x06"; });
        QTest::newRow("an acknowledge instead of the reply") << Disturbance(
            [](const QByteArray&) { return QByteArray(1, LinkProtocol::kAcknowledge); });
    }

    void disturbedReplyFailsTheRead() {
        QFETCH(Disturbance, disturbance);
        Rig rig(PatternImage(1), 41, disturbance);
        RadioImage image = NewImage();
        const ExchangeOutcome outcome = ProgrammingExchange(rig.link, {}).read("COM1", image);
        QCOMPARE(outcome.result, ExchangeResult::ProgramInterrupt);
        QCOMPARE(outcome.message, QString(kProgramInterruptText));
        QVERIFY(image == NewImage());
        QCOMPARE(rig.radio.blocks, 41); // nothing asked after the disturbed block
    }
    void disturbedReplyFailsTheAlignmentRead_data() { disturbedReplyFailsTheRead_data(); }

    void disturbedReplyFailsTheAlignmentRead() {
        QFETCH(Disturbance, disturbance);
        Rig rig(PatternImage(2), 2, disturbance);
        RadioImage image = NewImage();
        const ExchangeOutcome outcome =
            AlignmentExchange(rig.link, CalibrationTable::Power, Language::English)
                .read("COM1", image);
        QCOMPARE(outcome.result, ExchangeResult::CommunicationFailed);
        QVERIFY(image == NewImage());
    }

    void verifyReadsBackWhatWasWritten() {
        Rig rig(NewImage(), 0, {});
        const RadioImage image = PatternImage(3);
        ProgrammingExchange exchange(rig.link, {});
        QVERIFY(exchange.write("COM1", image, false).succeeded());
        int firstDifference = 0;
        QVERIFY(exchange.verify("COM1", image, false, &firstDifference).succeeded());
        QCOMPARE(firstDifference, -1);
        QCOMPARE(rig.radio.greetings, 2); // the read back has a handshake of its own
        QCOMPARE(rig.radio.blocks, static_cast<int>(WritePlan(false).size()));
    }

    void verifyNamesTheFirstDifference() {
        Rig rig(PatternImage(5), 0, {}); // differs from PatternImage(4) at every byte
        rig.radio.dropWriteAtBlock = 5;  // acknowledged, not stored
        const RadioImage image = PatternImage(4);
        ProgrammingExchange exchange(rig.link, {});
        QVERIFY(exchange.write("COM1", image, true).succeeded());
        rig.radio.dropWriteAtBlock = 0;
        int firstDifference = -1;
        QVERIFY(exchange.verify("COM1", image, true, &firstDifference).succeeded());
        QCOMPARE(firstDifference, WritePlan(true).at(4).address);
    }

    void verifyFailsWhenTheReadBackFails() {
        Rig rig(NewImage(), 3, [](const QByteArray&) { return QByteArray(1, 0x06); });
        const RadioImage image = PatternImage(5);
        ProgrammingExchange exchange(rig.link, {});
        int firstDifference = 0;
        const ExchangeOutcome outcome = exchange.verify("COM1", image, false, &firstDifference);
        QCOMPARE(outcome.result, ExchangeResult::ProgramInterrupt);
        QCOMPARE(firstDifference, -1);
    }
};

TEST_CLASS(ReplyChecksTest)
#include "tst_reply_checks.moc"
