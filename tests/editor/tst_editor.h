#pragma once
#include <QObject>

class FlexGridTest : public QObject {
    Q_OBJECT
private slots:
    void sizeAndTexts();
    void currentCellEventsInOrder();
    void mouseAndKeyboardMoveTheCurrentCell();
    void geometryInTwips();
    void alignmentColourAndHighlight();
    void scrollingRaisesScroll();
};

#include <QTemporaryDir>

class ChannelViewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void newDocumentShowsEmptyGrid();
    void typedReceiveFrequencies();
    void clearingReceiveAndTransmit();
    void listsOnEmptyAndProgrammedRows();
    void enterWalksTheGrid();
    void scrollingDropsTheOpenEditor();
    void typingOnTheGridOpensTheEditor();
    void helpAtTheFocusedControl();
    void otherBandChannelIsRefusedOnLeaving();
    void chineseListsAndHeaders();
    void saveFoldsTheGridAndReopens();
    void realCautionBox();
    void printsTheProgrammedChannels();

private:
    QTemporaryDir m_dir;
};

class ProductInfoDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void secondBandOfAField();
    void bandIndexBeyondTheList();
    void newDocumentTakesTheUsersChoice();
    void helpOnTheFocusedList();

private:
    QTemporaryDir m_dir;
};
