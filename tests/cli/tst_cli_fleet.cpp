// The programming station end to end: chprog clone on several cables against
// `chprog simulate` playing several radios at once, with the log, the backups and the
// guard against a radio of another band.

#include "config/UserStore.h"
#include "files/Backups.h"
#include "files/DatFile.h"
#include "link/LinkProtocol.h"
#include "radio/ChannelRecord.h"
#include "tests/support/Chprog.h"
#include "tests/support/Files.h"
#include "tests/support/SimulatorProcess.h"
#include "tests/support/TestSuite.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <set>

namespace {

// Generous: the machine running the suite may be busy with other builds.
constexpr int kWaitMs = 60000;

// An image for the model and band of the given indexes; the pattern makes a byte written
// to the wrong place show.
RadioImage ImageFor(int seed, int band) {
    RadioImage image = PatternImage(seed);
    image[ImageMap::kProductType] = 0;
    image[ImageMap::kProductBand] = static_cast<std::uint8_t>(band);
    return image;
}

QString Saved(const QString& path, const RadioImage& image) {
    SaveDatFile(path, image, nullptr);
    return path;
}

// A process whose standard output is collected until a text shows.
class Running {
public:
    explicit Running(const QStringList& arguments) {
        m_process.start(QStringLiteral(TEST_BIN_DIR "/chprog"), arguments);
        m_process.waitForStarted(kWaitMs);
    }
    ~Running() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kWaitMs);
        }
    }

    // True once standard output holds `text` `times` times.
    bool waitFor(const QString& text, int times = 1) {
        const QDeadlineTimer deadline(kWaitMs);
        while (m_out.count(text) < times && !deadline.hasExpired() &&
               m_process.state() != QProcess::NotRunning) {
            m_process.waitForReadyRead(100);
            m_out += QString::fromUtf8(m_process.readAllStandardOutput());
        }
        m_out += QString::fromUtf8(m_process.readAllStandardOutput());
        return m_out.count(text) >= times;
    }
    // Ctrl+C, then the exit status (-1 when it did not end).
    int interrupt() {
        ::kill(static_cast<pid_t>(m_process.processId()), SIGINT);
        return finish();
    }
    int finish() {
        if (!m_process.waitForFinished(kWaitMs) || m_process.exitStatus() != QProcess::NormalExit)
            return -1;
        m_out += QString::fromUtf8(m_process.readAllStandardOutput());
        return m_process.exitCode();
    }
    void killHard() {
        m_process.kill();
        m_process.waitForFinished(kWaitMs);
    }
    const QString& out() const { return m_out; }

private:
    QProcess m_process;
    QString m_out;
};

// `chprog simulate --count N`: radios 1 .. N on the links prefix1 .. prefixN, each with
// its own bytes beyond 0x3F1.
class SimulatedFleet {
public:
    SimulatedFleet(int count, const RadioImage& memory, const QStringList& options)
        : m_count(count) {
        const QString memoryPath = Saved(m_dir.filePath("memory.dat"), memory);
        m_process.setReadChannel(QProcess::StandardError);
        m_process.start(QStringLiteral(TEST_BIN_DIR "/chprog"),
                        QStringList{"simulate", "--count", QString::number(count), "--link-prefix",
                                    m_dir.filePath("radio"), "--image", memoryPath, "--save",
                                    m_dir.filePath("saved.dat")} +
                            options);
        m_process.waitForStarted(kWaitMs);
        QByteArray err;
        const QDeadlineTimer deadline(kWaitMs);
        while (err.count("ready:") < count && !deadline.hasExpired() &&
               m_process.state() == QProcess::Running) {
            m_process.waitForReadyRead(100);
            err += m_process.readAllStandardError();
        }
        m_ready = err.count("ready:") == count;
    }
    ~SimulatedFleet() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kWaitMs);
        }
    }
    bool isReady() const { return m_ready; }
    QString link(int radio) const { return m_dir.filePath("radio" + QString::number(radio)); }
    QStringList portOptions() const {
        QStringList options;
        for (int k = 1; k <= m_count; ++k)
            options << "--port" << link(k);
        return options;
    }
    // Stops every radio, which saves its memory; radio K's is saved(K).
    bool stop() {
        m_process.terminate();
        return m_process.waitForFinished(kWaitMs) && m_process.exitCode() == 0;
    }
    QByteArray saved(int radio) const {
        return ReadFileBytes(m_dir.filePath(QStringLiteral("saved-%1.dat").arg(radio)));
    }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_count;
    bool m_ready = false;
};

