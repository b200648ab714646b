#include "radio/WriteTarget.h"

#include <algorithm>

namespace {

// Both bytes name something, and not the same thing.
bool BothNamedAndDiffer(std::uint8_t a, std::uint8_t b) {
    return a != ImageMap::kNoProduct && b != ImageMap::kNoProduct && a != b;
}

} // namespace

WriteTargetCheck CheckWriteTarget(const RadioImage& radio, const RadioImage& image) {
    using namespace ImageMap;
    WriteTargetCheck check;
    check.radioModel = radio[kProductType];
    check.radioBand = radio[kProductBand];
    check.imageModel = image[kProductType];
    check.imageBand = image[kProductBand];
    check.modelDiffers = BothNamedAndDiffer(check.radioModel, check.imageModel);
    check.bandDiffers = BothNamedAndDiffer(check.radioBand, check.imageBand);
    const auto identity = radio.begin() + kIdentityBlock;
    check.identityDiffers =
        !std::equal(identity, identity + kIdentityBlockSize, image.begin() + kIdentityBlock);
    return check;
}
