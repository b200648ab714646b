#pragma once
// Product information: the radio models and their frequency bands listed in
// Program.ini, and what a band text means for the channel view and the alignment
// tables.

#include "ChannelEdit.h"
#include "Language.h"
#include "RadioImage.h"

#include <QString>
#include <QStringList>
#include <climits>
#include <vector>

constexpr int kMaxProductTypes = 19;

// "Type1".. names until the first missing or empty one.
QStringList ProductTypeNames(const QString& iniPath);

// The "Field%d" text of model position `typeIndex` (0-based) cut at each "|"; an empty
// text gives one empty piece.
QStringList BandPieces(const QString& iniPath, int typeIndex);

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
};
ProductSelection ProductFromIndexes(const QString& iniPath, int typeIndex, int bandIndex);

class UserStore;

// The product step of every grid fill. A new document takes the user's last model and
// band from the store into its image; an opened or read document pushes its own to the
// store. Either way the result is what the image now names.
ProductSelection ReconcileProduct(RadioImage& image, UserStore& store, const QString& iniPath,
                                  bool documentIsNew);

// Stores a choice of the Product Information dialog in the image (low 8 bits, so "no
// selection" (-1) gives FF) and in the store.
void StoreProductChoice(RadioImage& image, UserStore& store, int typeIndex, int bandIndex);

// The main window title names the product: after a grid fill "  [ Type:X  Fre:Y ]" (in
// Chinese with its own words), after the Product Information dialog "  [ Type:X  Field:Y ]"
// in both languages.
enum class ProductTitleForm { AfterFill, AfterDialog };
QString ProductTitle(const QString& iniPath, const QString& languageName, const QString& typeName,
                     const QString& bandText, ProductTitleForm form, Language language);
