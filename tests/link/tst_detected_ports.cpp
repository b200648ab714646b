// The system's serial devices as the program shows and uses them: the line format of
// `chprog ports`, which COM number stands for a device, and the single-USB-device
// stand-in for a chosen COM number whose device is missing.

#include "DetectedPorts.h"
#include "ProgramIni.h"
#include "StartupConfig.h"
#include "TestSuite.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

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

    void exchangeDevice_data() {
        QTest::addColumn<QString>("portName");
        QTest::addColumn<bool>("mappedExists");
        QTest::addColumn<QList<DetectedPort>>("ports");
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("noted");

        const DetectedPort usb = UsbPort("/dev/ttyUSB3", 0x1a86, 0x7523, "USB Serial");
        const DetectedPort usb2 = UsbPort("/dev/ttyACM1", 0x0403, 0x6001);
        const DetectedPort builtIn = BuiltInPort("/dev/ttyS0");
        QTest::newRow("chosen device present") << "COM1" << true << QList<DetectedPort>{usb}
                                               << "/dev/ttyUSB0" << false;
        QTest::newRow("absent, one USB device") << "COM1" << false << QList<DetectedPort>{usb}
                                                << "/dev/ttyUSB3" << true;
        QTest::newRow("absent, one USB beside a built-in port")
            << "com2" << false << QList<DetectedPort>{builtIn, usb} << "/dev/ttyUSB3" << true;
        QTest::newRow("absent, two USB devices")
            << "COM1" << false << QList<DetectedPort>{usb, usb2} << "/dev/ttyUSB0" << false;
        QTest::newRow("absent, only built-in ports")
            << "COM1" << false << QList<DetectedPort>{builtIn} << "/dev/ttyUSB0" << false;
        QTest::newRow("a typed device is used as typed")
            << "/dev/ttyUSB9" << false << QList<DetectedPort>{usb} << "/dev/ttyUSB9" << false;
    }
    void exchangeDevice() {
        QFETCH(QString, portName);
        QFETCH(bool, mappedExists);
        QFETCH(QList<DetectedPort>, ports);
        QFETCH(QString, device);
        QFETCH(bool, noted);
        const auto exists = [&](const QString&) { return mappedExists; };
        const ExchangeDevice chosen = DeviceForExchange(portName, m_dir.filePath("none.ini"),
                                                        Language::English, ports, exists);
        QCOMPARE(chosen.device, device);
        QCOMPARE(!chosen.note.isEmpty(), noted);
        if (noted)
            QVERIFY2(chosen.note.contains("/dev/ttyUSB3 - USB Serial"), qPrintable(chosen.note));
    }
};

TEST_CLASS(DetectedPortsTest)
#include "tst_detected_ports.moc"
