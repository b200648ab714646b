#include "document/ChannelOrder.h"

#include "radio/ChannelCodec.h"
#include "radio/ChannelRecord.h"
#include "radio/ImageMap.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace {

// Puts channel `order[i]` at position `positions[i]`, by swapping whole records.
void Reorder(RadioImage& image, const std::vector<int>& positions, const std::vector<int>& order) {
    std::vector<int> at(ImageMap::kChannelCount + 1); // at[original] = where it is now
    std::vector<int> holder(ImageMap::kChannelCount + 1); // holder[position] = original there
    for (int number = 1; number <= ImageMap::kChannelCount; ++number)
        at[number] = holder[number] = number;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const int target = positions[i];
        const int from = at[order[i]];
        if (from == target)
            continue;
        SwapChannelRecords(image, target, from);
        const int displaced = holder[target];
        std::swap(holder[target], holder[from]);
        at[order[i]] = target;
        at[displaced] = from;
    }
}

// The channels in place order: programmed first (in the order `less` gives), then empty.
template <typename Less>
std::vector<int> ProgrammedFirst(const RadioImage& image, const std::vector<int>& channels,
                                 Less less) {
    std::vector<int> programmed, empty;
    for (int number : channels)
        (ReadChannel(image, number).empty ? empty : programmed).push_back(number);
    std::stable_sort(programmed.begin(), programmed.end(), less);
    programmed.insert(programmed.end(), empty.begin(), empty.end());
    return programmed;
}

} // namespace

std::vector<int> AllChannels() {
    std::vector<int> all;
    for (int number = 1; number <= ImageMap::kChannelCount; ++number)
        all.push_back(number);
    return all;
}

void SortChannels(RadioImage& image, const std::vector<int>& channels) {
    const auto byFrequency = [&image](int a, int b) {
        const Channel ca = ReadChannel(image, a), cb = ReadChannel(image, b);
        return std::tie(ca.rx.units, ca.tx.units) < std::tie(cb.rx.units, cb.tx.units);
    };
    Reorder(image, channels, ProgrammedFirst(image, channels, byFrequency));
}

void CompactChannels(RadioImage& image, const std::vector<int>& channels) {
    Reorder(image, channels, ProgrammedFirst(image, channels, [](int, int) { return false; }));
}

std::vector<std::vector<int>> DuplicateChannels(const RadioImage& image) {
    using Key = std::tuple<long long, int, int, int, int>;
    std::map<Key, std::vector<int>> groups;
    std::vector<Key> firstSeen;
    for (int number = 1; number <= ImageMap::kChannelCount; ++number) {
        const Channel c = ReadChannel(image, number);
        if (c.empty)
            continue;
        // "No tone" is stored as 00 or FF: both are the same absence.
        const auto part = [](const Tone& tone, bool high) {
            return !tone.isStored() ? -1 : int(high ? tone.code.high : tone.code.low);
        };
        const Key key{c.rx.units, part(c.decodeTone, false), part(c.decodeTone, true),
                      part(c.encodeTone, false), part(c.encodeTone, true)};
        if (groups[key].empty())
            firstSeen.push_back(key);
        groups[key].push_back(number);
    }
    std::vector<std::vector<int>> duplicates;
    for (const Key& key : firstSeen) {
        if (groups[key].size() > 1)
            duplicates.push_back(groups[key]);
    }
    return duplicates;
}
