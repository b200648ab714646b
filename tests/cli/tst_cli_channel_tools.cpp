// chprog plans, check, new --plan and sort: the plans a user has, the breaches of an
// image with their exit status, a new image from a plan for the model and band asked
// for, and a sort in place; every refusal exits 2 and writes nothing.
#include "config/InstallLayout.h"
#include "tests/support/Chprog.h"
#include "tests/support/Files.h"
#include "tests/support/TestSuite.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class CliChannelToolsTest : public QObject {
    Q_OBJECT
private slots:
    void checkNamesEachBreach() {
        QTemporaryDir dir;
        const QString image = dir.filePath("pmr.dat");
        const ChprogRun made = Chprog({"new", "--plan", "pmr446", "--model", "QR-16U", "--band",
                                       "400-470MHz", "-o", image});
        QCOMPARE(made.status, 0);
        QCOMPARE(made.err, QString());
        const ChprogRun clean = Chprog({"check", image, "--plan", "PMR446"});
        QCOMPARE(clean.status, 0);
        QCOMPARE(clean.out, QString());
        const ChprogRun marine = Chprog({"check", image, "--plan", "marine-vhf"});
        QCOMPARE(marine.status, 1);
        const QStringList lines = marine.out.split(u'\n', Qt::SkipEmptyParts);
        // Each of the 16 channels: its two frequencies and its bandwidth.
        QCOMPARE(lines.size(), 48);
        QCOMPARE(lines[0], QString("CH 1\tRx Frequency\t446.00625\tnot a frequency of the plan"));
        QCOMPARE(lines[2], QString("CH 1\tW/N\tNarrow\tthe plan requires Wide"));
    }

    void newTakesTheBandsChannels() {
        QTemporaryDir dir;
        const QString image = dir.filePath("frs.dat");
        const ChprogRun made = Chprog({"new", "--plan", "frs", "--model", "qr-16u", "--band",
                                       "450 - 520MHz", "-o", image});
        QCOMPARE(made.status, 0);
        QVERIFY2(made.err.contains("6 of the 22 channels of frs left out"), qPrintable(made.err));
        const ChprogRun shown = Chprog({"show", image});
        QVERIFY(shown.out.startsWith(" 1\t462.56250\t462.56250\tNone\tNone\tLow\tYes\tOff\tNarrow"));
    }

    void refusalsWriteNothing_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        QTest::newRow("unknown plan") << QStringList{"new", "--plan", "cb27"} << "\"cb27\" is not a plan";
        QTest::newRow("plan outside the band")
            << QStringList{"new", "--plan", "pmr446"} << "no channel of pmr446 lies in QR-16V";
        QTest::newRow("unknown model") << QStringList{"new", "--model", "QR-99"} << "--model: \"QR-99\"";
        QTest::newRow("band of another model")
            << QStringList{"new", "--model", "QR-16V", "--band", "400 - 470MHz"}
            << "is not one of 136 - 174MHz, 144 - 148MHz";
    }
    void refusalsWriteNothing() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const ChprogRun run = Chprog(arguments + QStringList{"-o", dir.filePath("out.dat")});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QVERIFY(!QFile::exists(dir.filePath("out.dat")));
    }

    void checkRefusesBadInput() {
        QTemporaryDir dir;
        QCOMPARE(Chprog({"check", dir.filePath("missing.dat"), "--plan", "frs"}).status, 2);
        QCOMPARE(Chprog({"check", dir.filePath("missing.dat")}).status, 2);
        QCOMPARE(Chprog({"new", "-o", dir.filePath("a.dat")}).status, 0);
        QCOMPARE(Chprog({"check", dir.filePath("a.dat"), "--plan", "nosuch"}).status, 2);
    }

    void sortInPlaceNamesDuplicates() {
        QTemporaryDir dir;
        const QString image = dir.filePath("pmr.dat");
        QCOMPARE(Chprog({"new", "--plan", "pmr446", "--model", "QR-16U", "-o", image}).status, 0);
        const QByteArray before = ReadFileBytes(image);
        const ChprogRun sorted = Chprog({"sort", image, "--channels", "16-16"});
        QCOMPARE(sorted.status, 0);
        QCOMPARE(ReadFileBytes(image), before); // already in order
        for (const QString& range : {"0-3", "3-2", "1-17", "a-b", "1-2-3", "16"}) {
            const ChprogRun refused = Chprog({"sort", image, "--channels", range});
            QCOMPARE(refused.status, 2);
            QVERIFY2(refused.err.contains("is not a range of channels 1 to 16"), qPrintable(range));
        }
        // Channel 5 becomes a copy of channel 1: sorted, it sits beside it and is named.
        QVERIFY(WriteFileBytes(dir.filePath("in.csv"),
                               "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Scan Add,"
                               "Busy Lock,W/N,Compand\n5,446.00625,,None,None,Low,Yes,Off,Narrow,No\n"));
        QCOMPARE(Chprog({"import-csv", dir.filePath("in.csv"), "--base", image, "-o", image}).status, 0);
        const ChprogRun duplicate = Chprog({"sort", image});
        QCOMPARE(duplicate.status, 0);
        QVERIFY2(duplicate.err.contains("note: channels 1, 2 have the same receive frequency and tones"),
                 qPrintable(duplicate.err));
        QVERIFY(Chprog({"show", image}).out.contains(" 3\t446.01875\t"));
    }

    // A user's own plan is listed beside the shipped ones; a broken one is named, not fatal.
    void plansListsTheUsersOwn() {
        const QString folder =
            QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                .filePath(PackageName() + "/plans");
        QVERIFY(QDir().mkpath(folder));
        QFile own(folder + "/site.json");
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write(R"({"name": {"en": "Site", "zh": "工地"}, "channels": [{"rx": "151.625"}]})");
        own.close();
        QFile broken(folder + "/broken.json");
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.close();
        const ChprogRun english = Chprog({"plans"});
        QCOMPARE(english.status, 0);
        QCOMPARE(english.out.count(u'\n'), 6);
        QVERIFY(english.out.contains("site\t1\tSite\t"));
        QVERIFY2(english.err.contains("plan left out: " + folder + "/broken.json"), qPrintable(english.err));
        const ChprogRun chinese = Chprog({"plans", "--lang", "zh"});
        QVERIFY(chinese.out.contains(QString::fromUtf8("site\t1\t工地\t")));
        QFile::remove(own.fileName());
        QFile::remove(broken.fileName());
    }
};

TEST_CLASS(CliChannelToolsTest)
#include "tst_cli_channel_tools.moc"
