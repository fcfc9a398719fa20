// CTestCanvas: a 32-bit top-down bitmap selected into a memory device
// context, whose pixels a test can set and read directly.
#pragma once

#include <windows.h>

class CTestCanvas {
public:
    CTestCanvas(int width, int height, COLORREF fill = RGB(0, 0, 0)) : m_width(width), m_height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = ::CreateCompatibleDC(nullptr);
        m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits),
                                      nullptr, 0);
        m_previous = ::SelectObject(m_dc, m_bitmap);
        Fill(fill);
    }
    ~CTestCanvas()
    {
        ::SelectObject(m_dc, m_previous);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    CTestCanvas(const CTestCanvas&) = delete;
    CTestCanvas& operator=(const CTestCanvas&) = delete;

    bool IsValid() const { return m_bits != nullptr; }
    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    RECT Rect() const { return {0, 0, m_width, m_height}; }

    void Fill(COLORREF color)
    {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                Set(x, y, color);
    }
    void Set(int x, int y, COLORREF color)
    {
        ::GdiFlush();
        m_bits[y * m_width + x] = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    }
    COLORREF Get(int x, int y) const
    {
        ::GdiFlush();
        const DWORD v = m_bits[y * m_width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    DWORD* m_bits = nullptr;
};
