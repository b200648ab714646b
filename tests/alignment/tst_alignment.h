#pragma once
#include <QObject>
#include <QTemporaryDir>

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

class AdjustDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void powerLayoutInBothLanguages();
    void powerFillShowsDefaults();
    void powerEditorClampsAndSitsOverTheCell();
    void powerRowLabelHighlightsAndOpensNoEditor();
    void powerOkStoresAndNormalises();
    void powerEnterCommitsTheTypedValue();
    void powerCancelStoresNothing();
    void sqlLayoutAndFill();
    void sqlListEditorAndCloseStores();
    void sqlSwallowsEnterEscAndNonAscii();
    void sqlHeaderClicksOpenNoEditor();
    void wideBandShowsElevenRows();
    void screenshots();
};

class TransferTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void powerReadFillsTheGridFromTheRadio();
    void powerWriteSendsTheGrid();
    void silentRadioGivesCommunicationErrorAfterFourGreetings();
    void shortReplyLeavesImageAndGridAsTheyWere();
    void portThatCannotOpen();
    void dialogStaysOpenWhileAnExchangeRuns();

private:
    QTemporaryDir m_dir;
};
