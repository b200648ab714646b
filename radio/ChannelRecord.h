#pragma once
// The 16-byte channel records of the image and the scan-list bits, read into a Channel
// and written back one field at a time: a write touches the bytes and bits of the fields
// it names and nothing else (the unused flag bits and the two spare bytes stay).

#include "radio/Channel.h"
#include "radio/RadioImage.h"

// Channel `channel` (1..16) of `image`, its scan-list bit included.
Channel ReadChannel(const RadioImage& image, int channel);

// Writes `field` of `value` into the record of `channel` (or its scan-list bit).
// A frequency of 0 writes the empty marker FF FF FF FF.
void WriteChannelField(const Channel& value, ChannelField field, int channel, RadioImage& image);

// The fields of `value` that `fields` names.
void WriteChannelFields(const Channel& value, ChannelFields fields, int channel, RadioImage& image);

// Every field, in grid column order.
void WriteChannel(const Channel& value, int channel, RadioImage& image);
