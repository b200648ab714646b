// End to end: chprog read and write, and the exchanges themselves, over a real
// pseudo-terminal against `chprog simulate`, checking files and the simulated radio's
// memory byte for byte; every fault the simulated radio offers fails its run and leaves
// the -o file alone, and a failed read keeps no backup.

#include "link/AlignmentExchange.h"
#include "config/UserStore.h"
#include "files/Backups.h"
#include "radio/ChannelCodec.h"
#include "tests/support/Chprog.h"
#include "tests/support/Files.h"
#include "tests/support/FullDisk.h"
#include "link/LinkProtocol.h"
#include "link/ProgrammingExchange.h"
#include "link/QtSerialLink.h"
#include "tests/support/SimulatorProcess.h"
#include "tests/support/TestSuite.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <csignal>

class LinkEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void oneSimulatorServesManyExchanges() {
        const RadioImage original = PatternImage(1);
        SimulatorProcess radio(original);
        QVERIFY(radio.isReady());
        const QString port = radio.linkPath();

        const QString readPath = m_dir.filePath("read.dat");
        QCOMPARE(Chprog({"read", "--port", port, "-o", readPath}).status, 0);
        QCOMPARE(ReadFileBytes(readPath), ImageBytes(original));

        // A normal write leaves the factory block and the calibration alone. The patterns
        // name other models: --force writes without reading the radio first.
        const RadioImage edited = PatternImage(2);
        RadioImage clamped = edited;
        ClampCalibration(clamped);
        QVERIFY(clamped != edited); // the pattern has calibration values out of range
        const QString editedPath = m_dir.filePath("edited.dat");
        QVERIFY(WriteFileBytes(editedPath, ImageBytes(edited)));
        const ChprogRun write = Chprog({"write", "--force", "--verify", "--port", port, editedPath});
        QCOMPARE(write.status, 0);
        // Standard error is a pipe: no progress bar, only the warnings about the pattern's
        // frequencies (off the channel step).
        for (const QString& line : write.err.split(u'\n', Qt::SkipEmptyParts))
            QVERIFY2(line.startsWith("chprog: warning: CH "), qPrintable(line));
        const RadioImage afterNormal = AfterWrite(original, edited, WritePlan(false), 122);
        QCOMPARE(Chprog({"read", "--port", port, "-o", readPath}).status, 0);
        QCOMPARE(ReadFileBytes(readPath), ImageBytes(afterNormal));

        // With --alignment everything below 0x3F1 goes.
        const RadioImage aligned = PatternImage(3);
        QVERIFY(WriteFileBytes(editedPath, ImageBytes(aligned)));
        QCOMPARE(Chprog({"write", "--force", "--port", port, "--alignment", editedPath}).status, 0);

