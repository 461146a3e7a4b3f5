// The main window procedure and its 18 child controls.
#pragma once

#include <windows.h>

#include <array>

struct ControlRow {
    const char* className;
    const char* text;
    DWORD style;
    int x, y, width, height;
    HWND* handle;
};

// The controls in creation order; positions in the main window's client area.
extern const std::array<ControlRow, 18> ControlTable;

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
