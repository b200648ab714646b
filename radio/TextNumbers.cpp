#include "radio/TextNumbers.h"

#include <charconv>
#include <climits>
#include <string>

namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\v';
}

int SkipBlanks(const QString& text) {
    int i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return i;
}

bool IsDigit(const QString& text, int i) {
    return i < text.size() && text[i] >= u'0' && text[i] <= u'9';
}

} // namespace

double LeadingDouble(const QString& text, bool* found) {
    int i = SkipBlanks(text);
    std::string number;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            number += '-';
        ++i;
    }
    int digits = 0;
    for (; IsDigit(text, i); ++i, ++digits)
        number += static_cast<char>(text[i].unicode());
    if (i < text.size() && text[i] == u'.') {
        number += '.';
        ++i;
        for (; IsDigit(text, i); ++i, ++digits)
            number += static_cast<char>(text[i].unicode());
    }
    if (digits == 0) {
        if (found)
            *found = false;
        return 0.0;
    }
    // An exponent counts only when at least one digit follows it.
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        int j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            exponent += static_cast<char>(text[j++].unicode());
        if (IsDigit(text, j)) {
            for (; IsDigit(text, j); ++j)
                exponent += static_cast<char>(text[j].unicode());
            number += exponent;
        }
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = number[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    if (found)
        *found = true;
    return value;
}

int LeadingInt(const QString& text, bool* found) {
    int i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    bool any = false;
    for (; IsDigit(text, i); ++i) {
        any = true;
        if (value <= INT_MAX)
            value = value * 10 + (text[i].unicode() - u'0');
    }
    if (found)
        *found = any;
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

int LeadingIntegerDigits(const QString& text) {
    int i = SkipBlanks(text);
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    while (i < text.size() && text[i] == u'0')
        ++i;
    int digits = 0;
    for (; IsDigit(text, i); ++i)
        ++digits;
    return digits;
}

bool ReadWholeNumber(const QString& text, int* value) {
    constexpr int kMostDigits = 9; // below the int range
    if (text.isEmpty() || text.size() > kMostDigits)
        return false;
    int number = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
        number = number * 10 + (c.unicode() - u'0');
    }
    *value = number;
    return true;
}

bool IsPlainDecimal(const QString& text) {
    int digits = 0;
    int points = 0;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (c == u'.')
            ++points;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

QString FormatFixedPoint(long long value, int decimals) {
    long long scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const bool negative = value < 0;
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    QString text = QString::number(magnitude / scale);
    if (decimals > 0)
        text += u'.' + QStringLiteral("%1").arg(magnitude % scale, decimals, 10, QLatin1Char('0'));
    return negative ? u'-' + text : text;
}
