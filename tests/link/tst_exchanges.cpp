// The programming and alignment exchanges against a scripted radio on a fake link: the
// frames they send, how they count attempts, give up and cancel, and the replies they
// refuse (a read reply must be the one asked for: header 57 high low n, n data bytes and
// nothing more; anything else fails the block and leaves the image as it was).

#include "link/AlignmentExchange.h"
#include "tests/support/FakeLink.h"
#include "tests/support/Files.h"
#include "link/ProgrammingExchange.h"
#include "tests/support/ScriptedRadio.h"
#include "tests/support/TestSuite.h"

#include <QTest>

namespace {

// The greeting bytes, the identification request and the handshake acknowledge.
const QStringList kHandshakeFrames = {"02", "50", "52", "4F", "47", "52", "41", "4D", "02", "06"};
const QStringList kGreetingFrames = kHandshakeFrames.mid(0, 8);

QString FrameHeader(char command, int address, int length) {
    return QString::asprintf("%02X %02X %02X %02X", command, address >> 8, address & 0xFF, length);
}

// A scripted radio on a fake link, and callbacks that record what they saw.
struct Rig {
    explicit Rig(const RadioImage& memory) : radio(memory) {
        link.radio = [this](const QByteArray& bytes) {
            const QByteArray answer = radio.answer(bytes);
            if (pullCableAtBlock > 0 && radio.blocks == pullCableAtBlock)
                link.failNextReads = 1000;
            return answer;
        };
        callbacks.progress = [this](int d, int t) {
            done = d;
            total = t;
        };
        callbacks.isCancelled = [this] {
            ++cancelChecks;
            return cancelWhen && cancelWhen();
        };
        callbacks.askRetry = [this] {
            ++retryQuestions;
            return retriesGranted-- > 0;
        };
    }

    ExchangeOutcome read(RadioImage& image) {
        ProgrammingExchange exchange(link, callbacks);
        return exchange.read(QStringLiteral("COM1"), image);
    }
    ExchangeOutcome write(const RadioImage& image, bool alignmentUnlocked) {
        ProgrammingExchange exchange(link, callbacks);
        return exchange.write(QStringLiteral("COM1"), image, alignmentUnlocked);
    }
    ExchangeOutcome read(CalibrationTable table, Language language, RadioImage& image) {
        return AlignmentExchange(link, table, language).read(QStringLiteral("COM2"), image);
    }
    ExchangeOutcome write(CalibrationTable table, Language language, const RadioImage& image) {
        return AlignmentExchange(link, table, language).write(QStringLiteral("COM2"), image);
    }
    // A radio that fails at `block` in the way `fault` names.
    void fail(const QString& fault, int block) {
        if (fault == "silent")
            radio.silentFromBlock = block;
        else if (fault == "bad-ack")
            radio.badAckAtBlock = block;
        else if (fault == "short")
            radio.shortReplyAtBlock = block;
        else if (fault == "pulled")
            pullCableAtBlock = block;
    }
    int greetingsSent() const { return static_cast<int>(link.writes.count(QByteArray("P"))); }
    bool closedAfterUse() const { return !link.isOpen() && link.closes == link.opens; }

    ScriptedRadio radio;
    FakeLink link;
    ExchangeCallbacks callbacks;
    int pullCableAtBlock = 0;
    int done = -1;
    int total = -1;
    int cancelChecks = 0;
    int retryQuestions = 0;
    int retriesGranted = 0;
    std::function<bool()> cancelWhen;
};

using Disturbance = std::function<QByteArray(const QByteArray& reply)>;

} // namespace

class ProgrammingExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void plansCutBlocksAtMultiplesOfEight() {
        QCOMPARE(CutIntoBlocks({{955, 960}}), (QVector<TransferBlock>{{955, 5}}));
        QCOMPARE(CutIntoBlocks({{982, 1009}}),
                 (QVector<TransferBlock>{{982, 2}, {984, 8}, {992, 8}, {1000, 8}, {1008, 1}}));

        const QVector<TransferBlock> read = ReadPlan();
        QCOMPARE(read.size(), 128);
        QCOMPARE(read.last(), (TransferBlock{0x3F8, 8}));

