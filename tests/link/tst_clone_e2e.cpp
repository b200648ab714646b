// chprog clone against simulated radios started and stopped one after another on the
// same link, as radios are connected to one cable: two good radios and one whose write
// does not stick.

#include "Files.h"
#include "LinkProtocol.h"
#include "RadioImage.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "TestSuite.h"

namespace {

const QString kChprog = QStringLiteral(TEST_BIN_DIR "/chprog");

// One simulated radio on the link `path`; stopping it saves its memory to `savePath`.
class Radio {
public:
    Radio(const QString& path, const QString& savePath, const QStringList& options = {}) {
        m_process.setReadChannel(QProcess::StandardError);
        m_process.start(kChprog, QStringList{"simulate", "--link", path, "--save", savePath} + options);
        QByteArray err;
        const QDeadlineTimer deadline(10000);
        while (!err.contains("ready:") && !deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
            m_process.waitForReadyRead(100);
            err += m_process.readAllStandardError();
        }
        m_ready = err.contains("ready:");
    }
    ~Radio() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    bool isReady() const { return m_ready; }
    bool stop() {
        m_process.terminate();
        return m_process.waitForFinished(10000) && m_process.exitCode() == 0;
    }

private:
    QProcess m_process;
    bool m_ready = false;
};

// The bytes the normal write covers.
QByteArray WrittenRegions(const QByteArray& memory) {
    QByteArray regions;
    for (const TransferBlock& block : WritePlan(false))
        regions += memory.mid(block.address, block.length);
    return regions;
}

} // namespace

class CloneEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void twoGoodRadiosAndOneThatFailsTheVerify() {
        QTemporaryDir dir;
        const QString link = dir.filePath("cable");
        const QString target = dir.filePath("target.dat");
        QVERIFY(SaveDatFile(target, PatternImage(5), nullptr));
        QProcess clone;
        clone.start(kChprog, {"clone", "--port", link, target, "--count", "2"});
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
            Radio first(link, dir.filePath("first.dat"));
            QVERIFY(first.isReady());
            QVERIFY2(waitFor("radio 1: written and verified in "), qPrintable(out));
            // Still connected: recognised, not written again.
            QVERIFY2(waitFor("radio already programmed\n"), qPrintable(out));
            QVERIFY(first.stop());
        }
        QCOMPARE(WrittenRegions(ReadFileBytes(dir.filePath("first.dat"))),
                 WrittenRegions(ImageBytes(PatternImage(5))));
        {
            Radio faulty(link, dir.filePath("faulty.dat"), {"--fault", "lose-write:5"});
            QVERIFY(faulty.isReady());
            QVERIFY2(waitFor("radio 2: verify failed: the radio does not hold what was written, "
                             "first at address 0x"),
                     qPrintable(out));
            QVERIFY(faulty.stop());
        }
        {
            Radio third(link, dir.filePath("third.dat"));
            QVERIFY(third.isReady());
            QVERIFY2(waitFor("programmed 2, failed 1\n"), qPrintable(out));
            QVERIFY(clone.waitForFinished(10000));
            QVERIFY(third.stop());
        }
        out += QString::fromUtf8(clone.readAllStandardOutput());
        QCOMPARE(clone.exitCode(), 1);
        const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines[3].startsWith("radio 3: written and verified in "));
        QCOMPARE(out.count("radio already programmed"), 1);
        QCOMPARE(WrittenRegions(ReadFileBytes(dir.filePath("third.dat"))),
                 WrittenRegions(ImageBytes(PatternImage(5))));
    }

    void everyRadioGoodExitsZero() {
        QTemporaryDir dir;
        const QString link = dir.filePath("cable");
        const QString target = dir.filePath("target.dat");
        QVERIFY(SaveDatFile(target, PatternImage(9), nullptr));
        Radio radio(link, dir.filePath("memory.dat"));
        QVERIFY(radio.isReady());
        QProcess clone;
        clone.start(kChprog, {"clone", "--port", link, target, "--count", "1", "--no-verify"});
        QVERIFY(clone.waitForFinished(30000));
        const QString out = QString::fromUtf8(clone.readAllStandardOutput());
        QVERIFY2(out.startsWith("radio 1: written in "), qPrintable(out));
        QVERIFY(out.endsWith("programmed 1, failed 0\n"));
        QCOMPARE(clone.exitCode(), 0);
    }

    void badCountIsBadInput() {
        QProcess clone;
        clone.start(kChprog, {"clone", "--port", "/dev/null", "x.dat", "--count", "0"});
        QVERIFY(clone.waitForFinished(10000));
        QCOMPARE(clone.exitCode(), 2);
    }
};

TEST_CLASS(CloneEndToEndTest)
#include "tst_clone_e2e.moc"
