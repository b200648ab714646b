// The advice shown when the system refuses a serial device: the exact command for
// this user, naming the device's own group when it is not dialout.

#include "PortPermission.h"
#include "TestSuite.h"

#include <QTemporaryFile>
#include <QtTest>
#include <grp.h>
#include <unistd.h>

class PortPermissionTest : public QObject {
    Q_OBJECT
private slots:
    void advice_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("namesTheGroup");
        QTest::newRow("dialout") << "dialout" << "sudo usermod -aG dialout alice" << false;
        QTest::newRow("unknown group") << "" << "sudo usermod -aG dialout alice" << false;
        QTest::newRow("uucp") << "uucp" << "sudo usermod -aG uucp alice" << true;
    }
    void advice() {
        QFETCH(QString, group);
        QFETCH(QString, command);
        QFETCH(bool, namesTheGroup);
        const QString text = PermissionAdvice("/dev/ttyUSB0", "alice", group);
        QVERIFY2(text.startsWith("/dev/ttyUSB0: no permission"), qPrintable(text));
        QVERIFY2(text.contains(command), qPrintable(text));
        QVERIFY2(text.contains("log out and log in again"), qPrintable(text));
        QCOMPARE(text.contains("belongs to the group " + group + " (not dialout)"), namesTheGroup);
    }

    void groupOfARealFile() {
        QTemporaryFile file;
        QVERIFY(file.open());
        const group* own = ::getgrgid(::getegid());
        QVERIFY(own);
        QCOMPARE(FileGroupName(file.fileName()), QString::fromLocal8Bit(own->gr_name));
        QCOMPARE(FileGroupName("/no/such/device"), QString());
        // The advice for this user names the file's group.
        const QString text = PermissionAdvice(file.fileName());
        QVERIFY2(text.contains(QStringLiteral("-aG %1 ").arg(own->gr_name)), qPrintable(text));
    }
};

TEST_CLASS(PortPermissionTest)
#include "tst_port_permission.moc"
