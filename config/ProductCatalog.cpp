#include "config/ProductCatalog.h"

#include "config/ProgramIni.h"
#include "config/UserStore.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

const QString kSetup = QStringLiteral("Setup");
const QString kStoredType = QStringLiteral("Type");
const QString kStoredBand = QStringLiteral("Field");

// An image that names no model or no band (FF) is not a choice worth remembering.
bool NamesProduct(const RadioImage& image) {
    return image[ImageMap::kProductType] != ImageMap::kNoProduct &&
           image[ImageMap::kProductBand] != ImageMap::kNoProduct;
}

// From the lowest band to the highest of every model Program.ini lists: the limits of an
// image that names no band, so that it never blocks typing. With no band listed at all,
// every frequency a channel record can hold.
BandLimits AnyKnownBand(const QString& iniPath) {
    BandLimits any{0, 0};
    bool found = false;
    const int types = static_cast<int>(ProductTypeNames(iniPath).size());
    for (int type = 0; type < types; ++type) {
        for (const QString& piece : BandPieces(iniPath, type)) {
            if (piece.trimmed().isEmpty())
                continue;
            const BandLimits band = BandLimitsFromText(piece);
            any.low = found ? std::min(any.low, band.low) : band.low;
            any.high = found ? std::max(any.high, band.high) : band.high;
            found = true;
        }
    }
    return found ? any : BandLimits{1, kHighestFrequencyUnits};
}

// An opened or read image that names no model or band keeps its bytes until the user
// chooses in Product Information. Meanwhile typing is checked against the user's last
// band, as a new document would have it, or, when the user never chose one, against
// every band, so that it never blocks.
ProductSelection UnnamedProduct(const RadioImage& image, const UserStore& store,
                                const QString& iniPath) {
    ProductSelection selection =
        ProductFromIndexes(iniPath, image[ImageMap::kProductType], image[ImageMap::kProductBand]);
    selection.namedByImage = false;
    const int type = store.readNumber(kStoredType, -1);
    const int band = store.readNumber(kStoredBand, -1);
    selection.typingLimits = type < 0 || band < 0
                                 ? AnyKnownBand(iniPath)
                                 : ProductFromIndexes(iniPath, type, band).typingLimits;
    return selection;
}

// "5.0W", "5 W" or "0.5w": tenths of a watt, or -1.
int WattTenths(const QString& text) {
    static const QRegularExpression watts(QStringLiteral("^(\\d{1,4})(?:\\.(\\d))?\\s*[Ww]$"));
    const QRegularExpressionMatch match = watts.match(text.trimmed());
    if (!match.hasMatch())
        return -1;
    return match.captured(1).toInt() * 10 + match.captured(2).toInt();
}

} // namespace

NewDocumentDefaults NewDocumentDefaultsOf(const QString& iniPath) {
    const UserStore store(iniPath);
    NewDocumentDefaults defaults;
    defaults.pathName = ReadProfileString(iniPath, kSetup, QStringLiteral("AppName"));
    defaults.productType = store.readNumber(kStoredType);
    defaults.productBand = store.readNumber(kStoredBand);
    return defaults;
}

QStringList ProductTypeNames(const QString& iniPath) {
    QStringList names;
    for (int n = 1; n <= kMaxProductTypes; ++n) {
        const QString name = ReadProfileString(iniPath, kSetup, QStringLiteral("Type%1").arg(n));
        if (name.isEmpty())
            break;
        names << name;
    }
    return names;
}

QStringList BandPieces(const QString& iniPath, int typeIndex) {
    return ReadProfileString(iniPath, kSetup, QStringLiteral("Field%1").arg(typeIndex + 1))
        .split(u'|');
}

namespace {

QString NameAt(const QStringList& names, int position) {
    const QString name =
        position >= 0 && position < names.size() ? names[position].trimmed() : QString();
    return name.isEmpty() ? QStringLiteral("#%1").arg(position) : name;
}

int PositionOf(const QStringList& names, const QString& name) {
    const auto bare = [](const QString& text) { return QString(text).remove(u' ').toCaseFolded(); };
    for (int i = 0; i < names.size(); ++i) {
        if (!names[i].trimmed().isEmpty() && bare(names[i]) == bare(name))
            return i;
    }
    return -1;
}

} // namespace

QString ModelName(const QString& iniPath, int model) {
    return NameAt(ProductTypeNames(iniPath), model);
}

QString BandName(const QString& iniPath, int model, int band) {
    return NameAt(BandPieces(iniPath, model), band);
}

QString ProductName(const QString& iniPath, int model, int band) {
    return ModelName(iniPath, model) + u' ' + BandName(iniPath, model, band);
}