// Every line of a JSON Lines log, parsed; a line that does not parse fails the test.
std::vector<QJsonObject> LogObjects(const QString& path) {
    const QByteArray text = ReadFileBytes(path);
    std::vector<QJsonObject> objects;
    if (!text.isEmpty() && !text.endsWith('\n'))
        qWarning("the log does not end with a whole line");
    for (const QByteArray& line : text.split('\n')) {
        if (line.isEmpty())
            continue;
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(line, &error);
        if (error.error != QJsonParseError::NoError || !document.isObject())
            return {};
        objects.push_back(document.object());
    }
    return objects;
}

// The bytes the normal write covers.
QByteArray WrittenPart(const QByteArray& memory) {
    QByteArray regions;
    for (const TransferBlock& block : WritePlan(false))
        regions += memory.mid(block.address, block.length);
    return regions;
}

// A Program.ini of its own per test, so that each test has a backups folder of its own.
class Station {
public:
    explicit Station(const QString& appName)
        : m_config(DefaultIniWith("AppName", appName)),
          m_backups(BackupFolder(UserStore(m_config.iniPath()).appName())) {
        QDir(m_backups).removeRecursively();
    }
    QStringList config() const { return {"--config", m_config.path()}; }
    QString file(const QString& name) const { return m_config.filePath(name); }
    std::vector<BackupEntry> backups() const { return ListBackups(m_backups); }

private:
    ConfigDir m_config;
    QString m_backups;
};

} // namespace

class CliFleetTest : public QObject {
    Q_OBJECT
private slots:
    void threeCablesOneRadioLosesAWrite() {
        SKIP_WITHOUT_SIMULATOR();
        const Station station("FleetThreeCables");
        const RadioImage start = ImageFor(1, 0);
        SimulatedFleet fleet(3, start, {"--fault", "3:lose-write:5"});
        QVERIFY(fleet.isReady());
        const QString target = Saved(station.file("target.dat"), ImageFor(2, 0));
        const QString log = station.file("station.jsonl");
        Running clone(QStringList{"clone", target, "--log", log, "--operator", "kim"} +
                      fleet.portOptions() + station.config());
        QVERIFY2(clone.waitFor("written and verified in ", 2), qPrintable(clone.out()));
        QVERIFY2(clone.waitFor(": verify failed: "), qPrintable(clone.out()));
        // Ctrl+C once: every port ends after the radio in hand; one radio failed.
        QCOMPARE(clone.interrupt(), 1);
        for (int k = 1; k <= 3; ++k) {
            const QString port = fleet.link(k) + ": ";
            QVERIFY2(clone.out().contains(port + (k < 3 ? "programmed 1, failed 0\n"
                                                        : "programmed 0, failed 1\n")),
                     qPrintable(clone.out()));
        }
        QVERIFY(clone.out().endsWith("all ports: programmed 2, failed 1\n"));
        QVERIFY(fleet.stop());
        QCOMPARE(WrittenPart(fleet.saved(1)), WrittenPart(ImageBytes(ImageFor(2, 0))));
        QVERIFY(WrittenPart(fleet.saved(3)) != WrittenPart(ImageBytes(ImageFor(2, 0))));

        // One line per radio, each naming the radio's own backup of what it held.
        const std::vector<QJsonObject> lines = LogObjects(log);
        QCOMPARE(lines.size(), std::size_t(3));
        std::set<QString> fingerprints;
        for (const QJsonObject& line : lines) {
            const bool lost = line["port"].toString() == fleet.link(3);
            QVERIFY2(lost ? line["result"].toString().startsWith("failed: verify failed")
                          : line["result"].toString() == "written+verified",
                     qPrintable(line["result"].toString()));
            QCOMPARE(line["operator"].toString(), QString("kim"));
            RadioImage backup;
            QVERIFY(LoadDatFile(line["backup"].toString(), backup, nullptr));
            QCOMPARE(WrittenPart(ImageBytes(backup)), WrittenPart(ImageBytes(start)));
            QCOMPARE(line["fingerprint"].toString(), RadioFingerprint(backup, true));
            fingerprints.insert(line["fingerprint"].toString());
        }
        QCOMPARE(fingerprints.size(), std::size_t(3));
        // Each radio's first backup is the read before its write.
        int firstReads = 0;
        for (const BackupEntry& entry : station.backups())
            firstReads += entry.first && entry.kind == BackupKind::Read;
        QCOMPARE(firstReads, 3);
    }

