// The one-USB-device stand-in, end to end: the chosen COM number's device is missing,
// exactly one USB serial device is there (the simulated radio, staged as such), and a
// Read reaches the radio through it and says so in the main window's status bar.

#include "CProcessDlg.h"
#include "DetectedPorts.h"
#include "Files.h"
#include "ProgramIni.h"
#include "ProgramTransfer.h"
#include "RadioImage.h"
#include "RunSession.h"
#include "SimulatorProcess.h"
#include "StartupConfig.h"
#include "TestSuite.h"

#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

class PortStandInTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        StartupConfigForTests().iniFilePath = m_dir.filePath("Program.ini");
        WriteProfileString(startupConfig().iniFilePath, "Setup", "AppName", "PortStandInTest");
        WriteProfileString(startupConfig().iniFilePath, "Ports", "COM1",
                           m_dir.filePath("unplugged"));
    }

    void cleanupTestCase() { SetPortLister(nullptr); }

    void readGoesThroughTheOnlyUsbDevice() {
        SimulatorProcess radio(PatternImage(3));
        QVERIFY(radio.isReady());
        DetectedPort cable;
        cable.device = radio.linkPath();
        cable.description = "USB-Serial Controller";
        cable.isUsb = true;
        cable.vendorId = 0x067b;
        cable.productId = 0x2303;
        DetectedPort builtIn;
        builtIn.device = "/dev/ttyS0";
        SetPortLister([cable, builtIn] { return QList<DetectedPort>{builtIn, cable}; });
        RunSession session(QStringLiteral("COM1"));

        QMainWindow window;
        auto* view = new QWidget;
        window.setCentralWidget(view);
        RadioImage received = NewImage();
        ProgramTransfer transfer(
            view, session, {nullptr, nullptr, [&](const RadioImage& image) { received = image; }});
        QSignalSpy finished(&transfer, &ProgramTransfer::finished);
        transfer.requestRead();
        transfer.progressWindow()->findChild<QPushButton*>()->click(); // OK
        QVERIFY(finished.wait(30000));
        QCOMPARE(finished.first().first().toBool(), true);
        QVERIFY(received == PatternImage(3));
        const QString note = window.statusBar()->currentMessage();
        QVERIFY2(note.contains(m_dir.filePath("unplugged")) && note.contains(radio.linkPath()),
                 qPrintable(note));
        QCOMPARE(session.portName(), QString("COM1")); // the choice itself stays
    }

private:
    QTemporaryDir m_dir;
};

TEST_CLASS(PortStandInTest)
#include "tst_port_stand_in.moc"
