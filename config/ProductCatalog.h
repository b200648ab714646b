#pragma once
// The products Program.ini lists ("Type1".. and their "Field%d" bands), the product a
// document's image names, and the user's last choice in the per-user store.

#include "radio/Language.h"
#include "radio/ProductInfo.h"
#include "radio/RadioImage.h"

#include <QString>
#include <QStringList>
#include <optional>

// What a new document starts with besides the new-image contents: the file name its
// first Save As proposes ([Setup] AppName) and the user's last model and band.
struct NewDocumentDefaults {
    QString pathName;
    int productType = 0;
    int productBand = 0;
};
NewDocumentDefaults NewDocumentDefaultsOf(const QString& iniPath);

// "Type1".. names until the first missing or empty one.
QStringList ProductTypeNames(const QString& iniPath);

// The "Field%d" text of model position `typeIndex` (0-based) cut at each "|"; an empty
// text gives one empty piece.
QStringList BandPieces(const QString& iniPath, int typeIndex);

// How a message names the model or band at a position: its Program.ini name, or "#N"
// where the list names none there (the grid's BandTextAt falls back to the last band; a
// message must not).
QString ModelName(const QString& iniPath, int model);
QString BandName(const QString& iniPath, int model, int band);
// The model and its band: "QR-16U 400 - 470MHz".
QString ProductName(const QString& iniPath, int model, int band);

// The position of `name` among Program.ini's models, or among the bands of `model`, with
// case and spaces aside ("400-470mhz" finds "400 - 470MHz"); -1 when it is not listed.
int ModelPosition(const QString& iniPath, const QString& name);
int BandPosition(const QString& iniPath, int model, const QString& name);

// The limits typed frequencies are checked against for `bandText` (see ProductSelection).
BandLimits TypingLimits(const QString& iniPath, const QString& bandText);

ProductSelection ProductFromIndexes(const QString& iniPath, int typeIndex, int bandIndex);

// The band a channel list imported into `image` keeps to: the limits the channel view
// checks a typed frequency of that image against (ProductSelection::typingLimits). None
// when the image names no model or band (FF) or one Program.ini does not list: then only
// the channel step is checked.
std::optional<BandLimits> ImportBand(const QString& iniPath, const RadioImage& image);

// A model's transmit power as Program.ini names it ("Power1=5.0W|1.0W": High|Low), in
// tenths of a watt.
struct ModelWatts {
    int highTenths = 0;
    int lowTenths = 0;
};

// The watts of model position `typeIndex` (0-based); none when its Power key is missing,
// or is not two wattages with High above Low.
std::optional<ModelWatts> ModelWattsOf(const QString& iniPath, int typeIndex);

class UserStore;

// The product step of every grid fill. A new document takes the user's last model and
// band from the store into its image; an opened or read document pushes its own to the
// store. Either way the result is what the image now names. An opened or read image that
// names no model or band (FF) is left so; its typing limits are the user's last band's,
// or every band's when the store holds none (ProductSelection::namedByImage is false).
ProductSelection ReconcileProduct(RadioImage& image, UserStore& store, const QString& iniPath,
                                  bool documentIsNew);

// The model and band positions the Product Information dialog opens on: the image's
// own, or, when its image names none, the user's last choice (then `namedByImage` is
// false, and OK on it is a choice to store).
struct ProductPositions {
    int type = -1;
    int band = -1;
    bool namedByImage = true;
};
ProductPositions ShownProduct(const RadioImage& image, const UserStore& store);

// Stores a choice of the Product Information dialog in the image (low 8 bits, so "no
// selection" (-1) gives FF) and in the store.
void StoreProductChoice(RadioImage& image, UserStore& store, int typeIndex, int bandIndex);

// The main window title names the product: after a grid fill "  [ Type:X  Fre:Y ]" (in
// Chinese with its own words), after the Product Information dialog "  [ Type:X  Field:Y ]"
// in both languages.
enum class ProductTitleForm { AfterFill, AfterDialog };
QString ProductTitle(const QString& iniPath, const QString& languageName, const QString& typeName,
                     const QString& bandText, ProductTitleForm form, Language language);

// The title of an image that names no model, and the note the channel view gives once.
QString NoProductTitle(const QString& iniPath, const QString& languageName, Language language);
QString NoProductNote(Language language);
