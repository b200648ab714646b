#pragma once
// The marks of the channel grid: a cell whose value breaks the document's channel plan
// is tinted amber, a stored frequency outside the band or off the channel step red (a
// file or a radio can hold what typing refuses). Each marked cell's tooltip names what
// it breaks, in the run's language; a cell breaking both is red and names both.

#include "document/ChannelPlan.h"
#include "radio/Band.h"
#include "radio/Language.h"
#include "radio/RadioImage.h"

class CMSFlexGrid;

// Marks the rows 1..16 of `grid` for the channels of `image` anew: against `plan` when
// there is one, and against `band` (0..0: the channel step only).
void MarkChannelGrid(CMSFlexGrid& grid, const RadioImage& image, const ChannelPlan* plan,
                     BandLimits band, Language language);
