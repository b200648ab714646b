// Power Adjust and Sql Adjust with their grids and in-place editors.

#include "ui/CMSFlexGrid.h"
#include "alignment/CPowerAdjustDlg.h"
#include "alignment/CSqlAdjustDlg.h"
#include "radio/ProductInfo.h"
#include "document/ProgramDoc.h"
#include "tests/support/TestRun.h"
#include "tests/support/TestSuite.h"

#include <QApplication>
#include <functional>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ImageMap;

namespace {

const BandLimits k136To174 = BandLimitsFromText("136 - 174MHz"); // 5 rows
const BandLimits k130To160 = BandLimitsFromText("130 - 160MHz"); // 3 rows

// Clicks a cell the way a user does: ordinary cells in the viewport, row labels and
// column headings in their headers.
void ClickCell(CMSFlexGrid* grid, int row, int col) {
    if (row > 0 && col > 0) {
        const QRect cell = grid->visualItemRect(grid->item(row - 1, col - 1));
        return QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
    QHeaderView* header = col == 0 ? grid->verticalHeader() : grid->horizontalHeader();
    const int section = (col == 0 ? row : col) - 1;
    const int along = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      col == 0 ? QPoint(header->width() / 2, along)
                               : QPoint(along, header->height() / 2));
}

// Types into the power cell editor at (row, col) and leaves it by clicking the
// neighbouring row's label.
void TypeIntoPowerCell(CPowerAdjustDlg& dialog, int row, int col, const QString& typed) {
    ClickCell(dialog.grid(), row, col);
    QVERIFY(dialog.cellEditor()->isVisible());
    QTest::keyClicks(dialog.cellEditor(), typed);
    ClickCell(dialog.grid(), row == 1 ? 2 : 1, 0);
    QVERIFY(!dialog.cellEditor()->isVisible());
}

// Counts the key presses that reach the object it filters.
struct KeyCounter : QObject {
    int keyPresses = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            ++keyPresses;
        return false;
    }
};

void ShowActive(QWidget& dialog) {
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
}

} // namespace

class AdjustDialogsTest : public QObject {
    Q_OBJECT
private slots:
    // The grid shows the image's table in the model's texts, a row per point of the band.
    void powerEditorClampsAndSitsOverTheCell() {
        CProgramDoc document;
        document.edit(QStringLiteral("test"), [](RadioImage& bytes) {
            bytes[kPowerCalibration + 0] = 10;
            bytes[kPowerCalibration + 3] = 250;
        });
        const RadioImage before = document.image();
        CPowerAdjustDlg dialog(&document, k136To174, m_run.context());
        ShowActive(dialog);
        CMSFlexGrid* grid = dialog.grid();
        QCOMPARE(grid->Rows(), 6);
        QCOMPARE(grid->TextMatrix(5, 0), QString("170"));
        QCOMPARE(grid->TextMatrix(1, 1), QString("100")); // the model's default for 10
        QCOMPARE(grid->TextMatrix(2, 2), QString("250"));
        // A row label opens no editor and highlights its row; a cell ends the highlight.
        ClickCell(grid, 3, 0);
        QCOMPARE(grid->HighLight(), int(CMSFlexGrid::HighLightWithFocus));
        QVERIFY(!dialog.cellEditor()->isVisible());

        ClickCell(grid, 3, 2);
        QCOMPARE(grid->HighLight(), int(CMSFlexGrid::HighLightNever));
        QLineEdit* editor = dialog.cellEditor();
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->text(), grid->TextMatrix(3, 2));
        QVERIFY(editor->hasFocus());
        // Over the cell, within a pixel or two of its lines.
        const QRect cell = grid->visualItemRect(grid->item(2, 1))
                               .translated(grid->viewport()->mapTo(&dialog, QPoint(0, 0)));
        QVERIFY(qAbs(editor->x() - cell.x()) <= 2 && qAbs(editor->y() - cell.y()) <= 2);
        QVERIFY(qAbs(editor->width() - cell.width()) <= 2);
        QTest::keyClicks(editor, "300");
        ClickCell(grid, 1, 0);
        QCOMPARE(grid->TextMatrix(3, 2), QString("250"));

