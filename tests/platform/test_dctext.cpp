// Text of the drawing context. Texts are drawn OPAQUE with the text colour
// equal to the back colour, so that only the filled extent shows and the
// pixels read back never depend on glyph shapes; every expected position comes
// from the context's own metrics.
#include "canvas.h"

#include "draw/dc.h"
#include "draw/font.h"
#include "draw/screendc.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include <cstring>
#include <memory>
#include <vector>

using namespace platform;
using namespace platformtest;

namespace {

// A canvas whose text shows as a red box of its extent.
struct TextCanvas : Canvas {
    TextCanvas() : Canvas(200, 60) {
        font.CreateFont(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Sans");
        dc->SelectObject(&font);
        dc->SetBkMode(OPAQUE);
        dc->SetBkColor(kRed);
        dc->SetTextColor(kRed);
    }
    // True when (x, y) is painted.
    bool Painted(int x, int y) const { return At(x, y) != kWhite; }
    Font font;
};

TEST(DcTextTest, DrawTextPlacesItsExtentByTheFormat) {
    const std::string blanks = "          ";
    TextCanvas probe;
    const Size ext = probe.dc->GetTextExtent(blanks);
    ASSERT_GT(ext.cx, 10);
    ASSERT_GT(ext.cy, 4);
    const Rect box(10, 5, 190, 55);
    struct AlignCase {
        const char* name;
        UINT format;
        int left, top; // where the extent must begin
    };
    const std::vector<AlignCase> cases = {
        {"left top", DT_LEFT | DT_SINGLELINE, box.left, box.top},
        {"centre", DT_CENTER | DT_SINGLELINE, (box.left + box.right - ext.cx) / 2, box.top},
        {"right", DT_RIGHT | DT_SINGLELINE, box.right - ext.cx, box.top},
        {"vertical centre", DT_VCENTER | DT_SINGLELINE, box.left,
         (box.top + box.bottom - ext.cy) / 2},
        {"bottom right", DT_BOTTOM | DT_RIGHT | DT_SINGLELINE, box.right - ext.cx,
         box.bottom - ext.cy},
    };
    for (const AlignCase& c : cases) {
        SCOPED_TRACE(c.name);
        TextCanvas canvas;
        Rect r = box;
        canvas.dc->DrawText(blanks, &r, c.format);
        EXPECT_EQ(r, box); // drawing leaves the rectangle as it was
        EXPECT_TRUE(canvas.Painted(c.left, c.top));
        EXPECT_TRUE(canvas.Painted(c.left + ext.cx - 1, c.top + ext.cy - 1));
        EXPECT_FALSE(canvas.Painted(c.left - 1, c.top));
        EXPECT_FALSE(canvas.Painted(c.left, c.top - 1));
        EXPECT_FALSE(canvas.Painted(c.left + ext.cx, c.top + ext.cy - 1));
        EXPECT_FALSE(canvas.Painted(c.left, c.top + ext.cy));
    }
}

TEST(DcTextTest, CalcRectMeasuresWithoutDrawing) {
    TextCanvas canvas;
    Dc& dc = *canvas.dc;
    const Size one = dc.GetTextExtent(std::string("abc def"));
    TextMetrics tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));

    Rect r(10, 10, 11, 11);
    EXPECT_EQ(dc.DrawText(std::string("abc def"), &r, DT_CALCRECT | DT_SINGLELINE), one.cy);
    EXPECT_EQ(r, Rect(10, 10, 10 + one.cx, 10 + one.cy));
    EXPECT_FALSE(canvas.Painted(12, 12));

    // Two lines from a line end, with and without the external leading.
    r = Rect(0, 0, 100, 0);
    EXPECT_EQ(dc.DrawText(std::string("abc\ndef"), &r, DT_CALCRECT), 2 * tm.tmHeight);
    r = Rect(0, 0, 100, 0);
    EXPECT_EQ(dc.DrawText(std::string("abc\ndef"), &r, DT_CALCRECT | DT_EXTERNALLEADING),
              2 * (tm.tmHeight + tm.tmExternalLeading));

    // Word breaks at the blank when the rectangle is narrower than the text.
    const Size word = dc.GetTextExtent(std::string("abc"));
    r = Rect(0, 0, one.cx - 1, 0);
    EXPECT_EQ(dc.DrawText(std::string("abc def"), &r, DT_CALCRECT | DT_WORDBREAK), 2 * tm.tmHeight);
    EXPECT_GE(r.Width(), word.cx);
    EXPECT_LT(r.Width(), one.cx);
}

TEST(DcTextTest, EndEllipsisKeepsTheTextInside) {
    const std::string longBlanks(60, ' ');
    const Rect box(10, 10, 60, 40);
    for (UINT ellipsis : {0u, DT_END_ELLIPSIS}) {
        SCOPED_TRACE(ellipsis);
        TextCanvas canvas;
        ASSERT_GT(canvas.dc->GetTextExtent(longBlanks).cx, box.Width());
        Rect r = box;
        canvas.dc->DrawText(longBlanks, &r, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX | ellipsis);
        EXPECT_TRUE(canvas.Painted(box.left, box.top));
        EXPECT_EQ(canvas.Painted(box.right, box.top), ellipsis == 0);
    }
    // Clipped to the rectangle without DT_NOCLIP.
    TextCanvas canvas;
    Rect r = box;
    canvas.dc->DrawText(longBlanks, &r, DT_SINGLELINE);
    EXPECT_TRUE(canvas.Painted(box.right - 1, box.top));
    EXPECT_FALSE(canvas.Painted(box.right, box.top));
}