        // Every byte the plans send, and how often.
        for (bool unlocked : {false, true}) {
            const QVector<TransferBlock> plan = WritePlan(unlocked);
            QCOMPARE(plan.size(), unlocked ? 127 : 122);
            QVector<int> sent(ImageMap::kImageSize, 0);
            for (const TransferBlock& block : plan) {
                QVERIFY(block.length >= 1 &&
                        block.address / 8 == (block.address + block.length - 1) / 8);
                for (int a = block.address; a < block.address + block.length; ++a)
                    ++sent[a];
            }
            for (int a = 0; a < ImageMap::kImageSize; ++a) {
                const bool calibration = (a >= 0x330 && a <= 0x33F) || (a >= 0x3B0 && a <= 0x3BA) ||
                                         (a >= 0x3C0 && a <= 0x3D5);
                const bool expected = a < 0x3F1 && (unlocked || !calibration);
                QVERIFY2(sent[a] == (expected ? 1 : 0), qPrintable(QString::number(a, 16)));
            }
        }
    }

    // The radio's identification comes 5 bytes short: the programming read does not insist.
    void readSendsTheFramesOfTheWorkedExample() {
        Rig rig(PatternImage(3));
        rig.radio.identificationLength = 3;
        RadioImage image = NewImage();
        const ExchangeOutcome outcome = rig.read(image);
        QCOMPARE(outcome.result, ExchangeResult::Success);
        QVERIFY(outcome.message.isEmpty());
        QStringList expected = kHandshakeFrames;
        for (int block = 0; block < 128; ++block)
            expected << FrameHeader('R', 8 * block, 8) << "06";
        QCOMPARE(rig.link.writtenFrames(), expected);
        QVERIFY(image == rig.radio.memory);
        QCOMPARE(rig.done, 128);
        QCOMPARE(rig.total, 128);
        QVERIFY(rig.closedAfterUse());
        QCOMPARE(rig.link.timeouts.readTotalMs(1), 590);
        QCOMPARE(rig.link.timeouts.interByteMs, 30);
    }

    // Header and data of every block of the plan (pinned above), and nothing else.
    void writeSendsItsPlanAndNothingElse() {
        for (bool unlocked : {false, true}) {
            Rig rig(NewImage());
            const RadioImage image = PatternImage(5);
            QCOMPARE(rig.write(image, unlocked).result, ExchangeResult::Success);
            const QVector<TransferBlock> plan = WritePlan(unlocked);
            QStringList expected = kHandshakeFrames;
            for (const TransferBlock& block : plan)
                expected << FrameHeader('W', block.address, block.length)
                         << Hex(ImageBytes(image).mid(block.address, block.length));
            QCOMPARE(rig.link.writtenFrames(), expected);
            QCOMPARE(rig.done, static_cast<int>(plan.size()));
            QCOMPARE(rig.total, static_cast<int>(plan.size()));
        }
    }

    void handshakeCountsItsAttempts_data() {
        QTest::addColumn<int>("readErrors");  // greeting answers lost to a failing line
        QTest::addColumn<int>("refusedAcks"); // handshake acknowledges left unanswered
        QTest::addColumn<int>("retries");     // Retry answers the user gives
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("greetings");
        const int ok = int(ExchangeResult::Success);
        const int failed = int(ExchangeResult::CommunicationFailed);
        const int interrupt = int(ExchangeResult::ProgramInterrupt);
        QTest::newRow("no acknowledge, Cancel") << 0 << 1000 << 0 << failed << 1 << 1;
        QTest::newRow("no acknowledge, Retry, then acknowledged") << 0 << 1 << 1 << ok << 1 << 2;
        QTest::newRow("Retry twice") << 0 << 2 << 2 << ok << 2 << 3;
        QTest::newRow("14 read errors, then through") << 14 << 0 << 0 << ok << 0 << 15;
        QTest::newRow("15 read errors ask") << 15 << 0 << 0 << failed << 1 << 15;
        QTest::newRow("15 read errors, Retry") << 15 << 0 << 1 << ok << 1 << 16;
        QTest::newRow("4 read errors, no acknowledge asks") << 4 << 1 << 0 << failed << 1 << 5;
        QTest::newRow("5 read errors, no acknowledge interrupts")
            << 5 << 1 << 0 << interrupt << 0 << 6;
    }

    void handshakeCountsItsAttempts() {
        QFETCH(int, readErrors);
        QFETCH(int, refusedAcks);
        QFETCH(int, retries);
        Rig rig(PatternImage(2));
        rig.link.failNextReads = readErrors;
        rig.radio.refuseHandshakeAcks = refusedAcks;
        rig.retriesGranted = retries;
        RadioImage image = NewImage();
        const RadioImage before = image;
        const ExchangeOutcome outcome = rig.read(image);
        QTEST(int(outcome.result), "result");
        QTEST(rig.retryQuestions, "questions");
        QTEST(rig.greetingsSent(), "greetings");
        QVERIFY(rig.closedAfterUse());
        if (outcome.result == ExchangeResult::CommunicationFailed)
            QCOMPARE(outcome.message, QString::fromUtf8(kCommunicationErrorText));
        if (outcome.result == ExchangeResult::ProgramInterrupt)
            QCOMPARE(outcome.message, QString::fromUtf8(kProgramInterruptText));
        QVERIFY(outcome.succeeded() ? image == rig.radio.memory : image == before);
    }

    void silentRadioCostsTheReadTimeOuts() {
        Rig rig(PatternImage(2));
        rig.radio.answerGreeting = false;
        RadioImage image = NewImage();
        QCOMPARE(rig.read(image).result, ExchangeResult::CommunicationFailed);
        // Greeting answer 90 + 500, identification 90 + 8 x 500, acknowledge 90 + 500; the
        // pauses of the greeting and the cancel checks add a few milliseconds.
        QVERIFY2(rig.link.elapsedMs >= 5270 && rig.link.elapsedMs < 5300,
                 qPrintable(QString::number(rig.link.elapsedMs)));
        QCOMPARE(rig.link.writtenFrames(), kHandshakeFrames);
    }

    void radioFailingMidTransferInterrupts_data() {
        QTest::addColumn<bool>("writing");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("block");
        QTest::newRow("write: radio stops answering") << true << "silent" << 50;
        QTest::newRow("write: wrong acknowledge") << true << "bad-ack" << 7;
        QTest::newRow("read: radio stops answering") << false << "silent" << 90;
        QTest::newRow("read: wrong acknowledge") << false << "bad-ack" << 128;
        QTest::newRow("read: cable pulled") << false << "pulled" << 3;
        QTest::newRow("read: reply one byte short") << false << "short" << 41;
    }

    void radioFailingMidTransferInterrupts() {
        QFETCH(bool, writing);
        QFETCH(QString, fault);
        QFETCH(int, block);
        Rig rig(NewImage());
        rig.fail(fault, block);
        RadioImage image = PatternImage(4);
        const RadioImage original = image;
        const ExchangeOutcome outcome = writing ? rig.write(image, false) : rig.read(image);
        QCOMPARE(outcome.result, ExchangeResult::ProgramInterrupt);
        QCOMPARE(outcome.message, QString::fromUtf8(kProgramInterruptText));
        QCOMPARE(rig.done, block - 1);
        QVERIFY(rig.closedAfterUse());
        QVERIFY(image == original); // not even the blocks that did arrive
        if (!writing && fault != "bad-ack") // a block without its reply is not acknowledged
            QCOMPARE(rig.link.writtenFrames().last(), FrameHeader('R', 8 * (block - 1), 8));
    }

    void cancelIsSeenOnlyAtItsPoints_data() {
        QTest::addColumn<bool>("writing");
        QTest::addColumn<int>("cancelAfterBlock"); // -1: cancelled before the start
        QTest::newRow("read, before") << false << -1;
        QTest::newRow("read, after block 10") << false << 10;
        QTest::newRow("read, after the last block") << false << 128;
        QTest::newRow("write, before") << true << -1;
        QTest::newRow("write, after block 10") << true << 10;
    }

    void cancelIsSeenOnlyAtItsPoints() {
        QFETCH(bool, writing);
        QFETCH(int, cancelAfterBlock);
        Rig rig(NewImage());
        rig.cancelWhen = [&] { return rig.done >= cancelAfterBlock; };
        RadioImage image = PatternImage(8);
        const RadioImage original = image;
        const ExchangeOutcome outcome = writing ? rig.write(image, true) : rig.read(image);
        QCOMPARE(outcome.result, ExchangeResult::Cancelled);
        QVERIFY(outcome.message.isEmpty());
        QVERIFY(rig.closedAfterUse());
        QVERIFY(image == original);
        if (cancelAfterBlock < 0) {
            QCOMPARE(rig.cancelChecks, 1);
            QVERIFY(rig.link.writes.isEmpty());
            return;
        }
        // Six checks before the handshake, nine after each block; the first check after
        // the block that set the flag ends the exchange.
        QCOMPARE(rig.cancelChecks, 6 + 9 * (cancelAfterBlock - 1) + 1);
        QCOMPARE(rig.link.writes.size(), kHandshakeFrames.size() + 2 * cancelAfterBlock);
    }

    void portThatWillNotOpen() {
        Rig rig(NewImage());
        rig.link.openFailure = QStringLiteral("/dev/ttyUSB0: no such device");
        RadioImage image = PatternImage(1);
        const ExchangeOutcome outcome = rig.read(image);
        QCOMPARE(outcome.result, ExchangeResult::PortOpenFailed);
        QCOMPARE(outcome.message, QString::fromUtf8(kCouldNotOpenPortText));
        QCOMPARE(outcome.portDetail, rig.link.openFailure);
        QVERIFY(rig.link.writes.isEmpty());
        QCOMPARE(rig.cancelChecks, 0);
        QVERIFY(image == PatternImage(1));
    }
};

