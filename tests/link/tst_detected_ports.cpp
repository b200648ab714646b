// The system's serial devices as the program shows and uses them: `chprog ports` lines,
// the COM number of a device, the stand-in for a missing chosen device (asked in the
// window program, named by chprog, end to end), and COM Setup with its Other… device.

#include "dialogs/CComSetupDlg.h"
#include "ui/CProcessDlg.h"
#include "link/DetectedPorts.h"
#include "config/ProgramIni.h"
#include "ui/Prompts.h"
#include "ui/TransferController.h"
#include "link/RunSession.h"
#include "tests/support/SimulatorProcess.h"
#include "config/StartupConfig.h"
#include "tests/support/TestSuite.h"
#include "config/UserStore.h"
#include "cli/LinkSupport.h"
#include "link/PortNames.h"
#include "tests/support/Modal.h"
#include "ui/StandInPort.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {

DetectedPort UsbPort(const QString& device, quint16 vendor, quint16 product,
                     const QString& description = QString()) {
    DetectedPort port;
    port.device = device;
    port.description = description;
    port.isUsb = true;
    port.vendorId = vendor;
    port.productId = product;
    return port;
}

DetectedPort BuiltInPort(const QString& device) {
    DetectedPort port;
    port.device = device;
    return port;
}

RunSession& TestSession() {
    static RunSession session;
    return session;
}

