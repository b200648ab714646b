// The check before a write that the image is meant for the radio: model and band must
// agree where both name one, the identity block only warns.

#include "radio/WriteTarget.h"
#include "tests/support/TestSuite.h"

#include <QTest>

namespace {

constexpr int kNone = ImageMap::kNoProduct;

RadioImage WithProduct(int model, int band) {
    RadioImage image = NewImage();
    image[ImageMap::kProductType] = static_cast<std::uint8_t>(model);
    image[ImageMap::kProductBand] = static_cast<std::uint8_t>(band);
    return image;
}

} // namespace

class WriteTargetTest : public QObject {
    Q_OBJECT
private slots:
    void productAndIdentity_data() {
        QTest::addColumn<int>("radioModel");
        QTest::addColumn<int>("radioBand");
        QTest::addColumn<int>("imageModel");
        QTest::addColumn<int>("imageBand");
        QTest::addColumn<int>("identityByte"); // -1: the image keeps the radio's identity
        QTest::addColumn<bool>("modelDiffers");
        QTest::addColumn<bool>("bandDiffers");
        QTest::addColumn<bool>("identityDiffers");
        QTest::newRow("same product") << 0 << 1 << 0 << 1 << -1 << false << false << false;
        QTest::newRow("other band") << 0 << 2 << 0 << 0 << -1 << false << true << false;
        QTest::newRow("other model") << 1 << 0 << 0 << 0 << -1 << true << false << false;
        QTest::newRow("both differ") << 1 << 2 << 0 << 0 << -1 << true << true << false;
        QTest::newRow("band 0 is a band") << 0 << 0 << 0 << 3 << -1 << false << true << false;
        QTest::newRow("new image names nothing")
            << 0 << 2 << kNone << kNone << -1 << false << false << false;
        QTest::newRow("unprogrammed radio")
            << kNone << kNone << 3 << 1 << -1 << false << false << false;
        QTest::newRow("radio without a band")
            << 0 << kNone << 0 << 1 << -1 << false << false << false;
        QTest::newRow("image without a model")
            << 2 << 1 << kNone << 4 << -1 << false << true << false;
        QTest::newRow("identity only warns") << 0 << 1 << 0 << 1 << 0x41 << false << false << true;
        QTest::newRow("identity and band") << 0 << 1 << 0 << 0 << 0x41 << false << true << true;
    }

    void productAndIdentity() {
        QFETCH(int, radioModel);
        QFETCH(int, radioBand);
        QFETCH(int, imageModel);
        QFETCH(int, imageBand);
        QFETCH(int, identityByte);
        RadioImage image = WithProduct(imageModel, imageBand);
        if (identityByte >= 0) // the last byte of the block, so the whole block is compared
            image[ImageMap::kIdentityBlock + ImageMap::kIdentityBlockSize - 1] =
                static_cast<std::uint8_t>(identityByte);
        // Bytes just outside the block never count.
        image[ImageMap::kIdentityBlock - 1] ^= 0xFF;
        image[ImageMap::kIdentityBlock + ImageMap::kIdentityBlockSize] ^= 0xFF;
        const WriteTargetCheck check = CheckWriteTarget(WithProduct(radioModel, radioBand), image);
        QTEST(check.modelDiffers, "modelDiffers");
        QTEST(check.bandDiffers, "bandDiffers");
        QTEST(check.identityDiffers, "identityDiffers");
        QCOMPARE(check.refusesWrite(), check.modelDiffers || check.bandDiffers);
        QCOMPARE(int(check.radioBand), radioBand);
        QCOMPARE(int(check.imageModel), imageModel);
    }
};

TEST_CLASS(WriteTargetTest)
#include "tst_write_target.moc"