TEST_CLASS(ProgrammingExchangeTest)

Q_DECLARE_METATYPE(Disturbance)

class ReplyChecksTest : public QObject {
    Q_OBJECT
private slots:
    void disturbedReplyFailsTheRead_data() {
        QTest::addColumn<Disturbance>("disturbance");
        QTest::newRow("our request echoed first")
            << Disturbance([](const QByteArray& reply) { return "R" + reply.mid(1, 3) + reply; });
        QTest::newRow("first byte not 57")
            << Disturbance([](const QByteArray& reply) { return "R" + reply.mid(1); });
        QTest::newRow("another address") << Disturbance(
            [](const QByteArray& reply) { return reply.left(2) + char(reply[2] + 8) + reply.mid(3); });
        QTest::newRow("another length") << Disturbance(
            [](const QByteArray& reply) { return reply.left(3) + char(reply[3] - 1) + reply.mid(4); });
        QTest::newRow("header cut by a pause")
            << Disturbance([](const QByteArray& reply) { return reply.left(1); });
        QTest::newRow("no reply in time")
            << Disturbance([](const QByteArray&) { return QByteArray(); });
        QTest::newRow("a surplus byte after the data")
            << Disturbance([](const QByteArray& reply) { return reply + "\x06"; });
        QTest::newRow("an acknowledge instead of the reply") << Disturbance(
            [](const QByteArray&) { return QByteArray(1, LinkProtocol::kAcknowledge); });
    }

