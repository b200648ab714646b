// chprog read and write --verify against the simulated radio's line faults: a read that
// went wrong fails and leaves the -o file alone; a write that stored nothing is caught.

#include "Chprog.h"
#include "ProgrammingExchange.h"
#include "SimulatorProcess.h"
#include "TestSuite.h"

#include <QCoreApplication>
#include <QTest>

class LinkFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void disturbedReadFails_data();
    void disturbedReadFails();
    void verifyCatchesAWriteThatStoredNothing();
    void verifyPassesOnAGoodRadio();
    void timedFaultsNeedTheirTime();
};

void LinkFaultsTest::disturbedReadFails_data() {
    QTest::addColumn<QString>("fault");
    QTest::newRow("late reply") << "late-reply:41:2300";
    QTest::newRow("pause inside the header") << "header-pause:41:200";
    QTest::newRow("noise burst") << "noise:41";
    QTest::newRow("echo") << "echo";
    QTest::newRow("06 to everything") << "ack-all";
}

void LinkFaultsTest::disturbedReadFails() {
    QFETCH(QString, fault);
    SimulatorProcess radio({"--fault", fault});
    QVERIFY(radio.isReady());
    const QString file = radio.filePath("kept.dat");
    QVERIFY(WriteFileBytes(file, ImageBytes(PatternImage(1))));
    const ChprogRun run = Chprog({"read", "--port", radio.linkPath(), "-o", file});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(QString("chprog: ") + kProgramInterruptText), qPrintable(run.err));
    QCOMPARE(ReadFileBytes(file), ImageBytes(PatternImage(1)));
    QVERIFY(radio.stop());
}

void LinkFaultsTest::verifyCatchesAWriteThatStoredNothing() {
    SimulatorProcess radio({"--fault", "ack-all"});
    QVERIFY(radio.isReady());
    const QString file = radio.filePath("image.dat");
    QVERIFY(WriteFileBytes(file, ImageBytes(PatternImage(2))));
    // Without --verify the line's 06s pass for success.
    QCOMPARE(Chprog({"write", "--port", radio.linkPath(), file}).status, 0);
    const ChprogRun run = Chprog({"write", "--verify", "--port", radio.linkPath(), file});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains("could not be read back"), qPrintable(run.err));
    QVERIFY(radio.stop());
    QCOMPARE(radio.savedMemory(), ImageBytes(NewImage())); // nothing was stored
}

void LinkFaultsTest::verifyPassesOnAGoodRadio() {
    SimulatorProcess radio;
    QVERIFY(radio.isReady());
    const QString file = radio.filePath("image.dat");
    // A new image's calibration is in range already: it is written as it is.
    QVERIFY(WriteFileBytes(file, ImageBytes(NewImage())));
    const ChprogRun run = Chprog({"write", "--verify", "--port", radio.linkPath(), file});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QString()); // standard error is a pipe: no progress bar
    QVERIFY(radio.stop());
}

void LinkFaultsTest::timedFaultsNeedTheirTime() {
    for (const char* fault : {"late-reply:3", "header-pause:0:50", "noise:0", "echo:1"}) {
        const ChprogRun run = Chprog({"simulate", "--link", "/tmp/unused-link", "--fault", fault});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(fault), qPrintable(run.err));
    }
}

TEST_CLASS(LinkFaultsTest)
#include "tst_link_faults.moc"
