#pragma once
// Product information: what a band text ("136 - 174MHz") means for the channel view and
// the alignment tables. The lists of models and bands are Program.ini's
// (config/ProductCatalog.h).

#include "radio/Band.h"

#include <QString>
#include <QStringList>
#include <climits>
#include <vector>

constexpr int kMaxProductTypes = 19;

// The band at `bandIndex`, or the last band when the list is shorter.
QString BandTextAt(const QStringList& pieces, int bandIndex);

// "130 - 160MHz" gives 13000000..16000000 (units of 10 Hz); no "-" gives high = low.
BandLimits BandLimitsFromText(const QString& bandText);

// Frequency points of a band in whole MHz: the lower limit, then every multiple of
// 10 MHz strictly below the upper limit (136..174 gives 136, 140, 150, 160, 170).
// At most `maxPoints` of them: an absurdly wide band must not build a huge list.
std::vector<int> BandPoints(BandLimits band, int maxPoints = INT_MAX);

// The band text a document's image selects through its type and band bytes.
struct ProductSelection {
    QString typeName;
    QString bandText;
    BandLimits limits;
    // What a typed frequency is checked against: the band, or, for an image that names
    // no model or band, the user's last band, else every band Program.ini lists, so that
    // such an image never blocks typing.
    BandLimits typingLimits;
    // False when the image names no model or no band (FF): the window title says so.
    bool namedByImage = true;
};
