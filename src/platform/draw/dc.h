// A drawing context over QPainter with the calls and the edge rules of the
// original platform: rectangles exclude their right and bottom edges, lines
// exclude their end point, texts are bytes (Latin-1) of a given length.
//
// A context draws on any paint device: a widget's painter during a paint
// event, an image (memory contexts, a screen image to measure text), or a
// printer, on which the painter begins with StartDoc. It keeps its own state
// (objects, colours, modes, mapping, clip) and applies it to the painter for
// every call, so SaveDC/RestoreDC and selections never depend on the painter.
//
// Calls that find no painter (a printer before StartDoc) draw nothing; the
// measuring calls still work on the device.
#pragma once

#include "base/colors.h"
#include "base/drawconstants.h"
#include "base/geometry.h"
#include "draw/textmetrics.h"

#include <QPaintDevice>

#include <memory>
#include <string>

class QPainter;
class QImage;

namespace platform {

class Bitmap;
class Brush;
class Font;
class Pen;

class Dc {
  public:
    // A context on device: its own painter, begun at once unless the device is
    // a printer (then at StartDoc). A null device gives a context that draws
    // and measures nothing.
    explicit Dc(QPaintDevice* device);
    // A context on a painter that is already active (a paint event's); the
    // painter stays the caller's.
    explicit Dc(QPainter* painter);
    Dc(const Dc&) = delete;
    Dc& operator=(const Dc&) = delete;
    virtual ~Dc();

    QPaintDevice* Device() const;
    // The image the context draws on, or nullptr when the device is no image.
    QImage* Image() const;

    // --- objects: each returns the object selected before (a stock object at
    // first), so that it can be selected back; a null argument or an object
    // never made selects nothing and returns nullptr.
    Font* SelectObject(Font* font);
    Pen* SelectObject(Pen* pen);
    Brush* SelectObject(Brush* brush);
    // Memory contexts: draws into the bitmap from now on. Returns the bitmap
    // selected before (nullptr at first); a null or empty bitmap changes nothing
    // and returns nullptr.
    Bitmap* SelectObject(Bitmap* bitmap);
    // The font selected now (a stock font at first).
    Font* GetCurrentFont() const;

    // --- colours and modes
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode); // TRANSPARENT or OPAQUE; returns the previous mode
    int GetBkMode() const;

    // --- state: SaveDC returns the saved level (1, 2 ...); RestoreDC(-1)
    // restores the last level, RestoreDC(n) level n and drops the later ones.
    // Restoring a level that was not saved fails and changes nothing.
    int SaveDC();
    bool RestoreDC(int savedDc);

    // --- mapping: logical = device while the mode is MM_TEXT and the window origin is 0.
    int SetMapMode(int mode);
    Size SetWindowExt(int cx, int cy);
    Size SetViewportExt(int cx, int cy);
    Point SetWindowOrg(int x, int y);
    Point SetWindowOrg(Point p) { return SetWindowOrg(p.x, p.y); }
    Point OffsetWindowOrg(int dx, int dy);
    Point GetWindowOrg() const;
    void LPtoDP(Rect* rect) const;
    void DPtoLP(Rect* rect) const;

    // --- clip: the clip box is the smallest logical rectangle around what can
    // be painted (the device, a paint event's region, IntersectClipRect).
    int GetClipBox(Rect* rect) const;
    int IntersectClipRect(const Rect& rect);
    int IntersectClipRect(int l, int t, int r, int b) { return IntersectClipRect({l, t, r, b}); }
    // Drops the clip set with IntersectClipRect.
    void SelectClipRgnNone();

