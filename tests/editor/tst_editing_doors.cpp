// Every door that edits channels or settings, over bases that hold what a radio may hold
// (a full table, calibration out of range, tone codes no list offers, stray bits in the
// unused flag bits): the door changes the bits of the fields it edits and nothing else.
// And the window program's Import Channels and chprog import-csv of one file into one
// base give the same bytes.

#include "dialogs/COptionalFeaturesDlg.h"
#include "dialogs/CProductInfoDlg.h"
#include "dialogs/CScanInfoDlg.h"
#include "editor/ChannelBulkTools.h"
#include "editor/ChannelEditActions.h"
#include "editor/ChannelListFiles.h"
#include "files/DatFile.h"
#include "radio/ImageMap.h"
#include "tests/editor/ChannelScreen.h"
#include "tests/support/ChannelBits.h"
#include "tests/support/Chprog.h"
#include "tests/support/Files.h"
#include "tests/support/TestSuite.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace ImageMap;

namespace {

using BitMask = std::array<std::uint8_t, kImageSize>;

// ---- bases ---------------------------------------------------------------------------

void SetFrequency(RadioImage& image, int channel, int offset, long long units) {
    std::uint8_t* bytes = image.data() + channelRecord(channel) + offset;
    for (int i = 0; i < 4; ++i, units /= 100)
        bytes[i] = static_cast<std::uint8_t>((units % 100 / 10) * 16 + units % 10);
}

// All 16 channels programmed, settings and scan bits varied from channel to channel.
RadioImage FullImage() {
    RadioImage image = NewImage();
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        SetFrequency(image, channel, Record::kRxFrequency, 14400000 + 12500LL * channel);
        SetFrequency(image, channel, Record::kTxFrequency, 14500000 + 12500LL * channel);
        std::uint8_t* record = image.data() + channelRecord(channel);
        record[Record::kDecodeTone] = 0x85; // 88.5 Hz
        record[Record::kDecodeTone + 1] = 0x08;
        record[Record::kFlagsA] = channel % 2 ? kCompanderBit | kBusyLockCarrierBit : 0;
        record[Record::kFlagsB] = channel % 3 ? kWideBit | kHighPowerBit : kWideBit;
    }
    image[kScanListLow] = 0xA5;
    image[kScanListHigh] = 0x3C;
    return image;
}

RadioImage OutOfRangeCalibration() {
    RadioImage image = NewImage();
    std::fill_n(image.begin() + kSquelchCalibration, kCalibrationRows, 0xFA);
    std::fill_n(image.begin() + kPowerCalibration, 2 * kCalibrationRows, 0xFF);
    return image;
}

// Tone codes whose high byte marks a stored tone but which no tone list offers.
RadioImage UnknownTones() {
    RadioImage image = FullImage();
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        std::uint8_t* record = image.data() + channelRecord(channel);
        record[Record::kDecodeTone] = 0x5A;
        record[Record::kDecodeTone + 1] = 0x7E;
        record[Record::kEncodeTone] = 0x01;
        record[Record::kEncodeTone + 1] = 0x2B;
    }
    return image;
}

// The flag bits and the two bytes no field uses, set on every channel, empty or not.
RadioImage StrayBits() {
    RadioImage image = FullImage();
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        std::uint8_t* record = image.data() + channelRecord(channel);
        record[Record::kFlagsA] |= 0xC7;
        record[Record::kFlagsB] |= 0xCF;
        record[14] = 0x5A;
        record[15] = 0xA5;
    }
    for (int channel = 12; channel <= kChannelCount; ++channel)
        std::fill_n(image.begin() + channelRecord(channel), 8, 0xFF); // empty, stray bits kept
    return image;
}

// ---- which bits a door may change ----------------------------------------------------

// The bits the fields of `channel` own: frequencies and tones whole, the flag bits of
// power, busy lock, bandwidth and compander, and its scan-list bit.
void AllowChannelFields(BitMask& mask, int channel) {
    for (int field = 0; field < kChannelFieldCount; ++field) {
        for (const auto& [offset, bits] : ChannelFieldBits(ChannelField(field), channel))
            mask[offset] |= bits;
    }
}

// The bits of one field of channels first..last.
void AllowField(BitMask& mask, ChannelField field, int first, int last) {
    for (int channel = first; channel <= last; ++channel)
        for (const auto& [offset, bits] : ChannelFieldBits(field, channel))
            mask[offset] |= bits;
}

