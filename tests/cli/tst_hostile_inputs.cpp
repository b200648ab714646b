// Inputs that are not files to read: a pipe with no writer (open() would wait for one
// forever), a device that never ends, a folder. Every command that reads a file, and
// Program.ini of --config in both programs, refuses them at once with one message,
// exit status 2, and writes nothing.

#include "files/DatFile.h"
#include "tests/support/Chprog.h"
#include "tests/support/Files.h"
#include "tests/support/TestSuite.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {

const QString kRefusal =
    QStringLiteral("(it is not a regular file but a folder, device or pipe)");

// Long enough for any refusal; far shorter than a command that waits for a writer.
constexpr int kPatienceMs = 10000;

ChprogRun RunWithoutDisplay(const QString& program, const QStringList& arguments,
                            const QString& inputFile = QString()) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return RunBuilt(program, arguments, environment, kPatienceMs, inputFile);
}

const QByteArray kOwnHeader = "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Scan Add,"
                              "Busy Lock,W/N,Compand\r\n";

// A line of our own layout whose Power cell is `power`, on channel `channel`.
QByteArray ChannelLine(const QByteArray& channel, const QByteArray& power) {
    return channel + ",146.52,146.52,None,None," + power + ",Yes,Off,Wide,No\r\n";
}

bool HasControlCharacters(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.category() == QChar::Other_Control && c != u'\n'; });
}

} // namespace

class HostileInputsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY(SaveDatFile(m_dir.filePath("base.dat"), NewImage(), nullptr));
        if (!MakeFifo(m_dir.filePath("fifo")))
            QSKIP("this system has no named pipes");
        QVERIFY(QDir(m_dir.path()).mkdir("folder"));
        // Folders of --config whose Program.ini is each of the inputs.
        for (const QString& kind : {"fifo", "device", "folder"})
            QVERIFY(QDir(m_dir.path()).mkdir("config-" + kind));
        QVERIFY(MakeFifo(m_dir.filePath("config-fifo/Program.ini")));
        QVERIFY(QFile::link("/dev/zero", m_dir.filePath("config-device/Program.ini")));
        QVERIFY(QDir(m_dir.path()).mkdir("config-folder/Program.ini"));
    }

    void refusedAtOnce_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments"); // INPUT: the input, OUT: a file not to write
        QTest::addColumn<QString>("said");          // INPUT stands for the input here too
        const QString base = m_dir.filePath("base.dat");
        const QString cannotOpen = "INPUT: cannot open the file " + kRefusal;
        const QString configIni = "--config: INPUT/Program.ini: cannot open the file " + kRefusal;
        const struct {
            const char* name;
            QString program;
            QStringList arguments;
            QString said;
        } commands[] = {
            {"show", "chprog", {"show", "INPUT"}, cannotOpen},
            {"settings", "chprog", {"settings", "INPUT"}, cannotOpen},
            {"calibration", "chprog", {"calibration", "INPUT"}, cannotOpen},
            {"export-csv", "chprog", {"export-csv", "INPUT", "-o", "OUT"}, cannotOpen},
            {"set", "chprog", {"set", "INPUT", "Beep=Off", "-o", "OUT"}, cannotOpen},
            {"diff", "chprog", {"diff", base, "INPUT"}, cannotOpen},
            {"import-csv CSV", "chprog", {"import-csv", "INPUT", "--base", base, "-o", "OUT"},
             cannotOpen},
            {"import-csv --base", "chprog",
             {"import-csv", m_dir.filePath("base.dat"), "--base", "INPUT", "-o", "OUT"},
             cannotOpen},
            {"write", "chprog", {"write", "--port", "/dev/no-such-port", "INPUT"}, cannotOpen},
            {"read --trace", "chprog",
             {"read", "--port", "/dev/no-such-port", "--trace", "INPUT", "-o", "OUT"},
             "INPUT: cannot open the trace file " + kRefusal},
            {"chprog --config", "chprog", {"backups", "--config", "CONFIG"}, configIni},
            {"Program --config", "Program", {"--config", "CONFIG"}, configIni},
        };
        const struct {
            const char* name;
            QString path;
            QString config;
        } inputs[] = {
            {"pipe", m_dir.filePath("fifo"), m_dir.filePath("config-fifo")},
            {"device", "/dev/zero", m_dir.filePath("config-device")},
            {"folder", m_dir.filePath("folder"), m_dir.filePath("config-folder")},
        };
        for (const auto& input : inputs) {
            for (const auto& command : commands) {
                QStringList arguments = command.arguments;
                arguments.replaceInStrings("INPUT", input.path);
                arguments.replaceInStrings("CONFIG", input.config);
                arguments.replaceInStrings("OUT", m_dir.filePath("out"));
                QString said = command.said;
                said.replace("INPUT", arguments.contains(input.config) ? input.config : input.path);
                QTest::addRow("%s, %s", command.name, input.name) << command.program << arguments
                                                                  << said;
            }
        }
    }
    void refusedAtOnce() {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        const ChprogRun run = RunWithoutDisplay(program, arguments);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(m_dir.filePath("out")));
        QVERIFY(!QFileInfo(m_dir.filePath("fifo")).isFile()); // the pipe is still a pipe
    }

    // Channel lists whose cells would harm the terminal or the message, and inputs too
    // large to be one: refused with a message of one short line, nothing written.
    void channelListsRefusedSafely_data() {
        QTest::addColumn<QByteArray>("csv"); // the file's bytes; empty: standard input
        QTest::addColumn<QString>("input");  // standard input when csv is empty
        QTest::addColumn<QString>("said");
        const QString none;
        const QString tooLarge = ": the file is too large for a channel list";
        const QString ellipsis(QChar(0x2026));
        QTest::newRow("escape sequence in a cell")
            << kOwnHeader + ChannelLine("1", "\x1b]0;owned\x07\x1b[2J") << none
            << "\"\\x1b]0;owned\\x07\\x1b[2J\" is not allowed";
        QTest::newRow("NUL after a channel number")
            << kOwnHeader + ChannelLine(QByteArray("1\0xyz", 5), "High") << none
            << "\"1\\x00xyz\" is not a channel";
        QTest::newRow("letters after a channel number")
            << kOwnHeader + ChannelLine("1xyz", "High") << none << "\"1xyz\" is not a channel";
        QTest::newRow("cell of 1000000 characters")
            << kOwnHeader + ChannelLine("1", QByteArray(1000000, 'H')) << none
            << "\"" + QString(40, 'H') + ellipsis + "\" is not allowed";
        QTest::newRow("cell of 5 MB") << kOwnHeader + ChannelLine("1", QByteArray(5 << 20, 'H'))
                                      << none << "in.csv" + tooLarge;
        QTest::newRow("file one byte over 1 MiB")
            << kOwnHeader + QByteArray((1 << 20) + 1 - kOwnHeader.size(), '\n') << none
            << "in.csv" + tooLarge;
        QTest::newRow("standard input from /dev/zero") << QByteArray() << "/dev/zero"
                                                       << "-" + tooLarge;
    }
    void channelListsRefusedSafely() {
        QFETCH(QByteArray, csv);
        QFETCH(QString, input);
        QFETCH(QString, said);
        const QString csvPath = m_dir.filePath("in.csv");
        QVERIFY(WriteFileBytes(csvPath, csv));
        const ChprogRun run =
            RunWithoutDisplay("chprog",
                              {"import-csv", csv.isEmpty() ? "-" : csvPath, "--base",
                               m_dir.filePath("base.dat"), "-o", m_dir.filePath("out")},
                              input);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(said), qPrintable(run.err.left(500)));
        QVERIFY2(run.err.size() < 400, qPrintable(QString::number(run.err.size())));
        QVERIFY(!HasControlCharacters(run.err));
        QVERIFY(!QFileInfo::exists(m_dir.filePath("out")));
    }

private:
    QTemporaryDir m_dir;
};

TEST_CLASS(HostileInputsTest)
#include "tst_hostile_inputs.moc"
