// Port names, and the real serial link against the far end of a pseudo-terminal: time-outs,
// a pulled cable, why an open fails (with the exact command for a refused device, naming
// its own group when that group may open it, else the udev rule), and one user per device
// whatever its name.

#include "config/InstallLayout.h"
#include "config/ProgramIni.h"
#include "link/PortNames.h"
#include "link/PortPermission.h"
#include "link/QtSerialLink.h"
#include "tests/support/TestSuite.h"

#include <QElapsedTimer>
#include <QTemporaryFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#ifdef __APPLE__
#include <util.h> // openpty
#else
#include <pty.h>
#endif
#include <termios.h>
#include <unistd.h>

namespace {

// A raw pseudo-terminal: the test plays the radio on `master`; the link opens `device`.
struct Pty {
    Pty() {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
            return;
        termios raw{};
        tcgetattr(master, &raw);
        cfmakeraw(&raw);
        tcsetattr(master, TCSANOW, &raw);
        tcsetattr(slave, TCSANOW, &raw);
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
        device = QString::fromLocal8Bit(name);
    }
    ~Pty() {
        for (int fd : {master, slave})
            if (fd >= 0)
                ::close(fd);
    }
    void send(const QByteArray& bytes) const {
        QVERIFY(::write(master, bytes.constData(), bytes.size()) == bytes.size());
    }
    QByteArray receive() const {
        char buffer[256];
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        return n > 0 ? QByteArray(buffer, static_cast<int>(n)) : QByteArray();
    }
    int master = -1;
    int slave = -1;
    QString device;
};

// A serial link opened on a pseudo-terminal, with short time-outs.
struct PtyLink : Pty {
    PtyLink() {
        if (link.open(device, nullptr))
            link.configure({30, 100, 50, 50, 50});
    }
    QtSerialLink link;
};

} // namespace

