// Benchmark (not a test): a full read and full writes against `chprog simulate --baud
// 9600`, each beside the time its bytes need on a 9600-baud line; then one radio of
// `chprog clone` beside a read, a write and a read-back (write --verify).

#include "link/LinkProtocol.h"
#include "files/DatFile.h"
#include "link/ProgrammingExchange.h"
#include "link/QtSerialLink.h"
#include "tests/support/SimulatorProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
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

double Report(const char* what, qint64 ms, int lineBytes, const ExchangeOutcome& outcome) {
    const double line = lineBytes * kByteSeconds;
    const double took = ms / 1000.0;
    std::printf("%-22s %6.3f s   line time %6.3f s (%d bytes)   %+5.1f%%   %s\n", what, took, line,
                lineBytes, (took / line - 1) * 100, outcome.succeeded() ? "ok" : "FAILED");
    return took;
}

// One radio of chprog clone: its own "radio 1: written and verified in X s" against the
// exchanges it needs, a read, a write and a read-back, as timed here one by one
// (`exchangesSeconds`) and as bytes on the line. The goal: at most 1.10 times the time
// of the exchanges, that is, the run between them costs at most a tenth more.
bool BenchClone(double exchangesSeconds) {
    QTemporaryDir dir;
    SimulatorProcess radio({"--baud", "9600"});
    RadioImage target = NewImage();
    for (int i = ImageMap::channelRecord(1); i < ImageMap::channelRecord(17); ++i)
        target[i] = static_cast<std::uint8_t>(i % 100); // not what the new radio holds
    const QString targetPath = dir.filePath("target.dat");
    if (!radio.isReady() || !SaveDatFile(targetPath, target, nullptr))
        return false;
    QProcess clone;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", dir.filePath("data")); // keep the user's backups clean
    clone.setProcessEnvironment(environment);
    clone.start(TEST_BIN_DIR "/chprog", {"clone", "--port", radio.linkPath(), targetPath, "--count", "1"});
    clone.waitForFinished(120000);
    const QString out = QString::fromUtf8(clone.readAllStandardOutput());
    const QRegularExpressionMatch match =
        QRegularExpression("radio 1: written and verified in ([0-9.]+) s").match(out);
    const int lineBytes = LineBytes(ReadPlan(), true) + LineBytes(WritePlan(false), false) +
                          LineBytes(WritePlan(false), true);
    const double line = lineBytes * kByteSeconds;
    if (!match.hasMatch()) {
        std::printf("clone (one radio)       FAILED: %s\n", qPrintable(out));
        return false;
    }
    const double took = match.captured(1).toDouble();
    std::printf("clone (one radio)      %6.1f s   line time %6.3f s (%d bytes)   %+5.1f%%\n", took,
                line, lineBytes, (took / line - 1) * 100);
    std::printf("clone / (read + write + read-back, timed above: %.3f s) = %.2fx (goal 1.10x)\n",
                exchangesSeconds, took / exchangesSeconds);
    return took <= 1.10 * exchangesSeconds;
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
    const double readSeconds =
        Report("read (128 blocks)", clock.elapsed(), LineBytes(ReadPlan(), true), outcome);

    clock.restart();
    outcome = exchange.write(radio.linkPath(), image, false);
    const double writeSeconds =
        Report("write (122 blocks)", clock.elapsed(), LineBytes(WritePlan(false), false), outcome);

    clock.restart();
    outcome = exchange.write(radio.linkPath(), image, true);
    Report("write --alignment (127)", clock.elapsed(), LineBytes(WritePlan(true), false), outcome);
    clock.restart();
    int difference = -1;
    outcome = exchange.verify(radio.linkPath(), image, false, &difference);
    const double verifySeconds =
        Report("read-back (122 blocks)", clock.elapsed(), LineBytes(WritePlan(false), true), outcome);

    const bool cloneInTime = BenchClone(readSeconds + writeSeconds + verifySeconds);
    return radio.stop() && cloneInTime ? 0 : 1;
}
