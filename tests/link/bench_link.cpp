// Benchmark (not a test): a full read and full writes against `chprog simulate --baud
// 9600`, each beside the time its bytes need on a 9600-baud line.

#include "LinkProtocol.h"
#include "ProgrammingExchange.h"
#include "QtSerialLink.h"
#include "SimulatorProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

constexpr double kByteSeconds = 10.0 / 9600; // start bit, 8 data bits, stop bit

// Greeting, its answer, identification request and reply, acknowledge both ways.
constexpr int kHandshakeBytes =
    LinkProtocol::kGreetingLength + 1 + 1 + LinkProtocol::kIdentificationLength + 1 + 1;

int LineBytes(const QVector<TransferBlock>& plan, bool reading) {
    int bytes = kHandshakeBytes;
    for (const TransferBlock& block : plan) {
        bytes += LinkProtocol::kFrameHeaderLength + block.length + 1; // request (+data), ack
        if (reading)
            bytes += LinkProtocol::kReplyHeaderLength + 1; // reply header, PC's ack
    }
    return bytes;
}

void Report(const char* what, qint64 ms, int lineBytes, const ExchangeOutcome& outcome) {
    const double line = lineBytes * kByteSeconds;
    const double took = ms / 1000.0;
    std::printf("%-22s %6.3f s   line time %6.3f s (%d bytes)   %+5.1f%%   %s\n", what, took, line,
                lineBytes, (took / line - 1) * 100, outcome.succeeded() ? "ok" : "FAILED");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SimulatorProcess radio({"--baud", "9600"});
    if (!radio.isReady()) {
        std::fprintf(stderr, "bench_link: chprog simulate did not start\n");
        return 1;
    }
    QtSerialLink link;
    ProgrammingExchange exchange(link, {});
    RadioImage image = NewImage();
    QElapsedTimer clock;

    clock.start();
    ExchangeOutcome outcome = exchange.read(radio.linkPath(), image);
    Report("read (128 blocks)", clock.elapsed(), LineBytes(ReadPlan(), true), outcome);

    clock.restart();
    outcome = exchange.write(radio.linkPath(), image, false);
    Report("write (122 blocks)", clock.elapsed(), LineBytes(WritePlan(false), false), outcome);

    clock.restart();
    outcome = exchange.write(radio.linkPath(), image, true);
    Report("write --alignment (127)", clock.elapsed(), LineBytes(WritePlan(true), false), outcome);
    return radio.stop() ? 0 : 1;
}
