// COM Setup with a fake list of the system's ports: each COM number shows its device
// and description, absent devices are greyed, and Other… picks a listed port or a
// typed path, stored beside the COM number, which keeps its value.

#include "CComSetupDlg.h"
#include "DetectedPorts.h"
#include "ProgramIni.h"
#include "RunSession.h"
#include "StartupConfig.h"
#include "TestSuite.h"
#include "UserStore.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

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
        DetectedPort cable;
        cable.device = m_cable;
        cable.description = "USB-Serial Controller";
        cable.isUsb = true;
        cable.vendorId = 0x067b;
        cable.productId = 0x2303;
        DetectedPort builtIn;
        builtIn.device = "/dev/ttyS9";
        m_ports = {cable, builtIn};
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

    void otherKeepsAListedPortBesideTheNumber() {
        RunDialog([](CComSetupDlg& dialog) {
            QComboBox* list = OtherList(dialog);
            list->setCurrentIndex(1);
            emit list->activated(1);
            QCOMPARE(dialog.selection(), int(CComSetupDlg::kOtherSelection));
            QCOMPARE(dialog.otherDevice(), QString("/dev/ttyS9"));
        });
        QCOMPARE(TestSession().portName(), QString("/dev/ttyS9"));
        UserStore store(startupConfig().iniFilePath);
        QCOMPARE(store.readText("device"), QString("/dev/ttyS9"));
        QCOMPARE(store.readNumber("com"), 2);
        TakeStoredPort(TestSession(), startupConfig().iniFilePath);
        QCOMPARE(TestSession().portName(), QString("/dev/ttyS9"));

        // The next opening shows that choice again.
        RunDialog([](CComSetupDlg& dialog) {
            QCOMPARE(dialog.selection(), int(CComSetupDlg::kOtherSelection));
            QCOMPARE(dialog.otherDevice(), QString("/dev/ttyS9"));
        }, false);
    }

    void otherAcceptsATypedPath() {
        RunDialog([](CComSetupDlg& dialog) {
            QLineEdit* edit = OtherList(dialog)->lineEdit();
            edit->clear();
            QTest::keyClicks(edit, "/tmp/radio-link");
            QCOMPARE(dialog.selection(), int(CComSetupDlg::kOtherSelection));
        });
        QCOMPARE(TestSession().portName(), QString("/tmp/radio-link"));
        QCOMPARE(UserStore(startupConfig().iniFilePath).readText("device"),
                 QString("/tmp/radio-link"));
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
    }

    void theListIsReadOnEveryOpening() {
        RunDialog([](CComSetupDlg& dialog) { QCOMPARE(OtherList(dialog)->count(), 2); }, false);
        m_ports.removeLast();
        RunDialog([](CComSetupDlg& dialog) { QCOMPARE(OtherList(dialog)->count(), 1); }, false);
    }
};

TEST_CLASS(ComSetupTest)
#include "tst_com_setup.moc"
