// The fleet station window against simulated radios over pseudo-terminals: two radios
// run to done on two cables, and a port that cannot be opened fails while the other
// goes on.

#include "config/UserStore.h"
#include "dialogs/FleetStationDlg.h"
#include "files/ProgrammingLog.h"
#include "link/LinkProtocol.h"
#include "tests/support/Files.h"
#include "tests/support/SimulatorProcess.h"
#include "tests/support/TestSuite.h"
#include "ui/Prompts.h"

#include <QTest>
#include <memory>
#include <vector>

namespace {

// Generous: the machine running the suite may be busy with other builds.
constexpr int kWaitMs = 60000;

RadioImage ForBandZero(int seed) {
    RadioImage image = PatternImage(seed);
    image[ImageMap::kProductType] = 0;
    image[ImageMap::kProductBand] = 0;
    return image;
}

QByteArray WrittenPart(const QByteArray& memory) {
    QByteArray regions;
    for (const TransferBlock& block : WritePlan(false))
        regions += memory.mid(block.address, block.length);
    return regions;
}

// A station window on `image` with a Program.ini (and so a log and backups) of its own;
// every question is recorded and answered with `answer`.
class StationWindow {
public:
    StationWindow(const RadioImage& image, const QString& appName)
        : m_config(DefaultIniWith("AppName", appName)) {
        m_prompts.setHandlers({[this](const Prompt& prompt) {
                                   m_asked << prompt.text;
                                   return PromptAnswer(answer);
                               },
                               [](const QString&) {}, {}, {}});
        FleetStationContext context;
        context.prompts = &m_prompts;
        context.iniFilePath = m_config.iniPath();
        context.documentImage = image;
        context.documentName = QStringLiteral("fleet.dat");
        m_logPath = ProgrammingLogFile(UserStore(m_config.iniPath()).appName());
        QFile::remove(m_logPath);
        dialog = std::make_unique<FleetStationDlg>(std::move(context));
        dialog->show();
    }
    QString logText() const { return QString::fromUtf8(ReadFileBytes(m_logPath)); }
    const QStringList& asked() const { return m_asked; }

    std::unique_ptr<FleetStationDlg> dialog;
    QMessageBox::StandardButton answer = QMessageBox::No;

private:
    ConfigDir m_config;
    Prompts m_prompts;
    QStringList m_asked;
    QString m_logPath;
};

} // namespace

class FleetStationTest : public QObject {
    Q_OBJECT
private slots:
    void twoRadiosRunToDone() {
        SKIP_WITHOUT_SIMULATOR();
        const RadioImage image = ForBandZero(2);
        SimulatorProcess first(ForBandZero(1)), second(ForBandZero(3));
        QVERIFY(first.isReady() && second.isReady());
        StationWindow station(image, "FleetWindowTwo");
        station.dialog->tickPort(first.linkPath());
        station.dialog->tickPort(second.linkPath());
        QVERIFY(station.dialog->start());
        for (const SimulatorProcess* radio : {&first, &second})
            QTRY_VERIFY2_WITH_TIMEOUT(station.dialog->tileResult(radio->linkPath())
                                          .contains("written and verified") &&
                                          station.dialog->tileState(radio->linkPath()) == "Done",
                                      qPrintable(station.dialog->tileResult(radio->linkPath())),
                                      kWaitMs);
        QVERIFY(station.dialog->totalText().startsWith("Programmed 2, failed 0, skipped 0"));
        QCOMPARE(station.logText().count("\"written+verified\""), 2);
        // Closing while nothing is written asks nothing and waits for the workers.
        station.dialog->reject();
        QTRY_VERIFY_WITH_TIMEOUT(!station.dialog->isRunning(), kWaitMs);
        QVERIFY(station.asked().isEmpty());
        QVERIFY(first.stop() && second.stop());
        QCOMPARE(WrittenPart(first.savedMemory()), WrittenPart(ImageBytes(image)));
        QCOMPARE(WrittenPart(second.savedMemory()), WrittenPart(ImageBytes(image)));
    }

    // A radio at 9600 baud takes seconds to write: closing meanwhile asks, No keeps it
    // going, Yes breaks it off and the window goes once the worker has ended.
    void closingWhileWritingAsksFirst() {
        SKIP_WITHOUT_SIMULATOR();
        SimulatorProcess radio(ForBandZero(6), {"--baud", "9600"});
        QVERIFY(radio.isReady());
        StationWindow station(ForBandZero(7), "FleetWindowClosing");
        station.dialog->tickPort(radio.linkPath());
        QVERIFY(station.dialog->start());
        QTRY_COMPARE_WITH_TIMEOUT(station.dialog->tileState(radio.linkPath()), QString("Writing"),
                                  kWaitMs);
        station.dialog->reject();
        QCOMPARE(station.asked().size(), 1);
        QVERIFY(station.dialog->isVisible() && station.dialog->isRunning());
        station.answer = QMessageBox::Yes;
        station.dialog->reject();
        QVERIFY(station.dialog->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!station.dialog->isVisible(), kWaitMs);
        QVERIFY(!station.dialog->isRunning());
        QVERIFY(station.logText().contains("failed: stopped part way"));
    }

    void aPortThatCannotBeOpenedFailsAlone() {
        SKIP_WITHOUT_SIMULATOR();
        const RadioImage image = ForBandZero(4);
        SimulatorProcess radio(ForBandZero(5));
        QVERIFY(radio.isReady());
        StationWindow station(image, "FleetWindowLost");
        const QString missing = radio.filePath("no-such-cable");
        station.dialog->tickPort(missing);
        station.dialog->tickPort(radio.linkPath());
        QVERIFY(station.dialog->start());
        QTRY_COMPARE_WITH_TIMEOUT(station.dialog->tileState(missing), QString("Failed"), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(station.dialog->tileState(radio.linkPath()), QString("Done"),
                                  kWaitMs);
        QVERIFY(station.dialog->isRunning());
        station.dialog->reject();
        QTRY_VERIFY_WITH_TIMEOUT(!station.dialog->isRunning(), kWaitMs);
        QVERIFY(radio.stop());
        QCOMPARE(WrittenPart(radio.savedMemory()), WrittenPart(ImageBytes(image)));
    }
};

TEST_CLASS(FleetStationTest)
#include "tst_fleet_station.moc"
