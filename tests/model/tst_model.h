#pragma once
#include <QObject>

class ChannelCodecTest : public QObject {
    Q_OBJECT
private slots:
    void newImageHasFactoryContents();
    void newImageDecodesAsSixteenEmptyChannels();
    void frequenciesPackAsBcd_data();
    void frequenciesPackAsBcd();
    void emptyChannelMarkers();
    void toneOnEmptyChannelIsStillShown();
    void scanBitsDifferBetweenHalves();
    void emptyRowEncodesFlagBytes();
    void encoderKeepsBitsItDoesNotOwn();
    void encoderAcceptsBothLanguages();
    void decodeEncodeRoundTrip();
    void calibrationClamp();
    void tones_data();
    void tones();
    void dcsTableLookups();
    void toneListOrder();
};

class TextAndFilesTest : public QObject {
    Q_OBJECT
private slots:
    void decimalMultiplyIsExact_data();
    void decimalMultiplyIsExact();
    void leadingNumbers();
    void readFrequencyAndSteps();
    void commitRulesOfAChannelRow();
    void datFileRoundTripAndRefusals();
    void failedSaveKeepsOldFile();
    void profileReadWrite();
    void bandsAndPoints();
};

class ProductInfoTest : public QObject {
    Q_OBJECT
private slots:
    void newDocumentTakesTheUsersLastChoice();
    void openedDocumentPushesItsOwnChoice();
    void titleForms();
};
