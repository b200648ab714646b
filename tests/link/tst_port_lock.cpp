// One device, one user: a second open through another name of the same device (a
// symbolic link and its target) is refused while the first is open.

#include "QtSerialLink.h"
#include "TestSuite.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <pty.h>
#include <unistd.h>
#endif

class PortLockTest : public QObject {
    Q_OBJECT
private slots:
    void secondOpenOfOneDeviceIsRefused_data();
    void secondOpenOfOneDeviceIsRefused();
};

void PortLockTest::secondOpenOfOneDeviceIsRefused_data() {
    QTest::addColumn<bool>("linkFirst");
    QTest::newRow("link, then its target") << true;
    QTest::newRow("target, then a link to it") << false;
}

void PortLockTest::secondOpenOfOneDeviceIsRefused() {
#ifndef Q_OS_UNIX
    QSKIP("pseudo-terminals are needed");
#else
    QFETCH(bool, linkFirst);
    int master = -1;
    int slave = -1;
    char name[256] = {};
    QVERIFY(openpty(&master, &slave, name, nullptr, nullptr) == 0);
    const QString device = QString::fromLocal8Bit(name);
    QTemporaryDir dir;
    const QString link = dir.filePath("radio");
    QVERIFY(QFile::link(device, link));

    QtSerialLink first;
    QtSerialLink second;
    QVERIFY(first.open(linkFirst ? link : device, nullptr));
    QString detail;
    QVERIFY(!second.open(linkFirst ? device : link, &detail));
    QVERIFY2(detail.contains("busy"), qPrintable(detail));
    first.close();
    QVERIFY(second.open(linkFirst ? device : link, nullptr)); // free again
    second.close();
    ::close(master);
    ::close(slave);
#endif
}

TEST_CLASS(PortLockTest)
#include "tst_port_lock.moc"
