// Where the main window goes in the work area.
#pragma once

#include <cstdint>

inline constexpr std::int32_t MainWindowWidth = 220;
inline constexpr std::int32_t MainWindowHeight = 165;

struct WindowPlace {
    std::int32_t x;
    std::int32_t y;
    friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// Near the centre, from the right and bottom edges alone; the division
// truncates toward zero, so an edge narrower than the window gives 0.
constexpr WindowPlace PlaceInWorkArea(std::int32_t right, std::int32_t bottom) {
    return {static_cast<std::int32_t>((std::int64_t{right} - MainWindowWidth) / 2),
            static_cast<std::int32_t>((std::int64_t{bottom} - MainWindowHeight) / 2)};
}
