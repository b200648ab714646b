#include "config/ProductCatalog.h"

#include "config/ProgramIni.h"
#include "config/UserStore.h"

namespace {

const QString kSetup = QStringLiteral("Setup");
const QString kStoredType = QStringLiteral("Type");
const QString kStoredBand = QStringLiteral("Field");

} // namespace

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

ProductSelection ProductFromIndexes(const QString& iniPath, int typeIndex, int bandIndex) {
    ProductSelection selection;
    selection.typeName =
        ReadProfileString(iniPath, kSetup, QStringLiteral("Type%1").arg(typeIndex + 1));
    selection.bandText = BandTextAt(BandPieces(iniPath, typeIndex), bandIndex);
    selection.limits = BandLimitsFromText(selection.bandText);
    return selection;
}

ProductSelection ReconcileProduct(RadioImage& image, UserStore& store, const QString& iniPath,
                                  bool documentIsNew) {
    if (documentIsNew) {
        image[ImageMap::kProductType] = static_cast<std::uint8_t>(store.readNumber(kStoredType));
        image[ImageMap::kProductBand] = static_cast<std::uint8_t>(store.readNumber(kStoredBand));
    } else {
        store.writeNumber(kStoredType, image[ImageMap::kProductType]);
        store.writeNumber(kStoredBand, image[ImageMap::kProductBand]);
    }
    return ProductFromIndexes(iniPath, image[ImageMap::kProductType],
                              image[ImageMap::kProductBand]);
}

void StoreProductChoice(RadioImage& image, UserStore& store, int typeIndex, int bandIndex) {
    image[ImageMap::kProductType] = static_cast<std::uint8_t>(typeIndex);
    image[ImageMap::kProductBand] = static_cast<std::uint8_t>(bandIndex);
    store.writeNumber(kStoredType, typeIndex);
    store.writeNumber(kStoredBand, bandIndex);
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
