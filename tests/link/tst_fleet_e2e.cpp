// Against `chprog simulate`: the backup of every read and write, `chprog backups`, a
// backup that cannot be kept, and the serial trace of both runs.

#include "Backups.h"
#include "Chprog.h"
#include "SimulatorProcess.h"
#include "TestSuite.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

class FleetEndToEndTest : public QObject {
    Q_OBJECT
private slots:
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
        QCOMPARE(backups[0].kind, QStringLiteral("read"));
        QCOMPARE(ReadFileBytes(backups[0].path), ReadFileBytes(out));

        const QString blank = radio.filePath("blank.dat");
        QCOMPARE(Chprog({"new", "-o", blank}).status, 0);
        QCOMPARE(Chprog({"write", "--port", radio.linkPath(), blank, "--trace", trace}).status, 0);
        backups = ListBackups(backupsFolder);
        QCOMPARE(backups.size(), std::size_t(2));
        QCOMPARE(backups[0].kind, QStringLiteral("write"));

        const QStringList lines = Chprog({"backups"}).out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].split('\t').value(1), QStringLiteral("write"));
        QCOMPARE(lines[0].split('\t').value(2), QStringLiteral("- - - - - - - - - - - - - - - -"));
        QCOMPARE(lines[1].split('\t').value(3), backups[1].path);

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
};

TEST_CLASS(FleetEndToEndTest)
#include "tst_fleet_e2e.moc"