    // Block 41 of a programming read, block 2 of an alignment read.
    void disturbedReplyFailsTheRead() {
        QFETCH(Disturbance, disturbance);
        for (bool alignment : {false, true}) {
            Rig rig(PatternImage(1));
            rig.radio.disturbedBlock = alignment ? 2 : 41;
            rig.radio.disturbReply = disturbance;
            RadioImage image = NewImage();
            const ExchangeOutcome outcome =
                alignment ? rig.read(CalibrationTable::Power, Language::English, image) : rig.read(image);
            QCOMPARE(outcome.result, alignment ? ExchangeResult::CommunicationFailed
                                               : ExchangeResult::ProgramInterrupt);
            QVERIFY(image == NewImage());
            QCOMPARE(rig.radio.blocks, rig.radio.disturbedBlock); // nothing asked after it
        }
    }

    // The read back of a write has a handshake of its own, reads only the written blocks
    // and names the first address that differs.
    void verifyReadsBackWhatWasWritten_data() {
        QTest::addColumn<int>("droppedBlock");   // acknowledged by the radio, not stored
        QTest::addColumn<int>("disturbedBlock"); // of the read back: answered with 06
        QTest::addColumn<bool>("succeeded");
        QTest::addColumn<int>("firstDifference");
        QTest::newRow("all stored") << 0 << 0 << true << -1;
        QTest::newRow("block 5 dropped") << 5 << 0 << true << int(WritePlan(true).at(4).address);
        QTest::newRow("read back fails") << 0 << 3 << false << -1;
    }
    void verifyReadsBackWhatWasWritten() {
        QFETCH(int, droppedBlock);
        QFETCH(int, disturbedBlock);
        QFETCH(bool, succeeded);
        Rig rig(PatternImage(5));
        rig.radio.disturbedBlock = disturbedBlock;
        rig.radio.disturbReply = [](const QByteArray&) { return "\x06"; };
        rig.radio.dropWriteAtBlock = droppedBlock;
        const RadioImage image = PatternImage(4); // differs from the radio's at every byte
        ProgrammingExchange exchange(rig.link, {});
        QVERIFY(exchange.write("COM1", image, true).succeeded());
        rig.radio.dropWriteAtBlock = 0;
        int difference = 0;
        const ExchangeOutcome outcome = exchange.verify("COM1", image, true, &difference);
        QCOMPARE(outcome.result, succeeded ? ExchangeResult::Success : ExchangeResult::ProgramInterrupt);
        QTEST(difference, "firstDifference");
        QCOMPARE(rig.radio.greetings, 2);
        if (succeeded)
            QCOMPARE(rig.radio.blocks, static_cast<int>(WritePlan(true).size()));
    }
};

