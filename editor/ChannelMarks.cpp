#include "editor/ChannelMarks.h"

#include "document/ChannelEdit.h"
#include "radio/ChannelCodec.h"
#include "radio/ChannelRecord.h"
#include "radio/ImageMap.h"
#include "ui/CMSFlexGrid.h"

#include <QColor>
#include <QStringList>
#include <map>

namespace {

// Strong hues: the grid blends them into the palette's base colour.
const QColor kPlanBreachColour(255, 170, 0);
const QColor kFrequencyFaultColour(235, 40, 40);

struct CellNote {
    QColor colour; // the first note's: faults come first
    QStringList texts;
};
using RowNotes = std::map<int, CellNote>; // by grid column

void AddNote(RowNotes& notes, ChannelField field, const QColor& colour, const QString& text) {
    CellNote& note = notes[int(field) + kColRxFrequency];
    if (!note.colour.isValid())
        note.colour = colour;
    note.texts << text;
}

RowNotes NotesOf(const Channel& channel, int number, const ChannelPlan* plan, BandLimits band,
                 Language language) {
    RowNotes notes;
    for (const ChannelFrequencyFault& fault : ChannelFrequencyFaults(channel, number, band))
        AddNote(notes, fault.field, kFrequencyFaultColour,
                FrequencyFaultText(fault.fault, band, language));
    if (!plan)
        return notes;
    for (const PlanBreach& breach : ChannelBreaches(channel, number, plan->rules))
        AddNote(notes, breach.field, kPlanBreachColour,
                Tr(language, "%1: %2", "%1：%2")
                    .arg(plan->nameIn(language), PlanRuleText(breach.rule, plan->rules)));
    return notes;
}

} // namespace

void MarkChannelGrid(CMSFlexGrid& grid, const RadioImage& image, const ChannelPlan* plan,
                     BandLimits band, Language language) {
    grid.ClearCellMarks();
    for (int number = 1; number <= ImageMap::kChannelCount; ++number) {
        const RowNotes notes = NotesOf(ReadChannel(image, number), number, plan, band, language);
        for (const auto& [column, note] : notes)
            grid.SetCellMark(number, column, note.colour, note.texts.join(u'\n'));
    }
}
