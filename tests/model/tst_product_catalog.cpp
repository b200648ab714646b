// The product catalogue of Program.ini (config/ProductCatalog): models and bands, the
// product step of a grid fill, the Product Information choice and the window title.
#include "config/ProductCatalog.h"
#include "tests/support/Files.h"
#include "tests/support/TestSuite.h"
#include "config/UserStore.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kIni = QString::fromUtf8("[Setup]\nAppName=ProductTest\nType1=QZ-417\nType2=QZ-418\n"
                                       "Field1=130 - 160MHz\nField2=136 - 174MHz|400 - 470MHz\n"
                                       "[English]\nAppName=Radio Programmer\n"
                                       "[Chinese]\nAppName=\xe5\xb0\x8d\xe8\xac\x9b\xe6\xa9\x9f\n");

} // namespace

class ProductCatalogTest : public QObject {
    Q_OBJECT
private slots:
    void bandsAndPoints() {
        const BandLimits band = BandLimitsFromText("130 - 160MHz");
        QCOMPARE(band.low, 13000000LL);
        QCOMPARE(band.high, 16000000LL);
        QCOMPARE(BandLimitsFromText("400").high, 40000000LL);
        QCOMPARE(BandLimitsFromText("").low, 0LL);
        // The points of a band are CalibrationTest::bandRows.

        QTemporaryDir dir;
        const QString ini = dir.filePath("Program.ini");
        QVERIFY(WriteFileBytes(
            ini, "[Setup]\nType1=A\nType2=B\nType4=D\nField2=136 - 174MHz|400 - 470MHz\n"));
        QCOMPARE(ProductTypeNames(ini), (QStringList{"A", "B"}));
        QCOMPARE(BandPieces(ini, 1).size(), 2);
        QCOMPARE(BandPieces(ini, 0), QStringList{QString()});
        const ProductSelection second = ProductFromIndexes(ini, 1, 1);
        QCOMPARE(second.typeName, QString("B"));
        QCOMPARE(second.limits.low, 40000000LL);
        QCOMPARE(ProductFromIndexes(ini, 1, 9).bandText, QString("400 - 470MHz")); // beyond: last
        // Messages name a position the list lacks by its number, never by the last band;
        // typed names are found with case and spaces aside, an empty piece never.
        QCOMPARE(BandName(ini, 1, 9), QString("#9"));
        QCOMPARE(BandName(ini, 0, 0), QString("#0"));
        QCOMPARE(ModelName(ini, 3), QString("#3"));
        QCOMPARE(ModelName(ini, 1) + ' ' + BandName(ini, 1, 0), QString("B 136 - 174MHz"));
        QCOMPARE(ModelPosition(ini, "b"), 1);
        QCOMPARE(ModelPosition(ini, "D"), -1); // beyond the first gap
        QCOMPARE(BandPosition(ini, 1, "400-470mhz"), 1);
        QCOMPARE(BandPosition(ini, 0, ""), -1);
    }

    void newDocumentTakesTheUsersLastChoice() {
        const ConfigDir config(kIni);
        const QString ini = config.iniPath();
        UserStore store(ini);
        RadioImage image = NewImage();

        // The user confirmed the second model and its first band earlier.
        StoreProductChoice(image, store, 1, 0);
        RadioImage fresh = NewImage();
        const ProductSelection selection = ReconcileProduct(fresh, store, ini, true);
        QCOMPARE(fresh[ImageMap::kProductType], std::uint8_t(1));
        QCOMPARE(fresh[ImageMap::kProductBand], std::uint8_t(0));
        QCOMPARE(selection.typeName, QString("QZ-418"));
        QCOMPARE(selection.bandText, QString("136 - 174MHz"));
        QCOMPARE(selection.limits.low, 13600000LL);
        QCOMPARE(selection.limits.high, 17400000LL);

        // A per-user value of another store does not leak in: a fresh AppName reads 0.
        const ConfigDir otherConfig(QString(kIni).replace("ProductTest", "OtherUser"));
        const QString other = otherConfig.iniPath();
        UserStore otherStore(other);
        RadioImage third = NewImage();
        QCOMPARE(ReconcileProduct(third, otherStore, other, true).typeName, QString("QZ-417"));
    }

    void openedDocumentPushesItsOwnChoice() {
        const ConfigDir config(kIni);
        const QString ini = config.iniPath();
        UserStore store(ini);
        RadioImage image = NewImage();
        image[ImageMap::kProductType] = 1;
        image[ImageMap::kProductBand] = 7; // beyond the two bands of the list: the last one
        const ProductSelection selection = ReconcileProduct(image, store, ini, false);
        QCOMPARE(selection.bandText, QString("400 - 470MHz"));
        QCOMPARE(selection.limits.high, 47000000LL);
        QCOMPARE(store.readNumber("Type"), 1);
        QCOMPARE(store.readNumber("Field"), 7);
        QCOMPARE(image[ImageMap::kProductBand], std::uint8_t(7)); // the image keeps its byte

        // No band selected in the dialog stores FF, which names no band: limits 0 and 0
        // for the dialog, the last band for the next fill.
        StoreProductChoice(image, store, 1, -1);
        QCOMPARE(image[ImageMap::kProductBand], std::uint8_t(0xFF));
        QCOMPARE(BandLimitsFromText(QString()).high, 0LL);
    }

