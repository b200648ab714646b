#pragma once
// A document and its channel view on screen, driven the way a user drives it (clicks on
// cells, typed text, keys), with the refusal messages collected as "caption: text".

#include "ui/CMSFlexGrid.h"
#include "editor/CProgramView.h"
#include "ui/Prompts.h"
#include "editor/ChannelListFiles.h"
#include "radio/ChannelCodec.h"
#include "document/ProgramDoc.h"
#include "tests/support/ProgramFixture.h"
#include "config/StartupConfig.h"
#include "config/UserStore.h"

#include <QApplication>
#include <QTest>

// A Program.ini of two models, the second with two bands, and reset(): the run's settings
// pointing at it, English, a new document, the first model and band chosen.
struct EditorRun {
    ConfigDir dir{QString::fromUtf8("[Setup]\nAppName=EditorTest\nType1=QZ-417\nField1=130 - 160MHz\n"
                                    "Type2=QZ-800\nField2=136 - 174MHz|400 - 470MHz\n"
                                    "[English]\nAppName=Radio\n[Chinese]\nAppName=對講機\n")};
    void reset() const {
        StartupConfig& config = StartupConfigForTests();
        config.iniFilePath = dir.iniPath();
        config.programDirectory = dir.path() + '/';
        config.chineseLanguage = false;
        config.languageName = QStringLiteral("English");
        UserStore store(dir.iniPath());
        store.writeNumber("Type", 0);
        store.writeNumber("Field", 0);
    }
};

// A channel view on its own. Every message it shows is answered with OK and kept in
// `messages` as "caption: text"; prompts.setHandlers({}) brings the real boxes back.
struct ChannelScreen {
    CProgramDoc doc;
    QStringList messages;
    Prompts prompts{startupConfig().applicationName};
    CProgramView view{&doc, ChannelViewRun::Of(startupConfig()), nullptr, &prompts};

    ChannelScreen() {
        PromptHandlers answers;
        answers.ask = [this](const Prompt& prompt) {
            const QString caption =
                prompt.caption.isEmpty() ? startupConfig().applicationName : prompt.caption;
            messages << caption + ": " + prompt.text;
            return PromptAnswer(QMessageBox::Ok);
        };
        prompts.setHandlers(answers);
        view.OnInitialUpdate();
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
    }
    CMSFlexGrid& grid() { return *view.grid(); }
    // The view's document and band, as File > Import and Export Channels give them.
    ChannelListContext lists() {
        return {&view, &doc, startupConfig().language(), view.typingBand(), &prompts,
                [this](const QString& text) { view.showStatusNote(text); },
                {}};
    }
    QString cell(int row, int col) { return grid().TextMatrix(row, col); }
    QStringList settings(int row) {
        QStringList texts;
        for (int col = kColDecodeTone; col < kChannelColumns; ++col)
            texts << cell(row, col);
        return texts;
    }
    void click(int row, int col) {
        grid().scrollToItem(grid().item(row - 1, col - 1));
        const QPoint centre = grid().visualItemRect(grid().item(row - 1, col - 1)).center();
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, centre);
    }
    void type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    void key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    void enter() { key(Qt::Key_Return); }
    void clearEditor() { key(Qt::Key_Backspace); }
    // Clicks a cell, types into its editor and commits with Enter.
    void enterIn(int row, int col, const QString& text) {
        click(row, col);
        type(text);
        enter();
    }
    // Types a receive frequency into an empty row the way a user does.
    void program(int row, const QString& frequency) { enterIn(row, kColRxFrequency, frequency); }
    QString current() { return QStringLiteral("%1,%2").arg(grid().Row()).arg(grid().Col()); }
};