    // --- fills and frames (an empty or inverted rectangle paints nothing)
    // Fills with a colour and makes it the back colour, as the original does.
    void FillSolidRect(const Rect& rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FillRect(const Rect& rect, Brush* brush);
    // A one-pixel border inside rect in the brush's colour.
    void FrameRect(const Rect& rect, Brush* brush);
    // Outline with the pen inside rect, inside filled with the brush.
    bool Rectangle(const Rect& rect);
    bool Rectangle(int l, int t, int r, int b) { return Rectangle(Rect(l, t, r, b)); }
    // Dotted border inverted pixel by pixel: drawing it twice leaves no trace.
    void DrawFocusRect(const Rect& rect);
    // Sunken and raised borders in the system colours; BF_ADJUST shrinks
    // *rect by what was drawn, BF_MIDDLE fills the rest with the button face.
    bool DrawEdge(Rect* rect, UINT edge, UINT flags);
    // A scroll-bar button (DFC_SCROLL) with its arrow, inside rect.
    bool DrawFrameControl(Rect* rect, UINT type, UINT state);
    void InvertRect(const Rect& rect);
    // PATCOPY fills with the brush, DSTINVERT inverts, BLACKNESS/WHITENESS fill.
    bool PatBlt(int x, int y, int width, int height, unsigned long rop);
    // SRCCOPY from src (an image context) at (xSrc, ySrc), logical units of each.
    bool BitBlt(int x, int y, int width, int height, Dc* src, int xSrc, int ySrc,
                unsigned long rop);

    // --- lines: LineTo paints from the current position up to, not including,
    // the end point, which becomes the current position.
    Point MoveTo(int x, int y);
    Point MoveTo(Point p) { return MoveTo(p.x, p.y); }
    bool LineTo(int x, int y);
    bool LineTo(Point p) { return LineTo(p.x, p.y); }

    // --- text. Byte texts are Latin-1 and always come with their length in
    // bytes, so a record field is never read past its end: count bytes are
    // used as they are, NULs included; a negative count draws and measures
    // nothing. In OPAQUE mode the text's extent is filled with the back colour.
    bool TextOut(int x, int y, const char* text, int count);
    bool TextOut(int x, int y, const std::string& text);
    bool ExtTextOut(int x, int y, UINT options, const Rect* rect, const char* text, int count,
                    const int* dx = nullptr);
    bool ExtTextOut(int x, int y, UINT options, const Rect* rect, const std::string& text);
    // Tabs go to the next stop: every 8 average character widths from
    // tabOrigin without positions, every positions[0] with one, else the
    // given positions. Returns the extent drawn.
    Size TabbedTextOut(int x, int y, const char* text, int count, int nTabPositions,
                       const int* tabPositions, int tabOrigin);
    Size TabbedTextOut(int x, int y, const std::string& text, int nTabPositions,
                       const int* tabPositions, int tabOrigin);
    // Draws (or with DT_CALCRECT measures into *rect) formatted text; returns
    // the text's height (with DT_VCENTER or DT_BOTTOM the offset from the top
    // of the rectangle to the bottom of the text), 0 for a null rect.
    int DrawText(const char* text, int count, Rect* rect, UINT format);
    int DrawText(const std::string& text, Rect* rect, UINT format);
    // Width of exactly count bytes and the font's height.
    Size GetTextExtent(const char* text, int count) const;
    Size GetTextExtent(const std::string& text) const;
    bool GetTextMetrics(TextMetrics* metrics) const;

    // Draws a Qt image with its top-left corner at (x, y), in logical units,
    // blended by its alpha: the way bitmaps and image lists reach the device.
    void DrawQImage(int x, int y, const QImage& image);

    // --- device
    int GetDeviceCaps(int index) const;
    bool IsPrinting() const;
    void SetPrinting(bool printing);

    // --- printing (contexts on a QPrinter): StartDoc begins the job and
    // returns a positive job id, or a value <= 0 when it cannot begin.
    int StartDoc(const char* docName);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();

  protected:
    friend class DcText;
    friend class MemDc;
    struct Impl;
    // A context on an image it owns (a null image draws nothing).
    explicit Dc(std::unique_ptr<QImage> ownedImage);
    // A context that shares another one's device and state.
    explicit Dc(std::shared_ptr<Impl> shared);
    static std::shared_ptr<Impl> MakeImpl(std::unique_ptr<QImage> ownedImage);
    std::shared_ptr<Impl> d_;
};

} // namespace platform
