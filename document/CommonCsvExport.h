#pragma once
// Writing the channel-list CSV layout that multi-radio programming tools exchange
// (see CommonCsvLayout.h for the layout and its reading): the fourteen standard
// columns, then Power, RxDtcsCode and CrossMode, so that a list goes out to another
// tool and comes back byte for byte.

#include "config/ProductCatalog.h"
#include "radio/RadioImage.h"

#include <QString>
#include <optional>

// The programmed channels of `image` in the common layout, header first, CRLF lines.
// Power is written in the model's watts ("5.0W") when they are given, else High or Low.
QString CommonLayoutCsv(const RadioImage& image, const std::optional<ModelWatts>& watts);
