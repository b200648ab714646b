// Against `chprog simulate`: the backup of every read and write, `chprog backups`, and
// the serial trace.

#include "Backups.h"
#include "Chprog.h"
#include "SimulatorProcess.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "TestSuite.h"

namespace {

// The backups folder chprog uses with the Program.ini beside it (AppName RadioProgrammer).
QString ChprogBackups() {
    return BackupFolder(QStringLiteral("RadioProgrammer"));
}

} // namespace

class FleetEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QDir(ChprogBackups()).removeRecursively(); }

    void readAndWriteLeaveBackups() {
        QTemporaryDir dir;
        SimulatorProcess radio(PatternImage(3));
        QVERIFY(radio.isReady());

        const QString out = dir.filePath("read.dat");
        QCOMPARE(Chprog({"read", "--port", radio.linkPath(), "-o", out}).status, 0);
        std::vector<BackupEntry> backups = ListBackups(ChprogBackups());
        QCOMPARE(backups.size(), std::size_t(1));
        QCOMPARE(backups[0].kind, QStringLiteral("read"));
        QCOMPARE(ReadFileBytes(backups[0].path), ReadFileBytes(out));

        const QString blank = dir.filePath("blank.dat");
        QCOMPARE(Chprog({"new", "-o", blank}).status, 0);
        QCOMPARE(Chprog({"write", "--port", radio.linkPath(), blank}).status, 0);
        backups = ListBackups(ChprogBackups());
        QCOMPARE(backups.size(), std::size_t(2));
        QCOMPARE(backups[0].kind, QStringLiteral("write"));

        const QStringList lines = Chprog({"backups"}).out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].split('\t').value(1), QStringLiteral("write"));
        QCOMPARE(lines[0].split('\t').value(2), QStringLiteral("- - - - - - - - - - - - - - - -"));
        QCOMPARE(lines[1].split('\t').value(3), backups[1].path);
    }

    void failedReadLeavesNoBackup() {
        SimulatorProcess radio({"--fault", "no-greeting"});
        QVERIFY(radio.isReady());
        QTemporaryDir dir;
        QCOMPARE(Chprog({"read", "--port", radio.linkPath(), "-o", dir.filePath("x.dat")}).status, 1);
        QVERIFY(ListBackups(ChprogBackups()).empty());
    }

    void unwritableBackupIsOnlyAWarning() {
        QTemporaryDir dir;
        SimulatorProcess radio;
        QVERIFY(radio.isReady());
        // A file where the backups folder should be.
        QVERIFY(QDir().mkpath(QFileInfo(ChprogBackups()).path()));
        QVERIFY(WriteFileBytes(ChprogBackups(), "not a folder"));
        const ChprogRun run = Chprog({"read", "--port", radio.linkPath(), "-o", dir.filePath("r.dat")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.contains("warning: no backup kept"), qPrintable(run.err));
        QVERIFY(QFile::exists(dir.filePath("r.dat")));
        QFile::remove(ChprogBackups());
    }

    void traceHoldsTheFramesOfARead() {
        QTemporaryDir dir;
        SimulatorProcess radio;
        QVERIFY(radio.isReady());
        const QString trace = dir.filePath("trace.txt");
        for (int run = 0; run < 2; ++run)
            QCOMPARE(Chprog({"read", "--port", radio.linkPath(), "-o", dir.filePath("r.dat"),
                             "--trace", trace})
                         .status,
                     0);
        const QStringList lines = QString::fromUtf8(ReadFileBytes(trace)).split('\n', Qt::SkipEmptyParts);
        // Appended: two runs, each opened and closed once.
        QCOMPARE(lines.filter(QRegularExpression("^# \\S+ \\S+ open ")).size(), 2);
        QCOMPARE(lines.filter(QRegularExpression("^# \\S+ \\S+ close$")).size(), 2);
        const QRegularExpression stamped("^\\d+\\.\\d{3} [<>] ");
        for (const QString& line : lines)
            QVERIFY2(line.startsWith('#') || stamped.match(line).hasMatch(), qPrintable(line));
        const auto sent = [&](const char* frame) {
            return lines.filter(QRegularExpression(QString("^\\S+ > %1$").arg(frame))).size();
        };
        QCOMPARE(sent("52 00 00 08"), 2); // the first read request of each run
        QCOMPARE(sent("52 03 F8 08"), 2); // and the last
        QCOMPARE(lines.filter(QRegularExpression("^\\S+ < 06$")).size() >= 2 * 129, true);
    }

    void unopenableTraceIsBadInput() {
        SimulatorProcess radio;
        QVERIFY(radio.isReady());
        QTemporaryDir dir;
        const ChprogRun run = Chprog({"read", "--port", radio.linkPath(), "-o", dir.filePath("r.dat"),
                                     "--trace", dir.filePath("no/such/folder/trace.txt")});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains("trace"));
        QVERIFY(!QFile::exists(dir.filePath("r.dat")));
    }
};

TEST_CLASS(FleetEndToEndTest)
#include "tst_fleet_e2e.moc"
