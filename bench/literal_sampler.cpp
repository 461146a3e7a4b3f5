#include "literal_sampler.h"

#include "app/shared.h"
#include "sampling/sampler.h"

#include <atomic>

namespace {

std::atomic<bool> LiteralStop{false};
Colour LiteralSavedColour;
HANDLE LiteralPaceEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);

void CALLBACK LiteralPaceCallback(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    SetEvent(LiteralPaceEvent);
}

// A new one-shot timer for every pause, waited on without a time-out.
void LiteralPauseMs(DWORD milliseconds) {
    const MMRESULT timer = PaceTimer.setEvent(milliseconds, 4, LiteralPaceCallback, 0,
                                              TIME_ONESHOT | TIME_CALLBACK_FUNCTION);
    WaitForSingleObject(LiteralPaceEvent, INFINITE);
    PaceTimer.killEvent(timer);
}

DWORD WINAPI LiteralSamplerThread(LPVOID) {
    PixelBuffer* bitmap = PixelBitmap;
    std::uint8_t* row = bitmap->ScanLine0();
    do {
        POINT position{};
        GetCursorPos(&position);
        HDC screen = GetDC(nullptr);
        BitBlt(bitmap->Surface(), 0, 0, 1, 1, screen, position.x, position.y, SRCCOPY);
        ReleaseDC(nullptr, screen);
        GdiFlush();
        if (ReadCaption(StartStopButton) == LiveCaption) {
            const Readout readout = LiveReadout({row[0], row[1], row[2]});
            LiteralSavedColour = readout.colour;
            const HWND fields[] = {RedDecField,  RedHexField,  GreenDecField, GreenHexField,
                                   BlueDecField, BlueHexField, ResField};
            for (std::size_t i = 0; i < readout.texts.size(); ++i) {
                SetWindowTextA(fields[i], readout.texts[i].c_str());
            }
        } else {
            const FieldText distance =
                DecimalText(ColourDistance({row[0], row[1], row[2]}, LiteralSavedColour));
            SetWindowTextA(MainWindow, distance.c_str());
        }
        const PositionPair texts = PositionTexts(position.x, position.y);
        SetWindowTextA(XField, texts.x.c_str());
        SetWindowTextA(YField, texts.y.c_str());
        LiteralPauseMs(5);
    } while (!LiteralStop.load());
    return 0;
}

} // namespace

HANDLE StartLiteralSampler() {
    PixelBitmap = PixelBuffer::Create().release();
    LiteralStop.store(false);
    return CreateThread(nullptr, 0, LiteralSamplerThread, nullptr, 0, nullptr);
}

void FinishLiteralSampler(HANDLE thread) {
    LiteralStop.store(true);
    // Its text calls need this thread's messages until it has ended.
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }
    CloseHandle(thread);
    delete PixelBitmap;
    PixelBitmap = nullptr;
}
