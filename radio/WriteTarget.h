#pragma once
// Whether an image is meant for the radio it is about to be written to. A radio and an
// image that both name a model (or both a band) must name the same one: writing an
// image for 136 - 174MHz into a 400 - 470MHz radio leaves a radio whose channels and
// calibration points belong to another band. A byte of FF names nothing (a new image,
// a radio never programmed) and is never a mismatch.
//
// The identity block differs between radios of one model too (a new image carries the
// fixed bytes of a new document), so a difference there is only worth a warning.

#include "radio/RadioImage.h"

#include <cstdint>

struct WriteTargetCheck {
    bool modelDiffers = false;
    bool bandDiffers = false;
    bool identityDiffers = false;
    // The product bytes of both sides, for the message that names them.
    std::uint8_t radioModel = ImageMap::kNoProduct;
    std::uint8_t radioBand = ImageMap::kNoProduct;
    std::uint8_t imageModel = ImageMap::kNoProduct;
    std::uint8_t imageBand = ImageMap::kNoProduct;

    // A model or band mismatch: the radio is skipped unless the user forces the write.
    bool refusesWrite() const { return modelDiffers || bandDiffers; }
};

// Compares `radio` (as read) with `image` (about to be written).
WriteTargetCheck CheckWriteTarget(const RadioImage& radio, const RadioImage& image);
