// chprog when things go wrong: a save that fails says so, exits 2 and keeps the old
// file (the refusals of the save itself are AtomicFileTest's); read checks its -o file
// and its port before it talks.

#include "Chprog.h"
#include "Files.h"
#include "FullDisk.h"
#include "RadioImage.h"
#include "TestSuite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class CliFailuresTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(SaveDatFile(m_dir.filePath("base.dat"), NewImage(), nullptr));
        QVERIFY(WriteFileBytes(m_dir.filePath("in.csv"),
                               "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Scan Add,"
                               "Busy Lock,W/N,Compand\r\n3,145.5875,,None,None,High,Yes,Off,Wide,No\r\n"));
    }

    // Every command that writes a file, each through its own save.
    void fullDiskKeepsTheOldFile_data() {
        QTest::addColumn<QStringList>("arguments"); // TARGET stands for the file written
        const QString base = m_dir.filePath("base.dat");
        QTest::newRow("set") << QStringList{"set", "TARGET", "Beep=Off"};
        QTest::newRow("set -o") << QStringList{"set", base, "Beep=Off", "-o", "TARGET"};
        QTest::newRow("new") << QStringList{"new", "-o", "TARGET"};
        QTest::newRow("import-csv")
            << QStringList{"import-csv", m_dir.filePath("in.csv"), "--base", base, "-o", "TARGET"};
        QTest::newRow("export-csv") << QStringList{"export-csv", base, "-o", "TARGET"};
    }
    void fullDiskKeepsTheOldFile() {
        QFETCH(QStringList, arguments);
        FullDisk disk;
        if (!disk.isMounted())
            QSKIP("mounting a small tmpfs needs root");
        const QString target = disk.filePath("target.dat");
        QVERIFY(SaveDatFile(target, NewImage(), nullptr)); // Beep=On in a new image
        const QByteArray old = ReadFileBytes(target);
        disk.fill();
        const ChprogRun run = Chprog(arguments.replaceInStrings("TARGET", target));
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY2(run.err.contains(target + ": cannot"), qPrintable(run.err));
        QVERIFY2(run.err.contains("No space left on device"), qPrintable(run.err));
        QCOMPARE(ReadFileBytes(target), old);
    }

    void readChecksItsFileBeforeTheRadio_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder") << "folder" << "not a regular file";
        QTest::newRow("a missing folder") << "missing/x.dat" << "folder does not exist";
        QTest::newRow("a read-only folder") << "read-only" << "folder is not writable";
    }
    void readChecksItsFileBeforeTheRadio() {
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

    void emptyPortIsNoPort() {
        for (const QStringList& arguments : {QStringList{"read", "--port", "", "-o", "x.dat"},
                                             QStringList{"write", "--port", " ", "x.dat"}}) {
            const ChprogRun run = Chprog(arguments);
            QCOMPARE(run.status, 2);
            QVERIFY2(run.err.contains("no port was given"), qPrintable(run.err));
        }
    }

private:
    QTemporaryDir m_dir;
};

TEST_CLASS(CliFailuresTest)
#include "tst_cli_failures.moc"
