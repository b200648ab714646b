// Channel plans in the window program: File > New from Plan writes what chprog new --plan
// writes, and Program > Check Against Plan lists the breaches, leads to their cells and
// leaves the grid marked against the plan.
#include "app/MainFrame.h"
#include "dialogs/NewFromPlanDlg.h"
#include "dialogs/PlanCheckDlg.h"
#include "document/ProgramDoc.h"
#include "editor/CProgramView.h"
#include "config/UserStore.h"
#include "tests/support/Chprog.h"
#include "tests/support/Files.h"
#include "tests/support/Modal.h"
#include "tests/support/ProgramFixture.h"
#include "tests/support/TestSuite.h"
#include "ui/CMSFlexGrid.h"
#include "ui/CommandIds.h"

#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

class AppPlansTest : public QObject {
    Q_OBJECT
private slots:
    void newFromPlanThenCheck();
};

namespace {

// Selects the row of the plan named `name` and presses OK.
void ChoosePlan(NewFromPlanDlg* dialog, const QString& name) {
    const QList<QTreeWidgetItem*> rows = dialog->planList()->findItems(name, Qt::MatchExactly);
    QVERIFY(!rows.isEmpty());
    dialog->planList()->setCurrentItem(rows.first());
    dialog->accept();
}

} // namespace

void AppPlansTest::newFromPlanThenCheck() {
    PromptRecorder prompts;
    ConfigDir config(DefaultIniText());
    UserStore store(config.iniPath()); // the user's last product: QR-16U, 400 - 470MHz
    store.writeNumber("Type", 1);
    store.writeNumber("Field", 0);
    auto app = StartProgram(config);
    CMainFrame* frame = app->mainFrame();

    // New from Plan: the plan's channels, byte for byte as chprog new --plan writes them.
    prompts.answerNext(QMessageBox::Ok); // "All data will be Cleared!"
    WhenModal<NewFromPlanDlg>([](NewFromPlanDlg* dialog) { ChoosePlan(dialog, "PMR446"); });
    frame->commandAction(CommandId::kFileNewFromPlan)->trigger();
    CProgramDoc* doc = frame->activeDocument();
    QVERIFY(doc->plan());
    QCOMPARE(doc->plan()->id, QStringLiteral("pmr446"));
    QVERIFY(!doc->isModified());
    QTemporaryDir dir;
    const QString written = dir.filePath("pmr.dat");
    const ChprogRun run = Chprog({"new", "--plan", "pmr446", "--model", "QR-16U", "--band",
                                  "400 - 470MHz", "--config", config.path(), "-o", written});
    QCOMPARE(run.status, 0);
    QCOMPARE(ImageBytes(doc->image()), ReadFileBytes(written));

    // Check against the document's own plan: nothing breaks it, and the dialog says so.
    const auto check = [frame](std::function<void(PlanCheckDlg*)> act) {
        WhenModal<PlanCheckDlg>(std::move(act));
        frame->commandAction(CommandId::kCheckAgainstPlan)->trigger();
    };
    check([](PlanCheckDlg* dialog) {
        QCOMPARE(dialog->planChoice()->currentText(), QStringLiteral("PMR446"));
        QVERIFY(!dialog->noBreachNote()->isHidden());
        QCOMPARE(dialog->noBreachNote()->text(), QStringLiteral("No channel breaks a rule of PMR446."));
        QCOMPARE(dialog->breachList()->topLevelItemCount(), 0);
        dialog->reject();
    });

    // Against the marine plan every channel breaks its frequencies and its bandwidth; a
    // double-click leads to that cell of the grid.
    check([](PlanCheckDlg* dialog) {
        const int marine = dialog->planChoice()->findText("Marine VHF", Qt::MatchStartsWith);
        QVERIFY(marine >= 0);
        dialog->planChoice()->setCurrentIndex(marine);
        QVERIFY(dialog->noBreachNote()->isHidden());
        QTreeWidget* list = dialog->breachList();
        const QStringList expected[] = {
            {"CH 1", "Rx Frequency", "446.00625", "not a frequency of the plan"},
            {"CH 1", "Tx Frequency", "446.00625", "not a frequency of the plan"},
            {"CH 1", "W/N", "Narrow", "the plan requires Wide"},
            {"CH 2", "Rx Frequency", "446.01875", "not a frequency of the plan"},
        };
        QCOMPARE(list->topLevelItemCount(), 48);
        for (int row = 0; row < int(std::size(expected)); ++row) {
            for (int column = 0; column < 4; ++column)
                QCOMPARE(list->topLevelItem(row)->text(column), expected[row][column]);
        }
        emit list->itemDoubleClicked(list->topLevelItem(5), 0); // CH 2, W/N
    });
    auto* view = qobject_cast<CProgramView*>(frame->activeView());
    QCOMPARE(view->grid()->Row(), 2);
    QCOMPARE(view->grid()->Col(), int(kColBandwidth));
    // The document is held to the plan it was checked against: the grid marks its breaches.
    QCOMPARE(doc->plan()->id, QStringLiteral("marine-vhf"));
    QCOMPARE(view->grid()->CellMarkTip(2, kColBandwidth),
             QStringLiteral("Marine VHF simplex: the plan requires Wide"));
}

TEST_CLASS(AppPlansTest)
#include "tst_app_plans.moc"
