// What both programs do as command-line citizens: --version, --help without a display,
// the exit statuses in every help text, a progress bar only on a terminal, and the lines
// of `chprog ports`.

#include "Chprog.h"
#include "Files.h"
#include "SimulatorProcess.h"
#include "TestSuite.h"

#include <QTemporaryDir>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString kExitStatusLine = QStringLiteral("Exit status: 0 done; 1 the radio or the link "
                                               "failed (diff: the images differ); 2 bad "
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
    void versions() {
        const ChprogRun chprog = Chprog({"--version"});
        QCOMPARE(chprog.status, 0);
        QCOMPARE(chprog.out, QString("chprog " PROGRAM_VERSION "\n"));
        const ChprogRun program = ProgramWithoutDisplay({"--version"});
        QCOMPARE(program.status, 0);
        QCOMPARE(program.out, QString("Program " PROGRAM_VERSION "\n"));
    }

    void programAnswersWithoutDisplay_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
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
        for (const char* command : {"new", "show", "export-csv", "import-csv", "settings", "set",
                                    "calibration", "read", "write", "simulate", "diff", "backups"})
            QTest::newRow(command) << QStringList{command, "--help"};
    }
    void everyHelpListsTheExitStatuses() {
        QFETCH(QStringList, arguments);
        const ChprogRun run = Chprog(arguments);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains(kExitStatusLine), qPrintable(run.out));
    }

    // Standard error is a pipe here: the result alone, nothing per block (--quiet says
    // the same on a terminal; the plain run is LinkEndToEndTest's).
    void quietReadPrintsNothing() {
        SimulatorProcess radio(PatternImage(7));
        QVERIFY(radio.isReady());
        const QString file = radio.filePath("read.dat");
        const ChprogRun run = Chprog({"read", "--port", radio.linkPath(), "-o", file, "--quiet"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(ReadFileBytes(file), ImageBytes(PatternImage(7)));
    }

    // Whatever devices this machine has, every line holds six TAB-separated fields.
    void portsLinesHaveSixFields() {
        const ChprogRun run = Chprog({"ports"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        const QRegularExpression line("^/[^\\t]*\\t[^\\t]*\\t[^\\t]*\\t[^\\t]*\\t"
                                      "([0-9a-f]{4}:[0-9a-f]{4})?\\t(COM[^\\t]*)?$");
        for (const QString& text : run.out.split(u'\n', Qt::SkipEmptyParts))
            QVERIFY2(line.match(text).hasMatch(), qPrintable(text));
        QVERIFY(Chprog({"ports", "--help"}).out.contains("TAB-separated"));
        QVERIFY(Chprog({"ports", "radio.dat"}).err.contains("takes no file"));
        QCOMPARE(Chprog({"ports", "--all"}).status, 2);
        QVERIFY(Chprog({"--help"}).out.contains("chprog ports"));
    }
};

TEST_CLASS(CliConventionsTest)
#include "tst_cli_conventions.moc"
