// The Optional Features and Scan Information settings: what the dialogs show when
// they open on an image, what OK writes back, and the rules between the two.

#include "radio/ImageMap.h"
#include "radio/OptionalFeatures.h"
#include "radio/RadioImage.h"
#include "radio/ScanInfo.h"
#include "tests/support/TestSuite.h"

#include <QTest>
#include <array>
#include <tuple>

using namespace ImageMap;

namespace {

RadioImage FilledImage(std::uint8_t value) {
    RadioImage image;
    image.fill(value);
    return image;
}

QString Shown(const OptionalFeatures& f, FeatureList list, Language language = Language::English) {
    return ItemText(FeatureListItems(list, language), f[list]);
}

// Offsets where two images differ.
QList<int> Differences(const RadioImage& a, const RadioImage& b) {
    QList<int> offsets;
    for (int i = 0; i < kImageSize; ++i) {
        if (a[i] != b[i])
            offsets << i;
    }
    return offsets;
}

// Gives channel n a receive frequency, so that it counts as programmed.
void ProgramChannel(RadioImage& image, int channel) {
    image[channelRecord(channel) + Record::kFrequencyLastByte] = 0x01;
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    // The defaults a new image shows are CliSettingsTest's listing; OK on them changes
    // nothing, not even the hidden Call Key byte (0xFF in a new image, which shows "Off").
    void newAndZeroImagesWriteBackUnchanged() {
        for (const RadioImage& image : {NewImage(), FilledImage(0x00)}) {
            RadioImage written = image;
            const OptionalFeatures f = OptionalFeaturesFromImage(image, Language::English);
            OptionalFeaturesToImage(f, f, written);
            QVERIFY(ScanInfoToImage(ScanInfoFromImage(image), written));
            const bool fresh = image[kCallKeyDefine] == 0xFF;
            QCOMPARE(Differences(image, written), QList<int>{});
            QCOMPARE(f.beep, fresh);
            QCOMPARE(f.batterySaver, fresh);
        }
        const ScanInfo zero = ScanInfoFromImage(FilledImage(0x00));
        QCOMPARE(zero.priority, kPriorityNone);
        QCOMPARE(LookBackText(zero.lookBackTimeA), QStringLiteral("0.45"));
        QCOMPARE(ItemText(RevertChannelItems(zero.priority, Language::English), zero.revertChannel),
                 QStringLiteral("Selected"));
        QCOMPARE(ScanInfoFromImage(NewImage()).revertChannel, kNoSelection);
        QVERIFY(!PriorityFieldsEnabled(kPriorityNone));
    }

    // One field at a time: the list item a stored byte shows ("" for no selection), that OK
    // leaves the byte alone when nothing was changed, and the byte a choice of that item
    // writes.
    void featureFieldShownAndStored_data() {
        QTest::addColumn<int>("fill"); // the other bytes: -1 a new image
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("list");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("written");
        const auto row = [](const char* name, int fill, int offset, int stored, FeatureList list,
                            const char* shown, int written) {
            QTest::newRow(name) << fill << offset << stored << int(list) << QString::fromUtf8(shown)
                                << written;
        };
        using L = FeatureList;
        row("zero timer", 0, kTimeOutTimer, 0x00, L::TimeOutTimer, "", 0x00);
        row("zero pre-alert", 0, kTotPreAlert, 0x00, L::TotPreAlert, "", 0x00);
        row("zero squelch", 0, kSquelchLevel, 0x00, L::SquelchLevel, "0", 0x00);
        row("zero vox gain", 0, kVoxGain, 0x00, L::VoxGainLevel, "Off", 0x00);
        row("zero call tone", 0, kCallTone, 0x00, L::CallTone, "Off", 0x00);
        row("zero voice", 0, kVoiceAnnunciation, 0x00, L::VoiceAnnunciation, "Off", 0x00);
        row("zero vox delay", 0, kVoxDelay, 0x00, L::VoxDelayTime, "0.3", 0x00);
        row("zero short press", 0, kShortPressKey, 0x00, L::ShortPress, "None", 0x00);
        row("zero long press", 0, kLongPressKey, 0x00, L::LongPress, "None", 0x00);
        row("zero call key", 0, kCallKeyDefine, 0x00, L::CallKeyDefine, "Call", 0x00);
        // Bits a field does not own stay; values no list offers stay as they were.
        row("timer keeps bit 7", -1, kTimeOutTimer, 0x85, L::TimeOutTimer, "75s", 0x85);
        row("timer 41", -1, kTimeOutTimer, 0x80 | 41, L::TimeOutTimer, "", 0x80 | 41);
        row("squelch 12", -1, kSquelchLevel, 0x5C, L::SquelchLevel, "", 0x5C);
        row("vox gain 20", -1, kVoxGain, 0xB4, L::VoxGainLevel, "", 0xB4);
        row("vox delay 6", -1, kVoxDelay, 0x0E, L::VoxDelayTime, "", 0x0E);
        row("call tone 0x20", -1, kCallTone, 0x20, L::CallTone, "", 0x20);
        row("voice 7", -1, kVoiceAnnunciation, 7, L::VoiceAnnunciation, "Off", 0x00);
        // Key codes: one the Short Press list hides shows nothing and stays; an unknown one
        // shows the default's name, and choosing it writes the default's code.
        row("short press 2", -1, kShortPressKey, 2, L::ShortPress, "", 2);
        row("short press 4", -1, kShortPressKey, 4, L::ShortPress, "", 4);
        row("short press 11", -1, kShortPressKey, 11, L::ShortPress, "Tone Call", 6);
        row("call key 7", -1, kCallKeyDefine, 7, L::CallKeyDefine, "Off", 2);
        row("long press 1", -1, kLongPressKey, 1, L::LongPress, "Monitor", 1);
        row("long press 200", -1, kLongPressKey, 200, L::LongPress, "Monitor Momentary",
            kLongPressDefaultCode);
    }

    void featureFieldShownAndStored() {
        QFETCH(int, fill);
        QFETCH(int, offset);
        QFETCH(int, stored);
        QFETCH(int, list);
        QFETCH(QString, shown);
        RadioImage image = fill < 0 ? NewImage() : FilledImage(static_cast<std::uint8_t>(fill));
        image[offset] = static_cast<std::uint8_t>(stored);
        const OptionalFeatures f = OptionalFeaturesFromImage(image, Language::English);
        if (shown.isEmpty())
            QCOMPARE(f[FeatureList(list)], kNoSelection);
        else
            QCOMPARE(Shown(f, FeatureList(list)), shown);
        RadioImage untouched = image;
        OptionalFeaturesToImage(f, f, untouched);
        QVERIFY(untouched == image);
        OptionalFeaturesToImage(OptionalFeatures{}, f, image);
        QTEST(int(image[offset]), "written");
    }

    void featuresKeepBitsTheyDoNotOwn() {
        // Every other field at its first item, every other bit set: OK must store the items'
        // codes, keep those bits and touch no other byte.
        RadioImage image = FilledImage(0xFF);
        OptionalFeatures f;
        f.selection.fill(0);
        f[FeatureList::TimeOutTimer] =
            FeatureListItems(FeatureList::TimeOutTimer, Language::English).indexOf("600s");
        OptionalFeatures shown; // nothing selected, both boxes checked: every field changes
        shown.beep = shown.batterySaver = true;
        OptionalFeaturesToImage(shown, f, image);
        const QList<QPair<int, int>> written = {
            {kTimeOutTimer, 0xA8},  {kTotPreAlert, 0xF1},   {kSquelchLevel, 0xF0},
            {kVoxGain, 0xE0},       {kVoxDelay, 0xF8},      {kBeep, 0xFE},
            {kBatterySaver, 0xFE},  {kCallTone, 0x00},      {kVoiceAnnunciation, 0x00},
            {kCallKeyDefine, 0x02}, {kShortPressKey, 0x00}, {kLongPressKey, 0x00}};
        QList<int> owned;
        for (const auto& [offset, value] : written) {
            QCOMPARE(int(image[offset]), value);
            owned << offset;
        }
        for (int offset : Differences(FilledImage(0xFF), image))
            QVERIFY2(owned.contains(offset), qPrintable(QString::number(offset, 16)));
    }

    void longPressPrefixSearch() {
        const QStringList items{"Monitor Momentary", "monitor", "Scan"};
        QCOMPARE(FindItemWithPrefix(items, QStringLiteral("MONITOR")), 0);
        QCOMPARE(FindItemWithPrefix(items, QStringLiteral("monitor m")), 0);
        QCOMPARE(FindItemWithPrefix(items, QStringLiteral("Scanner")), kNoSelection);
        QCOMPARE(KeyFunctionCode(QStringLiteral("monitor"), 9, Language::English), 9); // exact only
        QCOMPARE(KeyFunctionCode(QStringLiteral("監聽"), 9, Language::Chinese), 1);
    }

    // The key lists differ by language; the codes they show and store do not.
    void keyCodesAreTheSameInBothLanguages() {
        for (int code = 0; code < 256; ++code) {
            RadioImage image = NewImage();
            image[kShortPressKey] = image[kLongPressKey] = static_cast<std::uint8_t>(code);
            QCOMPARE(OptionalFeaturesFromImage(image, Language::Chinese).selection,
                     OptionalFeaturesFromImage(image, Language::English).selection);
        }
    }

    // Digits and editing keys reach the field, F1 opens the help first, the rest is swallowed.
    void keyFilter() {
        using A = FeatureKeyAction;
        for (int key : {Qt::Key_5, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Down})
            QVERIFY(OptionalFeaturesKeyAction(key, {}) == A::Process);
        QVERIFY(OptionalFeaturesKeyAction(Qt::Key_0, Qt::KeypadModifier) == A::Process);
        QVERIFY(OptionalFeaturesKeyAction(Qt::Key_F1, {}) == A::HelpThenProcess);
        QVERIFY(OptionalFeaturesKeyAction(Qt::Key_5, Qt::ShiftModifier) == A::Swallow);
        QVERIFY(OptionalFeaturesKeyAction(Qt::Key_Left, Qt::ShiftModifier) == A::Swallow);
        for (int key : {Qt::Key_A, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Enter,
                        Qt::Key_Escape, Qt::Key_Home, Qt::Key_PageDown, Qt::Key_Period})
            QVERIFY2(OptionalFeaturesKeyAction(key, {}) == A::Swallow,
                     qPrintable(QString::number(key, 16)));
    }

    void priorityRulesAndRevertLists() {
        ScanInfo info = ScanInfoFromImage(NewImage());
        info.priority = kPriorityFixed;
        ApplyPriorityRules(info);
        QVERIFY(PriorityFieldsEnabled(info.priority));
        QCOMPARE(RevertChannelItems(info.priority, Language::English),
                 (QStringList{"Selected", "Selected+Talk back", "Priority", "Priority+Talk back"}));
        QCOMPARE(info.revertChannel, 0);
        info.priorityChannel = QStringLiteral("3");

        info.priority = kPrioritySelected;
        ApplyPriorityRules(info);
        QVERIFY(!PriorityFieldsEnabled(info.priority));
        QCOMPARE(info.priorityChannel, QString());
        QCOMPARE(RevertChannelItems(info.priority, Language::English),
                 (QStringList{"Priority", "Priority+Talk back"}));
        RadioImage image = NewImage();
        QVERIFY(ScanInfoToImage(info, image));
        QCOMPARE(image[kRevertChannel], 2);
        QCOMPARE(image[kPriorityMode], 2);
        QCOMPARE(image[kPriorityChannel], 0x11); // written only for a fixed priority
        QCOMPARE(ScanInfoFromImage(image).revertChannel, 0);

        // An unknown priority mode offers the Selected list, stored with its own codes,
        // and keeps the unknown mode byte.
        image[kPriorityMode] = 9;
        image[kRevertChannel] = 3;
        info = ScanInfoFromImage(image);
        QCOMPARE(info.priority, kNoSelection);
        QCOMPARE(info.priorityChannel, QStringLiteral("17"));
        QCOMPARE(ItemText(RevertChannelItems(info.priority, Language::English), info.revertChannel),
                 QStringLiteral("Priority+Talk back"));
        info.revertChannel = 0;
        QVERIFY(ScanInfoToImage(info, image));
        QCOMPARE(image[kRevertChannel], 2);
        QCOMPARE(image[kPriorityMode], 9);

        // A revert code outside the Selected list keeps its byte.
        image[kPriorityMode] = kPrioritySelected;
        image[kRevertChannel] = 0;
        info = ScanInfoFromImage(image);
        QCOMPARE(info.revertChannel, kNoSelection);
        QVERIFY(ScanInfoToImage(info, image));
        QCOMPARE(image[kRevertChannel], 0);
    }

    void priorityChannelCheck_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("channelFiveProgrammed");
        QTest::addColumn<int>("stored"); // -1: refused
        QTest::newRow("' 5' programmed") << " 5" << true << 5;
        QTest::newRow("'5x' programmed") << "5x" << true << 5;
        QTest::newRow("' 5' empty channel") << " 5" << false << -1;
        QTest::newRow("empty text") << "" << true << -1;
        QTest::newRow("0") << "0" << true << -1;
        QTest::newRow("17") << "17" << true << -1;
        QTest::newRow("-5") << "-5" << true << -1;
    }