    void radioOfAnotherBandIsSkippedUnlessForced() {
        SKIP_WITHOUT_SIMULATOR();
        const Station station("FleetWrongBand");
        SimulatorProcess right(ImageFor(3, 0));
        SimulatorProcess other(ImageFor(3, 1));
        QVERIFY(right.isReady() && other.isReady());
        const QString target = Saved(station.file("target.dat"), ImageFor(4, 0));
        const QString log = station.file("station.jsonl");
        Running clone(QStringList{"clone", target, "--log", log, "--port", right.linkPath(),
                                  "--port", other.linkPath()} +
                      station.config());
        QVERIFY2(clone.waitFor(": skipped: wrong target: band "), qPrintable(clone.out()));
        QVERIFY2(clone.waitFor(": written and verified in "), qPrintable(clone.out()));
        for (const QString& line : clone.out().split('\n', Qt::SkipEmptyParts))
            QVERIFY2(line.startsWith((line.contains("skipped") ? other : right).linkPath() + ": "),
                     qPrintable(line));
        QCOMPARE(clone.interrupt(), 0);
        QVERIFY(clone.out().endsWith("all ports: programmed 1, failed 0, skipped 1\n"));
        const std::vector<QJsonObject> lines = LogObjects(log);
        QCOMPARE(lines.size(), std::size_t(2));
        for (const QJsonObject& line : lines)
            QCOMPARE(line["result"].toString(), line["port"].toString() == other.linkPath()
                                                    ? QString("skipped: wrong target")
                                                    : QString("written+verified"));

        const ChprogRun forced = Chprog(QStringList{"clone", target, "--port", other.linkPath(),
                                                    "--count", "1", "--force"} +
                                        station.config());
        QCOMPARE(forced.status, 0);
        QVERIFY2(forced.err.contains("warning: wrong target, written anyway (--force): band "),
                 qPrintable(forced.err));
        QVERIFY(other.stop());
        QCOMPARE(WrittenPart(other.savedMemory()), WrittenPart(ImageBytes(ImageFor(4, 0))));
    }

    void logSurvivesAKillMidRun() {
        SKIP_WITHOUT_SIMULATOR();
        const Station station("FleetKilled");
        SimulatedFleet fleet(3, ImageFor(5, 0), {"--swap-after-write"});
        QVERIFY(fleet.isReady());
        const QString target = Saved(station.file("target.dat"), ImageFor(6, 0));
        const QString log = station.file("station.jsonl");
        Running clone(QStringList{"clone", target, "--log", log} + fleet.portOptions() +
                      station.config());
        // Radios keep coming on every cable; chprog dies while the others are written.
        QVERIFY2(clone.waitFor("written and verified in ", 6), qPrintable(clone.out()));
        clone.killHard();
        const std::vector<QJsonObject> lines = LogObjects(log);
        QVERIFY(ReadFileBytes(log).endsWith('\n'));
        // A worker prints a radio's line before it logs it: of six printed, three at least
        // were logged.
        QVERIFY2(lines.size() >= 3, qPrintable(QString::number(lines.size())));
        for (const QJsonObject& line : lines)
            QCOMPARE(line["result"].toString(), QString("written+verified"));
        // The next run appends after the whole lines, and the log reads without a loss.
        const ChprogRun summary = Chprog({"log", log, "--summary"});
        QCOMPARE(summary.status, 0);
        QCOMPARE(summary.err, QString());
        QVERIFY(summary.out.endsWith(QStringLiteral("\n%1 radios\n").arg(lines.size())));
    }

