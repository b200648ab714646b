// What both programs do as command-line citizens: --version, --help without a display,
// the exit statuses in every help text, a progress bar only on a terminal, the lines
// of `chprog ports`; and when things go wrong: a save that fails says so, exits 2 and
// keeps the old file (the refusals of the save itself are AtomicFileTest's).

#include "tests/support/Chprog.h"
#include "files/DatFile.h"
#include "tests/support/Files.h"
#include "tests/support/FullDisk.h"
#include "tests/support/SimulatorProcess.h"
#include "tests/support/TestSuite.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kExitStatusLine = QStringLiteral("Exit status: 0 done; 1 the radio or the link "
                                               "failed (diff: the images differ; check: a "
                                               "rule is broken); 2 bad "
                                               "arguments, files or values");

// The window program with no display at all and a platform that needs one: anything
// that starts the window system fails.
ChprogRun ProgramWithoutDisplay(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return RunBuilt(QStringLiteral("Program"), arguments, environment);
}

} // namespace

class CliConventionsTest : public QObject {
    Q_OBJECT
private slots:
    void chprogVersion() {
        const ChprogRun chprog = Chprog({"--version"});
        QCOMPARE(chprog.status, 0);
        QCOMPARE(chprog.out, QString("chprog " PROGRAM_VERSION "\n"));
    }

    void programAnswersWithoutDisplay_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        QTest::newRow("--version")
            << QStringList{"--version"} << 0 << "Program " PROGRAM_VERSION "\n";
        QTest::newRow("--help") << QStringList{"--help"} << 0 << "[options] [file.dat]";
        QTest::newRow("unknown option") << QStringList{"--colour"} << 2 << "Unknown option";
        QTest::newRow("two files") << QStringList{"a.dat", "b.dat"} << 2 << "Only one .dat file";
    }
    void programAnswersWithoutDisplay() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, said);
        const ChprogRun run = ProgramWithoutDisplay(arguments);
        QCOMPARE(run.status, status);
        QVERIFY2((run.out + run.err).contains(said), qPrintable(run.out + run.err));
    }

    void everyHelpListsTheExitStatuses_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("chprog") << QStringList{"--help"};
        for (const char* command :
             {"new", "show", "export-csv", "import-csv", "settings", "set", "calibration", "read",
              "write", "clone", "restore", "simulate", "diff", "backups", "ports", "edit"})
            QTest::newRow(command) << QStringList{command, "--help"};
    }
    // chprog runs here by its full path; the usage line names it as the user types it.
    void everyHelpListsTheExitStatuses() {
        QFETCH(QStringList, arguments);
        const ChprogRun run = Chprog(arguments);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains(kExitStatusLine), qPrintable(run.out));
        const QString usage = arguments.size() == 2 ? "Usage: chprog " + arguments[0] + " [options]"
                                                    : QString("Usage: chprog COMMAND [options]");
        QVERIFY2(run.out.startsWith(usage), qPrintable(run.out.section('\n', 0, 0)));
    }

    // Standard error is a pipe here: the result alone, nothing per block (--quiet says
    // the same on a terminal; the plain run is LinkEndToEndTest's).
    void quietReadPrintsNothing() {
        SKIP_WITHOUT_SIMULATOR();
        SimulatorProcess radio(PatternImage(7));
        QVERIFY(radio.isReady());
        const QString file = radio.filePath("read.dat");
        const ChprogRun run = Chprog({"read", "--port", radio.linkPath(), "-o", file, "--quiet"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(ReadFileBytes(file), ImageBytes(PatternImage(7)));
    }

    // The lines themselves are DetectedPortsTest's.
    void portsListsWithoutComplaint() {
        const ChprogRun run = Chprog({"ports"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        QVERIFY(Chprog({"ports", "--help"}).out.contains("TAB-separated"));
        QVERIFY(Chprog({"--help"}).out.contains("chprog ports"));
    }

    void initTestCase() {
        QVERIFY(SaveDatFile(m_dir.filePath("base.dat"), NewImage(), nullptr));
        QVERIFY(WriteFileBytes(
            m_dir.filePath("in.csv"),
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

private:
    QTemporaryDir m_dir;
};

TEST_CLASS(CliConventionsTest)
#include "tst_cli_conventions.moc"
