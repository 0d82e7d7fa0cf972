// The game's one connection to the screen: takes the screen over through the
// game display interface, checks that it suits the game, converts pictures to
// the screen's 16-bit format, owns the three screen-sized buffers all drawing
// goes into, and presents the back buffer.
#pragma once

#include <cstdint>

#include "gfx/image.h"
#include "platform/coredll/coredll.h"
#include "platform/gx/gx.h"

constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;
constexpr int kScreenBytes = kScreenWidth * kScreenHeight * 2;  // 153600

class DisplayDevice;

// The 16-bit value a 5-6-5 and a 5-5-5 screen store for a source pixel. On
// 5-5-5 screens blue sits in bits 1-5 and bit 0 stays clear: the layout this
// game has always written there.
inline std::uint16_t Pack565(const Pixel32& p) {
    return static_cast<std::uint16_t>((p.red >> 3) << 11 | (p.green >> 2) << 5 | (p.blue >> 3));
}
inline std::uint16_t Pack555(const Pixel32& p) {
    return static_cast<std::uint16_t>((p.red >> 3) << 11 | (p.green >> 3) << 6 | (p.blue >> 3) << 1);
}

// Writes one source pixel to a 16-bit destination; returns 1.
using PixelWriter = int (*)(DisplayDevice* device, std::uint8_t* destination, const Pixel32* source);

int WritePixel555(DisplayDevice* device, std::uint8_t* destination, const Pixel32* source);
int WritePixel565(DisplayDevice* device, std::uint8_t* destination, const Pixel32* source);
int WritePixelNone(DisplayDevice* device, std::uint8_t* destination, const Pixel32* source);

class DisplayDevice {
public:
    explicit DisplayDevice(HWND window);

    // Completes the checks of the screen; 0 when the game can use it.
    HRESULT CheckFormat();
    void Open(HWND window);
    void Close();
    // Hands the back buffer to the screen; copies it only when something was
    // drawn since the last time (an opened display always takes it whole).
    void Present();

    // Drawing primitives. They do not clip (but DrawFrameClipped): callers
    // keep every rectangle on the screen (the checked build stops where one
    // does not).
    void DrawImage(int x, int y, const Pixel32* pixels, int width, int height);
    void DrawImageMasked(int x, int y, const Pixel32* pixels, const Pixel32* mask, int width, int height);
    void StageImage(int x, int y, const Pixel32* pixels, int width, int height);

    // Frame `frame` of a strip of frameWidth x frameHeight frames, drawn as
    // DrawImage draws. Draws nothing when the strip has no such frame
    // (HasFrame).
    void DrawFrame(int x, int y, const ImageRef& strip, int frameWidth, int frameHeight, int frame);
    // The same frame cut at the screen's right edge: only for a sprite whose
    // columns past that edge are see-through (the walker in the right column).
    void DrawFrameClipped(int x, int y, const ImageRef& strip, int frameWidth, int frameHeight, int frame);

    // A loaded picture whole, at its own size; nothing for an empty slot (a
    // picture that failed to load).
    void DrawPicture(int x, int y, const ImageRef& picture);

    // Panel slides; they present and sleep by themselves.
    void RollInPanel(int x, int bottomY, const Pixel32* pixels, int width, int height);
    void RollOutPanel();

    // Number fields; they present by themselves.
    void DrawNumber(int x, int y, const Pixel32* digits, int cellWidth, int cellHeight, int value,
                    int cellCount);
    void DrawNumber4(int x, int y, const Pixel32* digits, int cellWidth, int cellHeight, int value);

    // Byte offset of screen pixel (x, y) in the back and save buffers, from
    // the pitches the display reported (or the plain layout when those would
    // reach outside the buffers).
    int PixelOffset(int x, int y) const { return originOffset + y * rowPitch + x * pixelPitch; }
    // The writer of the screen's format that CheckFormat chose.
    PixelWriter Writer() const { return writerIndex >= 0 ? pixelWriters[writerIndex] : WritePixelNone; }

    // What the device holds, to look at: the screen as drawn so far and the
    // page staged for the next slide.
    const std::uint8_t* DrawnScreen() const { return backBuffer; }
    const std::uint8_t* StagedPage() const { return workBuffer; }

private:
    // The loops behind the drawing calls (draw.cpp, panels.cpp, number_fields.cpp).
    template <class Shows, class Pack>
    void DrawBottomUp(int x, int y, int width, int height, int stride, const Pixel32* pixels, Shows shows, Pack pack);
    template <class Shows>
    void DrawInFormat(int x, int y, int width, int height, int stride, const Pixel32* pixels, Shows shows);
    template <class Pack>
    void StageRows(std::int64_t first, int width, int height, const Pixel32* pixels, Pack pack);
    void CheckPanel(const char* primitive, bool hasPixels = true) const;
    void CopyToScreenRow(std::uint8_t* screen, const std::uint8_t* source, int x, int row, int count);
    const std::uint8_t* WorkRow(int workRow) const;
    void ShowWorkRow(int workRow, int screenRow);
    void RestoreScreenRow(int row);
    void ConvertPanel(const Pixel32* pixels);
    void DrawDigitCell(int x, int y, const Pixel32* digits, int cellWidth, int cellHeight, int frame);
    void SettleAddressing();

    // Geometry of the last panel rolled in.
    std::int32_t panelWidth = 0;
    std::int32_t panelHeight = 0;
    std::int32_t panelX = 0;
    std::int32_t panelBottomY = 0;

    // The writers CheckFormat chooses from: 0 for 5-5-5, 1 for 5-6-5.
    PixelWriter pixelWriters[2] = {nullptr, nullptr};

    std::uint8_t backBuffer[kScreenBytes] = {};
    std::uint8_t saveBuffer[kScreenBytes] = {};
    std::uint8_t workBuffer[kScreenBytes] = {};

    std::uint8_t* frameBuffer = nullptr;
    // Whether the back buffer changed since the screen last took it: most
    // paints draw nothing, and their present then copies nothing.
    bool drawnSincePresent = true;
    HRESULT status = 0;
    GXDisplayProperties properties{};
    DEVMODEW displayMode{};
    std::int32_t writerIndex = -1;
    std::uint8_t is240x320 = 0;

    // The addressing actually used, settled by the constructor.
    std::int32_t pixelPitch = 2;
    std::int32_t rowPitch = 480;
    std::int32_t originOffset = 0;
};