    void priorityChannelCheck() {
        QFETCH(QString, text);
        QFETCH(bool, channelFiveProgrammed);
        QFETCH(int, stored);
        RadioImage image = NewImage();
        if (channelFiveProgrammed)
            ProgramChannel(image, 5);
        ProgramChannel(image, 1);
        ProgramChannel(image, 16);
        ScanInfo info = ScanInfoFromImage(image);
        info.priority = kPriorityFixed;
        ApplyPriorityRules(info);
        info.priorityChannel = text;
        info.dropoutDelayTime = 7;
        RadioImage written = image;
        QCOMPARE(ScanInfoToImage(info, written), stored >= 0);
        if (stored < 0) {
            QCOMPARE(Differences(image, written), QList<int>{});
        } else {
            QCOMPARE(int(written[kPriorityChannel]), stored);
            QCOMPARE(written[kPriorityMode], kPriorityFixed);
        }
    }

    // The look-back spin wraps and lands on the grid; only the sign of a step counts (page
    // keys and the wheel step by more); a typed value is clamped; a code never wraps a byte.
    void lookBackStepsClampsAndCodes() {
        const QList<std::tuple<double, int, const char*>> steps = {
            {5.0, +1, "0.5"},  {0.5, -1, "5"},     {0.55, -1, "0.5"},
            {0.55, +1, "0.6"}, {0.45, +1, "0.5"},  {13.2, -1, "5"},
            {0.3, +1, "0.5"},  {1.0, +10, "1.05"}, {1.0, -10, "0.95"}};
        for (const auto& [from, step, text] : steps)
            QCOMPARE(LookBackText(StepLookBack(from, step)), QString(text));
        const QList<QPair<double, const char*>> clamps = {
            {7, "5"}, {1.23, "1.2"}, {0.3, "0.5"}, {0.55, "0.55"}};
        for (const auto& [typed, text] : clamps)
            QCOMPARE(LookBackText(ClampLookBack(typed)), QString(text));
        const QList<QPair<double, int>> codes = {{2.35, 38}, {0.55, 2},   {5.0, 91},
                                                 {0.45, 0},  {20.0, 255}, {-3.0, 0}};
        for (const auto& [value, code] : codes)
            QCOMPARE(LookBackCode(value), code);

        // Stepping through the whole range lands on every stored code once, both ways.
        double up = kLookBackMin, down = kLookBackMax;
        for (int code = 1; code <= 91;
             ++code, up = StepLookBack(up, +1), down = StepLookBack(down, -1)) {
            QCOMPARE(LookBackCode(up), code);
            QCOMPARE(LookBackCode(down), 92 - code);
            QCOMPARE(LookBackCode(ClampLookBack(LookBackFromCode(code))), code);
        }
        QCOMPARE(up, kLookBackMin);
        QCOMPARE(down, kLookBackMax);

        ScanInfo info = ScanInfoFromImage(NewImage());
        info.lookBackTimeA = 2.35;
        info.lookBackTimeB = 1e300;
        RadioImage image = NewImage();
        QVERIFY(ScanInfoToImage(info, image));
        QCOMPARE(image[kLookBackTimeA], 0x26);
        QCOMPARE(image[kLookBackTimeB], 0xFF);
    }

