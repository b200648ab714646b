// Every open document stays within reach: the Window menu lists, shows and arranges
// every document, hidden ones included.
#include "ChildFrame.h"
#include "CommandIds.h"
#include "Files.h"
#include "ImageMap.h"
#include "MainFrame.h"
#include "ProgramDoc.h"
#include "ProgramFixture.h"
#include "TestSuite.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

class ReachingDocumentsTest : public QObject {
    Q_OBJECT
private slots:
    void windowMenu();
};

namespace {

QStringList MenuTexts(QMenu* menu) {
    emit menu->aboutToShow();
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        QString text = action->isSeparator() ? QStringLiteral("-") : action->text();
        if (action->isChecked())
            text += QStringLiteral(" (checked)");
        texts << text;
    }
    return texts;
}

QAction* MenuEntry(QMenu* menu, const QString& prefix) {
    emit menu->aboutToShow();
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(prefix))
            return action;
    }
    return nullptr;
}

} // namespace

void ReachingDocumentsTest::windowMenu() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    CChildFrame* first = frame->activeChild();
    for (const char* name : {"a.dat", "b.dat"}) {
        QVERIFY(
            WriteFileBytes(program.config.filePath(name), QByteArray(ImageMap::kImageSize, 0x33)));
        program.prompts.setOpenFile(program.config.filePath(name));
        frame->OnFileOpen();
    }
    frame->activeDocument()->edit(QStringLiteral("test"),
                                  [](RadioImage& bytes) { bytes[0x20] ^= 0x01; });

    // Just before Help, as in every multiple-document program.
    const QList<QAction*> menus = frame->menuBar()->actions();
    QCOMPARE(menus[menus.size() - 2]->text(), QStringLiteral("&Window"));
    QMenu* window = menus[menus.size() - 2]->menu();
    QCOMPARE(MenuTexts(window), QStringList({"&Tile", "&Cascade", "-", "&1 Channel Information",
                                             "&2 a.dat", "&3 b.dat* (checked)"}));
    QCOMPARE(MenuTexts(window), MenuTexts(window)); // opening again lists each once

    // A hidden document comes back by its entry and becomes the active one.
    QVERIFY(first->isHidden());
    MenuEntry(window, "&1 ")->trigger();
    QVERIFY(first->isVisible());
    QCOMPARE(frame->activeChild(), first);
    QVERIFY(MenuEntry(window, "&1 ")->isChecked());

    // Tile and Cascade arrange every document window, hidden ones included.
    for (int command : {CommandId::kWindowTile, CommandId::kWindowCascade}) {
        for (CChildFrame* child : frame->childFrames())
            child->hide();
        frame->commandAction(command)->trigger();
        for (CChildFrame* child : frame->childFrames())
            QVERIFY(child->isVisible());
        QCOMPARE(frame->activeChild(), first);
    }
}

TEST_CLASS(ReachingDocumentsTest)
#include "tst_reaching_documents.moc"
