#include "readout.h"

#include <charconv>
#include <cmath>

FieldText DecimalText(std::int64_t value) {
    FieldText text;
    auto result =
        std::to_chars(text.chars_.data(), text.chars_.data() + FieldText::Capacity, value);
    text.length_ = static_cast<std::size_t>(result.ptr - text.chars_.data());
    *result.ptr = '\0';
    return text;
}

FieldText HexText(std::uint32_t value) {
    FieldText text;
    auto result =
        std::to_chars(text.chars_.data(), text.chars_.data() + FieldText::Capacity, value, 16);
    text.length_ = static_cast<std::size_t>(result.ptr - text.chars_.data());
    *result.ptr = '\0';
    for (std::size_t i = 0; i < text.length_; ++i) {
        char& c = text.chars_[i];
        if (c >= 'a' && c <= 'f') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

Readout LiveReadout(const PixelBytes& pixel) {
    Readout readout;
    readout.colour = {pixel[2], pixel[1], pixel[0]};
    const Colour& c = readout.colour;
    const std::uint32_t combined = c.red + c.green * 256u + c.blue * 65536u;
    readout.texts = {DecimalText(c.red),  HexText(c.red),  DecimalText(c.green), HexText(c.green),
                     DecimalText(c.blue), HexText(c.blue), DecimalText(combined)};
    return readout;
}

std::int32_t ColourDistance(const PixelBytes& pixel, const Colour& saved) {
    const std::int32_t dr = pixel[2] - saved.red;
    const std::int32_t dg = pixel[1] - saved.green;
    const std::int32_t db = pixel[0] - saved.blue;
    return DistanceFromSquares(dr * dr + dg * dg + db * db);
}

std::int32_t DistanceFromSquares(std::int32_t sumOfSquares) {
    return RoundHalfUp(std::sqrt(static_cast<double>(sumOfSquares)));
}

PositionPair PositionTexts(std::int32_t x, std::int32_t y) {
    return {DecimalText(x), DecimalText(y)};
}

std::int32_t RoundHalfUp(double x) {
    if (!std::isfinite(x)) {
        return 0;
    }
    const double t = std::trunc(x);
    const double f = x - t;
    const auto d = static_cast<std::int64_t>(f * 10.0f);
    const double rounded = d > 4 ? t + 1 : t;
    // Keep the low 32 bits without leaving the range a conversion can hold:
    // fmod is exact here, and every double beyond 2^53 is a whole number.
    double low = std::fmod(rounded, 4294967296.0);
    if (low < 0) {
        low += 4294967296.0;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(low));
}