TEST_CLASS(ReplyChecksTest)

class AlignmentExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void readsPowerTableFrames() {
        Rig rig(PatternImage(1));
        RadioImage image = NewImage();
        const ExchangeOutcome outcome = rig.read(CalibrationTable::Power, Language::Chinese, image);
        QCOMPARE(outcome.result, ExchangeResult::Success);
        QCOMPARE(outcome.message, QStringLiteral("讀數據成功"));
        QCOMPARE(rig.link.writtenFrames(), kHandshakeFrames + QStringList({"52 03 C0 08", "06",
                                           "52 03 C8 08", "06", "52 03 D0 06", "06"}));
        RadioImage expected = NewImage();
        std::copy(&rig.radio.memory[960], &rig.radio.memory[982], &expected[960]);
        QCOMPARE(ImageBytes(image), ImageBytes(expected));
        QCOMPARE(rig.link.timeouts.readTotalMs(8), 100 + 8 * 50);
        QVERIFY(!rig.link.isOpen());
    }

    void writesSquelchTableFrames() {
        const RadioImage before = NewImage();
        Rig rig(before);
        const RadioImage image = PatternImage(2);
        const ExchangeOutcome outcome =
            rig.write(CalibrationTable::Squelch, Language::English, image);
        QCOMPARE(outcome.result, ExchangeResult::Success);
        QCOMPARE(outcome.message, QStringLiteral("Write Successfully"));
        QCOMPARE(rig.link.writtenFrames(kHandshakeFrames.size()),
                 QStringList({"57 03 B0 08 " + Hex(ImageBytes(image).mid(944, 8)),
                              "57 03 B8 03 " + Hex(ImageBytes(image).mid(952, 3))}));
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
        QTest::newRow("squelch write") << int(CalibrationTable::Squelch) << true << true << "通信出錯";
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
            Rig rig(NewImage());
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
        QTest::addColumn<int>("block");
        QTest::newRow("short identification") << "identification" << 0;
        QTest::newRow("short reply in block 2") << "short" << 2;
        QTest::newRow("no reply from block 3") << "silent" << 3;
        QTest::newRow("wrong acknowledge of block 3") << "bad-ack" << 3;
    }

    void failedReadLeavesTheImage() {
        QFETCH(QString, fault);
        QFETCH(int, block);
        Rig rig(PatternImage(4));
        rig.fail(fault, block);
        if (fault == "identification")
            rig.radio.identificationLength = 7;
        RadioImage image = NewImage();
        const ExchangeOutcome outcome = rig.read(CalibrationTable::Power, Language::Chinese, image);
        QCOMPARE(outcome.result, ExchangeResult::CommunicationFailed);
        QCOMPARE(outcome.message, QStringLiteral("通信出錯"));
        QVERIFY(image == NewImage());
        QVERIFY(!rig.link.isOpen());
    }

    void unacknowledgedWriteBlockAndClosedPort() {
        Rig rig(NewImage());
        rig.radio.badAckAtBlock = 2;
        ExchangeOutcome outcome =
            rig.write(CalibrationTable::Power, Language::Chinese, PatternImage(5));
        QCOMPARE(outcome.result, ExchangeResult::CommunicationFailed);
        // A block, not the handshake: the given text first, then what the radio may hold.
        QCOMPARE(outcome.message.section(u'\n', 0, 0), QStringLiteral("通信出錯"));
        QVERIFY(outcome.partlyWritten);
        QCOMPARE(rig.link.writtenFrames(kHandshakeFrames.size()).size(), 2);

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
#include "tst_exchanges.moc"