        QVERIFY(radio.stop());
        QCOMPARE(radio.savedMemory(),
                 ImageBytes(AfterWrite(afterNormal, aligned, WritePlan(true), 127)));
    }

    void faultsEndWithTheirMessage_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("writing");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("blocksWritten");
        const QString communication = kCommunicationErrorText;
        const QString interrupt = kProgramInterruptText;
        QTest::newRow("no-greeting, read") << "no-greeting" << false << communication << 0;
        QTest::newRow("no-ack, write") << "no-ack" << true << communication << 0;
        QTest::newRow("short-read:41, read") << "short-read:41" << false << interrupt << 0;
        QTest::newRow("bad-ack:7, read") << "bad-ack:7" << false << interrupt << 0;
        QTest::newRow("bad-ack:7, write") << "bad-ack:7" << true << interrupt << 6;
        QTest::newRow("silent-from:50, write") << "silent-from:50" << true << interrupt << 49;
        QTest::newRow("garbage, read") << "garbage" << false << communication << 0;
        QTest::newRow("garbage, write") << "garbage" << true << communication << 0;
        QTest::newRow("late reply") << "late-reply:41:2300" << false << interrupt << 0;
        QTest::newRow("pause inside the header")
            << "header-pause:41:200" << false << interrupt << 0;
        QTest::newRow("noise burst") << "noise:41" << false << interrupt << 0;
        QTest::newRow("echo") << "echo" << false << interrupt << 0;
        QTest::newRow("06 to everything") << "ack-all" << false << interrupt << 0;
    }

    void faultsEndWithTheirMessage() {
        QFETCH(QString, fault);
        QFETCH(bool, writing);
        QFETCH(QString, message);
        QFETCH(int, blocksWritten);
        const RadioImage original = NewImage();
        SimulatorProcess radio({"--fault", fault});
        QVERIFY(radio.isReady());

        const QString file = radio.filePath("file.dat");
        const RadioImage image = PatternImage(9);
        QVERIFY(WriteFileBytes(file, ImageBytes(image))); // a read must not touch it
        const QString backups = BackupFolder(QStringLiteral("RadioProgrammer"));
        const std::size_t backupsBefore = ListBackups(backups).size();
        // The write is forced: the faults would break the read that comes first otherwise.
        const ChprogRun run = writing ? Chprog({"write", "--force", "--port", radio.linkPath(), file})
                                      : Chprog({"read", "--port", radio.linkPath(), "-o", file});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("chprog: " + message + "\n"), qPrintable(run.err));
        // A write that broke off after blocks went out says what the radio may hold.
        QCOMPARE(run.err.contains(PartialWriteAdvice()), blocksWritten > 0);
        QCOMPARE(ReadFileBytes(file), ImageBytes(image));
        if (!writing) // a write keeps its backup before it starts
            QCOMPARE(ListBackups(backups).size(), backupsBefore);

        QVERIFY(radio.stop());
        QCOMPARE(radio.savedMemory(),
                 ImageBytes(AfterWrite(original, image, WritePlan(false), blocksWritten)));
    }

    // The first Ctrl+C of a write ends it at the exchange's next cancel point, and chprog
    // says that the radio holds part of the image.
    void interruptedWriteSaysHowItEnded() {
        SimulatorProcess radio({"--baud", "9600"});
        QVERIFY(radio.isReady());
        const QString file = m_dir.filePath("interrupted.dat");
        const RadioImage image = PatternImage(4);
        QVERIFY(WriteFileBytes(file, ImageBytes(image)));
        const QString trace = m_dir.filePath("interrupted-trace.txt");
        QProcess write;
        write.start(TEST_BIN_DIR "/chprog",
                    {"write", "--port", radio.linkPath(), "--trace", trace, file});
        // Ten write requests ('W') have gone out.
        QVERIFY(QTest::qWaitFor([&] { return ReadFileBytes(trace).count("> 57") >= 10; }, 20000));
        QCOMPARE(::kill(static_cast<pid_t>(write.processId()), SIGINT), 0);
        QVERIFY(write.waitForFinished(10000));
        QCOMPARE(write.exitStatus(), QProcess::NormalExit);
        QCOMPARE(write.exitCode(), 1);
        const QString err = QString::fromUtf8(write.readAllStandardError());
        QVERIFY2(err.contains("write: interrupted: the write was abandoned part way\n"),
                 qPrintable(err));
        QVERIFY(err.contains(PartialWriteAdvice()));
        QVERIFY(radio.stop());
        const QByteArray memory = radio.savedMemory();
        QVERIFY(memory != ImageBytes(NewImage()));
        QVERIFY(memory != ImageBytes(AfterWrite(NewImage(), image, WritePlan(false), 122)));
    }

    void portThatDoesNotExist() {
        const QString file = m_dir.filePath("never.dat");
        const ChprogRun read = Chprog({"read", "--port", m_dir.filePath("no-radio"), "-o", file});
        QCOMPARE(read.status, 1);
        QVERIFY2(read.err.contains(QString(kCouldNotOpenPortText)), qPrintable(read.err));
        QVERIFY2(read.err.contains("no-radio: no such device"), qPrintable(read.err));
        // A trace that cannot be opened is bad input, found before the port.
        const ChprogRun traced = Chprog({"read", "--port", m_dir.filePath("no-radio"), "-o", file,
                                         "--trace", m_dir.filePath("no/such/folder/trace.txt")});
        QCOMPARE(traced.status, 2);
        QVERIFY2(traced.err.contains("trace"), qPrintable(traced.err));
        QVERIFY(!QFile::exists(file));
        // A fault the simulator does not know, or a timed one without its time, is refused
        // before anything starts.
        for (const char* fault :
             {"short-read:0", "late-reply:3", "header-pause:0:50", "noise:0", "echo:1"}) {
            const ChprogRun simulate =
                Chprog({"simulate", "--link", m_dir.filePath("x"), "--fault", fault});
            QCOMPARE(simulate.status, 2);
            QVERIFY2(simulate.err.contains(fault), qPrintable(simulate.err));
        }
    }

    // Alignment exchanges on a line paced at 9600 baud, each after an exchange that was
    // abandoned (as by a PC program that was killed) half-way through the handshake or
    // through a write request: the next one still works (its handshake does not purge
    // between attempts) and the broken request stored nothing.
    void alignmentExchangesAfterAbandonedOnes() {
        const RadioImage original = PatternImage(4);
        SimulatorProcess radio(original, {"--baud", "9600"});
        QVERIFY(radio.isReady());
        QtSerialLink link;
        const auto abandon = [&](const QByteArray& bytes) {
            QVERIFY(link.open(radio.linkPath(), nullptr));
            link.configure(kProgrammingTimeouts);
            for (char byte : bytes)
                link.write(QByteArray(1, byte));
            link.close();
            QTest::qWait(700); // the radio forgets an exchange after 500 ms of silence
        };
        abandon(Greeting() + "\x02");
        RadioImage image = NewImage();
        ExchangeOutcome outcome = AlignmentExchange(link, CalibrationTable::Power, Language::English)
                                      .read(radio.linkPath(), image);
        QCOMPARE(outcome.message, QStringLiteral("Read Successfully"));
        RadioImage expected = NewImage();
        std::copy(original.begin() + 0x3C0, original.begin() + 0x3D6, expected.begin() + 0x3C0);
        QCOMPARE(ImageBytes(image), ImageBytes(expected));

        abandon(Greeting() + "\x02\x06" + WriteRequestHeader({0x3C0, 8}) + "\x01\x02");
        const RadioImage squelch = PatternImage(7);
        outcome = AlignmentExchange(link, CalibrationTable::Squelch, Language::Chinese)
                      .write(radio.linkPath(), squelch);
        QCOMPARE(outcome.message, QStringLiteral("寫數據成功"));
        QVERIFY(radio.stop());
        expected = original;
        std::copy(squelch.begin() + 0x3B0, squelch.begin() + 0x3BB, expected.begin() + 0x3B0);
        QCOMPARE(radio.savedMemory(), ImageBytes(expected));
    }

    void verifyCatchesAWriteThatStoredNothing() {
        SimulatorProcess radio({"--fault", "ack-all"});
        QVERIFY(radio.isReady());
        const QString file = radio.filePath("image.dat");
        QVERIFY(WriteFileBytes(file, ImageBytes(PatternImage(2))));
        // Without --verify the line's 06s pass for success (forced: a read first would fail).
        QCOMPARE(Chprog({"write", "--force", "--port", radio.linkPath(), file}).status, 0);
        const ChprogRun run =
            Chprog({"write", "--force", "--verify", "--port", radio.linkPath(), file});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("could not be read back"), qPrintable(run.err));
        QVERIFY(radio.stop());
        QCOMPARE(radio.savedMemory(), ImageBytes(NewImage())); // nothing was stored
    }

    // The backup of every read and write, `chprog backups`, a backup that cannot be kept,
    // and the serial trace of both runs.
    void readAndWriteLeaveBackupsAndTrace() {
        // The backups folder chprog uses with the Program.ini beside it.
        const QString backupsFolder = BackupFolder(QStringLiteral("RadioProgrammer"));
        QDir(backupsFolder).removeRecursively();
        SimulatorProcess radio(PatternImage(3));
        QVERIFY(radio.isReady());
        const QString trace = radio.filePath("trace.txt");
        const QString out = radio.filePath("read.dat");
        QCOMPARE(Chprog({"read", "--port", radio.linkPath(), "-o", out, "--trace", trace}).status, 0);
        std::vector<BackupEntry> backups = ListBackups(backupsFolder);
        QCOMPARE(backups.size(), std::size_t(1));
        QVERIFY(backups[0].kind == BackupKind::Read);
        QCOMPARE(ReadFileBytes(backups[0].path), ReadFileBytes(out));
        // Read again, the radio holding the same: named, not kept again.
        const ChprogRun again = Chprog({"read", "--port", radio.linkPath(), "-o", out});
        QCOMPARE(again.status, 0);
        QCOMPARE(again.err, "chprog: note: the image is already kept as " + backups[0].path + "\n");
        QCOMPARE(ListBackups(backupsFolder).size(), std::size_t(1));

        const QString blank = radio.filePath("blank.dat");
        QCOMPARE(Chprog({"new", "-o", blank}).status, 0);
        QCOMPARE(
            Chprog({"write", "--force", "--port", radio.linkPath(), blank, "--trace", trace}).status,
            0);
        backups = ListBackups(backupsFolder);
        QCOMPARE(backups.size(), std::size_t(2));
        QVERIFY(backups[0].kind == BackupKind::Write);

        // Time, kind, radio, frequencies, file: two radios, each with its first backup.
        const QStringList lines = Chprog({"backups"}).out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].split('\t').value(1), QStringLiteral("write"));
        QCOMPARE(lines[0].split('\t').value(2), RadioLabel(NewImage()) + " (first)");
        QCOMPARE(lines[0].split('\t').value(3), QStringLiteral("- - - - - - - - - - - - - - - -"));
        QCOMPARE(lines[1].split('\t').value(2), RadioLabel(PatternImage(3)) + " (first)");
        QCOMPARE(lines[1].split('\t').value(4), backups[1].path);

        // The trace is appended: two runs, each opened and closed once, every line stamped.
        const QStringList traced =
            QString::fromUtf8(ReadFileBytes(trace)).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(traced.filter(QRegularExpression("^# \\S+ \\S+ open ")).size(), 2);
        QCOMPARE(traced.filter(QRegularExpression("^# \\S+ \\S+ close$")).size(), 2);
        const QRegularExpression stamped("^\\d+\\.\\d{3} [<>] ");
        for (const QString& line : traced)
            QVERIFY2(line.startsWith('#') || stamped.match(line).hasMatch(), qPrintable(line));
        const auto sent = [&](const char* frame) {
            return traced.filter(QRegularExpression(QString("^\\S+ > %1$").arg(frame))).size();
        };
        QCOMPARE(sent("52 00 00 08"), 1); // the read's first request
        QCOMPARE(sent("52 03 F8 08"), 1); // and its last
        // 06 answers the greeting, the handshake and every block of both runs.
        QCOMPARE(traced.filter(QRegularExpression("^\\S+ < 06$")).size(), 2 + 128 + 2 + 122);

        // A file where the backups folder should be: a warning, and the read goes on.
        QVERIFY(QDir(backupsFolder).removeRecursively());
        QVERIFY(WriteFileBytes(backupsFolder, "not a folder"));
        QFile::remove(out);
        const ChprogRun run = Chprog({"read", "--port", radio.linkPath(), "-o", out});
        QFile::remove(backupsFolder);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.contains("warning: no backup kept"), qPrintable(run.err));
        QVERIFY(QFile::exists(out));
    }

    // A trace on a full disk: the read itself succeeds, and standard error says once
    // that the trace is incomplete, with the system's reason.
    void traceThatCannotBeWrittenIsTold() {
        FullDisk disk;
        if (!disk.isMounted())
            QSKIP("mounting a small tmpfs needs root");
        SimulatorProcess radio(PatternImage(4));
        QVERIFY(radio.isReady());
        const QString trace = disk.filePath("trace.txt");
        QVERIFY(WriteFileBytes(trace, {}));
        disk.fill();
        const QString out = radio.filePath("read.dat");
        const ChprogRun run =
            Chprog({"read", "--port", radio.linkPath(), "-o", out, "--trace", trace, "--quiet"});
        QCOMPARE(run.status, 0);
        QCOMPARE(ReadFileBytes(out), ImageBytes(PatternImage(4)));
        QCOMPARE(run.err, "chprog: warning: " + trace +
                              ": the trace is incomplete (No space left on device)\n");
    }

private:
    QTemporaryDir m_dir;
};

TEST_CLASS(LinkEndToEndTest)
#include "tst_link_e2e.moc"
