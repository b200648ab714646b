#pragma once
// The radio link: exchanges on a scripted fake link, port names, and the real serial
// link over a pseudo-terminal.

#include <QObject>

class ProgrammingExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void plansCutBlocksAtMultiplesOfEight();
    void readSendsTheFramesOfTheWorkedExample();
    void writeSendsItsPlanAndNothingElse_data();
    void writeSendsItsPlanAndNothingElse();
    void shortIdentificationStillPasses();
    void handshakeCountsItsAttempts_data();
    void handshakeCountsItsAttempts();
    void silentRadioCostsTheReadTimeOuts();
    void radioFailingMidTransferInterrupts_data();
    void radioFailingMidTransferInterrupts();
    void shortReplyAtBlock41LeavesTheImage();
    void cancelIsSeenOnlyAtItsPoints_data();
    void cancelIsSeenOnlyAtItsPoints();
    void portThatWillNotOpen();
};

class AlignmentExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void readsPowerTableFrames();
    void writesSquelchTableFrames();
    void handshakeGivesUpAfterFourAttempts_data();
    void handshakeGivesUpAfterFourAttempts();
    void failedReadLeavesTheImage_data();
    void failedReadLeavesTheImage();
    void unacknowledgedWriteBlock();
    void portThatWillNotOpen();
};

class SerialLineTest : public QObject {
    Q_OBJECT
private slots:
    void portNamesFollowTheComNumbers();
    void linuxDevicesComeFromProgramIni();
    void readWaitsOutTheTotalTimeOut();
    void readStopsAfterTheInterByteGap();
    void readAndWriteMoveBytes();
    void pulledCableIsAFailedRead();
    void openFailuresSayWhy();
};
