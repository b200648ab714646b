// The password gate and the unlock. Which entries unlock is the model's (RunRulesTest).

#include "alignment/AlignmentUnlock.h"
#include "alignment/CPasswordDlg.h"
#include "tests/support/Modal.h"
#include "link/RunSession.h"
#include "ui/Prompts.h"
#include "tests/support/TestSuite.h"

#include <QLineEdit>
#include <QTest>

namespace {

// Answers the next Password dialog: types `code`, presses Enter, then cancels. The
// refusal message of a wrong code is answered and kept in `seen` (null: none expected).
void AnswerPassword(const QString& code, SeenMessage* seen) {
    WhenModal<CPasswordDlg>([code, seen](CPasswordDlg* dialog) {
        QTest::keyClicks(dialog->entry(), code);
        if (seen)
            AnswerNextMessage(seen);
        QTest::keyClick(dialog->entry(), Qt::Key_Return);
        if (dialog->isVisible())
            dialog->reject();
    });
}

} // namespace

class PasswordTest : public QObject {
    Q_OBJECT
private slots:
    void wrongCodeKeepsTheDialogOpen_data() {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::newRow("English") << false << "Password Error" << "Error";
        QTest::newRow("Chinese") << true << QString::fromUtf8("密码错误") << QString::fromUtf8("错误");
    }

    // The entry has the focus, hides what is typed and takes six characters.
    void wrongCodeKeepsTheDialogOpen() {
        QFETCH(bool, chinese);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        const Prompts prompts;
        CPasswordDlg dialog(prompts, chinese ? Language::Chinese : Language::English);
        dialog.show();
        QCOMPARE(dialog.focusWidget(), dialog.entry());
        QTest::keyClicks(dialog.entry(), "4701639");
        QCOMPARE(dialog.entry()->displayText(), QString("******"));
        SeenMessage seen;
        AnswerNextMessage(&seen);
        QTest::keyClick(dialog.entry(), Qt::Key_Return);
        QCOMPARE(seen.text, text);
        QCOMPARE(seen.caption, caption);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.entry()->text(), QString("470163"));
    }

    void unlockAppendsTheEntriesOnce() {
        RunSession session;
        const Prompts prompts;
        int appended = 0;
        const auto append = [&appended] { ++appended; };
        // A wrong code, then Cancel: still locked.
        SeenMessage seen;
        AnswerPassword("123456", &seen);
        QVERIFY(!RunAlignmentUnlock(nullptr, session, prompts, Language::English, append));
        QCOMPARE(seen.count, 1);
        QVERIFY(!session.alignmentUnlocked());
        for (int entry = 0; entry < 2; ++entry) {
            AnswerPassword("470162", nullptr);
            QVERIFY(RunAlignmentUnlock(nullptr, session, prompts, Language::English, append));
            QVERIFY(session.alignmentUnlocked());
        }
        QCOMPARE(appended, 1);
    }
};

TEST_CLASS(PasswordTest)
#include "tst_password.moc"
