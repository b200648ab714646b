#include "radio/DecimalMultiply.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr int kSignificantDigits = 15;

// A decimal number: sign * digits * 10^exponent, digits most significant first.
struct Decimal {
    bool negative = false;
    std::vector<int> digits;
    int exponent = 0;
};

Decimal ToDecimal(double value) {
    Decimal d;
    if (value == 0.0 || !std::isfinite(value))
        return d;
    // Scientific form with 15 significant digits: d.dddddddddddddde+XX
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string text(buffer, result.ptr);
    std::size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            d.digits.push_back(text[i] - '0');
    }
    const int powerOfFirstDigit = std::stoi(text.substr(i + 1));
    d.exponent = powerOfFirstDigit - (static_cast<int>(d.digits.size()) - 1);
    return d;
}

Decimal Multiply(const Decimal& a, const Decimal& b) {
    Decimal product;
    if (a.digits.empty() || b.digits.empty())
        return product;
    std::vector<int> sum(a.digits.size() + b.digits.size(), 0);
    for (std::size_t i = a.digits.size(); i-- > 0;) {
        for (std::size_t j = b.digits.size(); j-- > 0;)
            sum[i + j + 1] += a.digits[i] * b.digits[j];
    }
    for (std::size_t k = sum.size(); k-- > 1;) {
        sum[k - 1] += sum[k] / 10;
        sum[k] %= 10;
    }
    product.negative = a.negative != b.negative;
    product.digits = sum;
    product.exponent = a.exponent + b.exponent;
    return product;
}

double ToDouble(const Decimal& d) {
    if (d.digits.empty())
        return 0.0;
    // "digits e exponent" with no decimal point: parsed exactly and rounded once.
    std::string text;
    for (int digit : d.digits)
        text += static_cast<char>('0' + digit);
    text += 'e' + std::to_string(d.exponent);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = d.exponent > 0 ? HUGE_VAL : 0.0;
    return d.negative ? -value : value;
}

} // namespace

double DecimalMultiply(double a, double b) {
    if (!std::isfinite(a) || !std::isfinite(b))
        return a * b;
    return ToDouble(Multiply(ToDecimal(a), ToDecimal(b)));
}

long long DecimalMultiplyTruncated(double a, double b, bool* fitsInt32) {
    const double product = std::trunc(DecimalMultiply(a, b));
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    const bool fits = std::isfinite(product) && product >= kMin && product <= kMax;
    if (fitsInt32)
        *fitsInt32 = fits;
    if (!std::isfinite(product) || std::fabs(product) > 9.0e18)
        return product < 0 ? std::numeric_limits<long long>::min() / 2
                           : std::numeric_limits<long long>::max() / 2;
    return static_cast<long long>(product);
}
