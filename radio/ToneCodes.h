#pragma once
// The tones a channel can decode and encode: none, one of 50 CTCSS tones, or one of
// 107 DCS codes in normal (N) or inverted (I) polarity, and their two-byte image codes.

#include "radio/Language.h"

#include <QStringList>
#include <array>
#include <cstdint>

constexpr int kCtcssToneCount = 50;
constexpr int kDcsCodeCount = 107;
constexpr int kToneListSize = 1 + kCtcssToneCount + 2 * kDcsCodeCount; // 265

// CTCSS tones in tenths of a hertz (670 is 67.0 Hz), ascending.
const std::array<int, kCtcssToneCount>& CtcssTones();
// DCS codes written as the decimal number of their octal digits (23 is D023), ascending.
const std::array<int, kDcsCodeCount>& DcsCodes();

// The 265 tone texts in list order: the no-tone word, "67.0".."254.1",
// "D017N".."D754N", "D017I".."D754I".
QStringList ToneList(Language language);

// Where `text` stands in the tone list: 0 for the no-tone word, 1..264 for a tone; -1 when
// it is no entry of either language's list. Every reader of the tone column's words
// matches them here.
int ToneListIndex(const QString& text, Qt::CaseSensitivity sensitivity = Qt::CaseSensitive);

// Low byte of a DCS code (754 -> 0xEC); 0 for a number that is not one of the 107 codes.
std::uint8_t DcsCodeToImage(int code);
// Code number of a stored DCS value (low byte plus ninth bit); 0 when not one of the 107.
int DcsCodeFromImage(std::uint8_t low, int ninthBit);

struct ToneCode {
    std::uint8_t low = 0xFF;
    std::uint8_t high = 0xFF;
};

// Encodes a tone text: a text with a "D" is DCS, else a number of hertz; anything
// without a number (the no-tone word, the empty text) gives FF FF.
ToneCode ToneTextToCode(const QString& text);

// Decodes a tone code whose high byte is neither 00 nor FF (the caller handles those).
QString ToneCodeToText(ToneCode code);

// What a stored tone code is: CTCSS in tenths of a hertz (the code as a 16-bit number),
// or DCS with its code number (0 when not one of the 107) and polarity.
enum class ToneKind { None, Ctcss, Dcs };
struct ToneMeaning {
    ToneKind kind = ToneKind::None;
    int ctcssTenths = 0;
    int dcsCode = 0;
    bool dcsInverted = false;
};
ToneMeaning MeaningOfTone(ToneCode code);

// True when the high byte marks a stored tone (neither 00 nor FF).
inline bool IsToneStored(std::uint8_t high) { return high != 0x00 && high != 0xFF; }
