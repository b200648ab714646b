#include "radio/MessageText.h"

namespace {

// What one character of `text` at `at` shows as, and how many UTF-16 units it takes.
QString ShownCharacter(const QString& text, int at, int* units) {
    const QChar c = text[at];
    *units = c.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate() ? 2 : 1;
    if (*units == 2)
        return text.mid(at, 2);
    const ushort code = c.unicode();
    if (c.category() == QChar::Other_Control)
        return QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0'));
    if (c.category() == QChar::Other_Format || c.isSurrogate())
        return QStringLiteral("\\u%1").arg(code, 4, 16, QLatin1Char('0'));
    return QString(c);
}

} // namespace

QString ShortenedForMessage(const QString& text) {
    QString shown;
    for (int at = 0; at < text.size();) {
        int units = 1;
        const QString piece = ShownCharacter(text, at, &units);
        if (shown.size() + piece.size() > kShownTextLength)
            return shown + QChar(0x2026);
        shown += piece;
        at += units;
    }
    return shown;
}
