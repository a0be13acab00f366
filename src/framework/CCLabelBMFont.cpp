#include "framework/CCLabelBMFont.h"

#include <algorithm>
#include <cstring>

#include "framework/CCBMFontConfiguration.h"
#include "framework/CCShaderCache.h"
#include "framework/CCTexture2D.h"
#include "framework/CCTextureCache.h"
#include "framework/CCTransformStack.h"
#include "platform/DebugLog.h"

namespace cocos2d {

namespace {

/// Decodes UTF-8; a malformed byte becomes U+FFFD (which no font has) so nothing is misread.
std::u32string decodeUtf8(const std::string& s) {
    std::u32string out;
    out.reserve(s.size());
    size_t i = 0, n = s.size();
    while (i < n) {
        unsigned char c = (unsigned char)s[i];
        char32_t cp;
        int extra;
        if (c < 0x80) {
            cp = c;
            extra = 0;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            extra = 3;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n || ((unsigned char)s[i + k] & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | ((unsigned char)s[i + k] & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

} // namespace

CCLabelBMFont* CCLabelBMFont::create(const char* text, const char* fntFile, float width, CCTextAlignment alignment,
                                     CCPoint imageOffset) {
    CCLabelBMFont* label = new CCLabelBMFont();
    if (!label->initWithString(text, fntFile, width, alignment, imageOffset)) {
        delete label;
        return nullptr;
    }
    return static_cast<CCLabelBMFont*>(label->autorelease());
}

CCLabelBMFont* CCLabelBMFont::create() {
    CCLabelBMFont* label = new CCLabelBMFont();
    label->init();
    return static_cast<CCLabelBMFont*>(label->autorelease());
}

CCLabelBMFont::CCLabelBMFont() { m_glyphs.reserve(16); }

CCLabelBMFont::~CCLabelBMFont() {
    CC_SAFE_RELEASE(m_texture);
    CC_SAFE_RELEASE(m_config);
}

bool CCLabelBMFont::init() {
    if (!CCNodeRGBA::init()) return false;
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    setCascadeOpacityEnabled(true);
    setCascadeColorEnabled(true);
    m_program = CCShaderCache::sharedShaderCache()->programForKey(kCCShader_PositionTextureColor);
    return true;
}

bool CCLabelBMFont::initWithString(const char* text, const char* fntFile, float width, CCTextAlignment alignment,
                                   CCPoint imageOffset) {
    if (!init()) return false;
    CCBMFontConfiguration* config = FNTConfigLoadFile(fntFile);
    if (!config) return false;
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(config->getAtlasName().c_str());
    if (!texture) {
        qn::logLine("[CCLabelBMFont] font %s: cannot load its picture %s", fntFile, config->getAtlasName().c_str());
        return false;
    }
    config->retain();
    m_config = config;
    texture->retain();
    m_texture = texture;
    m_blendFunc = texture->defaultBlendFunc();
    m_fntFile = fntFile;
    m_width = width;
    m_alignment = alignment;
    m_imageOffset = imageOffset;
    m_text = text ? text : "";
    layout();
    return true;
}

void CCLabelBMFont::setString(const char* text) {
    std::string next = text ? text : "";
    if (next == m_text) return;
    m_text.swap(next);
    layout();
}

void CCLabelBMFont::setAlignment(CCTextAlignment alignment) {
    if (alignment == m_alignment) return;
    m_alignment = alignment;
    layout();
}

void CCLabelBMFont::setWidth(float width) {
    if (width == m_width) return;
    m_width = width;
    layout();
}

void CCLabelBMFont::setLineBreakWithoutSpace(bool breakWithoutSpace) {
    if (breakWithoutSpace == m_lineBreakWithoutSpace) return;
    m_lineBreakWithoutSpace = breakWithoutSpace;
    layout();
}

void CCLabelBMFont::setTracking(int tracking) {
    if (tracking == m_tracking) return;
    m_tracking = tracking;
    layout();
}

void CCLabelBMFont::setFntFile(const char* fntFile) {
    if (!fntFile || m_fntFile == fntFile) return;
    CCBMFontConfiguration* config = FNTConfigLoadFile(fntFile);
    if (!config) return;
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(config->getAtlasName().c_str());
    if (!texture) return;
    config->retain();
    CC_SAFE_RELEASE(m_config);
    m_config = config;
    texture->retain();
    CC_SAFE_RELEASE(m_texture);
    m_texture = texture;
    m_fntFile = fntFile;
    layout();
}

void CCLabelBMFont::layout() {
    m_glyphs.clear();
    if (!m_config || !m_texture) {
        setContentSize(CCSizeZero);
        return;
    }
    std::u32string chars = decodeUtf8(m_text);
    auto advance = [this](char32_t c) {
        const ccBMFontDef* def = m_config->glyph((unsigned int)c);
        return def ? (float)(def->xAdvance + m_tracking) : 0.0f;
    };
    if (m_width > 0.0f) {
        // Greedy wrapping: whole words (or single characters) go on the line while they fit.
        std::u32string out;
        out.reserve(chars.size() + 8);
        float lineWidth = 0.0f;
        size_t i = 0;
        while (i < chars.size()) {
            char32_t c = chars[i];
            if (c == U'\n') {
                out.push_back(c);
                lineWidth = 0.0f;
                ++i;
                continue;
            }
            if (m_lineBreakWithoutSpace) {
                float w = advance(c);
                if (lineWidth > 0.0f && lineWidth + w > m_width) {
                    out.push_back(U'\n');
                    lineWidth = 0.0f;
                    if (c == U' ') {
                        ++i;
                        continue;
                    }
                }
                out.push_back(c);
                lineWidth += w;
                ++i;
                continue;
            }
            if (c == U' ') {
                ++i;
                size_t end = i;
                while (end < chars.size() && chars[end] != U' ' && chars[end] != U'\n') ++end;
                float wordWidth = 0.0f;
                for (size_t k = i; k < end; ++k) wordWidth += advance(chars[k]);
                if (lineWidth > 0.0f && lineWidth + advance(U' ') + wordWidth > m_width) {
                    out.push_back(U'\n');
                    lineWidth = 0.0f;
                } else {
                    out.push_back(U' ');
                    lineWidth += advance(U' ');
                }
                continue;
            }
            size_t end = i;
            while (end < chars.size() && chars[end] != U' ' && chars[end] != U'\n') ++end;
            for (size_t k = i; k < end; ++k) {
                out.push_back(chars[k]);
                lineWidth += advance(chars[k]);
            }
            i = end;
        }
        chars.swap(out);
    }

    const float lineHeight = (float)m_config->getCommonHeight();
    const int lines = 1 + (int)std::count(chars.begin(), chars.end(), U'\n');
    const float totalHeight = lineHeight * lines;
    const float texW = (float)m_texture->getPixelsWide(), texH = (float)m_texture->getPixelsHigh();

    // First pass: place glyphs per line, remembering where each line starts and how wide it is.
    float penX = 0.0f, penY = totalHeight - lineHeight;
    float lineWidth = 0.0f, longest = 0.0f;
    bool lineFirst = true;
    char32_t prev = 0;
    size_t lineStart = 0;
    // Where each line's glyphs start and how wide the line is.
    std::vector<std::pair<size_t, float>> lineExtents;
    lineExtents.reserve((size_t)lines);
    auto closeLine = [&]() {
        lineExtents.emplace_back(lineStart, lineWidth);
        longest = std::max(longest, lineWidth);
        lineStart = m_glyphs.size();
        lineWidth = 0.0f;
        penX = 0.0f;
        lineFirst = true;
        prev = 0;
    };
    for (char32_t c : chars) {
        if (c == U'\n') {
            closeLine();
            penY -= lineHeight;
            continue;
        }
        const ccBMFontDef* def = m_config->glyph((unsigned int)c);
        if (!def) continue;
        int kerning = prev ? m_config->kerningAmount((unsigned int)prev, (unsigned int)c) : 0;
        if (!lineFirst) penX += (float)m_tracking;
        float left = penX + def->xOffset + kerning;
        float top = penY + lineHeight - def->yOffset;
        float right = left + def->rect.size.width;
        float bottom = top - def->rect.size.height;
        if (def->rect.size.width > 0.0f && def->rect.size.height > 0.0f) {
            ccV3F_C4B_T2F_Quad q;
            std::memset(&q, 0, sizeof q);
            float u0 = (def->rect.origin.x + m_imageOffset.x) / texW;
            float v0 = (def->rect.origin.y + m_imageOffset.y) / texH;
            float u1 = u0 + def->rect.size.width / texW;
            float v1 = v0 + def->rect.size.height / texH;
            q.bl = ccV3F_C4B_T2F{{left, bottom, 0.0f}, {255, 255, 255, 255}, {u0, v1}};
            q.br = ccV3F_C4B_T2F{{right, bottom, 0.0f}, {255, 255, 255, 255}, {u1, v1}};
            q.tl = ccV3F_C4B_T2F{{left, top, 0.0f}, {255, 255, 255, 255}, {u0, v0}};
            q.tr = ccV3F_C4B_T2F{{right, top, 0.0f}, {255, 255, 255, 255}, {u1, v0}};
            m_glyphs.push_back(q);
            lineWidth = std::max(lineWidth, right);
        }
        penX += (float)(def->xAdvance + kerning);
        lineWidth = std::max(lineWidth, penX);
        lineFirst = false;
        prev = c;
    }
    closeLine();

    float contentWidth = longest;
    if (m_width > 0.0f) contentWidth = std::max(contentWidth, m_width);
    if (m_alignment != kCCTextAlignmentLeft) {
        for (size_t l = 0; l < lineExtents.size(); ++l) {
            size_t begin = lineExtents[l].first;
            size_t end = l + 1 < lineExtents.size() ? lineExtents[l + 1].first : m_glyphs.size();
            float shift = contentWidth - lineExtents[l].second;
            if (m_alignment == kCCTextAlignmentCenter) shift /= 2.0f;
            for (size_t g = begin; g < end; ++g) {
                m_glyphs[g].bl.vertices.x += shift;
                m_glyphs[g].br.vertices.x += shift;
                m_glyphs[g].tl.vertices.x += shift;
                m_glyphs[g].tr.vertices.x += shift;
            }
        }
    }
    setContentSize(CCSize(contentWidth, totalHeight));
}

void CCLabelBMFont::draw() {
    if (m_glyphs.empty() || !m_texture) return;
    const CCAffineTransform& t = CCTransformStack::top();
    const ccColor3B& c = getDisplayedColor();
    GLubyte o = getDisplayedOpacity();
    ccColor4B color{(GLubyte)(c.r * o / 255), (GLubyte)(c.g * o / 255), (GLubyte)(c.b * o / 255), o};
    CCRenderer* renderer = CCRenderer::sharedRenderer();
    for (const ccV3F_C4B_T2F_Quad& local : m_glyphs) {
        ccV3F_C4B_T2F_Quad q = local;
        for (ccV3F_C4B_T2F* v : {&q.bl, &q.br, &q.tl, &q.tr}) {
            float x = v->vertices.x, y = v->vertices.y;
            v->vertices.x = t.a * x + t.c * y + t.tx;
            v->vertices.y = t.b * x + t.d * y + t.ty;
            v->colors = color;
        }
        renderer->drawQuad(q, m_texture, m_program, m_blendFunc);
    }
}

} // namespace cocos2d
