// The computations of one sampling pass, free of any window or thread: the
// texts of the display fields and the frozen-mode colour distance.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The three bytes of a captured pixel as they lie in the pixel buffer:
// byte 0 blue, byte 1 green, byte 2 red.
using PixelBytes = std::array<std::uint8_t, 3>;

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

// A short text in a fixed buffer, zero-terminated for the platform's text
// calls. The longest text a pass makes is a signed 32-bit decimal such as
// "-2147483648": 11 characters.
class FieldText {
  public:
    static constexpr std::size_t Capacity = 11;

    FieldText() = default;

    const char* c_str() const { return chars_.data(); }
    std::string_view view() const { return {chars_.data(), length_}; }
    friend bool operator==(const FieldText& a, const FieldText& b) { return a.view() == b.view(); }

  private:
    friend FieldText DecimalText(std::int64_t value);
    friend FieldText HexText(std::uint32_t value);
    std::array<char, Capacity + 1> chars_{};
    std::size_t length_ = 0;
};

FieldText DecimalText(std::int64_t value);
FieldText HexText(std::uint32_t value);

// The texts for the red, green, blue and combined fields, in the order the
// sampler writes them: red dec, red hex, green dec, green hex, blue dec,
// blue hex, combined value (0x00BBGGRR, in decimal).
struct Readout {
    Colour colour;
    std::array<FieldText, 7> texts;
};

Readout LiveReadout(const PixelBytes& pixel);

// Euclidean RGB distance between the pixel and the saved colour, rounded.
std::int32_t ColourDistance(const PixelBytes& pixel, const Colour& saved);

// The rounded square root of a sum of squares s, 0 <= s <= 195075.
std::int32_t DistanceFromSquares(std::int32_t sumOfSquares);

struct PositionPair {
    FieldText x;
    FieldText y;
};

PositionPair PositionTexts(std::int32_t x, std::int32_t y);

// Rounds half up by the first decimal digit of the fraction; a negative value
// is truncated toward zero. The result is the low 32 bits, as a signed value.
std::int32_t RoundHalfUp(double x);