TEST(DcTextTest, AmpersandsFollowThePrefixRule) {
    TextCanvas canvas;
    Dc& dc = *canvas.dc;
    const int shown = dc.GetTextExtent(std::string("a&b")).cx;
    const int literal = dc.GetTextExtent(std::string("a&&b")).cx;
    ASSERT_LT(shown, literal);
    struct PrefixCase {
        UINT format;
        int width;
    };
    for (const PrefixCase& c :
         {PrefixCase{DT_SINGLELINE, shown}, PrefixCase{DT_SINGLELINE | DT_NOPREFIX, literal}}) {
        SCOPED_TRACE(c.format);
        TextCanvas drawn;
        Rect r(0, 0, 200, 40);
        drawn.dc->DrawText(std::string("a&&b"), &r, c.format);
        EXPECT_TRUE(drawn.Painted(c.width - 1, 2));
        EXPECT_FALSE(drawn.Painted(c.width, 2));
        Rect calc(0, 0, 200, 40);
        drawn.dc->DrawText(std::string("a&&b"), &calc, c.format | DT_CALCRECT);
        EXPECT_EQ(calc.Width(), c.width);
    }
}

TEST(DcTextTest, PrefixUnderlinesTheMarkedCharacter) {
    // Transparent text: the underline is the one full row below the baseline.
    Font font;
    font.CreateFont(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Sans");
    const QFontMetrics fm(font.ToQFont(), nullptr);
    const int row = fm.ascent() + fm.underlinePos();
    const int left = fm.horizontalAdvance(QStringLiteral("a"));
    const int width = fm.horizontalAdvance(QStringLiteral("x"));
    ASSERT_GT(width, 2);
    for (UINT format : {0u, DT_NOPREFIX}) {
        SCOPED_TRACE(format);
        Canvas canvas(100, 40);
        canvas.dc->SelectObject(&font);
        canvas.dc->SetBkMode(TRANSPARENT);
        canvas.dc->SetTextColor(kBlue);
        Rect r(0, 0, 100, 40);
        canvas.dc->DrawText(std::string("a&x"), &r, DT_SINGLELINE | format);
        int underlined = 0;
        for (int x = left; x < left + width; ++x)
            underlined += canvas.At(x, row) == kBlue;
        if (format == 0)
            EXPECT_EQ(underlined, width);
        else
            EXPECT_LT(underlined, width);
    }
}

TEST(DcTextTest, ExtentsMeasureExactlyTheBytesGiven) {
    ScreenDc dc;
    // "...\0" is "..." and the advance of the NUL byte.
    const Size dots = dc.GetTextExtent("...", 3);
    const Size nul = dc.GetTextExtent(std::string(1, '\0'));
    EXPECT_EQ(dc.GetTextExtent("...\0", 4).cx, dots.cx + nul.cx);
    EXPECT_EQ(dc.GetTextExtent("...\0", 4).cy, dots.cy);

    // An unterminated 22-byte name: only its 22 bytes are read.
    char record[22];
    std::memset(record, 'W', sizeof record);
    EXPECT_EQ(dc.GetTextExtent(record, sizeof record).cx,
              dc.GetTextExtent(std::string(22, 'W')).cx);
    // A negative length measures and draws nothing.
    EXPECT_EQ(dc.GetTextExtent(record, -1), Size());
    EXPECT_FALSE(dc.TextOut(0, 0, record, -1));
    Rect r(0, 0, 10, 10);
    EXPECT_EQ(dc.DrawText(record, -1, &r, DT_SINGLELINE), 0);

    TextMetrics tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(dots.cy, tm.tmHeight);
    EXPECT_GT(tm.tmAveCharWidth, 0);
}

// Measures are kept per font and resolution: every font on every resolution
// must measure as the font itself does there, also once the kept measures
// have been let go and made again (more fonts than are kept, twice round).
TEST(DcTextTest, ExtentsAndMetricsAreThoseOfTheSelectedFontOnTheDevice) {
    struct FontCase {
        int height; // 0: the application's font in points, which the resolution scales
        int weight;
        unsigned char italic;
        const char* face;
    };
    const FontCase fonts[] = {
        {-14, FW_NORMAL, 0, "Sans"},  {-20, FW_BOLD, 0, "Sans"},      {-11, FW_NORMAL, 1, "Sans"},
        {-14, FW_NORMAL, 0, "Serif"}, {-30, FW_BOLD, 1, "Monospace"}, {0, FW_NORMAL, 0, "Sans"},
    };
    constexpr double kMetersPerInch = 0.0254;
    const std::string text = "Wij 0.9 \xC4\xE9\xFF&|";
    const QString latin1 = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    for (int round = 0; round < 2; ++round) {
        for (int dpi : {96, 144, 192}) {
            for (const FontCase& f : fonts) {
                SCOPED_TRACE(std::string(f.face) + " " + std::to_string(f.height) + " at " +
                             std::to_string(dpi) + " dpi, round " + std::to_string(round));
                QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
                image.setDotsPerMeterX(static_cast<int>(dpi / kMetersPerInch));
                image.setDotsPerMeterY(static_cast<int>(dpi / kMetersPerInch));
                Font font;
                if (f.height == 0) {
                    font.CreateFromQFont(QFont(QString::fromLatin1(f.face), 10));
                } else {
                    ASSERT_TRUE(font.CreateFont(f.height, 0, 0, 0, f.weight, f.italic, 0, 0,
                                                DEFAULT_CHARSET, 0, 0, 0, 0, f.face));
                }
                Dc dc(&image);
                dc.SelectObject(&font);
                const QFontMetrics reference(font.ToQFont(), &image);
                int width = 0;
                for (QChar c : latin1)
                    width += reference.horizontalAdvance(c);
                const Size extent = dc.GetTextExtent(text);
                EXPECT_EQ(extent.cx, width);
                EXPECT_EQ(extent.cy, reference.ascent() + reference.descent());
                TextMetrics tm;
                ASSERT_TRUE(dc.GetTextMetrics(&tm));
                EXPECT_EQ(tm.tmAscent, reference.ascent());
                EXPECT_EQ(tm.tmAveCharWidth, reference.averageCharWidth());
                EXPECT_EQ(tm.tmMaxCharWidth, reference.maxWidth());
                EXPECT_EQ(tm.tmWeight, font.ToQFont().weight());
                EXPECT_EQ(tm.tmItalic, f.italic);
            }
        }
    }
}

TEST(DcTextTest, TabsStopEveryEightAverageWidths) {
    TextCanvas canvas;
    Dc& dc = *canvas.dc;
    TextMetrics tm;
    dc.GetTextMetrics(&tm);
    const int stop = 8 * tm.tmAveCharWidth;
    const int a = dc.GetTextExtent(std::string("a")).cx;
    const int b = dc.GetTextExtent(std::string("b")).cx;
    ASSERT_LT(10 + a, stop);
    struct TabCase {
        const char* name;
        int x, origin;
        int nPositions;
        std::vector<int> positions;
        int extent; // x + extent is the end of "a\tb"
    };
    const std::vector<TabCase> cases = {
        {"default stops from origin 0", 10, 0, 0, {}, stop + b - 10},
        {"default stops from the start", 10, 10, 0, {}, stop + b},
        {"one spacing", 0, 0, 1, {50}, 50 + b},
        {"given positions", 0, 0, 2, {a / 2, 70}, 70 + b},
    };
    for (const TabCase& c : cases) {
        SCOPED_TRACE(c.name);
        TextCanvas drawn;
        Size size =
            drawn.dc->TabbedTextOut(c.x, 5, std::string("a\tb"), c.nPositions,
                                    c.positions.empty() ? nullptr : c.positions.data(), c.origin);
        EXPECT_EQ(size.cx, c.extent);
        EXPECT_EQ(size.cy, tm.tmHeight);
        // Opaque: the gap before the stop is filled too.
        EXPECT_TRUE(drawn.Painted(c.x + a + 1, 6));
        EXPECT_TRUE(drawn.Painted(c.x + c.extent - 1, 6));
        EXPECT_FALSE(drawn.Painted(c.x + c.extent, 6));
    }
}

TEST(DcTextTest, ExtTextOutFillsItsRectangle) {
    TextCanvas canvas;
    Rect r(5, 5, 30, 20);
    canvas.dc->SetBkColor(kGreen);
    EXPECT_TRUE(canvas.dc->ExtTextOut(0, 0, ETO_OPAQUE, &r, nullptr, 0));
    EXPECT_EQ(canvas.At(5, 5), kGreen);
    EXPECT_EQ(canvas.At(29, 19), kGreen);
    EXPECT_EQ(canvas.At(30, 20), kWhite);
}

} // namespace

namespace {

TEST(DcTextTest, SelectedFontsAreCopiedAndUnmadeOnesRefused) {
    TextCanvas canvas;
    Dc& dc = *canvas.dc;
    Font unmade;
    EXPECT_EQ(dc.SelectObject(&unmade), nullptr);
    EXPECT_EQ(dc.GetCurrentFont(), &canvas.font);
    const Size before = dc.GetTextExtent(std::string("abc"));

    auto big = std::make_unique<Font>();
    big->CreateFont(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Sans");
    EXPECT_EQ(dc.SelectObject(big.get()), &canvas.font);
    const Size large = dc.GetTextExtent(std::string("abc"));
    EXPECT_GT(large.cy, before.cy);
    big.reset(); // the context keeps drawing with what was selected
    EXPECT_EQ(dc.GetTextExtent(std::string("abc")), large);
    dc.SelectObject(&canvas.font);
    EXPECT_EQ(dc.GetTextExtent(std::string("abc")), before);
}

} // namespace
