// Shortening a text to its cell with "...": expectations come from the
// drawing context's own extents in DejaVu Sans 12 px.
#include "draw/dc.h"
#include "draw/font.h"
#include "supergridctrl.h"
#include "base/text.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstring>
#include <string>

namespace {

class FitTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::FontDesc desc;
        desc.lfHeight = -12;
        std::strcpy(desc.lfFaceName, "DejaVu Sans");
        ASSERT_TRUE(font.CreateFontIndirect(&desc));
        dc.SelectObject(&font);
    }
    void TearDown() override { platform::SetLeadBytePredicate(nullptr); }

    int Extent(const std::string& text) const { return dc.GetTextExtent(text).cx; }
    // The longest prefix of at most n - 1 bytes that leaves room for the
    // dots, tried from the longest down; one byte when none does.
    std::string Prefix(const std::string& text, int width, int offset) const {
        const int dots = Extent("...");
        std::size_t k = text.size() - 1;
        while (k > 1 && offset + Extent(text.substr(0, k)) + dots >= width)
            --k;
        return text.substr(0, k);
    }
    std::string Fit(const std::string& text, int width, int offset) {
        return grid.FitTextToWidth(&dc, text, width, offset);
    }

    QImage image{10, 10, QImage::Format_RGB32};
    platform::Dc dc{&image};
    platform::Font font;
    CSuperGridCtrl grid;
};

TEST_F(FitTextTest, TextsAreKeptOrShortenedToTheirWidth) {
    const std::string name = "Channel Name 24";
    const int full = Extent(name);
    struct Case {
        const char* what;
        std::string text;
        int width;
        int offset;
        std::string expected;
    };
    const Case cases[] = {
        {"empty text", "", 0, 6, ""},
        {"exactly as wide", name, 6 + full, 6, name},
        {"wider than needed", name, 100 + full, 2, name},
        {"one pixel short", name, 6 + full - 1, 6, Prefix(name, 6 + full - 1, 6) + "..."},
        {"half the width", name, full / 2, 2, Prefix(name, full / 2, 2) + "..."},
        {"nothing fits", name, 0, 6, "C..."},
        {"one byte that does not fit", "W", 3, 2, "W..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string fitted = Fit(c.text, c.width, c.offset);
        EXPECT_EQ(fitted, c.expected);
        if (fitted != c.text && c.expected.size() > 4) {
            EXPECT_LT(c.offset + Extent(fitted.substr(0, fitted.size() - 3)) + Extent("..."),
                      c.width);
        }
    }
}

// 0xB0 to 0xBF lead a double-byte character here.
bool LeadB0(unsigned char byte) {
    return byte >= 0xB0 && byte <= 0xBF;
}

TEST_F(FitTextTest, AHalfDoubleByteCharacterIsDropped) {
    platform::SetLeadBytePredicate(&LeadB0);
    const int dots = Extent("...");
    // The width keeps the first k bytes: just room for them and the dots.
    const auto widthFor = [&](const std::string& text, std::size_t k) {
        return 2 + Extent(text.substr(0, k)) + dots + 1;
    };
    struct Case {
        const char* what;
        std::string text;
        std::size_t keep;
        std::string expected;
    };
    const Case cases[] = {
        {"ends in a lead byte", "ab\xB0\xA1xyz", 3, "ab..."},
        {"ends in a whole pair", "ab\xB0\xA1xyz", 4, "ab\xB0\xA1..."},
        {"ends in a trail byte from the lead range", "\xB0\xB3xyz", 2, "\xB0\xB3..."},
        {"ends in a lead byte after a pair", "\xB0\xB3\xB5xyz", 3, "\xB0\xB3..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_LT(Extent(c.text.substr(0, c.keep)), Extent(c.text.substr(0, c.keep + 1)));
        EXPECT_EQ(Fit(c.text, widthFor(c.text, c.keep), 2), c.expected);
    }
}

TEST_F(FitTextTest, EachResultIsItsOwn) {
    const std::string first = Fit("First long channel name", 40, 6);
    const std::string copy = first;
    const std::string second = Fit("Second long channel name", 40, 6);
    EXPECT_EQ(first, copy);
    EXPECT_NE(first, second);
    EXPECT_EQ(second.compare(0, 2, "Se"), 0);
}

} // namespace
