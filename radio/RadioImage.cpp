#include "radio/RadioImage.h"

namespace {

void Put(RadioImage& image, int offset, std::initializer_list<std::uint8_t> bytes) {
    for (std::uint8_t b : bytes)
        image[offset++] = b;
}

} // namespace

RadioImage NewImage() {
    using namespace ImageMap;
    RadioImage image;
    image.fill(0xFF);
    Put(image, kHeader, {0x00, 0x00, 0x00});
    Put(image, kHeader + 8, {0x00, 0x03, 0x01, 0x00, 0x02, 0x00, 0x24, 0x11});
    Put(image, kShortPressKey, {0x06, 0x02});
    Put(image, kVoiceAnnunciation, {0x01, 0x04, 0x09});
    Put(image, kSquelchLevel, {0x04, 0x01, 0x01});
    Put(image, kVoxGain, {0x05, 0x02});
    Put(image, kPriorityMode, {0x00, 0x11, 0x09, 0x15});
    Put(image, kDropoutDelay, {0x30, 0x00, 0x30, 0x00});
    Put(image, kScanListLow, {0x00, 0x00});
    Put(image, kIdentityBlock, {'K', '7', '0', '9', '4', '6', 0xF0, 0x01});
    for (int i = 0; i < kCalibrationRows; ++i)
        image[kSquelchCalibration + i] = 0x00;
    Put(image, kPowerCalibration, {0x2F, 0xA0, 0x29, 0xA0, 0x26, 0xB4, 0x26, 0xBE, 0x28, 0xB4, 0x2D,
                                   0xAA, 0x2D, 0xA0, 0x27, 0xFA, 0x2F, 0xB4, 0x2F, 0xB4, 0x2F, 0xB4});
    image[kCallTone] = 0x00;
    return image;
}

int ReadWordLE(const RadioImage& image, int offset) {
    return image[offset] | (image[offset + 1] << 8);
}

void WriteWordLE(RadioImage& image, int offset, int value) {
    image[offset] = static_cast<std::uint8_t>(value & 0xFF);
    image[offset + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}