int ModelPosition(const QString& iniPath, const QString& name) {
    return PositionOf(ProductTypeNames(iniPath), name);
}

int BandPosition(const QString& iniPath, int model, const QString& name) {
    return PositionOf(BandPieces(iniPath, model), name);
}

BandLimits TypingLimits(const QString& iniPath, const QString& bandText) {
    return bandText.trimmed().isEmpty() ? AnyKnownBand(iniPath) : BandLimitsFromText(bandText);
}

ProductSelection ProductFromIndexes(const QString& iniPath, int typeIndex, int bandIndex) {
    ProductSelection selection;
    selection.typeName =
        ReadProfileString(iniPath, kSetup, QStringLiteral("Type%1").arg(typeIndex + 1));
    selection.bandText = BandTextAt(BandPieces(iniPath, typeIndex), bandIndex);
    selection.limits = BandLimitsFromText(selection.bandText);
    selection.typingLimits = TypingLimits(iniPath, selection.bandText);
    return selection;
}

std::optional<BandLimits> ImportBand(const QString& iniPath, const RadioImage& image) {
    if (!NamesProduct(image))
        return std::nullopt;
    const ProductSelection product =
        ProductFromIndexes(iniPath, image[ImageMap::kProductType], image[ImageMap::kProductBand]);
    if (product.bandText.trimmed().isEmpty())
        return std::nullopt;
    return product.typingLimits;
}

std::optional<ModelWatts> ModelWattsOf(const QString& iniPath, int typeIndex) {
    const QStringList pieces =
        ReadProfileString(iniPath, kSetup, QStringLiteral("Power%1").arg(typeIndex + 1))
            .split(u'|');
    if (pieces.size() != 2)
        return std::nullopt;
    const ModelWatts watts{WattTenths(pieces[0]), WattTenths(pieces[1])};
    if (watts.lowTenths <= 0 || watts.highTenths <= watts.lowTenths)
        return std::nullopt;
    return watts;
}

ProductSelection ReconcileProduct(RadioImage& image, UserStore& store, const QString& iniPath,
                                  bool documentIsNew) {
    if (documentIsNew) {
        image[ImageMap::kProductType] = static_cast<std::uint8_t>(store.readNumber(kStoredType));
        image[ImageMap::kProductBand] = static_cast<std::uint8_t>(store.readNumber(kStoredBand));
    } else if (NamesProduct(image)) {
        store.writeNumber(kStoredType, image[ImageMap::kProductType]);
        store.writeNumber(kStoredBand, image[ImageMap::kProductBand]);
    } else {
        return UnnamedProduct(image, store, iniPath);
    }
    return ProductFromIndexes(iniPath, image[ImageMap::kProductType],
                              image[ImageMap::kProductBand]);
}

ProductPositions ShownProduct(const RadioImage& image, const UserStore& store) {
    if (!NamesProduct(image))
        return {store.readNumber(kStoredType), store.readNumber(kStoredBand), false};
    return {image[ImageMap::kProductType], image[ImageMap::kProductBand], true};
}

void StoreProductChoice(RadioImage& image, UserStore& store, int typeIndex, int bandIndex) {
    image[ImageMap::kProductType] = static_cast<std::uint8_t>(typeIndex);
    image[ImageMap::kProductBand] = static_cast<std::uint8_t>(bandIndex);
    if (NamesProduct(image)) {
        store.writeNumber(kStoredType, typeIndex);
        store.writeNumber(kStoredBand, bandIndex);
    }
}

QString ProductTitle(const QString& iniPath, const QString& languageName, const QString& typeName,
                     const QString& bandText, ProductTitleForm form, Language language) {
    const QString appName = ReadProfileString(iniPath, languageName, QStringLiteral("AppName"));
    const bool afterDialog = form == ProductTitleForm::AfterDialog;
    const QString typeWord =
        afterDialog ? QStringLiteral("  [ Type:") : Tr(language, "  [ Type:", "  [ 类型:");
    const QString bandWord =
        afterDialog ? QStringLiteral("  Field:") : Tr(language, "  Fre:", "  频率:");
    return appName + typeWord + typeName + bandWord + bandText + QStringLiteral(" ]");
}

QString NoProductTitle(const QString& iniPath, const QString& languageName, Language language) {
    return ReadProfileString(iniPath, languageName, QStringLiteral("AppName")) +
           Tr(language, "  [ No model: choose one in Product Information ]",
              "  [ 未指定型號：請在類型設置中選擇 ]");
}

QString NoProductNote(Language language) {
    return Tr(language, "The image names no model; choose one in Product Information",
              "此資料未指定型號，請在類型設置中選擇");
}