// A move exchanges whole records, the bytes no field uses among them.
void AllowWholeRecord(BitMask& mask, int channel) {
    AllowChannelFields(mask, channel);
    std::fill_n(mask.begin() + channelRecord(channel), kChannelRecordSize, 0xFF);
}

// "offset 0x12 bits 01" for every bit that changed outside the mask.
QStringList ChangesOutside(const RadioImage& before, const RadioImage& after, const BitMask& mask) {
    QStringList changes;
    for (int i = 0; i < kImageSize; ++i) {
        const int outside = (before[i] ^ after[i]) & ~mask[i];
        if (outside)
            changes << QStringLiteral("0x%1: %2 -> %3")
                           .arg(i, 3, 16, QChar('0'))
                           .arg(before[i], 2, 16, QChar('0'))
                           .arg(after[i], 2, 16, QChar('0'));
    }
    return changes;
}

// ---- the doors -----------------------------------------------------------------------

const QByteArray kOwnCsv = "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Scan Add,"
                           "Busy Lock,W/N,Compand\r\n"
                           "1,146.52000,146.52000,None,None,High,Yes,Off,Wide,No\r\n";
const QByteArray kCommonCsv = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                              "DtcsCode,DtcsPolarity,Mode,TStep,Skip,Comment\r\n"
                              "1,,146.52,,0,,88.5,88.5,023,NN,FM,5,,\r\n";

// Whether a door must change the image: a dialog's OK with nothing chosen must not; a
// delete or move may find only empty channels.
enum class Change { Must, MustNot, May };

struct Door {
    // Performs the edit on the document of `s` (chprog: on base.dat in `dir`, into out.dat).
    std::function<void(ChannelScreen& s, const QString& dir)> run;
    std::function<void(BitMask&)> allow;
    Change change = Change::Must;
    bool throughChprog = false;
};

// Runs `dialog` modally and clicks its OK button as soon as it is up.
template <class Dialog, class Target> bool PressOk(Dialog& dialog, Target& target) {
    QTimer::singleShot(0, &dialog, [&dialog] {
        if (!QTest::qWaitForWindowActive(&dialog))
            return;
        for (QPushButton* button : dialog.template findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("OK") || button->isDefault()) {
                button->click();
                return;
            }
        }
        dialog.reject();
    });
    return dialog.run(target);
}

void ImportInWindow(ChannelScreen& s, const QString& dir, const QByteArray& csv) {
    const QString path = dir + QStringLiteral("/list.csv");
    QVERIFY(WriteFileBytes(path, csv));
    QVERIFY(ChannelListFiles::Import(s.lists(), path));
}

void RunChprog(const QStringList& arguments) {
    const ChprogRun run = Chprog(arguments);
    QVERIFY2(run.status == 0, qPrintable(run.err));
}

void ImportWithChprog(const QString& dir, const QByteArray& csv) {
    QVERIFY(WriteFileBytes(dir + QStringLiteral("/list.csv"), csv));
    RunChprog({QStringLiteral("import-csv"), dir + QStringLiteral("/list.csv"),
                 QStringLiteral("--base"), dir + QStringLiteral("/base.dat"), QStringLiteral("-o"),
                 dir + QStringLiteral("/out.dat"), QStringLiteral("--band"),
                 QStringLiteral("130 - 160MHz")});
}

