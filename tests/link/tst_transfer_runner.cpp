// The transfer runner without any window: an exchange on its worker thread against a
// scripted radio, reporting progress, cancelled, or abandoned mid-way. The Retry answer
// through the window is ProgramTransferTest's.

#include "FakeLink.h"
#include "Files.h"
#include "ProgrammingExchange.h"
#include "ScriptedRadio.h"
#include "TestSuite.h"
#include "TransferRunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <memory>
#include <optional>

namespace {

// A scripted radio on a fake link, optionally slow, and what the runner reported. Every
// receiver names the runner as its context, so that it runs on the owner's thread.
struct Bench {
    std::shared_ptr<FakeLink> link = std::make_shared<FakeLink>();
    std::shared_ptr<ScriptedRadio> radio = std::make_shared<ScriptedRadio>(PatternImage(5));
    std::unique_ptr<TransferRunner> runner;
    int answerDelayMs = 0;

    QList<QPair<int, int>> progress;
    bool progressOffTheOwnersThread = false;
    std::optional<TransferJob> job;
    std::optional<ExchangeOutcome> outcome;

    Bench() {
        link->radio = [radio = radio, this](const QByteArray& written) {
            if (answerDelayMs > 0)
                QThread::msleep(static_cast<unsigned long>(answerDelayMs));
            return radio->answer(written);
        };
        runner = std::make_unique<TransferRunner>([link = link] { return link; });
        QObject::connect(runner.get(), &TransferRunner::progress, runner.get(),
                         [this](int done, int total) {
                             progress.append({done, total});
                             if (QThread::currentThread() != qApp->thread())
                                 progressOffTheOwnersThread = true;
                         });
        QObject::connect(runner.get(), &TransferRunner::finished, runner.get(),
                         [this](const TransferJob& j, const ExchangeOutcome& o) {
                             job = j;
                             outcome = o;
                         });
    }
    bool read() {
        return runner->start({TransferDirection::Read, QStringLiteral("COM1"), NewImage()},
                             ProgrammingRun(false));
    }
    bool waitForEnd() {
        return QTest::qWaitFor([this] { return outcome.has_value(); }, 20000);
    }
};

} // namespace

class TransferRunnerTest : public QObject {
    Q_OBJECT
private slots:
    void readReportsEveryBlockOnTheOwnersThread() {
        Bench bench;
        QVERIFY(bench.read());
        QVERIFY(bench.runner->isRunning());
        QVERIFY(!bench.read()); // one exchange at a time
        QVERIFY(bench.waitForEnd());
        QCOMPARE(bench.outcome->result, ExchangeResult::Success);
        QVERIFY(bench.job->image == PatternImage(5));
        QCOMPARE(bench.progress.size(), 129); // the plan, then each of 128 blocks
        QCOMPARE(bench.progress.first(), qMakePair(0, 128));
        QCOMPARE(bench.progress.last(), qMakePair(128, 128));
        QVERIFY(!bench.progressOffTheOwnersThread);
        QVERIFY(!bench.runner->isRunning());
        QCOMPARE(bench.link->closes, bench.link->opens);
    }

    void nobodyToAskCountsAsCancel() {
        Bench bench;
        bench.radio->refuseHandshakeAcks = 1;
        QVERIFY(bench.read());
        QVERIFY(bench.waitForEnd());
        QCOMPARE(bench.outcome->result, ExchangeResult::CommunicationFailed);
    }

    void cancelIsSeenAfterTheCurrentBlock() {
        Bench bench;
        bench.answerDelayMs = 2; // slow enough for the owner to see progress mid-way
        QObject::connect(bench.runner.get(), &TransferRunner::progress, bench.runner.get(),
                         [&](int done, int) {
                             if (done == 3)
                                 bench.runner->cancel();
                         });
        const RadioImage before = NewImage();
        QVERIFY(bench.read());
        QVERIFY(bench.waitForEnd());
        QCOMPARE(bench.outcome->result, ExchangeResult::Cancelled);
        QVERIFY(bench.progress.last().first < 128);
        QVERIFY(bench.job->image == before); // a cancelled read hands over nothing
        QCOMPARE(bench.link->closes, bench.link->opens);
    }

    // The owner goes away while the worker waits for the Retry answer, or while the
    // radio is still sending: the destructor neither deadlocks nor leaves the port open.
    void destroyedMidTransferStopsTheWorker_data() {
        QTest::addColumn<bool>("whileAsking");
        QTest::newRow("while asking Retry") << true;
        QTest::newRow("while blocks arrive") << false;
    }
    void destroyedMidTransferStopsTheWorker() {
        QFETCH(bool, whileAsking);
        Bench bench;
        bench.answerDelayMs = 2;
        if (whileAsking)
            bench.radio->refuseHandshakeAcks = 1;
        bool reached = false;
        QObject::connect(bench.runner.get(), &TransferRunner::retryRequested, bench.runner.get(),
                         [&] { reached = true; });
        QObject::connect(bench.runner.get(), &TransferRunner::progress, bench.runner.get(),
                         [&](int done, int) { reached = reached || done >= 2; });
        QVERIFY(bench.read());
        QVERIFY(QTest::qWaitFor([&] { return reached; }, 10000));
        QElapsedTimer timer;
        timer.start();
        bench.runner.reset();
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!bench.outcome); // nothing is reported to an owner that is gone
        QCOMPARE(bench.link->closes, bench.link->opens);
        QVERIFY(bench.radio->blocks < 128);
    }
};

TEST_CLASS(TransferRunnerTest)
#include "tst_transfer_runner.moc"