    // A typed value beyond the range comes back in, also when stepped.
    void delaySpinsClampsAndStore() {
        const QList<std::array<int, 3>> steps = {{300, +1, 0},    {0, -1, 300},   {47, +1, 48},
                                                 {47, -3, 46},    {450, -1, 300}, {450, +1, 0},
                                                 {INT_MAX, +1, 0}};
        for (const auto& [from, step, to] : steps)
            QCOMPARE(StepScanDelay(from, step), to);
        QCOMPARE(ClampScanDelay(450), 300);
        QCOMPARE(ClampScanDelay(-2), 0);

        ScanInfo info = ScanInfoFromImage(NewImage());
        info.dropoutDelayTime = 300;
        info.txDwellTime = 450; // typed and confirmed with Enter: stored as 300, not 450 & 0xFFFF
        RadioImage image = NewImage();
        QVERIFY(ScanInfoToImage(info, image));
        QCOMPARE(image[kDropoutDelay], 0x2C);
        QCOMPARE(image[kDropoutDelay + 1], 0x01);
        QCOMPARE(ReadWordLE(image, kTxDwellTime), 300);
        info.txDwellTime = 70000;
        QVERIFY(ScanInfoToImage(info, image));
        QCOMPARE(ReadWordLE(image, kTxDwellTime), 300);
    }

