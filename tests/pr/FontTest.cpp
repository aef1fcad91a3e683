#include "pr/Font.h"
#include "ph/Pointer.h"
#include "pr/FontDescription.h"
#include "pr/FontRegistry.h"
#include "pr/SystemFont.h"
#include "tests/support/FakeRenderer.h"
#include "tests/support/RecordingEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

class FontTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::RecordingEngine::makeCurrent(&engine); }
    void TearDown() override {
        renderer->release();
        testsupport::RecordingEngine::makeCurrent(nullptr);
    }

    ph::Pointer<pr::Font> fontFrom(const std::string& description) {
        ph::Pointer<testsupport::FakeTexture> texture =
            ph::adopt(new testsupport::FakeTexture(256, 256));
        return ph::adopt(new pr::Font("test.fnt", texture.get(), description));
    }

    int glyphCount(const pr::Font& font) {
        int count = 0;
        for (int code = 0; code < 256; ++code) {
            count += font.Letter(static_cast<unsigned char>(code)) != nullptr;
        }
        return count;
    }

    bool logged(const std::string& line) {
        return std::find(engine.calls.begin(), engine.calls.end(),
                         "System_WriteLog(" + line + ")") != engine.calls.end();
    }

    testsupport::RecordingEngine engine;
    testsupport::FakeRenderer* renderer = new testsupport::FakeRenderer();
};

// --- Description lines ------------------------------------------------------

