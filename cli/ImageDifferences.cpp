#include "cli/ImageDifferences.h"

#include "cli/ImageListings.h"
#include "config/ProductCatalog.h"
#include "radio/ChannelCodec.h"
#include "radio/OptionalFeatures.h"
#include "radio/ScanInfo.h"

#include <array>

namespace {

using Explained = std::array<bool, ImageMap::kImageSize>;

struct ImagePair {
    const RadioImage& a;
    const RadioImage& b;
};

// Marks the differing bytes in [start, end) that re-encoding B's values into A
// (giving `reencoded`) reproduces: a line about those values accounts for them.
void MarkReproduced(const ImagePair& images, const RadioImage& reencoded, int start, int end,
                    Explained* explained) {
    for (int i = start; i < end; ++i) {
        if (images.a[i] != images.b[i] && reencoded[i] == images.b[i])
            (*explained)[i] = true;
    }
}

QString Line(const QStringList& fields) {
    return fields.join(u'\t');
}

void DiffChannels(const ImagePair& images, Language language, QStringList* lines,
                  Explained* explained) {
    const ChannelTable ta = DecodeChannels(images.a, language);
    const ChannelTable tb = DecodeChannels(images.b, language);
    RadioImage reencoded = images.a;
    EncodeChangedCells(ta, tb, reencoded);
    bool scanListShown = false;
    for (int channel = 1; channel <= ImageMap::kChannelCount; ++channel) {
        bool shown = false;
        for (int column = kColRxFrequency; column < kChannelColumns; ++column) {
            const QString& before = ta[channel - 1][column];
            const QString& after = tb[channel - 1][column];
            if (before == after)
                continue;
            *lines << Line({QStringLiteral("CH %1").arg(channel),
                            ChannelColumnHeading(column, language), before, after});
            shown = true;
            scanListShown = scanListShown || column == kColScanAdd;
        }
        if (shown) {
            const int record = ImageMap::channelRecord(channel);
            MarkReproduced(images, reencoded, record, record + ImageMap::kChannelRecordSize, explained);
        }
    }
    if (scanListShown)
        MarkReproduced(images, reencoded, ImageMap::kScanListLow, ImageMap::kScanListHigh + 1, explained);
}

void DiffSettings(const ImagePair& images, Language language, QStringList* lines,
                  Explained* explained) {
    const auto before = SettingValues(images.a, language);
    const auto after = SettingValues(images.b, language);
    bool shown = false;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i].second == after[i].second)
            continue;
        *lines << Line({before[i].first, before[i].second, after[i].second});
        shown = true;
    }
    if (!shown)
        return;
    RadioImage reencoded = images.a;
    OptionalFeaturesToImage(OptionalFeaturesFromImage(images.a, language),
                            OptionalFeaturesFromImage(images.b, language), reencoded);
    ScanInfoToImage(ScanInfoFromImage(images.b), reencoded);
    // Only the settings bytes: below the calibration tables, outside the channel records.
    MarkReproduced(images, reencoded, ImageMap::channelRecord(ImageMap::kChannelCount + 1),
                   ImageMap::kScanListLow, explained);
    MarkReproduced(images, reencoded, ImageMap::kScanListHigh + 1, ImageMap::kSquelchCalibration,
                   explained);
    MarkReproduced(images, reencoded, ImageMap::kCallTone, ImageMap::kCallTone + 1, explained);
}

void DiffProduct(const ImagePair& images, const QString& iniPath, QStringList* lines,
                 Explained* explained) {
    using namespace ImageMap;
    const ProductSelection before = ProductFromIndexes(iniPath, images.a[kProductType], images.a[kProductBand]);
    const ProductSelection after = ProductFromIndexes(iniPath, images.b[kProductType], images.b[kProductBand]);
    if (before.typeName != after.typeName) {
        *lines << Line({QStringLiteral("Type"), before.typeName, after.typeName});
        (*explained)[kProductType] = true;
    }
    if (before.bandText != after.bandText) {
        *lines << Line({QStringLiteral("Frequency"), before.bandText, after.bandText});
        (*explained)[kProductBand] = true;
    }
}

// Calibration rows of A's band, in both images.
void DiffCalibration(const ImagePair& images, const QString& iniPath, QStringList* lines,
                     Explained* explained) {
    using namespace ImageMap;
    const BandLimits band =
        ProductFromIndexes(iniPath, images.a[kProductType], images.a[kProductBand]).limits;
    const std::vector<CalibrationRow> before = CalibrationRows(images.a, band);
    const std::vector<CalibrationRow> after = CalibrationRows(images.b, band);
    for (std::size_t k = 0; k < before.size(); ++k) {
        const QString point = QStringLiteral("Calibration %1 MHz").arg(before[k].megahertz);
        const int powerPair = kPowerCalibration + 2 * static_cast<int>(k);
        const auto compare = [&](const char* name, int x, int y, int address) {
            if (x == y)
                return;
            *lines << Line({point, QLatin1String(name), QString::number(x), QString::number(y)});
            (*explained)[address] = true;
        };
        compare("Low", before[k].low, after[k].low, powerPair);
        compare("High", before[k].high, after[k].high, powerPair + 1);
        compare("Squelch", before[k].squelch, after[k].squelch, kSquelchCalibration + static_cast<int>(k));
    }
}

QString Hex(int value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

void DiffRawBytes(const ImagePair& images, const Explained& explained, QStringList* lines) {
    for (int i = 0; i < ImageMap::kImageSize; ++i) {
        if (images.a[i] == images.b[i] || explained[i])
            continue;
        *lines << Line({QStringLiteral("0x") + Hex(i, 3), Hex(images.a[i], 2), Hex(images.b[i], 2)});
    }
}

} // namespace

QStringList ImageDifferences(const RadioImage& a, const RadioImage& b, Language language,
                             const QString& iniPath) {
    const ImagePair images{a, b};
    Explained explained{};
    QStringList lines;
    DiffChannels(images, language, &lines, &explained);
    DiffSettings(images, language, &lines, &explained);
    DiffProduct(images, iniPath, &lines, &explained);
    DiffCalibration(images, iniPath, &lines, &explained);
    DiffRawBytes(images, explained, &lines);
    return lines;
}

