#include "radio/MessageText.h"

QString ShortenedForMessage(const QString& text) {
    if (text.size() <= kShownTextLength)
        return text;
    return text.left(kShownTextLength) + QChar(0x2026);
}