std::map<QString, Door> Doors() {
    std::map<QString, Door> doors;
    doors["cell: Rx Frequency"] = {
        [](ChannelScreen& s, const QString&) { s.enterIn(2, kColRxFrequency, "150.0125"); },
        [](BitMask& m) { AllowChannelFields(m, 2); }};
    // An empty channel takes the new-channel defaults with its first frequency.
    doors["cell: Rx Frequency of channel 14"] = {
        [](ChannelScreen& s, const QString&) { s.enterIn(14, kColRxFrequency, "151.5"); },
        [](BitMask& m) { AllowChannelFields(m, 14); }};
    doors["paste"] = {[](ChannelScreen& s, const QString&) {
                          QGuiApplication::clipboard()->setText(
                              "CH\tRx Frequency\tTx Frequency\tQT/DQT Dec\tQT/DQT Enc\tPower\t"
                              "Scan Add\tBusy Lock\tW/N\tCompand\n"
                              "1\t152.00000\t152.00000\t88.5\t88.5\tLow\tNo\tOff\tNarrow\tYes\n");
                          s.view.editActions()->selectChannels(5, 5);
                          s.view.editActions()->paste();
                      },
                      [](BitMask& m) { AllowChannelFields(m, 5); }};
    doors["delete"] = {[](ChannelScreen& s, const QString&) {
                           s.view.editActions()->selectChannels(4, 4);
                           s.view.editActions()->clearChannels();
                       },
                       [](BitMask& m) { AllowChannelFields(m, 4); }, Change::May};
    doors["move down"] = {[](ChannelScreen& s, const QString&) {
                              s.view.editActions()->selectChannels(3, 3);
                              s.view.editActions()->moveDown();
                          },
                          [](BitMask& m) {
                              AllowWholeRecord(m, 3);
                              AllowWholeRecord(m, 4);
                          },
                          Change::May};
    doors["fill down: Power"] = {[](ChannelScreen& s, const QString&) {
                                     s.view.bulkTools()->selectCells(kColPower, 2, 6);
                                     s.view.bulkTools()->fillDown();
                                 },
                                 [](BitMask& m) { AllowField(m, ChannelField::Power, 3, 6); },
                                 Change::May};
    doors["set for selection: W/N"] = {
        [](ChannelScreen& s, const QString&) {
            s.view.editActions()->selectChannels(7, 13);
            s.view.bulkTools()->setForSelection(kColBandwidth, QStringLiteral("Narrow"));
        },
        [](BitMask& m) { AllowField(m, ChannelField::Bandwidth, 7, 13); }, Change::May};
    doors["frequency series"] = {[](ChannelScreen& s, const QString&) {
                                     s.view.editActions()->selectChannels(10, 14);
                                     s.view.bulkTools()->frequencySeries("146.5", "12.5");
                                 },
                                 [](BitMask& m) {
                                     for (int channel = 10; channel <= 14; ++channel)
                                         AllowChannelFields(m, channel);
                                 }};
    doors["sort by frequency"] = {[](ChannelScreen& s, const QString&) {
                                      s.view.editActions()->selectChannels(1, 1);
                                      s.view.bulkTools()->sortByFrequency();
                                  },
                                  [](BitMask& m) {
                                      for (int channel = 1; channel <= kChannelCount; ++channel)
                                          AllowWholeRecord(m, channel);
                                  },
                                  Change::May};
    doors["chprog edit"] = {[](ChannelScreen&, const QString& dir) {
                                RunChprog({QStringLiteral("edit"), dir + QStringLiteral("/base.dat"),
                                           QStringLiteral("--channels"), QStringLiteral("2-9"),
                                           QStringLiteral("Busy Lock=Off"), QStringLiteral("Compand=Yes"),
                                           QStringLiteral("-o"), dir + QStringLiteral("/out.dat")});
                            },
                            [](BitMask& m) {
                                AllowField(m, ChannelField::BusyLock, 2, 9);
                                AllowField(m, ChannelField::Compand, 2, 9);
                            },
                            Change::May, true};
    doors["import, own layout"] = {[](ChannelScreen& s, const QString& dir) { ImportInWindow(s, dir, kOwnCsv); },
                                   [](BitMask& m) { AllowChannelFields(m, 1); }};
    doors["import, common layout"] = {
        [](ChannelScreen& s, const QString& dir) { ImportInWindow(s, dir, kCommonCsv); },
        [](BitMask& m) { AllowChannelFields(m, 1); }};
    doors["chprog import-csv, own layout"] = {
        [](ChannelScreen&, const QString& dir) { ImportWithChprog(dir, kOwnCsv); },
        [](BitMask& m) { AllowChannelFields(m, 1); }, Change::Must, true};
    doors["chprog import-csv, common layout"] = {
        [](ChannelScreen&, const QString& dir) { ImportWithChprog(dir, kCommonCsv); },
        [](BitMask& m) { AllowChannelFields(m, 1); }, Change::Must, true};
    doors["chprog set"] = {[](ChannelScreen&, const QString& dir) {
                               RunChprog({QStringLiteral("set"), dir + QStringLiteral("/base.dat"),
                                            QStringLiteral("Squelch Level=7"), QStringLiteral("-o"),
                                            dir + QStringLiteral("/out.dat")});
                           },
                           [](BitMask& m) { m[kSquelchLevel] |= kSquelchLevelBits; }, Change::Must, true};
    doors["Optional Features, OK"] = {[](ChannelScreen& s, const QString&) {
                                          COptionalFeaturesDlg dialog(nullptr, Language::English);
                                          RadioImage image = s.doc.image();
                                          if (PressOk(dialog, image))
                                              s.doc.edit(QStringLiteral("OK"), [&](RadioImage& target) { target = image; });
                                      },
                                      [](BitMask&) {}, Change::MustNot};
    doors["Scan Information, OK"] = {[](ChannelScreen& s, const QString&) {
                                         CScanInfoDlg dialog(nullptr, s.prompts, Language::English);
                                         RadioImage image = s.doc.image();
                                         if (PressOk(dialog, image))
                                             s.doc.edit(QStringLiteral("OK"), [&](RadioImage& target) { target = image; });
                                     },
                                     [](BitMask&) {}, Change::MustNot};
    doors["Product Information, OK"] = {[](ChannelScreen& s, const QString&) {
                                            CProductInfoDlg dialog(startupConfig().iniFilePath, Language::English);
                                            PressOk(dialog, s.doc);
                                        },
                                        [](BitMask&) {}, Change::MustNot};
    return doors;
}

