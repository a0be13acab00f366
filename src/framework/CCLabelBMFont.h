#pragma once
// A text node drawn from a bitmap font: one quad a glyph, laid out with the font's advances,
// offsets and kerning plus an optional tracking, over one or more lines, aligned left, centre or
// right, wrapped to a width when one is set.

#include <string>
#include <vector>

#include "framework/CCNodeRGBA.h"
#include "framework/CCRenderer.h"

namespace cocos2d {

class CCBMFontConfiguration;
class CCGLProgram;
class CCTexture2D;

enum CCTextAlignment {
    kCCTextAlignmentLeft,
    kCCTextAlignmentCenter,
    kCCTextAlignmentRight,
};

/// Width value meaning "as wide as the text".
constexpr float kCCLabelAutomaticWidth = -1.0f;

class CCLabelBMFont : public CCNodeRGBA {
public:
    /// A label showing `text` in the font `fntFile`; nullptr (and a log line) when the font or its
    /// picture cannot be read.
    static CCLabelBMFont* create(const char* text, const char* fntFile, float width = kCCLabelAutomaticWidth,
                                 CCTextAlignment alignment = kCCTextAlignmentLeft,
                                 CCPoint imageOffset = CCPointZero);
    /// An empty label with no font (shows nothing).
    static CCLabelBMFont* create();

    CCLabelBMFont();
    ~CCLabelBMFont() override;
    bool init() override;
    bool initWithString(const char* text, const char* fntFile, float width, CCTextAlignment alignment,
                        CCPoint imageOffset);

    /// Replaces the text (UTF-8; "\n" breaks lines) and lays it out again when it changed.
    virtual void setString(const char* text);
    void setString(const std::string& text) { setString(text.c_str()); }
    void setCString(const char* text) { setString(text); }
    const char* getString() const { return m_text.c_str(); }

    void setAlignment(CCTextAlignment alignment);
    CCTextAlignment getAlignment() const { return m_alignment; }
    /// Wraps lines to `width` points (kCCLabelAutomaticWidth: no wrapping).
    void setWidth(float width);
    float getWidth() const { return m_width; }
    /// Wraps at any character rather than only at spaces.
    void setLineBreakWithoutSpace(bool breakWithoutSpace);
    /// Extra points between neighbouring characters of a line (may be negative).
    void setTracking(int tracking);
    int getTracking() const { return m_tracking; }
    /// Switches to another font file; a font that cannot be read leaves the label as it was.
    void setFntFile(const char* fntFile);
    const std::string& getFntFile() const { return m_fntFile; }
    CCBMFontConfiguration* getConfiguration() const { return m_config; }
    CCTexture2D* getTexture() const { return m_texture; }

    void setBlendFunc(const ccBlendFunc& blend) { m_blendFunc = blend; }
    const ccBlendFunc& getBlendFunc() const { return m_blendFunc; }
    bool isOpacityModifyRGB() const override { return true; }

    /// How many glyph quads the text made.
    unsigned int glyphCount() const { return (unsigned int)m_glyphs.size(); }
    /// Glyph quad `i` in node space (for tests and hit boxes).
    const ccV3F_C4B_T2F_Quad& glyphQuad(unsigned int i) const { return m_glyphs[i]; }

    void draw() override;

private:
    void layout();

    CCBMFontConfiguration* m_config = nullptr;
    CCTexture2D* m_texture = nullptr;
    CCGLProgram* m_program = nullptr;
    ccBlendFunc m_blendFunc = kCCBlendFuncDefault;
    std::string m_fntFile;
    std::string m_text;
    CCTextAlignment m_alignment = kCCTextAlignmentLeft;
    float m_width = kCCLabelAutomaticWidth;
    bool m_lineBreakWithoutSpace = false;
    int m_tracking = 0;
    CCPoint m_imageOffset;
    std::vector<ccV3F_C4B_T2F_Quad> m_glyphs;
};

} // namespace cocos2d
