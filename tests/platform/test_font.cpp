#include "base/drawconstants.h"
#include "draw/font.h"
#include "draw/fontcache.h"
#include "draw/fontdesc.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>

#include <cstring>

using namespace platform;

namespace {

FontDesc Desc(int height, int weight, bool italic, const char* face) {
    FontDesc d;
    d.lfHeight = height;
    d.lfWeight = weight;
    d.lfItalic = italic ? 1 : 0;
    SetFaceName(d, face);
    return d;
}

TEST(FontTest, DescriptionsRoundTripThroughQtFonts) {
    struct RoundTrip {
        FontDesc desc;
        int pixelSize;
        int weight;
    };
    const RoundTrip cases[] = {
        {Desc(-12, FW_BOLD, true, "Arial"), 12, 700},
        {Desc(-10, FW_NORMAL, false, "Arial"), 10, 400},
        {Desc(-16, FW_DONTCARE, false, "DejaVu Sans"), 16, 400},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.desc.lfFaceName);
        QFont qf = ToQFont(c.desc);
        EXPECT_EQ(qf.pixelSize(), c.pixelSize);
        EXPECT_EQ(qf.weight(), c.weight);
        EXPECT_EQ(qf.italic(), c.desc.lfItalic != 0);
        EXPECT_EQ(qf.family(), QString::fromLatin1(c.desc.lfFaceName));
        // Whatever family the system substitutes, it is a real one.
        EXPECT_FALSE(QFontInfo(qf).family().isEmpty());

        FontDesc back = FromQFont(qf);
        EXPECT_EQ(back.lfHeight, c.desc.lfHeight);
        EXPECT_EQ(back.lfWeight, c.weight);
        EXPECT_EQ(back.lfItalic, c.desc.lfItalic);
        EXPECT_STREQ(back.lfFaceName, c.desc.lfFaceName);

        // A font object returns its description unchanged, all 60 bytes.
        Font font(c.desc);
        FontDesc got;
        EXPECT_EQ(font.GetLogFont(&got), 60);
        EXPECT_EQ(std::memcmp(&got, &c.desc, sizeof got), 0);
    }
}

TEST(FontTest, PositiveHeightsAreCellHeights) {
    for (int cell : {12, 16, 24}) {
        SCOPED_TRACE(cell);
        QFontMetrics fm(ToQFont(Desc(cell, FW_NORMAL, false, "Sans")));
        EXPECT_NEAR(fm.ascent() + fm.descent(), cell, 1);
    }
}

TEST(FontTest, FaceNamesAreBoundedAndUnknownFacesFallBack) {
    FontDesc d = Desc(-12, FW_NORMAL, false, nullptr);
    std::memset(d.lfFaceName, 'Q', LF_FACESIZE); // no terminator in the field
    QFont qf = ToQFont(d);
    EXPECT_EQ(qf.family(), QString(32, QChar('Q')));
    QFontMetrics fm(qf);
    EXPECT_GT(fm.height(), 0);
    EXPECT_GT(fm.horizontalAdvance(QStringLiteral("abc")), 0);

    SetFaceName(d, "A face name that is far longer than the thirty-one bytes");
    EXPECT_EQ(std::strlen(d.lfFaceName), LF_FACESIZE - 1);
}

TEST(FontTest, ObjectsReportWhetherTheyAreMade) {
    Font font;
    FontDesc d;
    EXPECT_EQ(font.GetLogFont(&d), 0);
    EXPECT_EQ(font.GetSafeHandle(), nullptr);
    EXPECT_FALSE(font.CreateFontIndirect(nullptr));
    EXPECT_TRUE(font.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                                OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, "Arial"));
    EXPECT_NE(font.GetSafeHandle(), nullptr);
    EXPECT_EQ(font.GetLogFont(nullptr), 0);
    EXPECT_TRUE(font.DeleteObject());
    EXPECT_FALSE(font.DeleteObject());
}

} // namespace

namespace {

TEST(FontCacheTest, OneFontPerDescriptionAndTheMessageFont) {
    FontDesc a = Desc(-11, FW_NORMAL, false, "Sans");
    FontDesc b = Desc(-11, FW_BOLD, false, "Sans");
    Font* fa = CachedFont(&a);
    ASSERT_NE(fa, nullptr);
    EXPECT_EQ(CachedFont(&a), fa);
    EXPECT_NE(CachedFont(&b), fa);
    EXPECT_EQ(CachedFont(nullptr), nullptr);
    EXPECT_EQ(fa->Desc(), a);

    FontDesc message;
    ASSERT_TRUE(GetMessageFont(&message));
    EXPECT_EQ(message, FromQFont(QApplication::font()));
    EXPECT_LT(message.lfHeight, 0);
    EXPECT_FALSE(GetMessageFont(nullptr));
}

} // namespace