    // An image that names no model or band (FF, as an old file or a blank radio holds)
    // keeps its bytes and is never remembered as the user's choice. Typing into it is
    // checked against the user's last band, or, with none stored, against every band
    // Program.ini lists instead of refusing everything; the dialog opens on that choice.
    void imageWithoutProductNeverBlocksNorIsStored() {
        const ConfigDir config(kIni);
        const QString ini = config.iniPath();
        UserStore store(ini);
        for (const auto& [type, band] : {std::pair{0xFF, 0xFF}, {0x01, 0xFF}, {0xFF, 0x00}}) {
            store.remove("Type"); // a user who never chose a product
            store.remove("Field");
            RadioImage image = NewImage();
            image[ImageMap::kProductType] = static_cast<std::uint8_t>(type);
            image[ImageMap::kProductBand] = static_cast<std::uint8_t>(band);
            const ProductSelection anyBand = ReconcileProduct(image, store, ini, false);
            QVERIFY(!anyBand.namedByImage);
            QCOMPARE(anyBand.typingLimits.low, 13000000LL);
            QCOMPARE(anyBand.typingLimits.high, 47000000LL);
            QCOMPARE(store.readNumber("Type", -1), -1);

            RadioImage chosen = NewImage();
            StoreProductChoice(chosen, store, 1, 0);
            const ProductSelection lastBand = ReconcileProduct(image, store, ini, false);
            QCOMPARE(lastBand.typingLimits.low, 13600000LL); // QZ-418's first band
            QCOMPARE(image[ImageMap::kProductType], std::uint8_t(type));
            QCOMPARE(image[ImageMap::kProductBand], std::uint8_t(band));
            const ProductPositions shown = ShownProduct(image, store);
            QVERIFY(shown.type == 1 && shown.band == 0 && !shown.namedByImage);
        }
        // A band that is named keeps its own limits for typing.
        RadioImage named = NewImage();
        named[ImageMap::kProductType] = 0;
        named[ImageMap::kProductBand] = 0;
        QCOMPARE(ReconcileProduct(named, store, ini, false).typingLimits.high, 16000000LL);
        // With no band listed anywhere, nothing a record can hold is refused.
        const ConfigDir bare(QString::fromUtf8("[Setup]\nAppName=Bare\n"));
        const ProductSelection none = ProductFromIndexes(bare.iniPath(), 0xFF, 0xFF);
        QCOMPARE(none.typingLimits.high, kHighestFrequencyUnits);
    }

    // A model's Power key: High|Low in watts, or nothing usable.
    void modelWatts_data() {
        QTest::addColumn<QString>("key"); // "" for none
        QTest::addColumn<int>("high");    // tenths of a watt, 0 for no watts
        QTest::addColumn<int>("low");
        QTest::newRow("5.0W|1.0W") << "5.0W|1.0W" << 50 << 10;
        QTest::newRow("whole watts, a space, lower case") << "4W| 0.5 w" << 40 << 5;
        QTest::newRow("empty") << "" << 0 << 0;
        QTest::newRow("one wattage") << "5.0W" << 0 << 0;
        QTest::newRow("Low above High") << "1.0W|5.0W" << 0 << 0;
        QTest::newRow("no unit") << "5.0|1.0" << 0 << 0;
        QTest::newRow("words") << "High|Low" << 0 << 0;
        QTest::newRow("zero Low") << "5W|0W" << 0 << 0;
    }
    void modelWatts() {
        QFETCH(QString, key);
        QFETCH(int, high);
        QFETCH(int, low);
        const ConfigDir config(QString(kIni).replace("Field2=", "Power2=" + key + "\nField2="));
        const std::optional<ModelWatts> watts = ModelWattsOf(config.iniPath(), 1);
        QCOMPARE(watts.has_value(), high > 0);
        if (watts) {
            QCOMPARE(watts->highTenths, high);
            QCOMPARE(watts->lowTenths, low);
        }
        QVERIFY(!ModelWattsOf(config.iniPath(), 0));
    }

    // The English forms are AppChannelsTest's.
    void titleForms() {
        const ConfigDir config(kIni);
        const QString ini = config.iniPath();
        QCOMPARE(ProductTitle(ini, "Chinese", "QZ-417", "130 - 160MHz", ProductTitleForm::AfterFill,
                              Language::Chinese),
                 QString::fromUtf8("對講機  [ 类型:QZ-417  频率:130 - 160MHz ]"));
        QCOMPARE(ProductTitle(ini, "Chinese", "QZ-417", "130 - 160MHz",
                              ProductTitleForm::AfterDialog, Language::Chinese),
                 QString::fromUtf8("對講機  [ Type:QZ-417  Field:130 - 160MHz ]"));
        // Missing entries give empty parts.
        QCOMPARE(
            ProductTitle(ini, "French", "", "", ProductTitleForm::AfterFill, Language::English),
            QString("  [ Type:  Fre: ]"));
    }
};

TEST_CLASS(ProductCatalogTest)
#include "tst_product_catalog.moc"
