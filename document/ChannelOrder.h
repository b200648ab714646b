#pragma once
// The order of the channels: sorting by receive frequency, moving programmed channels up
// over empty ones, and finding channels that duplicate one another. A channel moves with
// its whole record and its scan-list bit, so every channel keeps its bytes; only where
// it sits changes.

#include "radio/RadioImage.h"

#include <vector>

// Sorts the programmed channels among `channels` (numbers 1..16, ascending) by receive
// frequency, then transmit frequency, keeping the order of equal ones; the empty
// channels among them follow, in their order.
void SortChannels(RadioImage& image, const std::vector<int>& channels);

// Moves the programmed channels among `channels` up over the empty ones, in their order.
void CompactChannels(RadioImage& image, const std::vector<int>& channels);

// Groups of two or more programmed channels with the same receive frequency and the
// same decode and encode tones, each group in channel order.
std::vector<std::vector<int>> DuplicateChannels(const RadioImage& image);

// Channels 1..16.
std::vector<int> AllChannels();
