#include "radio/ToneCodes.h"

#include "radio/DecimalMultiply.h"
#include "radio/TextNumbers.h"

namespace {

constexpr std::uint8_t kDcsNormalHigh = 0x28;
constexpr std::uint8_t kDcsInvertedHigh = 0xA8;
constexpr int kLastCodeOfLowPage = 371; // codes above this carry the ninth bit

int OctalValue(int code) {
    int value = 0;
    for (int scale = 100; scale > 0; scale /= 10)
        value = value * 8 + (code / scale) % 10;
    return value;
}

QString DcsText(int code, QChar polarity) {
    return QStringLiteral("D%1%2").arg(code, 3, 10, QLatin1Char('0')).arg(polarity);
}

} // namespace

const std::array<int, kCtcssToneCount>& CtcssTones() {
    static const std::array<int, kCtcssToneCount> tones = {
        670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000,
        1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567,
        1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966,
        1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541};
    return tones;
}

const std::array<int, kDcsCodeCount>& DcsCodes() {
    static const std::array<int, kDcsCodeCount> codes = {
        17,  23,  25,  26,  31,  32,  36,  43,  47,  50,  51,  53,  54,  65,  71,  72,
        73,  74,  114, 115, 116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162,
        165, 172, 174, 205, 212, 223, 225, 226, 243, 244, 245, 246, 251, 252, 255, 261,
        263, 265, 266, 271, 274, 306, 311, 315, 325, 331, 332, 343, 346, 351, 356, 364,
        365, 371, 411, 412, 413, 423, 431, 432, 445, 446, 452, 454, 455, 462, 464, 465,
        466, 503, 506, 516, 523, 526, 532, 546, 565, 606, 612, 624, 627, 631, 632, 645,
        654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754};
    return codes;
}

QStringList ToneList(Language language) {
    QStringList list;
    list.reserve(kToneListSize);
    list << WordText(Word::NoTone, language);
    for (int tenths : CtcssTones())
        list << FormatFixedPoint(tenths, 1);
    for (int code : DcsCodes())
        list << DcsText(code, u'N');
    for (int code : DcsCodes())
        list << DcsText(code, u'I');
    return list;
}

int ToneListIndex(const QString& text, Qt::CaseSensitivity sensitivity) {
    static const QStringList lists[] = {ToneList(Language::English), ToneList(Language::Chinese)};
    for (const QStringList& list : lists) {
        for (int i = 0; i < list.size(); ++i) {
            if (list[i].compare(text, sensitivity) == 0)
                return i;
        }
    }
    return -1;
}

std::uint8_t DcsCodeToImage(int code) {
    for (int known : DcsCodes()) {
        if (known == code)
            return static_cast<std::uint8_t>(OctalValue(code) & 0xFF);
    }
    return 0x00;
}

int DcsCodeFromImage(std::uint8_t low, int ninthBit) {
    const int value = low + 256 * (ninthBit & 1);
    for (int code : DcsCodes()) {
        if (OctalValue(code) == value)
            return code;
    }
    return 0;
}

ToneCode ToneTextToCode(const QString& text) {
    ToneCode tone;
    if (text.contains(u'D')) {
        const QString rest = text.mid(1);
        const bool normal = rest.contains(u'N');
        // Only the digits right at the start count: no blanks, no sign.
        int code = 0;
        for (int i = 0; i < rest.size() && rest[i] >= u'0' && rest[i] <= u'9' && code < 100000; ++i)
            code = code * 10 + (rest[i].unicode() - u'0');
        const bool upperPage = code > kLastCodeOfLowPage;
        tone.high = static_cast<std::uint8_t>((normal ? kDcsNormalHigh : kDcsInvertedHigh) +
                                              (upperPage ? 1 : 0));
        tone.low = DcsCodeToImage(code);
        return tone;
    }
    const long long tenths = DecimalMultiplyTruncated(LeadingDouble(text), 10);
    if (tenths != 0) {
        tone.low = static_cast<std::uint8_t>(tenths & 0xFF);
        tone.high = static_cast<std::uint8_t>((tenths >> 8) & 0xFF);
    }
    return tone;
}

ToneMeaning MeaningOfTone(ToneCode code) {
    ToneMeaning meaning;
    if (!IsToneStored(code.high))
        return meaning;
    switch (code.high) {
    case kDcsInvertedHigh:
    case kDcsInvertedHigh + 1:
        meaning.dcsInverted = true;
        [[fallthrough]];
    case kDcsNormalHigh:
    case kDcsNormalHigh + 1:
        meaning.kind = ToneKind::Dcs;
        meaning.dcsCode = DcsCodeFromImage(code.low, code.high & 1);
        return meaning;
    default:
        meaning.kind = ToneKind::Ctcss;
        meaning.ctcssTenths = code.low + 256 * code.high;
        return meaning;
    }
}

QString ToneCodeToText(ToneCode code) {
    switch (code.high) {
    case kDcsNormalHigh:
    case kDcsNormalHigh + 1:
        return DcsText(DcsCodeFromImage(code.low, code.high & 1), u'N');
    case kDcsInvertedHigh:
    case kDcsInvertedHigh + 1:
        return DcsText(DcsCodeFromImage(code.low, code.high & 1), u'I');
    default:
        return FormatFixedPoint(code.low + 256 * code.high, 1);
    }
}
