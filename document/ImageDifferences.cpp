#include "document/ImageDifferences.h"

#include "config/ProductCatalog.h"
#include "document/RadioSettings.h"
#include "radio/Calibration.h"
#include "radio/ChannelCodec.h"
#include "radio/ChannelRecord.h"
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
// (giving `reencoded`) reproduces: a difference about those values accounts for them.
void MarkReproduced(const ImagePair& images, const RadioImage& reencoded, int start, int end,
                    Explained* explained) {
    for (int i = start; i < end; ++i) {
        if (images.a[i] != images.b[i] && reencoded[i] == images.b[i])
            (*explained)[i] = true;
    }
}

// A field differs when the grid shows it differently.
void CompareChannels(const ImagePair& images, Language language, ImageComparison* result,
                     Explained* explained) {
    const ChannelTable ta = DecodeChannels(images.a, language);
    const ChannelTable tb = DecodeChannels(images.b, language);
    RadioImage reencoded = images.a;
    EncodeChangedCells(ta, tb, reencoded);
    bool scanListShown = false;
    for (int channel = 1; channel <= ImageMap::kChannelCount; ++channel) {
        const Channel before = ReadChannel(images.a, channel);
        const Channel after = ReadChannel(images.b, channel);
        bool shown = false;
        for (int column = kColRxFrequency; column < kChannelColumns; ++column) {
            if (ta[channel - 1][column] == tb[channel - 1][column])
                continue;
            result->channels.push_back({channel, FieldOfColumn(column), before, after});
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

void CompareSettings(const ImagePair& images, Language language, ImageComparison* result,
                     Explained* explained) {
    const auto before = SettingValues(images.a, language);
    const auto after = SettingValues(images.b, language);
    bool shown = false;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i].second == after[i].second)
            continue;
        result->settings.push_back({before[i].first, before[i].second, after[i].second});
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

void CompareProduct(const ImagePair& images, const QString& iniPath, ImageComparison* result,
                    Explained* explained) {
    using namespace ImageMap;
    using Part = ProductDifference::Part;
    const ProductSelection before = ProductFromIndexes(iniPath, images.a[kProductType], images.a[kProductBand]);
    const ProductSelection after = ProductFromIndexes(iniPath, images.b[kProductType], images.b[kProductBand]);
    if (before.typeName != after.typeName) {
        result->product.push_back({Part::Type, before.typeName, after.typeName});
        (*explained)[kProductType] = true;
    }
    if (before.bandText != after.bandText) {
        result->product.push_back({Part::Band, before.bandText, after.bandText});
        (*explained)[kProductBand] = true;
    }
}

// Calibration rows of A's band, in both images.
void CompareCalibration(const ImagePair& images, const QString& iniPath, ImageComparison* result,
                        Explained* explained) {
    using namespace ImageMap;
    using Value = CalibrationDifference::Value;
    const BandLimits band =
        ProductFromIndexes(iniPath, images.a[kProductType], images.a[kProductBand]).limits;
    const std::vector<CalibrationRow> before = CalibrationRows(images.a, band);
    const std::vector<CalibrationRow> after = CalibrationRows(images.b, band);
    for (std::size_t k = 0; k < before.size(); ++k) {
        const int powerPair = kPowerCalibration + 2 * static_cast<int>(k);
        const auto compare = [&](Value value, int x, int y, int address) {
            if (x == y)
                return;
            result->calibration.push_back({before[k].megahertz, value, x, y});
            (*explained)[address] = true;
        };
        compare(Value::Low, before[k].low, after[k].low, powerPair);
        compare(Value::High, before[k].high, after[k].high, powerPair + 1);
        compare(Value::Squelch, before[k].squelch, after[k].squelch,
                kSquelchCalibration + static_cast<int>(k));
    }
}

void CompareBytes(const ImagePair& images, const Explained& explained, ImageComparison* result) {
    for (int i = 0; i < ImageMap::kImageSize; ++i) {
        if (images.a[i] != images.b[i] && !explained[i])
            result->bytes.push_back({i, images.a[i], images.b[i]});
    }
}

} // namespace

std::vector<CalibrationRow> CalibrationRows(const RadioImage& image, BandLimits band) {
    const std::vector<int> points = CalibrationPoints(band);
    const int count = static_cast<int>(points.size());
    const PowerTable power = ReadPowerTable(image, count);
    const SquelchTable squelch = ReadSquelchTable(image, count);
    std::vector<CalibrationRow> rows;
    for (int k = 0; k < count; ++k)
        rows.push_back({points[k], power[k].low, power[k].high, squelch[k]});
    return rows;
}

ImageComparison CompareImages(const RadioImage& a, const RadioImage& b, Language language,
                              const QString& iniPath) {
    const ImagePair images{a, b};
    Explained explained{};
    ImageComparison result;
    CompareChannels(images, language, &result, &explained);
    CompareSettings(images, language, &result, &explained);
    CompareProduct(images, iniPath, &result, &explained);
    CompareCalibration(images, iniPath, &result, &explained);
    CompareBytes(images, explained, &result);
    return result;
}