TEST_F(FontTest, CharLinesDefineGlyphsOrNothing) {
    const std::string longTail(300, ' ');
    struct Case {
        const char* what;
        std::string text;
        int code; // -1: the description defines no glyph at all
    };
    const Case cases[] = {
        {"HexadecimalCode", "[BITMAPFONT]\nChar=41,1,2,3,4,5,6\n", 'A'},
        {"QuotedCharacter", "[BITMAPFONT]\nChar=\"A\",1,2,3,4,5,6\n", 'A'},
        {"LowerCaseHex", "[BITMAPFONT]\nChar=6a,1,2,3,4,5,6", 'j'},
        {"QuotedQuote", "[BITMAPFONT]\nChar=\"\"\",1,2,3,4,5,6", '"'},
        {"BlanksAroundCommasAndEquals", "[BITMAPFONT]\nChar =  41 , 1 ,2, 3 , 4,5 , 6", 'A'},
        {"CrLfAndEmptyLines", "[BITMAPFONT]\r\n\r\n\r\nChar=41,1,2,3,4,5,6\r\n", 'A'},
        {"OtherLinesIgnored", "[BITMAPFONT]\n; comment\nSize=12\nChar=41,1,2,3,4,5,6", 'A'},
        {"TailOfAnOverLongLineIsCut", "[BITMAPFONT]\nChar=41,1,2,3,4,5,6" + longTail + "x", 'A'},
        {"Code100IsAbove255", "[BITMAPFONT]\nChar=100,1,2,3,4,5,6\n", -1},
        {"HugeHexCodeDoesNotWrap", "[BITMAPFONT]\nChar=10000000041,1,2,3,4,5,6\n", -1},
        {"NumbersBeyondTheLineLimitAreLost", "[BITMAPFONT]\nChar=41" + longTail + ",1,2,3,4,5,6",
         -1},
        {"TooFewNumbers", "[BITMAPFONT]\nChar=41,1,2,3,4,5\n", -1},
        {"NoEquals", "[BITMAPFONT]\nChar 41,1,2,3,4,5,6\n", -1},
        {"QuoteAtTheEnd", "[BITMAPFONT]\nChar=\"", -1},
        {"CharacterWithoutClosingQuote", "[BITMAPFONT]\nChar=\"A", -1},
        // Lines cut at the limit end right after the quote or the character.
        {"QuoteAtTheLineLimit", "[BITMAPFONT]\nChar" + std::string(249, ' ') + "=\"", -1},
        {"CharacterAtTheLineLimit",
         "[BITMAPFONT]\nChar" + std::string(248, ' ') + "=\"A\",1,2,3,4,5,6", -1},
        {"HeaderFollowedByABlankIsRejected", "[BITMAPFONT] \nChar=41,1,2,3,4,5,6\n", -1},
        {"HeaderInLowerCaseIsRejected", "[bitmapfont]\nChar=41,1,2,3,4,5,6\n", -1},
        {"EmptyText", "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ph::Pointer<pr::Font> font = fontFrom(c.text);
        if (c.code < 0) {
            EXPECT_EQ(glyphCount(*font), 0);
            continue;
        }
        EXPECT_EQ(glyphCount(*font), 1);
        const pr::Sprite* glyph = font->Letter(static_cast<unsigned char>(c.code));
        ASSERT_NE(glyph, nullptr);
        EXPECT_EQ(glyph->SourceX(), 1.0f);
        EXPECT_EQ(glyph->SourceY(), 2.0f);
        EXPECT_EQ(glyph->Width(), 3.0f);
        EXPECT_EQ(glyph->Height(), 4.0f);
        EXPECT_EQ(font->Pre(static_cast<unsigned char>(c.code)), 5.0f);
        EXPECT_EQ(font->Post(static_cast<unsigned char>(c.code)), 6.0f);
        EXPECT_EQ(font->Height(), 4.0f);
    }
}

TEST_F(FontTest, WrongFirstLineIsLoggedWithTheFontName) {
    fontFrom("[BITMAPFONT] \nChar=41,1,2,3,4,5,6\n");
    EXPECT_TRUE(logged("Font test.fnt has incorrect format."));
}

TEST_F(FontTest, BlankLineAfterTheHeaderIsSkipped) {
    EXPECT_EQ(glyphCount(*fontFrom("[BITMAPFONT]\n\nChar=41,1,2,3,4,5,6\n")), 1);
    EXPECT_FALSE(logged("Font test.fnt has incorrect format."));
}

TEST_F(FontTest, LaterLineForTheSameCodeWins) {
    ph::Pointer<pr::Font> font =
        fontFrom("[BITMAPFONT]\nChar=41,1,2,3,4,5,6\nChar=\"A\",9,9,9,9,0,0");
    EXPECT_EQ(font->Letter('A')->SourceX(), 9.0f);
}

// --- Image files --------------------------------------------------------------

TEST(FontBitmapPath, ReplacesTheFileNameOfTheDescription) {
    struct Case {
        const char* description;
        const char* word;
        const char* expected;
    };
    const Case cases[] = {
        {"fonts\\big.fnt", "big.png", "fonts\\big.png"},
        {"data/fonts/a.fnt", "b.png", "data/fonts/b.png"},
        {"a\\b/c.fnt", "x.png", "a\\x.png"}, // a backslash wins over a later slash
        {"plain.fnt", "x.png", "x.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        EXPECT_EQ(pr::bitmapPath(c.description, c.word), c.expected);
    }
}

TEST_F(FontTest, FileFontTakesItsImageBesideTheDescription) {
    engine.files["fonts/big.fnt"] = "[BITMAPFONT]\nBitmap = big.png\nChar=41,0,0,10,20,0,0\n";
    renderer->imageFiles.insert("fonts/big.png");
    ph::Pointer<pr::Font> font = ph::adopt(new pr::Font("fonts/big.fnt"));
    EXPECT_EQ(renderer->calls,
              (std::vector<std::string>{"CreateTextureFromFile(fonts/big.png, 0)"}));
    ASSERT_NE(font->GetTexture(), nullptr);
    ASSERT_NE(font->Letter('A'), nullptr);
    EXPECT_EQ(font->Letter('A')->GetTexture(), font->GetTexture());
}

TEST_F(FontTest, MissingImageEndsLoadingWithTheGlyphsReadBefore) {
    engine.files["f.fnt"] = "[BITMAPFONT]\nChar=41,0,0,10,20,0,0\nBitmap=gone.png\n"
                            "Char=42,0,0,10,20,0,0\n";
    ph::Pointer<pr::Font> font = ph::adopt(new pr::Font("f.fnt"));
    EXPECT_NE(font->Letter('A'), nullptr);
    EXPECT_EQ(font->Letter('B'), nullptr);
    EXPECT_EQ(font->GetTexture(), nullptr);
}

TEST_F(FontTest, OverLongImagePathIsRefused) {
    const std::string folder(250, 'd');
    engine.files[folder + "/f.fnt"] = "[BITMAPFONT]\nBitmap = image-with-a-long-name.png\n"
                                      "Char=41,0,0,10,20,0,0\n";
    ph::Pointer<pr::Font> font = ph::adopt(new pr::Font(folder + "/f.fnt"));
    EXPECT_TRUE(renderer->calls.empty());
    EXPECT_EQ(glyphCount(*font), 0);
    EXPECT_TRUE(logged("Font " + folder + "/f.fnt: image path too long."));
}

TEST_F(FontTest, MemoryFontIgnoresBitmapLines) {
    ph::Pointer<pr::Font> font = fontFrom("[BITMAPFONT]\nBitmap = other.png\nChar=41,0,0,1,1,0,0");
    EXPECT_TRUE(renderer->calls.empty());
    EXPECT_NE(font->Letter('A'), nullptr);
}

TEST_F(FontTest, MissingDescriptionLeavesAFontWithoutGlyphsAndHoldsOneEngineReference) {
    pr::Font* font = new pr::Font("nowhere.fnt");
    EXPECT_EQ(glyphCount(*font), 0);
    EXPECT_EQ(engine.acquires, 1);
    font->release();
    EXPECT_EQ(engine.releases, 1);
}

// --- Layout with the system font ------------------------------------------------

class SystemFontTest : public FontTest {
protected:
    void SetUp() override {
        FontTest::SetUp();
        registry = new pr::FontRegistry();
        font = registry->GetFont("SystemFont");
    }
    void TearDown() override {
        delete registry;
        FontTest::TearDown();
    }

    // x of the left edges of the glyphs drawn since the last call.
    std::vector<const EngineQuad*> drawnQuads() {
        std::vector<const EngineQuad*> quads;
        for (size_t i = seen; i < engine.quads.size(); ++i) {
            quads.push_back(&engine.quads[i]);
        }
        seen = engine.quads.size();
        return quads;
    }

    float width(char c) { return font->Letter(static_cast<unsigned char>(c))->Width(); }

    pr::FontRegistry* registry = nullptr;
    pr::Font* font = nullptr;
    size_t seen = 0;
};

TEST_F(SystemFontTest, StringWidthOfAbIsBothWidthsMinusTheBearings) {
    EXPECT_EQ(font->StringWidth("ab"), width('a') + width('b') - 4);
    EXPECT_EQ(font->StringWidth("ab\nlonger line"), font->StringWidth("ab"));
    font->SetScale(2.0f);
    font->SetProportion(0.5f);
    font->SetTracking(3.0f);
    EXPECT_EQ(font->StringWidth("ab"), width('a') + width('b') - 4 + 6);
}

TEST_F(SystemFontTest, RightAlignmentAlignsEachLineOnItsOwn) {
    font->Render(300, 40, pr::AlignRight, "ab\nlonger");
    std::vector<const EngineQuad*> quads = drawnQuads();
    ASSERT_EQ(quads.size(), 8u);
    // Each line ends at x = 300: its last glyph's right edge is 300 - post.
    EXPECT_FLOAT_EQ(quads[1]->v[1].x, 300.0f - font->Post('b'));
    EXPECT_FLOAT_EQ(quads[7]->v[1].x, 300.0f - font->Post('r'));
    EXPECT_FLOAT_EQ(quads[0]->v[0].y, 40.0f);
    EXPECT_FLOAT_EQ(quads[2]->v[0].y, 40.0f + font->Height());
}

TEST_F(SystemFontTest, LeftAndCentredLinesStartWhereTheAlignmentSays) {
    struct Case {
        const char* what;
        int alignment;
        float start;
    };
    const float w = font->StringWidth("abc");
    const Case cases[] = {
        {"Left", pr::AlignLeft, 100.0f},
        {"Centred", pr::AlignCentre, 100.0f - float(int(w)) * 0.5f},
        {"HighBitsIgnored", pr::AlignLeft | 0x10, 100.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(font->Render(100, 0, c.alignment, "abc"));
        std::vector<const EngineQuad*> quads = drawnQuads();
        ASSERT_EQ(quads.size(), 3u);
        EXPECT_FLOAT_EQ(quads[0]->v[0].x, c.start + font->Pre('a'));
    }
}

TEST_F(SystemFontTest, CharacterWithoutGlyphIsDrawnAsQuestionMark) {
    pr::Font& f = *font;
    font->Render(0, 0, pr::AlignLeft, "\x01?");
    std::vector<const EngineQuad*> quads = drawnQuads();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(quads[0]->v[0].tu, quads[1]->v[0].tu);
    EXPECT_EQ(quads[0]->v[0].tv, quads[1]->v[0].tv);
    EXPECT_EQ(f.StringWidth("\x01"), f.StringWidth("?"));
}

TEST_F(FontTest, CharacterWithoutGlyphOrQuestionMarkIsSkipped) {
    ph::Pointer<pr::Font> font = fontFrom("[BITMAPFONT]\nChar=41,0,0,10,20,0,0");
    font->Render(0, 0, pr::AlignLeft,
                 "\x01"
                 "A");
    ASSERT_EQ(engine.quads.size(), 1u);
    EXPECT_EQ(engine.quads[0].v[0].x, 0.0f);
    EXPECT_EQ(font->StringWidth("\x01"
                                "A"),
              10.0f);
}

TEST_F(SystemFontTest, SetColorColoursEveryGlyphDrawn) {
    font->SetColor(0xFF00CC00);
    font->Render(0, 0, pr::AlignLeft, "Hi!");
    for (const EngineQuad* quad : drawnQuads()) {
        for (const EngineVertex& vertex : quad->v) {
            EXPECT_EQ(vertex.colour, 0xFF00CC00u);
        }
    }
}

TEST_F(SystemFontTest, PrintfFormatsAndCutsAt1023Characters) {
    font->Printf(0, 0, pr::AlignLeft, "%d%s", 42, "!");
    EXPECT_EQ(drawnQuads().size(), 3u);
    const std::string longText(2000, 'x');
    font->Printf(0, 0, pr::AlignLeft, "%s", longText.c_str());
    EXPECT_EQ(drawnQuads().size(), 1023u);
}

TEST_F(SystemFontTest, ScaledGlyphsAdvanceByScaleAndProportion) {
    font->SetScale(0.5f);
    font->SetProportion(2.0f);
    font->Render(0, 0, pr::AlignLeft, "ab");
    std::vector<const EngineQuad*> quads = drawnQuads();
    ASSERT_EQ(quads.size(), 2u);
    // Horizontal scale 0.5 x 2 = 1, vertical 0.5.
    EXPECT_FLOAT_EQ(quads[0]->v[1].x - quads[0]->v[0].x, width('a'));
    EXPECT_FLOAT_EQ(quads[0]->v[3].y - quads[0]->v[0].y, font->Height() * 0.5f);
    EXPECT_FLOAT_EQ(quads[1]->v[0].x, width('a') - 3.0f); // pre, post and pre of -1
}

// --- Registry and the built-in font --------------------------------------------------

TEST_F(SystemFontTest, RegistryMakesTheSystemFontFromTheBuiltInImageWithoutMipmaps) {
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(renderer->calls.size(), 1u);
    EXPECT_EQ(renderer->calls[0].rfind("CreateTextureFromMemory(", 0), 0u);
    EXPECT_EQ(renderer->calls[0].substr(renderer->calls[0].size() - 4), ", 0)");
    EXPECT_EQ(registry->GetFont("SystemFont"), font);
    EXPECT_NE(registry->GetFont("systemfont"), font); // names are case-sensitive
}

TEST_F(SystemFontTest, BuiltInDescriptionDefinesCodes32To255On32PixelCellsInsideTheSheet) {
    EXPECT_EQ(glyphCount(*font), 224);
    EXPECT_EQ(font->Height(), 32.0f);
    std::vector<std::pair<int, int>> rowsSeen;
    for (int code = 32; code < 256; ++code) {
        SCOPED_TRACE(code);
        const pr::Sprite* glyph = font->Letter(static_cast<unsigned char>(code));
        ASSERT_NE(glyph, nullptr);
        EXPECT_EQ(glyph->Height(), 32.0f);
        EXPECT_GE(glyph->Width(), 10.0f);
        EXPECT_LE(glyph->Width(), 32.0f);
        EXPECT_EQ(font->Pre(static_cast<unsigned char>(code)), -1.0f);
        EXPECT_EQ(font->Post(static_cast<unsigned char>(code)), -1.0f);
        EXPECT_LE(glyph->SourceX() + glyph->Width(), 512.0f);
        EXPECT_LE(glyph->SourceY() + glyph->Height(), 512.0f);
        if (code > 32) { // packed left to right, rows from y = 1
            const pr::Sprite* before = font->Letter(static_cast<unsigned char>(code - 1));
            const bool sameRow = glyph->SourceY() == before->SourceY();
            EXPECT_TRUE(sameRow ? glyph->SourceX() > before->SourceX() + before->Width() - 1
                                : glyph->SourceY() >= before->SourceY() + 32);
        }
    }
    EXPECT_EQ(font->Letter(' ')->SourceX(), 1.0f);
    EXPECT_EQ(font->Letter(' ')->SourceY(), 1.0f);
    EXPECT_EQ(font->Letter(31), nullptr);
}

TEST_F(FontTest, RegistryLoadsAnUnknownFontOnceEvenWhenLoadingFails) {
    pr::FontRegistry registry;
    pr::Font* missing = registry.GetFont("missing.fnt");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(glyphCount(*missing), 0);
    EXPECT_EQ(registry.GetFont("missing.fnt"), missing);
    EXPECT_EQ(std::count(engine.calls.begin(), engine.calls.end(), "Data_LoadFile(missing.fnt)"),
              1);
}

TEST_F(FontTest, ClearingTheRegistryReleasesEveryFontAndItsEngineReference) {
    {
        pr::FontRegistry registry;
        registry.GetFont("a.fnt");
        registry.GetFont("b.fnt");
        registry.Clear();
        EXPECT_EQ(engine.releases, engine.acquires - 0);
    }
    EXPECT_EQ(engine.releases, engine.acquires);
}

TEST_F(FontTest, WithoutRendererTheSystemFontHasGlyphsButNoTexture) {
    renderer->release();
    renderer = new testsupport::FakeRenderer();
    renderer->acceptImages = false;
    pr::FontRegistry registry;
    pr::Font* font = registry.GetFont("SystemFont");
    EXPECT_EQ(font->GetTexture(), nullptr);
    EXPECT_EQ(glyphCount(*font), 224);
}

} // namespace
