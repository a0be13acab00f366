#pragma once
// A bitmap font read from a text-format AngelCode .fnt file: line metrics, the page picture, the
// glyph rectangles and advances, and kerning pairs. Parsed fonts are shared by path.

#include <cstdint>
#include <string>
#include <unordered_map>

#include "framework/CCGeometry.h"
#include "framework/CCObject.h"

namespace cocos2d {

/// One glyph: its rectangle in the page picture, where it sits relative to the pen and the cursor
/// top, and how far the pen moves after it.
struct ccBMFontDef {
    unsigned int charID = 0;
    CCRect rect;
    int xOffset = 0;
    int yOffset = 0;
    int xAdvance = 0;
};

/// Font-wide numbers of the "common" and "info" lines.
struct ccBMFontPadding {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class CCBMFontConfiguration : public CCObject {
public:
    /// The parsed font of `fntFile` (autoreleased), or nullptr with a log line when the file is
    /// missing or malformed.
    static CCBMFontConfiguration* create(const char* fntFile);

    /// Parses .fnt text; `directory` (ending in '/', or empty) resolves the page file. On failure
    /// returns false and puts the reason in `error`.
    bool initWithText(const std::string& text, const std::string& directory, std::string* error);

    /// The glyph of `charID`, or nullptr.
    const ccBMFontDef* glyph(unsigned int charID) const;
    /// Extra pen movement between `first` and `second` (0 without a kerning pair).
    int kerningAmount(unsigned int first, unsigned int second) const;

    int getCommonHeight() const { return m_commonHeight; }
    int getBase() const { return m_base; }
    /// The page-0 picture path (relative to the working directory).
    const std::string& getAtlasName() const { return m_atlasName; }
    const std::string& getFaceName() const { return m_faceName; }
    int getFontSize() const { return m_fontSize; }
    const ccBMFontPadding& getPadding() const { return m_padding; }
    unsigned int glyphCount() const { return (unsigned int)m_glyphs.size(); }
    unsigned int kerningCount() const { return (unsigned int)m_kerning.size(); }

private:
    std::unordered_map<unsigned int, ccBMFontDef> m_glyphs;
    std::unordered_map<uint64_t, int> m_kerning;
    std::string m_atlasName;
    std::string m_faceName;
    ccBMFontPadding m_padding;
    int m_commonHeight = 0;
    int m_base = 0;
    int m_fontSize = 0;
};

/// The shared parsed font of `fntFile` (parsed on first use); nullptr when it cannot be read.
CCBMFontConfiguration* FNTConfigLoadFile(const char* fntFile);
/// Forgets every shared font.
void FNTConfigRemoveCache();

} // namespace cocos2d
