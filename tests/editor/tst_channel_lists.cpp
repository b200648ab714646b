// File > Import Channels... and Export Channels... in the channel view: either layout, a
// long list placed through the question it asks, a refused file that changes nothing.

#include "dialogs/CImportPlacementDlg.h"
#include "editor/ChannelListFiles.h"
#include "tests/editor/ChannelScreen.h"
#include "tests/support/Files.h"
#include "tests/support/FullDisk.h"
#include "tests/support/Modal.h"
#include "tests/support/TestSuite.h"

#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kCommonHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                                 "DtcsCode,DtcsPolarity,Mode,TStep,Skip,Comment\r\n";

} // namespace

class ChannelListFilesTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_run.reset(); }

    void longListAsksForRowsAndFirstChannel() {
        ChannelScreen s;
        QByteArray csv = kCommonHeader;
        for (int location = 0; location < 60; ++location)
            csv += QString("%1,,%2,,0,,88.5,88.5,023,NN,FM,5,,\r\n")
                       .arg(location)
                       .arg(FrequencyText(15600000 + 2500 * location))
                       .toUtf8();
        const QString path = m_dir.filePath("marine.csv");
        QVERIFY(WriteFileBytes(path, csv));
        QString offered;
        WhenModal<CImportPlacementDlg>([&](CImportPlacementDlg* dialog) {
            offered = QString("%1-%2 -> %3")
                          .arg(dialog->fromBox()->value())
                          .arg(dialog->toBox()->value())
                          .arg(dialog->channelBox()->value());
            dialog->fromBox()->setValue(20);
            dialog->toBox()->setValue(24);
            dialog->channelBox()->setValue(5);
            dialog->accept();
        });
        QVERIFY(ChannelListFiles::Import(s.lists(), path));
        QCOMPARE(offered, QStringLiteral("0-15 -> 1"));
        QCOMPARE(s.cell(4, kColRxFrequency), QString());
        QCOMPARE(s.cell(5, kColRxFrequency), FrequencyText(15600000 + 2500 * 20));
        QCOMPARE(s.cell(9, kColRxFrequency), FrequencyText(15600000 + 2500 * 24));
        QCOMPARE(s.cell(10, kColRxFrequency), QString());
        QVERIFY(s.doc.undo());
        QCOMPARE(s.cell(5, kColRxFrequency), QString());
        QVERIFY(!s.doc.canUndo());

        // Cancelling the question imports nothing.
        WhenModal<CImportPlacementDlg>([](CImportPlacementDlg* dialog) { dialog->reject(); });
        QVERIFY(!ChannelListFiles::Import(s.lists(), path));
        QVERIFY(!s.doc.isModified());
    }

    void refusedFileNamesLineAndColumnAndChangesNothing() {
        ChannelScreen s;
        const QString path = m_dir.filePath("bad.csv");
        // 446 MHz lies outside the document's band 136 - 174 MHz.
        QVERIFY(WriteFileBytes(path, kCommonHeader + "1,,146.52,,0,,88.5,88.5,023,NN,FM,5,,\r\n"
                                                     "2,,446.0,,0,,88.5,88.5,023,NN,FM,5,,\r\n"));
        QVERIFY(!ChannelListFiles::Import(s.lists(), path));
        // Captioned like every other box of the program, not with the executable's name.
        QCOMPARE(s.messages.size(), 1);
        QVERIFY2(s.messages[0].startsWith(startupConfig().applicationName +
                                          ": bad.csv: line 3, column \"Frequency\": 446.0 MHz "
                                          "is out of range"),
                 qPrintable(s.messages[0]));
        QCOMPARE(s.cell(1, kColRxFrequency), QString());
        QVERIFY(!s.doc.isModified());
    }

    void exportImportsBackUnchanged_data() {
        QTest::addColumn<CsvLayout>("layout");
        QTest::newRow("own") << CsvLayout::Own;
        QTest::newRow("common") << CsvLayout::Common;
    }

    // A file of the common layout lands on its channels as one step, undone whole; its
    // export in either layout imports back to the same bytes.
    void exportImportsBackUnchanged() {
        QFETCH(CsvLayout, layout);
        ChannelScreen s;
        const QString in = m_dir.filePath("in.csv");
        QVERIFY(WriteFileBytes(in, kCommonHeader + "1,,146.52,+,0.6,DTCS,88.5,88.5,754,RN,FM,5,S,\r\n"
                                                    "7,,151.00625,,0,TSQL,67.0,100.0,023,NN,NFM,5,,\r\n"));
        QVERIFY(ChannelListFiles::Import(s.lists(), in));
        QCOMPARE(s.cell(7, kColRxFrequency), QStringLiteral("151.00625"));
        QCOMPARE(s.cell(7, kColDecodeTone), QStringLiteral("100.0"));
        QCOMPARE(s.cell(7, kColBandwidth), QStringLiteral("Narrow"));
        QCOMPARE(s.doc.undoLabel(), QStringLiteral("Import Channels"));
        const QString out = m_dir.filePath("out.csv");
        QVERIFY(ChannelListFiles::Export(s.lists(), out, layout));
        ChannelScreen other;
        QVERIFY(ChannelListFiles::Import(other.lists(), out));
        QCOMPARE(ImageBytes(other.doc.image()), ImageBytes(s.doc.image()));
        // Importing what is already there is no change.
        QVERIFY(!ChannelListFiles::Import(other.lists(), out));
        QVERIFY(s.doc.undo());
        QCOMPARE(s.cell(7, kColRxFrequency), QString());
        QVERIFY(!s.doc.canUndo());
        QVERIFY(!s.doc.isModified());
    }

    // Export writes as every save does: a full disk keeps the old file and says why; a
    // pipe is refused, not replaced by a file. Import reads only regular files.
    void channelListFilesAreRegularFiles() {
        ChannelScreen s;
        FullDisk disk;
        if (disk.isMounted()) {
            const QString old = disk.filePath("old.csv");
            QVERIFY(WriteFileBytes(old, "CH\r\n"));
            disk.fill();
            QVERIFY(!ChannelListFiles::Export(s.lists(), old, CsvLayout::Own));
            QCOMPARE(s.messages.takeLast(), startupConfig().applicationName + ": " + old +
                                                ": cannot write the file (No space left on device)");
            QCOMPARE(ReadFileBytes(old), QByteArray("CH\r\n"));
        }
        const QString pipe = m_dir.filePath("pipe.csv");
        if (!MakeFifo(pipe))
            QSKIP("this system has no named pipes");
        const QString refusal = pipe + ": cannot %1 the file (it is not a regular file but a "
                                       "folder, device or pipe)";
        const QString caption = startupConfig().applicationName + ": ";
        QVERIFY(!ChannelListFiles::Export(s.lists(), pipe, CsvLayout::Own));
        QCOMPARE(s.messages.takeLast(), caption + refusal.arg("write"));
        QVERIFY(!QFileInfo(pipe).isFile());
        QVERIFY(!ChannelListFiles::Import(s.lists(), pipe)); // without a writer: at once
        QCOMPARE(s.messages.takeLast(), caption + refusal.arg("open"));
    }

private:
    EditorRun m_run;
    QTemporaryDir m_dir;
};

TEST_CLASS(ChannelListFilesTest)
#include "tst_channel_lists.moc"
