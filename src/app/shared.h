// The variables the UI thread and the sampler thread share, and the caption
// reader both use.
#pragma once

#include "app/gdi.h"

#include <windows.h>

#include <array>
#include <atomic>
#include <string_view>

// Set until the sampler starts and again from window destruction on.
extern std::atomic<bool> StopFlag;
static_assert(sizeof(std::atomic<bool>) == 1 && std::atomic<bool>::is_always_lock_free);

extern HWND MainWindow;
extern FontHandle UiFont;
extern RECT WorkArea;

extern HWND StartStopButton;
extern HWND RedDecField, RedHexField, GreenDecField, GreenHexField, BlueDecField, BlueHexField;
extern HWND ResField, XField, YField;
extern HWND DecLabel, HexLabel, RedLabel, GreenLabel, BlueLabel, ResLabel, XLabel, YLabel;

inline constexpr char ProgramTitle[] = " Huepeek";
inline constexpr char LiveCaption[] = "Stop";
inline constexpr char FrozenCaption[] = "Start";

// A window's text, read into a fixed buffer of 255 characters.
class Caption {
  public:
    std::string_view view() const { return {chars_.data(), length_}; }
    bool operator==(std::string_view text) const { return view() == text; }

  private:
    friend Caption ReadCaption(HWND window);
    std::array<char, 255> chars_{};
    std::size_t length_ = 0;
};

// At most 254 characters; no caption or a failed read gives the empty text.
Caption ReadCaption(HWND window);