    void previewPrintsTheDiffLinesBeforeWriting() {
        SKIP_WITHOUT_SIMULATOR();
        const Station station("FleetPreview");
        const RadioImage held = ImageFor(8, 0);
        // The image differs from the radio only where a write reaches.
        RadioImage image = held;
        const RadioImage other = ImageFor(9, 0);
        for (const TransferBlock& block : WritePlan(false))
            std::copy_n(other.begin() + block.address, block.length, image.begin() + block.address);
        SimulatorProcess radio(held);
        QVERIFY(radio.isReady());
        const QString heldPath = Saved(station.file("held.dat"), held);
        const QString imagePath = Saved(station.file("image.dat"), image);
        const QStringList write =
            QStringList{"write", "--port", radio.linkPath(), "--preview"} + station.config();

        const ChprogRun unasked = Chprog(write + QStringList{imagePath});
        QCOMPARE(unasked.status, 2);
        QVERIFY2(unasked.err.contains("write: standard input is not a terminal"), qPrintable(unasked.err));
        QCOMPARE(unasked.out, QString());

        const ChprogRun diff = Chprog(QStringList{"diff", heldPath, imagePath} + station.config());
        QCOMPARE(diff.status, 1);
        const ChprogRun preview = Chprog(write + QStringList{imagePath, "--yes"});
        QCOMPARE(preview.status, 0);
        QCOMPARE(preview.out, diff.out);

        // The radio holds the image now; bytes no write reaches change nothing either.
        RadioImage unreachable = image;
        unreachable[ImageMap::kWritableEnd] ^= 0xFF;
        unreachable[ImageMap::kSquelchCalibration] ^= 0x01;
        for (const QString& path : {imagePath, Saved(station.file("own.dat"), unreachable)}) {
            const ChprogRun again = Chprog(write + QStringList{path, "--yes"});
            QCOMPARE(again.status, 0);
            QCOMPARE(again.out, QString("nothing to change: the radio already holds the image\n"));
        }
        QVERIFY(radio.stop());
        QCOMPARE(radio.savedMemory(), ImageBytes(image));
    }

    // The answer is typed on a terminal: only a yes writes.
    void previewAsksOnTheTerminal() {
        SKIP_WITHOUT_SIMULATOR();
        const Station station("FleetQuestion");
        SimulatorProcess radio(ImageFor(13, 0));
        QVERIFY(radio.isReady());
        const QString image = Saved(station.file("image.dat"), ImageFor(14, 0));
        const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(terminal >= 0 && ::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0);
        const QString keyboard = QString::fromLocal8Bit(::ptsname(terminal));
        const int held = ::open(::ptsname(terminal), O_RDWR | O_NOCTTY); // keeps the line up
        for (const char* typed : {"n\n", "yes\n"}) {
            QVERIFY(::write(terminal, typed, std::strlen(typed)) > 0);
            const ChprogRun run = RunBuilt("chprog",
                                           QStringList{"write", "--port", radio.linkPath(), image,
                                                       "--preview"} +
                                               station.config(),
                                           QProcessEnvironment::systemEnvironment(), kWaitMs, keyboard);
            QVERIFY2(run.err.contains("Write these changes? [y/N] "), qPrintable(run.err));
            QCOMPARE(run.status, typed[0] == 'n' ? 1 : 0);
            QCOMPARE(run.err.contains("write: nothing was written"), typed[0] == 'n');
        }
        ::close(held);
        ::close(terminal);
        QVERIFY(radio.stop());
        QCOMPARE(WrittenPart(radio.savedMemory()), WrittenPart(ImageBytes(ImageFor(14, 0))));
    }