// Runs the dialog, lets `act` look and choose, then presses OK (or Cancel).
void RunDialog(const std::function<void(CComSetupDlg&)>& act, bool ok = true) {
    CComSetupDlg dialog(TestSession(), startupConfig().iniFilePath);
    dialog.setPortProbe([](const QString& device) { return QFile::exists(device); });
    QTimer::singleShot(0, &dialog, [&] {
        act(dialog);
        auto* box = dialog.findChild<QDialogButtonBox*>();
        box->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
    dialog.exec();
}

QLabel* DeviceLabel(CComSetupDlg& dialog, int number) {
    return dialog.findChild<QLabel*>(QStringLiteral("device%1").arg(number));
}

QComboBox* OtherList(CComSetupDlg& dialog) {
    return dialog.findChild<QComboBox*>("otherDevice");
}

} // namespace

Q_DECLARE_METATYPE(QList<DetectedPort>)

class DetectedPortsTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString iniPath() const { return m_dir.filePath("Program.ini"); }

private slots:
    void linesHoldSixFieldsInTheirOrder() {
        DetectedPort port = UsbPort("/dev/ttyUSB0", 0x67b, 0x2303, "USB-Serial\tController");
        port.manufacturer = "Prolific";
        port.serialNumber = "A1";
        QCOMPARE(PortListLine(port, "COM1"),
                 QString("/dev/ttyUSB0\tUSB-Serial Controller\tProlific\tA1\t067b:2303\tCOM1"));
        QCOMPARE(PortListLine(BuiltInPort("/dev/ttyS0"), QString()),
                 QString("/dev/ttyS0\t\t\t\t\t"));
        QCOMPARE(port.label(), QString("/dev/ttyUSB0 - USB-Serial\tController"));
        QCOMPARE(BuiltInPort("/dev/ttyS0").label(), QString("/dev/ttyS0"));
    }

    void comNamesFollowTheMappingAndLinks() {
        WriteProfileString(iniPath(), "Ports", "COM2", m_dir.filePath("cable"));
        WriteProfileString(iniPath(), "Ports", "COM4", m_dir.filePath("cable"));
        QCOMPARE(ComNamesOf("/dev/ttyUSB0", iniPath()), QString("COM1")); // the default
        QCOMPARE(ComNamesOf(m_dir.filePath("cable"), iniPath()), QString("COM2,COM4"));
        QCOMPARE(ComNamesOf("/dev/ttyUSB7", iniPath()), QString());
        // A /dev/serial/by-id style link names the same device.
        QFile(m_dir.filePath("real")).open(QIODevice::WriteOnly);
        QVERIFY(QFile::link(m_dir.filePath("real"), m_dir.filePath("by-id-link")));
        WriteProfileString(iniPath(), "Ports", "COM3", m_dir.filePath("by-id-link"));
        QCOMPARE(ComNamesOf(m_dir.filePath("real"), iniPath()), QString("COM3"));
        QVERIFY(FindPort({BuiltInPort(m_dir.filePath("real"))}, m_dir.filePath("by-id-link")));
    }

    // Windows lists a port as \\.\COM3 (systemLocation) named COM3 (portName): its COM
    // name is its own, whatever Program.ini maps, and COM Setup finds and shows it so.
    void windowsPortsAreTheirOwnComNames() {
        DetectedPort com3 = UsbPort("\\\\.\\COM3", 0x067b, 0x2303, "USB-Serial Controller");
        com3.portName = "COM3";
        DetectedPort com12 = BuiltInPort("\\\\.\\COM12");
        com12.portName = "COM12";
        const QList<DetectedPort> ports{com3, com12};
        QCOMPARE(ComNamesOf(com3, iniPath()), QString("COM3"));
        QCOMPARE(ComNamesOf(com12, iniPath()), QString("COM12"));
        QCOMPARE(com3.label(), QString("COM3 - USB-Serial Controller"));
        QCOMPARE(FindPort(ports, "COM3"), &ports[0]);
        QCOMPARE(FindPort(ports, "com12"), &ports[1]);
        QCOMPARE(FindPort(ports, "COM4"), nullptr);
        QVERIFY(PortListLine(com3, ComNamesOf(com3, iniPath())).endsWith("\t067b:2303\tCOM3"));
    }

    // A missing chosen device may give way to the only USB device: it is offered, never
    // taken, and the question names both devices.
    void exchangeDevice_data() {
        QTest::addColumn<QString>("portName");
        QTest::addColumn<bool>("mappedExists");
        QTest::addColumn<QList<DetectedPort>>("ports");
        QTest::addColumn<QString>("standIn"); // empty: none offered
        const DetectedPort usb = UsbPort("/dev/ttyUSB3", 0x1a86, 0x7523, "USB Serial");
        const DetectedPort usb2 = UsbPort("/dev/ttyACM1", 0x0403, 0x6001);
        const DetectedPort builtIn = BuiltInPort("/dev/ttyS0");
        QTest::newRow("chosen device present") << "COM1" << true << QList{usb} << "";
        QTest::newRow("absent, one USB device") << "COM1" << false << QList{usb} << "/dev/ttyUSB3";
        QTest::newRow("absent, one USB beside a built-in port")
            << "com2" << false << QList{builtIn, usb} << "/dev/ttyUSB3";
        QTest::newRow("absent, two USB devices") << "COM1" << false << QList{usb, usb2} << "";
        QTest::newRow("absent, only built-in ports") << "COM1" << false << QList{builtIn} << "";
        QTest::newRow("a typed device is used as typed") << "/dev/ttyUSB9" << false << QList{usb}
                                                         << "";
    }
    void exchangeDevice() {
        QFETCH(QString, portName);
        QFETCH(bool, mappedExists);
        QFETCH(QList<DetectedPort>, ports);
        QFETCH(QString, standIn);
        const auto exists = [&](const QString&) { return mappedExists; };
        const ExchangeDevice chosen =
            DeviceForExchange(portName, m_dir.filePath("none.ini"), ports, exists);
        const QString mapped = PortDevice(portName, m_dir.filePath("none.ini"));
        QCOMPARE(chosen.device, portName.contains('/') ? portName : mapped);
        QCOMPARE(chosen.standIn ? chosen.standIn->device : QString(), standIn);
        const QString refusal = PortRefusal("read", portName, chosen.device,
                                            chosen.standIn ? &*chosen.standIn : nullptr);
        if (standIn.isEmpty()) {
            QCOMPARE(refusal, QString());
            return;
        }
        const QString question = StandInQuestion(portName, chosen, Language::English);
        for (const QString& text : {question, refusal}) {
            QVERIFY2(text.contains(chosen.device) && text.contains("/dev/ttyUSB3 - USB Serial"),
                     qPrintable(text));
        }
        QVERIFY2(refusal.contains("--port /dev/ttyUSB3"), qPrintable(refusal));
    }

    // chprog without --port names the one USB device it could use, and starts nothing.
    void chprogNamesTheCandidate() {
        const DetectedPort usb = UsbPort("/dev/ttyUSB3", 0x1a86, 0x7523, "USB Serial");
        QCOMPARE(PortRefusal("read", QString(), QString(), nullptr),
                 QString("read: --port DEVICE is required"));
        QCOMPARE(PortRefusal("write", QString(), QString(), &usb),
                 QString("write: --port DEVICE is required; the one USB serial device is "
                         "/dev/ttyUSB3 - USB Serial: give it with --port /dev/ttyUSB3"));
    }

    // The window program asks before it uses the stand-in; "Always" is kept per user.
    void theWindowProgramAsksFirst_data() {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("always");
        QTest::newRow("no") << false << false;
        QTest::newRow("no, box ticked") << false << true;
        QTest::newRow("yes, this time") << true << false;
        QTest::newRow("yes, always") << true << true;
    }
    void theWindowProgramAsksFirst() {
        QFETCH(bool, yes);
        QFETCH(bool, always);
        const QString tag = QTest::currentDataTag();
        StartupConfigForTests().iniFilePath = m_dir.filePath(tag + ".ini");
        WriteProfileString(startupConfig().iniFilePath, "Setup", "AppName", tag);
        const QString unplugged = m_dir.filePath("unplugged");
        WriteProfileString(startupConfig().iniFilePath, "Ports", "COM1", unplugged);
        UserStore(startupConfig().iniFilePath).remove("AlwaysUseOnlyUsbDevice"); // an earlier run's
        SetPortLister([] {
            return QList<DetectedPort>{
                UsbPort("/dev/ttyUSB3", 0x067b, 0x2303, "USB-Serial Controller")};
        });
        QString asked;
        QString note;
        const auto answer = [&](QMessageBox* box) {
            asked = box->text();
            box->checkBox()->setChecked(always);
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        };
        WhenModal<QMessageBox>(answer);
        const Prompts prompts;
        const auto choose = [&] {
            const ExchangeDeviceChoice choice = AskExchangeDevice(
                prompts, nullptr, "COM1", Language::English, startupConfig().iniFilePath);
            note = choice.note;
            return choice.device;
        };
        QCOMPARE(choose(), yes ? "/dev/ttyUSB3" : unplugged);
        QVERIFY2(asked.contains(unplugged) &&
                     asked.contains("/dev/ttyUSB3 - USB-Serial Controller"),
                 qPrintable(asked));
        QCOMPARE(note.isEmpty(), !yes);
        const bool kept = yes && always;
        const UserStore store(startupConfig().iniFilePath);
        QCOMPARE(store.readNumber("AlwaysUseOnlyUsbDevice"), kept ? 1 : 0);

        // Asked again unless "Always" was kept.
        asked.clear();
        if (!kept)
            WhenModal<QMessageBox>(answer);
        QCOMPARE(choose(), yes ? "/dev/ttyUSB3" : unplugged);
        QCOMPARE(asked.isEmpty(), kept);
        SetPortLister(nullptr);
    }

    // End to end: the chosen COM1 is unplugged and the simulated radio is the only USB
    // device; the user says yes, and a Read goes through it and says so in the status bar.
    void readGoesThroughTheOnlyUsbDevice() {
        SKIP_WITHOUT_SIMULATOR();
        StartupConfigForTests().iniFilePath = m_dir.filePath("stand-in.ini");
        WriteProfileString(startupConfig().iniFilePath, "Setup", "AppName", "DetectedPortsTest");
        WriteProfileString(startupConfig().iniFilePath, "Ports", "COM1", m_dir.filePath("unplugged"));
        SimulatorProcess radio(PatternImage(3));
        QVERIFY(radio.isReady());
        const DetectedPort cable = UsbPort(radio.linkPath(), 0x067b, 0x2303, "USB-Serial Controller");
        SetPortLister([cable] { return QList<DetectedPort>{BuiltInPort("/dev/ttyS0"), cable}; });
        RunSession session(QStringLiteral("COM1"));

        QMainWindow window;
        auto* view = new QWidget;
        window.setCentralWidget(view);
        RadioImage received = NewImage();
        const Prompts prompts;
        TransferController transfer(
            view, {session, prompts, Language::English, startupConfig().iniFilePath},
            {nullptr, nullptr, nullptr, [&](const RadioImage& image) { received = image; }});
        QSignalSpy finished(&transfer, &TransferController::finished);
        WhenModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        transfer.requestRead();
        transfer.progressWindow()->findChild<QPushButton*>()->click(); // OK
        QVERIFY(finished.wait(30000));
        SetPortLister(nullptr);
        QCOMPARE(finished.first().first().toBool(), true);
        QVERIFY(received == PatternImage(3));
        const QString note = window.statusBar()->currentMessage();
        QVERIFY2(note.contains(m_dir.filePath("unplugged")) && note.contains(radio.linkPath()),
                 qPrintable(note));
        QCOMPARE(session.portName(), QString("COM1")); // the choice itself stays
    }
};

