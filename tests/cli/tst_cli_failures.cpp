// chprog when things go wrong: a save that fails says so, exits 2 and keeps the old
// file; targets that are no regular file are refused; frequencies that are no plain
// numbers are refused; read checks its -o file and its port before it talks.

#include "Chprog.h"
#include "Files.h"
#include "FullDisk.h"
#include "RadioImage.h"
#include "TestSuite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray kHeader =
    "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Scan Add,Busy Lock,W/N,Compand\r\n";

// The arguments of a command that writes TARGET, with its inputs in `dir`.
QStringList CommandWriting(const QString& command, const QString& target, const QTemporaryDir& dir) {
    const QString base = dir.filePath("base.dat");
    const QString csv = dir.filePath("in.csv");
    if (command == "set")
        return {"set", target, "Beep=Off"};
    if (command == "new")
        return {"new", "-o", target};
    if (command == "set -o")
        return {"set", base, "Beep=Off", "-o", target};
    if (command == "import-csv")
        return {"import-csv", csv, "--base", base, "-o", target};
    return {"export-csv", base, "-o", target};
}

} // namespace

class CliFailuresTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void targetThatIsNoRegularFile_data();
    void targetThatIsNoRegularFile();
    void symbolicLinkIsFollowed();
    void frequencyMustBeAPlainNumber_data();
    void frequencyMustBeAPlainNumber();
    void readChecksItsFileBeforeTheRadio_data();
    void readChecksItsFileBeforeTheRadio();
    void emptyPortIsNoPort_data();
    void emptyPortIsNoPort();

private:
    QTemporaryDir m_dir;
};

void CliFailuresTest::initTestCase() {
    QVERIFY(SaveDatFile(m_dir.filePath("base.dat"), NewImage(), nullptr));
    QVERIFY(WriteFileBytes(m_dir.filePath("in.csv"),
                           kHeader + "3,145.5875,,None,None,High,Yes,Off,Wide,No\r\n"));
}

void CliFailuresTest::fullDiskKeepsTheOldFile_data() {
    QTest::addColumn<QString>("command");
    for (const char* command : {"set", "set -o", "new", "import-csv", "export-csv"})
        QTest::newRow(command) << command;
}

void CliFailuresTest::fullDiskKeepsTheOldFile() {
    QFETCH(QString, command);
    FullDisk disk;
    if (!disk.isMounted())
        QSKIP("mounting a small tmpfs needs root");
    const QString target = disk.filePath("target.dat");
    QVERIFY(SaveDatFile(target, NewImage(), nullptr)); // Beep=On in a new image
    const QByteArray old = ReadFileBytes(target);
    disk.fill();
    const ChprogRun run = Chprog(CommandWriting(command, target, m_dir));
    QCOMPARE(run.status, 2);
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY2(run.err.contains(target + ": cannot"), qPrintable(run.err));
    QVERIFY2(run.err.contains("No space left on device"), qPrintable(run.err));
    QCOMPARE(ReadFileBytes(target), old);
}

void CliFailuresTest::targetThatIsNoRegularFile_data() {
    QTest::addColumn<QString>("command");
    for (const char* command : {"set -o", "new", "import-csv", "export-csv"})
        QTest::newRow(command) << command;
}

void CliFailuresTest::targetThatIsNoRegularFile() {
    QFETCH(QString, command);
    QTemporaryDir dir;
    const QString target = dir.filePath("folder.dat");
    QVERIFY(QDir(dir.path()).mkdir("folder.dat"));
    const ChprogRun run = Chprog(CommandWriting(command, target, m_dir));
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.contains("not a regular file"), qPrintable(run.err));
    QVERIFY(QFileInfo(target).isDir());
}

void CliFailuresTest::symbolicLinkIsFollowed() {
    QTemporaryDir dir;
    const QString real = dir.filePath("real.dat");
    const QString link = dir.filePath("link.dat");
    QVERIFY(SaveDatFile(real, NewImage(), nullptr));
    QVERIFY(QFile::link(real, link));
    QCOMPARE(Chprog({"set", link, "Beep=Off"}).status, 0);
    QVERIFY(QFileInfo(link).isSymLink());
    QVERIFY(ReadFileBytes(real) != ReadFileBytes(m_dir.filePath("base.dat")));
    QCOMPARE(Chprog({"settings", link}).out.contains("Beep\tOff"), true);
}

void CliFailuresTest::frequencyMustBeAPlainNumber_data() {
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("column");
    for (const char* text : {"nan", "inf", "-inf", "1e-300", "1.46e2", "+146.5", "-146.5",
                             "146.5.0", "0x92", "1 46", "0", "0.000001"})
        QTest::newRow(text) << text << "Rx Frequency";
    QTest::newRow("transmit nan") << "146.5,nan" << "Tx Frequency";
}

void CliFailuresTest::frequencyMustBeAPlainNumber() {
    QFETCH(QString, frequency);
    QFETCH(QString, column);
    const QString csv = m_dir.filePath("numbers.csv");
    const QString fields = frequency.contains(',') ? frequency : frequency + ",";
    QVERIFY(WriteFileBytes(
        csv, kHeader + "5," + fields.toUtf8() + ",None,None,High,No,Off,Wide,No\r\n"));
    const QString out = m_dir.filePath("numbers.dat");
    QFile::remove(out);
    const ChprogRun run = Chprog({"import-csv", csv, "--base", m_dir.filePath("base.dat"), "-o", out});
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.contains("line 2, column \"" + column + "\""), qPrintable(run.err));
    QVERIFY(!QFile::exists(out));
}

void CliFailuresTest::readChecksItsFileBeforeTheRadio_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a folder") << "folder" << "not a regular file";
    QTest::newRow("a missing folder") << "missing/x.dat" << "folder does not exist";
    QTest::newRow("a read-only folder") << "read-only" << "folder is not writable";
}

void CliFailuresTest::readChecksItsFileBeforeTheRadio() {
    QFETCH(QString, target);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    FullDisk readOnly(FullDisk::ReadOnly);
    QString path = dir.filePath(target);
    if (target == "read-only") {
        if (!readOnly.isMounted())
            QSKIP("mounting a read-only tmpfs needs root");
        path = readOnly.filePath("x.dat");
    }
    // The port does not exist: reaching it would fail with exit status 1.
    const ChprogRun run = Chprog({"read", "--port", dir.filePath("no-radio"), "-o", path});
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.contains(reason), qPrintable(run.err));
    QVERIFY(!run.err.contains("Port"));
}

void CliFailuresTest::emptyPortIsNoPort_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("read") << QStringList{"read", "--port", "", "-o", "x.dat"};
    QTest::newRow("write") << QStringList{"write", "--port", " ", "x.dat"};
}

void CliFailuresTest::emptyPortIsNoPort() {
    QFETCH(QStringList, arguments);
    const ChprogRun run = Chprog(arguments);
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.contains("no port was given"), qPrintable(run.err));
}

TEST_CLASS(CliFailuresTest)
#include "tst_cli_failures.moc"
