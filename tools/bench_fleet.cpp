// Benchmark (not a test): the programming station over K cables at once. For K = 1, 2
// and 4, `chprog simulate --count K --swap-after-write --baud 9600` plays K cables on
// which a new radio takes the place of each one written, and `chprog clone` programs
// 4 * K radios over them. Prints the radios per hour of each run and how close K cables
// come to K times the rate of one.

#include "files/DatFile.h"
#include "radio/RadioImage.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kRadiosPerCable = 4;
constexpr int kTimeoutMs = 600000;

// The radios of `cables` cables, started; empty when the simulator did not get ready.
QStringList StartCables(QProcess& simulator, const QTemporaryDir& dir, int cables) {
    const QString prefix = dir.filePath(QStringLiteral("cable"));
    simulator.setReadChannel(QProcess::StandardError);
    simulator.start(QStringLiteral(TEST_BIN_DIR "/chprog"),
                    {"simulate", "--count", QString::number(cables), "--link-prefix", prefix,
                     "--swap-after-write", "--baud", "9600"});
    QByteArray err;
    const QDeadlineTimer deadline(30000);
    while (err.count("ready:") < cables && !deadline.hasExpired() &&
           simulator.waitForReadyRead(100))
        err += simulator.readAllStandardError();
    if (err.count("ready:") < cables)
        return {};
    QStringList ports;
    for (int k = 1; k <= cables; ++k)
        ports << QStringLiteral("--port") << prefix + QString::number(k);
    return ports;
}

// Radios per hour of one run of chprog clone over `cables` cables, or 0 when it failed.
double RadiosPerHour(int cables) {
    QTemporaryDir dir;
    QProcess simulator;
    const QStringList ports = StartCables(simulator, dir, cables);
    RadioImage target = NewImage();
    for (int i = ImageMap::channelRecord(1); i < ImageMap::channelRecord(17); ++i)
        target[i] = static_cast<std::uint8_t>(i % 100); // not what a new radio holds
    const QString targetPath = dir.filePath(QStringLiteral("target.dat"));
    if (ports.isEmpty() || !SaveDatFile(targetPath, target, nullptr)) {
        std::fprintf(stderr, "bench_fleet: chprog simulate did not start\n");
        return 0;
    }
    const int radios = kRadiosPerCable * cables;
    QProcess clone;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", dir.filePath("data")); // keep the user's backups clean
    clone.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    clone.start(QStringLiteral(TEST_BIN_DIR "/chprog"),
                QStringList{"clone", targetPath, "--count", QString::number(radios)} + ports);
    const bool ended = clone.waitForFinished(kTimeoutMs) && clone.exitCode() == 0;
    const double seconds = clock.elapsed() / 1000.0;
    simulator.terminate();
    simulator.waitForFinished(10000);
    if (!ended) {
        std::printf("%d cable(s): FAILED\n%s", cables, clone.readAllStandardOutput().constData());
        return 0;
    }
    const double perHour = radios * 3600.0 / seconds;
    std::printf("%d cable(s): %2d radios in %6.1f s   %6.0f radios per hour\n", cables, radios,
                seconds, perHour);
    return perHour;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double one = RadiosPerHour(1);
    if (one <= 0)
        return 1;
    bool ok = true;
    for (int cables : {2, 4}) {
        const double rate = RadiosPerHour(cables);
        ok = ok && rate > 0;
        std::printf("%d cables / (%d x one cable) = %.2f\n", cables, cables, rate / (cables * one));
    }
    return ok ? 0 : 1;
}
