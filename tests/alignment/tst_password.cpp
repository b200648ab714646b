// The password gate and the unlock.

#include "AlignmentUnlock.h"
#include "AppConfig.h"
#include "CPasswordDlg.h"
#include "Modal.h"
#include "TestSuite.h"

#include <QLineEdit>
#include <QTest>

class PasswordTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void passwordEntryField();
    void wrongPasswordsKeepTheDialogOpen_data();
    void wrongPasswordsKeepTheDialogOpen();
    void passwordErrorInChinese();
    void sevenCharactersAreRefusedByTheField();
    void unlockAppendsTheEntriesOnce();
    void cancelLeavesEverythingLocked();
};

void PasswordTest::init() {
    appConfig().alignmentUnlocked = false;
    appConfig().chineseLanguage = false;
}

void PasswordTest::passwordEntryField() {
    CPasswordDlg dialog;
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("Password"));
    QCOMPARE(dialog.focusWidget(), dialog.entry());
    QCOMPARE(dialog.entry()->maxLength(), 6);
    QTest::keyClicks(dialog.entry(), "4701");
    QCOMPARE(dialog.entry()->displayText(), QString("****"));
}

void PasswordTest::wrongPasswordsKeepTheDialogOpen_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << "";
    QTest::newRow("five digits") << "47016";
    QTest::newRow("leading space") << " 470162"; // the field keeps " 47016"
    QTest::newRow("trailing space") << "47016 ";
    QTest::newRow("other digits") << "470163";
}

void PasswordTest::wrongPasswordsKeepTheDialogOpen() {
    QFETCH(QString, typed);
    CPasswordDlg dialog;
    dialog.show();
    QTest::keyClicks(dialog.entry(), typed);
    const QString entered = dialog.entry()->text();
    SeenMessage seen;
    AnswerNextMessage(&seen);
    QTest::keyClick(dialog.entry(), Qt::Key_Return);
    QCOMPARE(seen.count, 1);
    QCOMPARE(seen.text, QString("Password Error"));
    QCOMPARE(seen.caption, QString("Error"));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.entry()->text(), entered);
}

void PasswordTest::passwordErrorInChinese() {
    appConfig().chineseLanguage = true;
    CPasswordDlg dialog;
    dialog.show();
    SeenMessage seen;
    AnswerNextMessage(&seen);
    dialog.accept();
    QCOMPARE(seen.text, QString::fromUtf8("密码错误"));
    QCOMPARE(seen.caption, QString::fromUtf8("错误"));
}

void PasswordTest::sevenCharactersAreRefusedByTheField() {
    CPasswordDlg dialog;
    dialog.show();
    QTest::keyClicks(dialog.entry(), "4701629");
    QCOMPARE(dialog.entry()->text(), QString("470162"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void PasswordTest::unlockAppendsTheEntriesOnce() {
    int appended = 0;
    for (int entry = 0; entry < 2; ++entry) {
        WhenModal<CPasswordDlg>([](CPasswordDlg* dialog) {
            QTest::keyClicks(dialog->entry(), "470162");
            QTest::keyClick(dialog->entry(), Qt::Key_Return);
        });
        QVERIFY(RunAlignmentUnlock(nullptr, [&appended] { ++appended; }));
        QVERIFY(appConfig().alignmentUnlocked);
    }
    QCOMPARE(appended, 1);
}

void PasswordTest::cancelLeavesEverythingLocked() {
    int appended = 0;
    WhenModal<CPasswordDlg>([](CPasswordDlg* dialog) {
        QTest::keyClicks(dialog->entry(), "470162");
        dialog->reject();
    });
    QVERIFY(!RunAlignmentUnlock(nullptr, [&appended] { ++appended; }));
    QVERIFY(!appConfig().alignmentUnlocked);
    QCOMPARE(appended, 0);

    // A wrong code answered, then Cancel: still locked.
    SeenMessage seen;
    WhenModal<CPasswordDlg>([&seen](CPasswordDlg* dialog) {
        QTest::keyClicks(dialog->entry(), "123456");
        AnswerNextMessage(&seen);
        dialog->accept();
        dialog->reject();
    });
    QVERIFY(!RunAlignmentUnlock(nullptr, [&appended] { ++appended; }));
    QCOMPARE(seen.count, 1);
    QVERIFY(!appConfig().alignmentUnlocked);
    QCOMPARE(appended, 0);
}

TEST_CLASS(PasswordTest)
#include "tst_password.moc"