    void typedFieldTexts() {
        double number = -1;
        for (const auto& [text, value] :
             QList<QPair<const char*, double>>{{" 1.25 ", 1.25}, {".5", 0.5}, {"2e0", 2.0}}) {
            QVERIFY2(ReadNumberText(QString::fromLatin1(text), &number), text);
            QCOMPARE(number, value);
        }
        for (const char* bad : {"", " ", "abc", "1.2x", "1,5", "inf", "1e999", "."})
            QVERIFY2(!ReadNumberText(QString::fromLatin1(bad), &number), bad);
        QCOMPARE(number, 2.0); // a refused text leaves the value alone

        int integer = -1;
        QVERIFY(ReadIntegerText(QStringLiteral("300"), &integer));
        QCOMPARE(integer, 300);
        QVERIFY(ReadIntegerText(QStringLiteral("99999999999"), &integer));
        QCOMPARE(integer, INT_MAX);
        for (const char* bad : {"", "1.5", "12a", "--1"})
            QVERIFY2(!ReadIntegerText(QString::fromLatin1(bad), &integer), bad);
        QCOMPARE(PriorityChannelText(5), QStringLiteral(" 5"));
        QCOMPARE(PriorityChannelNumber(QStringLiteral(" 5")), 5);
    }
};

TEST_CLASS(SettingsTest)
#include "tst_settings.moc"