        TypeIntoPowerCell(dialog, 4, 1, "1234"); // the editor takes three characters
        QCOMPARE(grid->TextMatrix(4, 1), QString("123"));
        QVERIFY(document.image() == before); // nothing stored yet
    }

    // Cancel stores nothing; OK with the same bytes leaves no unsaved changes; OK, and Enter
    // in the editor, store the grid.
    void powerOkEnterAndCancel() {
        CProgramDoc document;
        const RadioImage before = document.image();
        const auto run = [this, &document](const std::function<void(CPowerAdjustDlg&)>& steps) {
            CPowerAdjustDlg dialog(&document, k136To174, m_run.context());
            ShowActive(dialog);
            steps(dialog);
            return dialog.result();
        };
        QCOMPARE(run([](CPowerAdjustDlg& dialog) {
                     TypeIntoPowerCell(dialog, 1, 1, "30");
                     QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
                 }),
                 int(QDialog::Rejected));
        QVERIFY(document.image() == before);
        QCOMPARE(run([](CPowerAdjustDlg& dialog) { dialog.accept(); }), int(QDialog::Accepted));
        QVERIFY(!document.isModified());
        run([](CPowerAdjustDlg& dialog) {
            TypeIntoPowerCell(dialog, 1, 1, "77");
            QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        });
        QCOMPARE(int(document.image()[kPowerCalibration]), 77);
        QCOMPARE(run([](CPowerAdjustDlg& dialog) {
                     ClickCell(dialog.grid(), 5, 2);
                     QTest::keyClicks(dialog.cellEditor(), "140");
                     QTest::keyClick(dialog.cellEditor(), Qt::Key_Return);
                 }),
                 int(QDialog::Accepted));
        QCOMPARE(int(document.image()[kPowerCalibration + 2 * 4 + 1]), 140);
    }

    void sqlListEditorAndCloseStores() {
        CProgramDoc document;
        document.edit(QStringLiteral("test"), [&](RadioImage& bytes) {
            bytes[kSquelchCalibration] = 0x03; // bit 7 is the sign
            bytes[kSquelchCalibration + 1] = 0x83;
        });
        CSqlAdjustDlg dialog(&document, k130To160, m_run.context());
        ShowActive(dialog);
        CMSFlexGrid* grid = dialog.grid();
        QComboBox* list = dialog.listEditor();
        ClickCell(grid, 2, 0); // row labels and headings open no list
        ClickCell(grid, 0, 1);
        QVERIFY(!list->isVisible());

        QCOMPARE(grid->TextMatrix(1, 1), QString("3"));
        QCOMPARE(grid->TextMatrix(2, 1), QString("-3"));
        QCOMPARE(list->count(), 11);
        ClickCell(grid, 2, 1);
        QVERIFY(list->isVisible());
        QCOMPARE(list->currentText(), QString("-3")); // the item matching the cell
        list->setCurrentIndex(list->findText("-2"));
        ClickCell(grid, 1, 0); // clicking elsewhere closes the list into the cell
        QVERIFY(!list->isVisible());
        QCOMPARE(grid->TextMatrix(2, 1), QString("-2"));
        QCOMPARE(int(document.image()[kSquelchCalibration + 1]), 0x83); // not stored yet

        // A list still open when the dialog closes is committed first.
        ClickCell(grid, 3, 1);
        list->setCurrentIndex(list->findText("4"));
        QVERIFY(dialog.close());
        QCOMPARE(int(document.image()[kSquelchCalibration + 1]), 0x82);
        QCOMPARE(int(document.image()[kSquelchCalibration + 2]), 0x04);
    }

    void sqlSwallowsEnterEscAndNonAscii() {
        CProgramDoc document;
        CSqlAdjustDlg dialog(&document, k130To160, m_run.context());
        ShowActive(dialog);
        int clicks = 0;
        connect(dialog.readButton(), &QPushButton::clicked, [&clicks] { ++clicks; });
        dialog.readButton()->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QTest::keyClick(dialog.readButton(), key);
            QTest::keyClick(dialog.grid(), key);
        }
        QVERIFY(dialog.isVisible());
        QCOMPARE(clicks, 0);

        ClickCell(dialog.grid(), 1, 1);
        QComboBox* list = dialog.listEditor();
        KeyCounter reaching;
        list->installEventFilter(&reaching);
        QTest::keyClick(list, Qt::Key_Escape);
        QKeyEvent nonAscii(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier,
                           QString::fromUtf8("é"));
        QApplication::sendEvent(list, &nonAscii);
        QCOMPARE(reaching.keyPresses, 0);
        QVERIFY(list->isVisible());
        QTest::keyClicks(list, "3"); // other keys reach the list: its search selects "3"
        QCOMPARE(list->currentText(), QString("3"));
    }

    // Up and Down close the list into its cell unchanged and move to the neighbouring row.
    void sqlArrowsLeaveTheListsItem() {
        CProgramDoc document;
        CSqlAdjustDlg dialog(&document, k130To160, m_run.context());
        ShowActive(dialog);
        const QString shown = dialog.grid()->TextMatrix(1, 1);
        ClickCell(dialog.grid(), 1, 1);
        QTest::keyClick(dialog.listEditor(), Qt::Key_Down);
        QVERIFY(!dialog.listEditor()->isVisible());
        QCOMPARE(dialog.grid()->Row(), 2);
        QCOMPARE(dialog.grid()->TextMatrix(1, 1), shown);
    }

private:
    TestRun m_run;
};

TEST_CLASS(AdjustDialogsTest)
#include "tst_adjust_dialogs.moc"
