// The program's own main window, made by its start-up steps in the test process.
#pragma once

#include "app/program.h"
#include "app/shared.h"
#include "wait.h"

#include <gtest/gtest.h>

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        StopFlag.store(true);
        CreateUiFont();
        RegisterMainClass();
        ReadWorkArea();
        CreateMainWindow();
        ASSERT_NE(MainWindow, nullptr);
        PlaceMainWindow();
        PumpMessages();
    }

    void TearDown() override {
        if (IsWindow(MainWindow)) {
            DestroyWindow(MainWindow);
        }
        PumpMessages();
        MainWindow = nullptr;
    }

    static RECT ScreenRect(HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        return rect;
    }
};
