// The channel view's transfer window around the runner, against a scripted radio:
// the progress it shows, the Retry question, and a window closed mid-transfer.

#include "CProcessDlg.h"
#include "FakeLink.h"
#include "Files.h"
#include "Modal.h"
#include "ProgramTransfer.h"
#include "ProgrammingExchange.h"
#include "ScriptedRadio.h"
#include "TestSuite.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <memory>

namespace {

// A window with the transfer of its channel view, over a scripted radio that takes
// `answerDelayMs` for every answer.
struct Rig {
    std::shared_ptr<FakeLink> link = std::make_shared<FakeLink>();
    std::shared_ptr<ScriptedRadio> radio = std::make_shared<ScriptedRadio>(PatternImage(6));
    QPointer<QWidget> owner = new QWidget;
    QPointer<ProgramTransfer> transfer;
    int answerDelayMs = 0;
    int reads = 0;
    RadioImage received = NewImage();

    Rig() {
        link->radio = [radio = radio, this](const QByteArray& written) {
            if (answerDelayMs > 0)
                QThread::msleep(static_cast<unsigned long>(answerDelayMs));
            return radio->answer(written);
        };
        transfer = new ProgramTransfer(owner, {nullptr, nullptr, [this](const RadioImage& image) {
                                                   received = image;
                                                   ++reads;
                                               }});
        transfer->setLinkFactory([link = link] { return link; });
    }
    ~Rig() { delete owner; }

    // Read, then OK in the progress window.
    QPointer<CProcessDlg> startRead() {
        transfer->requestRead();
        QPointer<CProcessDlg> window = transfer->progressWindow();
        window->findChild<QPushButton*>()->click();
        return window;
    }
};

} // namespace

class ProgramTransferTest : public QObject {
    Q_OBJECT
private slots:
    void progressWindowFollowsTheBlocks() {
        Rig rig;
        rig.answerDelayMs = 1;
        QSignalSpy finished(rig.transfer.data(), &ProgramTransfer::finished);
        const QPointer<CProcessDlg> window = rig.startRead();
        auto* bar = window->findChild<QProgressBar*>();
        QVERIFY(QTest::qWaitFor([&] { return !window || bar->value() >= 32; }, 20000));
        QVERIFY(window);
        QCOMPARE(bar->maximum(), 128);
        QVERIFY(window->findChild<QLabel*>()->text().endsWith('%'));
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().first().toBool(), true);
        QCOMPARE(rig.reads, 1);
        QVERIFY(rig.received == PatternImage(6));
        QTRY_VERIFY(window.isNull());
    }

    void retryQuestionDecidesTheExchange_data() {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("succeeded");
        QTest::newRow("Retry") << QMessageBox::Retry << true;
        QTest::newRow("Cancel") << QMessageBox::Cancel << false;
    }
    void retryQuestionDecidesTheExchange() {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, succeeded);
        Rig rig;
        rig.radio->refuseHandshakeAcks = 1;
        QSignalSpy finished(rig.transfer.data(), &ProgramTransfer::finished);
        SeenMessage seen;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            seen.text = box->text();
            seen.buttons = box->standardButtons();
            box->button(answer)->click();
        });
        rig.startRead();
        QVERIFY(finished.wait(20000));
        QCOMPARE(seen.text, QString::fromUtf8(kCommunicationErrorText));
        QCOMPARE(seen.buttons, QMessageBox::Retry | QMessageBox::Cancel);
        QCOMPARE(finished.first().first().toBool(), succeeded);
        QCOMPARE(rig.reads, succeeded ? 1 : 0);
    }

    // Closing the window takes the transfer along: the worker stops at its next check
    // point, the port closes, and nothing reaches the window that is gone.
    void windowClosedMidTransfer_data() {
        QTest::addColumn<bool>("whileAsking");
        QTest::newRow("while blocks arrive") << false;
        QTest::newRow("while Retry is asked") << true;
    }
    void windowClosedMidTransfer() {
        QFETCH(bool, whileAsking);
        Rig rig;
        rig.answerDelayMs = 2;
        rig.radio->refuseHandshakeAcks = whileAsking ? 1 : 0;
        QElapsedTimer closing;
        if (whileAsking) {
            WhenModal<QMessageBox>([&](QMessageBox* box) {
                const QPointer<QMessageBox> question = box;
                closing.start();
                delete rig.owner;
                if (question)
                    question->reject();
            });
        }
        const QPointer<CProcessDlg> window = rig.startRead();
        if (!whileAsking) {
            auto* bar = window->findChild<QProgressBar*>();
            QVERIFY(QTest::qWaitFor([&] { return bar->value() >= 4; }, 20000));
            closing.start();
            delete rig.owner;
        }
        QVERIFY(QTest::qWaitFor([&] { return rig.owner.isNull() && rig.transfer.isNull(); }, 5000));
        QVERIFY2(closing.elapsed() < 2000, qPrintable(QString::number(closing.elapsed())));
        QCOMPARE(rig.link->closes, rig.link->opens);
        QVERIFY(rig.radio->blocks < 128);
        QCOMPARE(rig.reads, 0);
    }
};

TEST_CLASS(ProgramTransferTest)
#include "tst_program_transfer.moc"