// Each names the first model and band of the test's Program.ini (130 - 160MHz).
std::map<QString, RadioImage> Bases() {
    std::map<QString, RadioImage> bases{{"new image", NewImage()},
                                        {"full table", FullImage()},
                                        {"calibration out of range", OutOfRangeCalibration()},
                                        {"unknown tone codes", UnknownTones()},
                                        {"stray flag bits", StrayBits()}};
    for (auto& base : bases)
        base.second[kProductType] = base.second[kProductBand] = 0x00;
    return bases;
}

// Opens `base` from a file into the screen's document, as File > Open does.
void Open(ChannelScreen& s, const QString& path) {
    QString error;
    QVERIFY2(s.doc.OnOpenDocument(path, &error), qPrintable(error));
    s.view.OnInitialUpdate();
}

} // namespace

class EditingDoorsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_run.reset(); }

    void eachDoorChangesOnlyItsFields_data() {
        QTest::addColumn<QString>("door");
        QTest::addColumn<QString>("base");
        for (const auto& door : Doors())
            for (const auto& base : Bases())
                QTest::newRow(qPrintable(door.first + " / " + base.first)) << door.first << base.first;
    }

    void eachDoorChangesOnlyItsFields() {
        QFETCH(QString, door);
        QFETCH(QString, base);
        const Door d = Doors().at(door);
        QTemporaryDir dir;
        const QString basePath = dir.filePath("base.dat");
        QVERIFY(SaveDatFile(basePath, Bases().at(base), nullptr));

        RadioImage before;
        RadioImage after;
        if (d.throughChprog) {
            ChannelScreen unused;
            d.run(unused, dir.path());
            QVERIFY(LoadDatFile(basePath, before, nullptr));
            QVERIFY(LoadDatFile(dir.filePath("out.dat"), after, nullptr));
        } else {
            ChannelScreen s;
            Open(s, basePath);
            before = s.doc.image();
            d.run(s, dir.path());
            after = s.doc.image();
        }
        BitMask mask{};
        d.allow(mask);
        const QStringList outside = ChangesOutside(before, after, mask);
        QVERIFY2(outside.isEmpty(), qPrintable(outside.join(", ")));
        if (d.change != Change::May)
            QCOMPARE(after != before, d.change == Change::Must);
    }

    // One file into one base through either door gives the same bytes.
    void windowAndChprogImportAlike_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("base");
        const QByteArray twoRows = kOwnCsv + "9,151.00625,156.00000,D023N,67.0,Low,No,QT/DQT,Narrow,Yes\r\n";
        const QByteArray commonRows = kCommonCsv + "9,,151.00625,+,5,TSQL,67.0,100.0,023,NN,NFM,5,S,\r\n";
        for (const auto& base : Bases()) {
            QTest::newRow(qPrintable("own / " + base.first)) << twoRows << base.first;
            QTest::newRow(qPrintable("common / " + base.first)) << commonRows << base.first;
        }
    }

    void windowAndChprogImportAlike() {
        QFETCH(QByteArray, csv);
        QFETCH(QString, base);
        QTemporaryDir dir;
        QVERIFY(SaveDatFile(dir.filePath("base.dat"), Bases().at(base), nullptr));
        ImportWithChprog(dir.path(), csv);
        RadioImage fromChprog;
        QVERIFY(LoadDatFile(dir.filePath("out.dat"), fromChprog, nullptr));

        ChannelScreen s;
        Open(s, dir.filePath("base.dat"));
        ImportInWindow(s, dir.path(), csv);
        QCOMPARE(ImageBytes(s.doc.image()), ImageBytes(fromChprog));
    }

private:
    EditorRun m_run;
};

TEST_CLASS(EditingDoorsTest)
#include "tst_editing_doors.moc"