    // A stored frequency typing would refuse is named on standard error; the write goes on.
    void writeWarnsOfFrequenciesOutsideTheBand() {
        SKIP_WITHOUT_SIMULATOR();
        const Station station("FleetOutsideBand");
        RadioImage image = NewImage();
        image[ImageMap::kProductType] = 0; // 136 - 174MHz
        image[ImageMap::kProductBand] = 0;
        Channel outside;
        outside.rx.units = 18000000;
        WriteChannel(outside, 2, image);
        SimulatorProcess radio(image);
        QVERIFY(radio.isReady());
        const ChprogRun run =
            Chprog(QStringList{"write", "--port", radio.linkPath(), Saved(station.file("image.dat"), image)} +
                   station.config());
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.startsWith("chprog: warning: CH 2 Rx Frequency: outside the band "
                                    "(136.00000 - 174.00000 MHz)\n"),
                 qPrintable(run.err));
        QCOMPARE(run.err.count("warning:"), 1);
        QVERIFY(radio.stop());
    }

    void restoreWritesBackWhatTheRadioHeldBeforeAWrite() {
        SKIP_WITHOUT_SIMULATOR();
        const Station station("FleetRestore");
        const RadioImage original = ImageFor(10, 0);
        SimulatorProcess radio(original);
        QVERIFY(radio.isReady());
        const QStringList port = QStringList{"--port", radio.linkPath()} + station.config();
        const QStringList restore = QStringList{"restore", "--yes"} + port;
        // What the radio holds after each step, read back.
        const auto holds = [&] {
            const QString path = station.file("now.dat");
            return Chprog(QStringList{"read", "-o", path} + port).status == 0 ? ReadFileBytes(path)
                                                                             : QByteArray();
        };

        const ChprogRun nothingYet = Chprog(restore);
        QCOMPARE(nothingYet.status, 2);
        QVERIFY2(nothingYet.err.contains("restore: there is no backup of this radio ("),
                 qPrintable(nothingYet.err));
        QCOMPARE(holds(), ImageBytes(original));

        const RadioImage first = ImageFor(11, 0);
        for (int seed : {11, 12})
            QCOMPARE(Chprog(QStringList{"write", Saved(station.file("image.dat"), ImageFor(seed, 0))} + port)
                         .status,
                     0);
        // Before the last write it held the first image, over its own bytes.
        RadioImage beforeLast = original;
        for (const TransferBlock& block : WritePlan(false))
            std::copy_n(first.begin() + block.address, block.length, beforeLast.begin() + block.address);
        const ChprogRun last = Chprog(restore);
        QCOMPARE(last.status, 0);
        const QString chosen = last.out.section(' ', 1, 1);
        QVERIFY2(last.out.startsWith("restoring " + chosen + " (read "), qPrintable(last.out));
        QCOMPARE(ReadFileBytes(chosen), ImageBytes(beforeLast));
        QCOMPARE(holds(), ImageBytes(beforeLast));

        // The restore was a write too: three writes back the radio held what it came with.
        const ChprogRun tooFar = Chprog(restore + QStringList{"--before-write", "4"});
        QCOMPARE(tooFar.status, 2);
        QVERIFY2(tooFar.err.contains("has backups from before 3 write(s) only"), qPrintable(tooFar.err));
        QCOMPARE(Chprog(restore + QStringList{"--before-write", "3"}).status, 0);
        QCOMPARE(holds(), ImageBytes(original));
        // A file read from another radio of another band is refused like any such write.
        const ChprogRun stranger =
            Chprog(restore + QStringList{Saved(station.file("other.dat"), ImageFor(15, 1))});
        QCOMPARE(stranger.status, 1);
        QVERIFY2(stranger.err.contains("restore: wrong target: band "), qPrintable(stranger.err));
        QCOMPARE(holds(), ImageBytes(original));
    }

    // Each refusal is one message and its status, before any radio is touched.
    void stationRefusesBadInput_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QString missing = "/dev/no-such-cable";
        QTest::newRow("unknown port")
            << QStringList{"write", "--port", missing, "IMAGE"} << 1
            << "chprog: " + missing + ": no such device (is the cable or USB adapter plugged in, "
                                      "and is this the right port?)\n";
        QTest::newRow("same port twice")
            << QStringList{"clone", "--port", missing, "--port", missing, "IMAGE"} << 2
            << "chprog: clone: " + missing + " is given twice (as " + missing + " and as " +
                   missing + "): one worker per cable\n";
        QTest::newRow("log in a folder that cannot hold it")
            << QStringList{"clone", "--port", missing, "IMAGE", "--log", "/proc/self/station.jsonl"}
            << 2 << "chprog: /proc/self/station.jsonl: cannot open the log (";
        QTest::newRow("image of 100 bytes")
            << QStringList{"clone", "--port", missing, "SHORT"} << 2
            << "chprog: SHORT: the file holds 100 bytes; a radio image needs 1024\n";
    }
    void stationRefusesBadInput() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString image = Saved(dir.filePath("image.dat"), ImageFor(7, 0));
        const QString shortImage = dir.filePath("short.dat");
        QVERIFY(WriteFileBytes(shortImage, QByteArray(100, '\0')));
        arguments.replaceInStrings(QRegularExpression("^IMAGE$"), image);
        arguments.replaceInStrings(QRegularExpression("^SHORT$"), shortImage);
        message.replace("SHORT", shortImage);
        const ChprogRun run = Chprog(arguments);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }
};

TEST_CLASS(CliFleetTest)
#include "tst_cli_fleet.moc"
