#include "radio/ProductInfo.h"

#include "radio/TextNumbers.h"

namespace {

constexpr long long kUnitsPerMHz = 100000;

} // namespace

QString BandTextAt(const QStringList& pieces, int bandIndex) {
    if (pieces.isEmpty())
        return QString();
    if (bandIndex < 0 || bandIndex >= pieces.size())
        return pieces.last();
    return pieces[bandIndex];
}

BandLimits BandLimitsFromText(const QString& bandText) {
    BandLimits band;
    band.low = LeadingInt(bandText) * kUnitsPerMHz;
    const int dash = bandText.indexOf(u'-');
    band.high = dash < 0 ? band.low : LeadingInt(bandText.mid(dash + 1)) * kUnitsPerMHz;
    return band;
}

std::vector<int> BandPoints(BandLimits band, int maxPoints) {
    const int low = static_cast<int>(band.low / kUnitsPerMHz);
    const int high = static_cast<int>(band.high / kUnitsPerMHz);
    std::vector<int> points{low};
    // Counted in long long: a band near the top of the int range must not overflow.
    for (long long point = (low / 10 + 1) * 10LL;
         point < high && static_cast<int>(points.size()) < maxPoints; point += 10)
        points.push_back(static_cast<int>(point));
    return points;
}

