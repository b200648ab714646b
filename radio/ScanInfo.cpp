#include "radio/ScanInfo.h"

#include "radio/DecimalMultiply.h"
#include "radio/TextNumbers.h"
#include "radio/OwnTexts.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

using namespace ImageMap;

namespace {

// The Selected list starts at revert code 2 ("Priority").
constexpr int kSelectedRevertBase = 2;
constexpr int kByteMax = 0xFF;

int RevertCodeBase(int priority) {
    return priority == kPriorityNone || priority == kPriorityFixed ? 0 : kSelectedRevertBase;
}

bool InLookBackRange(double seconds) {
    return seconds >= kLookBackMin && seconds <= kLookBackMax;
}

} // namespace

QStringList PriorityItems() {
    return {QStringLiteral("None"), QStringLiteral("Fixed"), QStringLiteral("Selected")};
}

QStringList RevertChannelItems(int priority, Language language) {
    const QString selected = Tr(language, "Selected", "选定");
    const QString selectedTalkBack = Tr(language, "Selected+Talk back", "选定+当前通话");
    const QString prio = Tr(language, "Priority", "优先");
    const QString prioTalkBack = Tr(language, "Priority+Talk back", "优先+当前通话");
    switch (priority) {
    case kPriorityNone:
        return {selected, selectedTalkBack};
    case kPriorityFixed:
        return {selected, selectedTalkBack, prio, prioTalkBack};
    default:
        return {prio, prioTalkBack};
    }
}

bool PriorityFieldsEnabled(int priority) {
    return priority == kPriorityFixed;
}

void ApplyPriorityRules(ScanInfo& info) {
    if (!PriorityFieldsEnabled(info.priority))
        info.priorityChannel.clear();
    info.revertChannel = 0;
}

ScanInfo ScanInfoFromImage(const RadioImage& image) {
    ScanInfo info;
    info.priority = IndexInList(image[kPriorityMode], PriorityItems().size());
    ApplyPriorityRules(info);
    // A disabled channel field still shows the stored channel when the mode is unknown.
    if (info.priority == kPriorityFixed || info.priority == kNoSelection)
        info.priorityChannel = PriorityChannelText(image[kPriorityChannel]);
    info.lookBackTimeA = LookBackFromCode(image[kLookBackTimeA]);
    info.lookBackTimeB = LookBackFromCode(image[kLookBackTimeB]);
    info.revertChannel = IndexInList(image[kRevertChannel] - RevertCodeBase(info.priority),
                                     RevertChannelItems(info.priority, Language::English).size());
    info.dropoutDelayTime = ReadWordLE(image, kDropoutDelay);
    info.txDwellTime = ReadWordLE(image, kTxDwellTime);
    return info;
}

bool ScanInfoToImage(const ScanInfo& info, RadioImage& image) {
    if (info.priority == kPriorityFixed) {
        const int channel = PriorityChannelNumber(info.priorityChannel);
        if (!IsChannelProgrammed(image, channel))
            return false;
        image[kPriorityChannel] = static_cast<std::uint8_t>(channel);
    }
    // A list without a selection (the image held a value it does not offer) keeps
    // that value rather than storing -1 as FF.
    if (info.priority != kNoSelection)
        image[kPriorityMode] = static_cast<std::uint8_t>(info.priority);
    image[kLookBackTimeA] = static_cast<std::uint8_t>(LookBackCode(info.lookBackTimeA));
    image[kLookBackTimeB] = static_cast<std::uint8_t>(LookBackCode(info.lookBackTimeB));
    if (info.revertChannel != kNoSelection)
        image[kRevertChannel] =
            static_cast<std::uint8_t>(info.revertChannel + RevertCodeBase(info.priority));
    WriteWordLE(image, kDropoutDelay, ClampScanDelay(info.dropoutDelayTime));
    WriteWordLE(image, kTxDwellTime, ClampScanDelay(info.txDwellTime));
    return true;
}

QString PriorityChannelRefusal(Language language) {
    return Tr(language, "Please select channel inputed", "请选择已输入的信道");
}

bool IsChannelProgrammed(const RadioImage& image, int channel) {
    if (channel < 1 || channel > kChannelCount)
        return false;
    const std::uint8_t marker =
        image[channelRecord(channel) + Record::kRxFrequency + Record::kFrequencyLastByte];
    return marker != 0x00 && marker != 0xFF;
}

QString PriorityChannelText(int channel) {
    return QStringLiteral("%1").arg(channel, 2);
}

int PriorityChannelNumber(const QString& text) {
    return LeadingInt(text);
}

double QuantiseLookBack(double seconds) {
    return static_cast<double>(DecimalMultiplyTruncated(seconds, kLookBackStepsPerSecond)) *
           kLookBackStep;
}

double StepLookBack(double seconds, int change) {
    if (change > 0) {
        const double x = seconds + kLookBackStep;
        return InLookBackRange(x) ? QuantiseLookBack(x) : kLookBackMin;
    }
    const double x = seconds - kLookBackStep;
    // Quantising cuts downwards; the extra 0.04 keeps a value just below a grid point
    // (0.5499999..) on that point.
    return InLookBackRange(x) ? QuantiseLookBack(x + 0.04) : kLookBackMax;
}

double ClampLookBack(double seconds) {
    if (std::isnan(seconds) || seconds < kLookBackMin)
        return kLookBackMin;
    if (seconds > kLookBackMax)
        return kLookBackMax;
    return QuantiseLookBack(seconds);
}

QString LookBackText(double seconds) {
    return QString::number(seconds, 'g', 15);
}

int LookBackCode(double seconds) {
    const long long code =
        DecimalMultiplyTruncated(seconds - kLookBackBase, kLookBackStepsPerSecond);
    return static_cast<int>(std::clamp<long long>(code, 0, kByteMax));
}

double LookBackFromCode(int code) {
    return kLookBackStep * code + kLookBackBase;
}

int StepScanDelay(int value, int change) {
    const long long next =
        change > 0 ? static_cast<long long>(value) + 1 : static_cast<long long>(value) - 1;
    if (next >= kScanDelayMin && next <= kScanDelayMax)
        return static_cast<int>(next);
    // Past either end: up wraps to 0 and down to 300, also from a typed value beyond
    // the range, so a spin step always ends inside it.
    return change > 0 ? kScanDelayMin : kScanDelayMax;
}

int ClampScanDelay(int value) {
    return std::clamp(value, kScanDelayMin, kScanDelayMax);
}

bool ReadNumberText(const QString& text, double* value) {
    static const QRegularExpression number(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    if (!number.match(text).hasMatch())
        return false;
    const double parsed = LeadingDouble(text);
    if (!std::isfinite(parsed))
        return false;
    *value = parsed;
    return true;
}

bool ReadIntegerText(const QString& text, int* value) {
    static const QRegularExpression integer(QStringLiteral(R"(^\s*[+-]?\d+\s*$)"));
    if (!integer.match(text).hasMatch())
        return false;
    *value = LeadingInt(text); // saturates instead of overflowing
    return true;
}

QString NumberRequiredMessage() {
    return OwnText("Please enter a number.");
}

QString IntegerRequiredMessage() {
    return OwnText("Please enter an integer.");
}
