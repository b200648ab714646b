#pragma once
// What every editing tool of the channel grid works on and asks of the view: the grid,
// the document, the run's language, the band a value is checked against, whether the
// document may change now, and how a refusal is told.

#include "config/ProductCatalog.h"
#include "radio/Language.h"

#include <QString>
#include <functional>

class CMSFlexGrid;
class CProgramDoc;

struct ChannelGridContext {
    CMSFlexGrid* grid = nullptr;
    CProgramDoc* document = nullptr;
    Language language = Language::English;
    std::function<BandLimits()> typingBand;          // what a value is checked against
    std::function<bool()> refusesEdits;              // true while the document must not change
    std::function<void(const QString&)> showCaution; // a refusal says why
};
