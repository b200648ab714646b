// chprog ports, run as a user would: whatever devices this machine has, every line
// holds the six TAB-separated fields and names a device path.

#include "Chprog.h"
#include "TestSuite.h"

#include <QtTest>

class CliPortsTest : public QObject {
    Q_OBJECT
private slots:
    void everyLineHasSixFields() {
        const ChprogRun run = Chprog({"ports"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
        for (const QString& line : lines) {
            const QStringList fields = line.split(u'\t');
            QCOMPARE(fields.size(), 6);
            QVERIFY2(fields[0].startsWith(u'/'), qPrintable(line));
            QVERIFY2(fields[4].isEmpty() || QRegularExpression("^[0-9a-f]{4}:[0-9a-f]{4}$")
                                                .match(fields[4])
                                                .hasMatch(),
                     qPrintable(line));
            QVERIFY2(fields[5].isEmpty() || fields[5].startsWith("COM"), qPrintable(line));
        }
    }

    void mistakesAndHelp_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        QTest::newRow("help") << QStringList{"ports", "--help"} << 0 << "TAB-separated";
        QTest::newRow("a file") << QStringList{"ports", "radio.dat"} << 2 << "takes no file";
        QTest::newRow("unknown option") << QStringList{"ports", "--all"} << 2 << "'all'";
        QTest::newRow("listed in the usage") << QStringList{"--help"} << 0 << "chprog ports";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "chprog ";
    }
    void mistakesAndHelp() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, said);
        const ChprogRun run = Chprog(arguments);
        QCOMPARE(run.status, status);
        QVERIFY2((run.out + run.err).contains(said), qPrintable(run.out + run.err));
    }
};

TEST_CLASS(CliPortsTest)
#include "tst_cli_ports.moc"
