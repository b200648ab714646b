// chprog clone against simulated radios started and stopped one after another on the
// same link, as radios are connected to one cable: two good radios and one whose write
// does not stick.

#include "tests/support/Chprog.h"
#include "files/DatFile.h"
#include "link/LinkProtocol.h"
#include "tests/support/SimulatorProcess.h"
#include "tests/support/TestSuite.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class CloneEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void twoGoodRadiosAndOneThatFailsTheVerify() {
        QTemporaryDir dir;
        const QString link = dir.filePath("cable");
        const QString target = dir.filePath("target.dat");
        QVERIFY(SaveDatFile(target, PatternImage(5), nullptr));
        // What a new radio holds once the normal write went through.
        const QByteArray written =
            ImageBytes(AfterWrite(NewImage(), PatternImage(5), WritePlan(false), 122));
        QProcess clone;
        clone.start(TEST_BIN_DIR "/chprog", {"clone", "--port", link, target, "--count", "2"});
        QString out;
        const auto waitFor = [&](const QString& text) {
            const QDeadlineTimer deadline(30000);
            while (!out.contains(text) && !deadline.hasExpired() && clone.state() != QProcess::NotRunning) {
                clone.waitForReadyRead(100);
                out += QString::fromUtf8(clone.readAllStandardOutput());
            }
            return out.contains(text);
        };

        {
            SimulatorProcess first({}, link);
            QVERIFY(first.isReady());
            QVERIFY2(waitFor("radio 1: written and verified in "), qPrintable(out));
            // Still connected: recognised, not written again.
            QVERIFY2(waitFor("radio already programmed\n"), qPrintable(out));
            QVERIFY(first.stop());
            QCOMPARE(first.savedMemory(), written);
        }
        {
            SimulatorProcess faulty({"--fault", "lose-write:5"}, link);
            QVERIFY(faulty.isReady());
            QVERIFY2(waitFor("radio 2: verify failed: the radio does not hold what was written, "
                             "first at address 0x"),
                     qPrintable(out));
            QVERIFY(faulty.stop());
        }
        {
            SimulatorProcess third({}, link);
            QVERIFY(third.isReady());
            QVERIFY2(waitFor("programmed 2, failed 1\n"), qPrintable(out));
            QVERIFY(clone.waitForFinished(10000));
            QVERIFY(third.stop());
            QCOMPARE(third.savedMemory(), written);
        }
        out += QString::fromUtf8(clone.readAllStandardOutput());
        QCOMPARE(clone.exitCode(), 1);
        const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines[3].startsWith("radio 3: written and verified in "));
        QCOMPARE(out.count("radio already programmed"), 1);
    }

    void everyRadioGoodExitsZero() {
        SimulatorProcess radio;
        QVERIFY(radio.isReady());
        const QString target = radio.filePath("target.dat");
        QVERIFY(SaveDatFile(target, PatternImage(9), nullptr));
        const ChprogRun run =
            Chprog({"clone", "--port", radio.linkPath(), target, "--count", "1", "--no-verify"});
        QVERIFY2(run.out.startsWith("radio 1: written in "), qPrintable(run.out));
        QVERIFY(run.out.endsWith("programmed 1, failed 0\n"));
        QCOMPARE(run.status, 0);
        QCOMPARE(Chprog({"clone", "--port", "/dev/null", "x.dat", "--count", "0"}).status, 2);
    }
};

TEST_CLASS(CloneEndToEndTest)
#include "tst_clone_e2e.moc"