TEST_CLASS(DetectedPortsTest)

class ComSetupTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QList<DetectedPort> m_ports;
    QString m_cable; // a device that "exists": a file in the temporary folder

private slots:
    void initTestCase() {
        StartupConfigForTests().iniFilePath = m_dir.filePath("Program.ini");
        m_cable = m_dir.filePath("ttyCABLE0");
        QFile(m_cable).open(QIODevice::WriteOnly);
        WriteProfileString(startupConfig().iniFilePath, "Ports", "COM1", m_cable);
        WriteProfileString(startupConfig().iniFilePath, "Ports", "COM2", "/dev/ttyNOPE");
        m_ports = {UsbPort(m_cable, 0x067b, 0x2303, "USB-Serial Controller"),
                   BuiltInPort("/dev/ttyS9")};
        SetPortLister([this] { return m_ports; });
    }

    void cleanupTestCase() { SetPortLister(nullptr); }

    void init() {
        UserStore store(startupConfig().iniFilePath);
        store.writeNumber("com", 2);
        store.remove("device");
    }

    void devicesBesideTheNumbers() {
        RunDialog([this](CComSetupDlg& dialog) {
            QCOMPARE(DeviceLabel(dialog, 1)->text(), m_cable + " - USB-Serial Controller");
            QVERIFY(DeviceLabel(dialog, 1)->isEnabled());
            QCOMPARE(DeviceLabel(dialog, 2)->text(), QString("/dev/ttyNOPE"));
            QVERIFY(!DeviceLabel(dialog, 2)->isEnabled());
            QVERIFY(!dialog.findChildren<QRadioButton*>()[1]->isEnabled());
            // The stored COM2 cannot be opened: nothing is checked.
            QCOMPARE(dialog.selection(), -1);
            QCOMPARE(OtherList(dialog)->count(), 2);
            QCOMPARE(OtherList(dialog)->itemText(0), m_cable + " - USB-Serial Controller");
            QCOMPARE(OtherList(dialog)->itemText(1), QString("/dev/ttyS9"));
        }, false);
    }

    // A listed port or a typed path, stored beside the COM number and shown again.
    void otherKeepsItsDeviceBesideTheNumber_data() {
        QTest::addColumn<QString>("typed"); // empty: the second listed port is chosen
        QTest::addColumn<QString>("device");
        QTest::newRow("listed") << "" << "/dev/ttyS9";
        QTest::newRow("typed") << "/tmp/radio-link" << "/tmp/radio-link";
    }
    void otherKeepsItsDeviceBesideTheNumber() {
        QFETCH(QString, typed);
        QFETCH(QString, device);
        RunDialog([&](CComSetupDlg& dialog) {
            QComboBox* list = OtherList(dialog);
            if (typed.isEmpty()) {
                list->setCurrentIndex(1);
                emit list->activated(1);
            } else {
                list->lineEdit()->clear();
                QTest::keyClicks(list->lineEdit(), typed);
            }
            QCOMPARE(dialog.selection(), int(CComSetupDlg::kOtherSelection));
        });
        QCOMPARE(TestSession().portName(), device);
        UserStore store(startupConfig().iniFilePath);
        QCOMPARE(store.readText("device"), device);
        QCOMPARE(store.readNumber("com"), 2);
        TakeStoredPort(TestSession(), startupConfig().iniFilePath);
        QCOMPARE(TestSession().portName(), device);
        RunDialog([&](CComSetupDlg& dialog) {
            QCOMPARE(dialog.selection(), int(CComSetupDlg::kOtherSelection));
            QCOMPARE(dialog.otherDevice(), device);
        }, false);
    }

    void aNumberReplacesTheDevice() {
        UserStore(startupConfig().iniFilePath).writeText("device", "/dev/ttyS9");
        RunDialog([](CComSetupDlg& dialog) { dialog.findChildren<QRadioButton*>()[0]->click(); });
        QCOMPARE(TestSession().portName(), QString("com1"));
        UserStore store(startupConfig().iniFilePath);
        QCOMPARE(store.readNumber("com"), 1);
        QCOMPARE(store.readText("device"), QString());
        TakeStoredPort(TestSession(), startupConfig().iniFilePath);
        QCOMPARE(TestSession().portName(), QString("COM1"));
        RunSession fromCommandLine(QStringLiteral("/dev/pts/9")); // --port outranks the store
        TakeStoredPort(fromCommandLine, startupConfig().iniFilePath);
        QCOMPARE(fromCommandLine.portName(), QString("/dev/pts/9"));
    }

    void theListIsReadOnEveryOpening() {
        RunDialog([](CComSetupDlg& dialog) { QCOMPARE(OtherList(dialog)->count(), 2); }, false);
        m_ports.removeLast();
        RunDialog([](CComSetupDlg& dialog) { QCOMPARE(OtherList(dialog)->count(), 1); }, false);
    }
};

TEST_CLASS(ComSetupTest)
#include "tst_detected_ports.moc"
