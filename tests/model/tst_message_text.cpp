// User text in messages (radio/MessageText): control characters written out, cut at 40.

#include "radio/MessageText.h"
#include "tests/support/TestSuite.h"

#include <QTest>

class MessageTextTest : public QObject {
    Q_OBJECT
private slots:
    void userTextInMessages_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const QString ellipsis(QChar(0x2026));
        QTest::newRow("plain") << "146.52" << "146.52";
        QTest::newRow("escape sequence") << "\x1b[2J\x1b]0;x\x07" << "\\x1b[2J\\x1b]0;x\\x07";
        QTest::newRow("NUL inside") << QString::fromLatin1("1\0xyz", 5) << "1\\x00xyz";
        QTest::newRow("line end, delete, C1") << "a\r\nb\x7f\u009b" << "a\\x0d\\x0ab\\x7f\\x9b";
        QTest::newRow("text direction") << "ab\u202ecd" << "ab\\u202ecd";
        QTest::newRow("40 characters") << QString(40, 'x') << QString(40, 'x');
        QTest::newRow("5 MB") << QString(5 << 20, 'x') << QString(40, 'x') + ellipsis;
        // An escape that would cross the limit is left out whole.
        QTest::newRow("escape at the limit")
            << QString(38, 'x') + "\x1b" << QString(38, 'x') + ellipsis;
        QTest::newRow("Chinese") << QString::fromUtf8("高功率") << QString::fromUtf8("高功率");
    }
    void userTextInMessages() {
        QFETCH(QString, text);
        QTEST(ShortenedForMessage(text), "shown");
    }
};

TEST_CLASS(MessageTextTest)
#include "tst_message_text.moc"