class SerialLineTest : public QObject {
    Q_OBJECT
private slots:
    void portNamesAndTheirDevices() {
        QCOMPARE(PortNameForNumber(9), QStringLiteral("COM9"));
        QCOMPARE(PortNameForNumber(12), QStringLiteral("\\\\.\\COM12"));
        QCOMPARE(PortNumberOfName(QStringLiteral("com3")), 3);
        QCOMPARE(PortNumberOfName(QStringLiteral("\\\\.\\COM12")), 12);
        QCOMPARE(PortNumberOfName(QStringLiteral("/dev/ttyUSB0")), 0);
        QCOMPARE(PortNumberOfName(QStringLiteral("COMX")), 0);
        // On Linux, COM numbers stand for the devices Program.ini names, or these defaults.
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("Program.ini"));
        QCOMPARE(PortDevice(QStringLiteral("COM1"), ini), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(PortDevice(QStringLiteral("com2"), ini), QStringLiteral("/dev/ttyUSB1"));
        QCOMPARE(PortDevice(QStringLiteral("COM3"), ini), QStringLiteral("/dev/ttyACM0"));
        QCOMPARE(PortDevice(QStringLiteral("COM4"), ini), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(PortDevice(QStringLiteral("COM0"), ini), QStringLiteral("COM0"));
        QCOMPARE(PortDevice(QStringLiteral("\\\\.\\COM12"), ini), QStringLiteral("\\\\.\\COM12"));

        QVERIFY(WriteProfileString(ini, "Ports", "COM2", "/dev/ttyS7"));
        QVERIFY(WriteProfileString(ini, "Ports", "COM12", "/dev/ttyUSB5"));
        QCOMPARE(PortDevice(QStringLiteral("COM2"), ini), QStringLiteral("/dev/ttyS7"));
        QCOMPARE(PortDevice(QStringLiteral("\\\\.\\COM12"), ini), QStringLiteral("/dev/ttyUSB5"));
        QCOMPARE(PortDevice(QStringLiteral("COM1"), ini), QStringLiteral("/dev/ttyUSB0"));
        // A device path is used as typed, mapping or not.
        QCOMPARE(PortDevice(QStringLiteral("/tmp/radio-link"), ini),
                 QStringLiteral("/tmp/radio-link"));
    }

    // Running out of time is no error; bytes that stop coming end the read early.
    void readWaitsOutItsTimeOuts_data() {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("minMs");
        QTest::addColumn<int>("maxMs");
        QTest::newRow("nothing: the total, 50 + 2 x 100 ms") << QByteArray() << 2 << 245 << 600;
        QTest::newRow("3 of 8: the inter-byte gap") << QByteArray("abc") << 8 << 25 << 400;
    }
    void readWaitsOutItsTimeOuts() {
        QFETCH(QByteArray, sent);
        QFETCH(int, count);
        QFETCH(int, minMs);
        QFETCH(int, maxMs);
        PtyLink pty;
        QVERIFY(pty.link.isOpen());
        if (!sent.isEmpty())
            pty.send(sent);
        QElapsedTimer clock;
        clock.start();
        const LinkRead read = pty.link.read(count);
        const qint64 ms = clock.elapsed();
        QCOMPARE(read.bytes, sent);
        QVERIFY(!read.failed);
        QVERIFY2(ms >= minMs && ms < maxMs, qPrintable(QString::number(ms)));
    }

    void readAndWriteMoveBytes() {
        PtyLink pty;
        QtSerialLink& link = pty.link;
        QVERIFY(link.isOpen());
        QVERIFY(link.write("\x02PROGRAM"));
        QByteArray got;
        QTRY_VERIFY2((got += pty.receive()) == "\x02PROGRAM", got.toHex().constData());

        pty.send("12345678");
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(link.read(4).bytes, QByteArray("1234")); // returns as soon as they are there
        QCOMPARE(link.read(4).bytes, QByteArray("5678"));
        QVERIFY(clock.elapsed() < 100);

        pty.send("stale");
        QTest::qWait(20);
        link.purge();
        QVERIFY(link.read(1).bytes.isEmpty());
        pty.send("x");
        QTest::qWait(20);
        link.clearReceive();
        QVERIFY(link.read(1).bytes.isEmpty());

        link.close();
        QVERIFY(!link.isOpen());
        QVERIFY(link.open(pty.device, nullptr)); // the same device opens again
    }

    void pulledCableIsAFailedRead() {
        PtyLink pty;
        QtSerialLink& link = pty.link;
        QVERIFY(link.isOpen());
        ::close(pty.slave); // nothing holds the line up but the link itself
        ::close(pty.master);
        pty.slave = pty.master = -1;
        QElapsedTimer clock;
        clock.start();
        const LinkRead read = link.read(8);
        QVERIFY(read.failed);
        QVERIFY(clock.elapsed() < 500);
    }

    void openFailuresSayWhy() {
        QString detail;
        QtSerialLink link;
        QVERIFY(!link.open(QStringLiteral("/dev/ttyNoSuchRadio9"), &detail));
        QVERIFY2(detail.startsWith("/dev/ttyNoSuchRadio9: no such device"), qPrintable(detail));
        if (::geteuid() == 0)
            return; // root may open anything, so "no permission" cannot be set up
        QTemporaryDir dir;
        const QString locked = dir.filePath(QStringLiteral("ttyLocked"));
        QFile file(locked);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.setPermissions(QFileDevice::Permissions());
        QVERIFY(!link.open(locked, &detail));
        QVERIFY2(detail.contains(QStringLiteral("udev")), qPrintable(detail)); // no group opens it
    }

    // A symbolic link and its target name one device: the second open is refused either way.
    void secondOpenOfOneDeviceIsRefused() {
        Pty pty;
        QTemporaryDir dir;
        const QString link = dir.filePath("radio");
        QVERIFY(QFile::link(pty.device, link));
        for (bool linkFirst : {true, false}) {
            QtSerialLink first;
            QtSerialLink second;
            QVERIFY(first.open(linkFirst ? link : pty.device, nullptr));
            QString detail;
            QVERIFY(!second.open(linkFirst ? pty.device : link, &detail));
            QVERIFY2(detail.contains(": the device is busy"), qPrintable(detail));
            first.close();
            QVERIFY(second.open(linkFirst ? pty.device : link, nullptr)); // free again
        }
    }

    // Joining a group is advised only when the group may read and write the device and is
    // not root's; otherwise the udev rule is the fix, and no group is named for joining.
    void advice_data() {
        QTest::addColumn<QString>("group"); // of a device root owns
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("command"); // empty: the udev rule is advised
        QTest::newRow("dialout rw") << "dialout" << 0660 << "sudo usermod -aG dialout alice";
        QTest::newRow("uucp rw") << "uucp" << 0660 << "sudo usermod -aG uucp alice";
        QTest::newRow("dialout read-only") << "dialout" << 0640 << "";
        QTest::newRow("dialout write-only") << "dialout" << 0620 << "";
        QTest::newRow("group root rw") << "root" << 0660 << "";
        QTest::newRow("root only") << "root" << 0600 << "";
        QTest::newRow("unknown group") << "" << 0660 << "";
    }
    void advice() {
        QFETCH(QString, group);
        QFETCH(int, mode);
        QFETCH(QString, command);
        const QString text =
            PermissionAdvice("/dev/ttyUSB0", "alice", {"root", group, unsigned(mode), true});
        QVERIFY2(text.startsWith("/dev/ttyUSB0: no permission"), qPrintable(text));
        QVERIFY2(!text.contains("usermod -aG root") && !text.contains("usermod -aG  "),
                 qPrintable(text));
        if (command.isEmpty()) {
            QVERIFY2(!text.contains("usermod"), qPrintable(text));
            QVERIFY2(text.contains("open to root only") &&
                         text.contains("/usr/lib/udev/rules.d/60-" + PackageName() + ".rules"),
                     qPrintable(text));
        } else {
            QVERIFY2(text.contains(command) && text.contains("log out and log in again"),
                     qPrintable(text));
        }
        QCOMPARE(text.contains("belongs to the group uucp (not dialout)"), group == "uucp");
    }

    void accessOfARealFile() {
        QTemporaryFile file;
        QVERIFY(file.open());
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadGroup | QFileDevice::WriteGroup));
        const group* own = ::getgrgid(::getegid());
        const passwd* me = ::getpwuid(::geteuid());
        QVERIFY(own && me);
        const DeviceAccess access = AccessOf(file.fileName());
        QVERIFY(access.known);
        QCOMPARE(access.groupName, QString::fromLocal8Bit(own->gr_name));
        QCOMPARE(access.ownerName, QString::fromLocal8Bit(me->pw_name));
        QCOMPARE(access.mode, 0660u);
        QVERIFY(!AccessOf("/no/such/device").known);
    }
};

TEST_CLASS(SerialLineTest)
#include "tst_serial_line.moc"
