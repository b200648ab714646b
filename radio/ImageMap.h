#pragma once
// Addresses of the radio's 1024-byte configuration memory. The same numbers are the
// offsets in a .dat file and the addresses sent on the serial link, so every other
// part of the program names a region through the constants here.

#include <cstddef>
#include <cstdint>

namespace ImageMap {

constexpr int kImageSize = 1024;

// Header and identity blocks: fixed bytes of a new image, never edited.
constexpr int kHeader = 0x000;
constexpr int kIdentityBlock = 0x1B8;
constexpr int kIdentityBlockSize = 8; // 0x1B8-0x1BF, also the radio's identification

// Channel n (1..16) is the 16-byte record at kChannelRecordSize * n.
constexpr int kChannelCount = 16;
constexpr int kChannelRecordSize = 16;
constexpr int channelRecord(int channel) { return kChannelRecordSize * channel; }

// Byte positions inside one channel record.
namespace Record {
constexpr int kRxFrequency = 0;  // 4 bytes packed BCD, least significant pair first
constexpr int kTxFrequency = 4;  // as the receive frequency
constexpr int kDecodeTone = 8;   // tone code, low byte then high byte
constexpr int kEncodeTone = 10;  // tone code
constexpr int kFlagsA = 12;      // busy lock and compander bits
constexpr int kFlagsB = 13;      // bandwidth and power bits
constexpr int kFrequencyLastByte = 3; // the byte that tells an empty frequency (00 or FF)
} // namespace Record

// Bits of the two flag bytes of a channel record.
constexpr unsigned char kBusyLockCarrierBit = 0x08; // flags A
constexpr unsigned char kBusyLockToneBit = 0x10;    // flags A
constexpr unsigned char kCompanderBit = 0x20;       // flags A
constexpr unsigned char kWideBit = 0x10;            // flags B
constexpr unsigned char kHighPowerBit = 0x20;       // flags B

// Optional features.
constexpr int kShortPressKey = 0x11D;
constexpr int kLongPressKey = 0x11E;
constexpr int kVoiceAnnunciation = 0x12F;
constexpr int kTimeOutTimer = 0x130;
constexpr int kTotPreAlert = 0x131;
constexpr int kSquelchLevel = 0x134;
constexpr int kBatterySaver = 0x135;
constexpr int kBeep = 0x136;
constexpr int kVoxGain = 0x13A;
constexpr int kVoxDelay = 0x13B;
constexpr int kCallKeyDefine = 0x13F;
constexpr int kCallTone = 0x3F0;

// Bit fields of the optional-feature bytes; the other bits of each byte belong to
// the radio and are carried unchanged.
constexpr unsigned char kTimeOutTimerBits = 0x7F; // 1..40: 15 s steps up to 600 s
constexpr unsigned char kTotPreAlertBits = 0x0F;  // 1 off, 2..11 for 1..10 s
constexpr unsigned char kSquelchLevelBits = 0x0F; // 0..9
constexpr unsigned char kBatterySaverBit = 0x01;
constexpr unsigned char kBeepBit = 0x01;
constexpr unsigned char kVoxGainBits = 0x1F;  // 0 off, 1..15
constexpr unsigned char kVoxDelayBits = 0x07; // 0..5
constexpr int kKeyFunctionCount = 11;         // key-function codes 0..10

// Scan information.
constexpr int kPriorityMode = 0x160;
constexpr int kPriorityChannel = 0x161;
constexpr int kLookBackTimeA = 0x162;
constexpr int kLookBackTimeB = 0x163;
constexpr int kRevertChannel = 0x164;
constexpr int kDropoutDelay = 0x165; // 16 bits, low byte first
constexpr int kTxDwellTime = 0x167;  // 16 bits, low byte first

// Look-back times are stored as b with time = 0.45 + 0.05 * b; the radio accepts
// 0.5 .. 5.0 s (b = 1 .. 91).
constexpr double kLookBackBase = 0.45;
constexpr double kLookBackStep = 0.05;
constexpr int kLookBackStepsPerSecond = 20;
constexpr double kLookBackMin = 0.5;
constexpr double kLookBackMax = 5.0;
// Dropout delay and transmit dwell time, in whole units.
constexpr int kScanDelayMin = 0;
constexpr int kScanDelayMax = 300;

// Scan-list bitmaps: channels 1..8 in the first byte, 9..16 in the second.
constexpr int kScanListLow = 0x17E;
constexpr int kScanListHigh = 0x17F;

// Factory block, sent only in alignment mode.
constexpr int kFactoryBlock = 0x330;
constexpr int kFactoryBlockSize = 16;

// Calibration tables: 11 rows each, one per band point.
constexpr int kCalibrationRows = 11;
constexpr int kSquelchCalibration = 0x3B0; // 11 sign-and-magnitude bytes
constexpr int kPowerCalibration = 0x3C0;   // 11 pairs (low power, high power)

// Product information: indexes into the model and band lists of Program.ini.
constexpr int kProductType = 0x3DE;
constexpr int kProductBand = 0x3DF;
constexpr std::uint8_t kNoProduct = 0xFF; // a type or band byte that names nothing

// Bytes from here to the end are received from the radio but never sent to it.
constexpr int kWritableEnd = 0x3F1;

// Limits of the calibration values.
constexpr int kSquelchMaxMagnitude = 5;
constexpr unsigned char kSquelchSignBit = 0x80;
constexpr int kPowerLowMin = 25;
constexpr int kPowerLowMax = 150;
constexpr int kPowerLowDefault = 100;
constexpr int kPowerHighMin = 128;
constexpr int kPowerHighMax = 250;
constexpr int kPowerHighDefault = 200;

} // namespace ImageMap
