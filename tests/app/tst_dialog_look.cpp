// How the dialogs look: Qt's Chinese texts on message-box buttons while dialog templates
// keep their English buttons, plain buttons without platform icons, windows at least as
// wide as their captions, a fixed About box with the program's icon.
#include "dialogs/AboutDlg.h"
#include "app/CaptionFit.h"
#include "ui/CommandIds.h"
#include "app/MainFrame.h"
#include "tests/support/Modal.h"
#include "tests/support/ProgramFixture.h"
#include "tests/support/TestSuite.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class DialogLookTest : public QObject {
    Q_OBJECT
private slots:
    void buttonTexts_data();
    void buttonTexts();
    void captionsFit_data();
    void captionsFit();
    void aboutBox();
};

namespace {

using Opener = std::function<void(CMainFrame*)>;

// The buttons of the next modal dialog, "text" or "text+icon", left to right.
QStringList ButtonsOfNextDialog(CMainFrame* frame, const Opener& open) {
    QStringList buttons;
    WhenModal<QDialog>([&buttons](QDialog* dialog) {
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->isVisible())
                buttons << button->text() + (button->icon().isNull() ? "" : "+icon");
        }
        dialog->reject();
    });
    open(frame);
    return buttons;
}

} // namespace

void DialogLookTest::buttonTexts_data() {
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<Opener>("open");
    QTest::addColumn<QStringList>("buttons");
    const Opener newQuestion = [](CMainFrame* frame) { frame->OnFileNew(); };
    QTest::newRow("message box, English") << false << newQuestion << QStringList{"OK", "Cancel"};
    QTest::newRow("message box, Chinese")
        << true << newQuestion << QStringList{QString::fromUtf8("确定"), QString::fromUtf8("取消")};
    QTest::newRow("Product Information, Chinese")
        << true << Opener(&CMainFrame::OnProductInformation) << QStringList{"OK", "Cancel"};
    QTest::newRow("COM Setup, Chinese")
        << true << Opener([](CMainFrame* f) { f->commandAction(CommandId::kComSetup)->trigger(); })
        << QStringList{"OK", "Cancel"};
}

void DialogLookTest::buttonTexts() {
    QFETCH(bool, chinese);
    QFETCH(Opener, open);
    QFETCH(QStringList, buttons);
    ConfigDir config(DefaultIniWith("Language", chinese ? "Chinese" : "English"));
    auto app = StartProgram(config);
    QVERIFY(app);
    QStringList shown = ButtonsOfNextDialog(app->mainFrame(), open);
    shown.sort();
    buttons.sort();
    QCOMPARE(shown, buttons);
}

// A laid-out dialog and a message box, each narrower than its caption unless widened
// (the Language and About boxes are wide enough by themselves here).
void DialogLookTest::captionsFit_data() {
    QTest::addColumn<Opener>("open");
    QTest::newRow("Product Information") << Opener(&CMainFrame::OnProductInformation);
    QTest::newRow("message box") << Opener([](CMainFrame* frame) {
        QMessageBox(QMessageBox::NoIcon, "A caption longer than its text", "No", QMessageBox::Ok,
                    frame)
            .exec();
    });
}

// At least as wide as the program's estimate of what the title bar needs.
void DialogLookTest::captionsFit() {
    QFETCH(Opener, open);
    ConfigDir config(DefaultIniText());
    auto app = StartProgram(config);
    QVERIFY(app);
    QString caption;
    int width = 0;
    const std::function<void(QDialog*)> measure = [&](QDialog* dialog) {
        if (!dialog->isVisible()) { // shown a moment later
            WhenModal<QDialog>(measure);
            return;
        }
        caption = dialog->windowTitle();
        width = dialog->width();
        dialog->reject();
    };
    WhenModal<QDialog>(measure);
    open(app->mainFrame());
    QVERIFY2(width >= CCaptionFit::widthForCaption(caption),
             qPrintable(QStringLiteral("%1: %2 px").arg(caption).arg(width)));
}

void DialogLookTest::aboutBox() {
    ConfigDir config(DefaultIniWith("Copyrights Owner", "Acme"));
    auto app = StartProgram(config);
    QTemporaryDir noIcon; // a program folder without title.ico
    CAboutDlg about(noIcon.path() + u'/', app->mainFrame());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    bool hasIcon = false;
    for (QLabel* label : about.findChildren<QLabel*>())
        hasIcon = hasIcon || !label->pixmap().isNull();
    QVERIFY(hasIcon);
    QCOMPARE(about.minimumSize(), about.maximumSize()); // not resizable
    // The texts come from the run's language section.
    QCOMPARE(about.windowTitle(), QStringLiteral("About Radio Programmer..."));
    QCOMPARE(about.ownerLabel()->text(), QStringLiteral("Acme"));
}

TEST_CLASS(DialogLookTest)
#include "tst_dialog_look.moc"
