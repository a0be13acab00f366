#include "framework/CCSpriteFrameCache.h"

#include <cmath>

#include "framework/CCArray.h"
#include "framework/CCDictionary.h"
#include "framework/CCString.h"
#include "framework/CCTexture2D.h"
#include "framework/CCTextureCache.h"
#include "platform/DebugLog.h"

namespace cocos2d {

namespace {

CCSpriteFrameCache* g_sharedCache = nullptr;

std::string directoryOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool finite(float v) { return std::isfinite(v); }

bool saneRect(const CCRect& r) {
    return finite(r.origin.x) && finite(r.origin.y) && finite(r.size.width) && finite(r.size.height) &&
           r.size.width > 0.0f && r.size.height > 0.0f;
}

float number(CCDictionary* d, const char* key) { return d->valueForKey(key)->floatValue(); }

std::string textureFileFor(const std::string& plist, CCDictionary* root) {
    if (auto metadata = dynamic_cast<CCDictionary*>(root->objectForKey("metadata"))) {
        std::string name = metadata->valueForKey("textureFileName")->getCString();
        if (!name.empty()) return name[0] == '/' ? name : directoryOf(plist) + name;
    }
    size_t dot = plist.find_last_of('.');
    size_t slash = plist.find_last_of('/');
    std::string stem = (dot == std::string::npos || (slash != std::string::npos && dot < slash))
                           ? plist
                           : plist.substr(0, dot);
    return stem + ".png";
}

} // namespace

CCSpriteFrameCache* CCSpriteFrameCache::sharedSpriteFrameCache() {
    if (!g_sharedCache) g_sharedCache = new CCSpriteFrameCache();
    return g_sharedCache;
}

void CCSpriteFrameCache::purgeSharedSpriteFrameCache() {
    delete g_sharedCache;
    g_sharedCache = nullptr;
}

CCSpriteFrameCache::~CCSpriteFrameCache() { removeSpriteFrames(); }

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* plist) { addSpriteFramesWithFile(plist, nullptr); }

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* plist, const char* textureFileName) {
    if (!plist || !*plist) return;
    if (m_loadedFiles.count(plist)) return;
    CCDictionary* root = CCDictionary::createWithContentsOfFile(plist);
    if (!root) {
        qn::logLine("[CCSpriteFrameCache] cannot read sprite sheet %s", plist);
        return;
    }
    std::string texturePath = textureFileName ? std::string(textureFileName) : textureFileFor(plist, root);
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(texturePath.c_str());
    if (!texture) {
        qn::logLine("[CCSpriteFrameCache] cannot load texture %s of sprite sheet %s", texturePath.c_str(), plist);
        return;
    }
    addSpriteFramesWithDictionary(root, texture);
    m_loadedFiles.insert(plist);
}

void CCSpriteFrameCache::addSpriteFramesWithDictionary(CCDictionary* root, CCTexture2D* texture) {
    if (!root || !texture) return;
    auto frames = dynamic_cast<CCDictionary*>(root->objectForKey("frames"));
    if (!frames) {
        qn::logLine("[CCSpriteFrameCache] sprite sheet has no frames dictionary");
        return;
    }
    int format = 0;
    if (auto metadata = dynamic_cast<CCDictionary*>(root->objectForKey("metadata")))
        format = metadata->valueForKey("format")->intValue();
    if (format < 0 || format > 3) {
        qn::logLine("[CCSpriteFrameCache] unsupported sprite sheet format %d", format);
        return;
    }
    CCDictElement* element = nullptr;
    CCDICT_FOREACH(frames, element) {
        auto d = dynamic_cast<CCDictionary*>(element->getObject());
        if (!d) continue;
        const char* name = element->getStrKey();
        CCRect rect;
        CCPoint offset;
        CCSize original;
        bool rotated = false;
        if (format == 0) {
            rect = CCRect(number(d, "x"), number(d, "y"), number(d, "width"), number(d, "height"));
            offset = CCPoint(number(d, "offsetX"), number(d, "offsetY"));
            original = CCSize(std::fabs(number(d, "originalWidth")), std::fabs(number(d, "originalHeight")));
        } else if (format == 1 || format == 2) {
            rect = CCRectFromString(d->valueForKey("frame")->getCString());
            if (format == 2) rotated = d->valueForKey("rotated")->boolValue();
            offset = CCPointFromString(d->valueForKey("offset")->getCString());
            original = CCSizeFromString(d->valueForKey("sourceSize")->getCString());
        } else {
            CCSize size = CCSizeFromString(d->valueForKey("spriteSize")->getCString());
            CCRect textureRect = CCRectFromString(d->valueForKey("textureRect")->getCString());
            rect = CCRect(textureRect.origin.x, textureRect.origin.y, size.width, size.height);
            rotated = d->valueForKey("textureRotated")->boolValue();
            offset = CCPointFromString(d->valueForKey("spriteOffset")->getCString());
            original = CCSizeFromString(d->valueForKey("spriteSourceSize")->getCString());
            if (auto aliases = dynamic_cast<CCArray*>(d->objectForKey("aliases"))) {
                CCObject* alias = nullptr;
                CCARRAY_FOREACH(aliases, alias) {
                    if (auto text = dynamic_cast<CCString*>(alias)) m_aliases[text->getCString()] = name;
                }
            }
        }
        if (!saneRect(rect)) {
            qn::logLine("[CCSpriteFrameCache] frame %s has a bad rectangle; skipped", name);
            continue;
        }
        if (!finite(offset.x) || !finite(offset.y)) offset = CCPointZero;
        // An untrimmed sheet may leave the source size out: the frame is then its own size.
        if (!finite(original.width) || !finite(original.height) || original.width <= 0.0f ||
            original.height <= 0.0f)
            original = rect.size;
        CCSpriteFrame* frame = CCSpriteFrame::createWithTexture(texture, rect, rotated, offset, original);
        addSpriteFrame(frame, name);
    }
}

void CCSpriteFrameCache::addSpriteFrame(CCSpriteFrame* frame, const char* name) {
    if (!frame || !name) return;
    frame->retain();
    auto it = m_frames.find(name);
    if (it != m_frames.end()) {
        it->second->release();
        it->second = frame;
    } else {
        m_frames.emplace(name, frame);
    }
    m_reportedMissing.erase(name);
}

CCSpriteFrame* CCSpriteFrameCache::spriteFrameByName(const char* name) {
    if (!name) return nullptr;
    auto it = m_frames.find(name);
    if (it != m_frames.end()) return it->second;
    auto alias = m_aliases.find(name);
    if (alias != m_aliases.end()) {
        it = m_frames.find(alias->second);
        if (it != m_frames.end()) return it->second;
    }
    if (m_reportedMissing.insert(name).second)
        qn::logLine("[CCSpriteFrameCache] frame '%s' not found", name);
    return nullptr;
}

void CCSpriteFrameCache::removeSpriteFrameByName(const char* name) {
    if (!name) return;
    std::string key = name;
    auto alias = m_aliases.find(key);
    if (alias != m_aliases.end()) {
        key = alias->second;
        m_aliases.erase(alias);
    }
    auto it = m_frames.find(key);
    if (it == m_frames.end()) return;
    it->second->release();
    m_frames.erase(it);
}

void CCSpriteFrameCache::removeSpriteFramesFromFile(const char* plist) {
    if (!plist) return;
    CCDictionary* root = CCDictionary::createWithContentsOfFile(plist);
    if (root) {
        if (auto frames = dynamic_cast<CCDictionary*>(root->objectForKey("frames"))) {
            CCDictElement* element = nullptr;
            CCDICT_FOREACH(frames, element) { removeSpriteFrameByName(element->getStrKey()); }
        }
    }
    m_loadedFiles.erase(plist);
}

void CCSpriteFrameCache::removeSpriteFrames() {
    for (auto& entry : m_frames) entry.second->release();
    m_frames.clear();
    m_aliases.clear();
    m_loadedFiles.clear();
    m_reportedMissing.clear();
}

void CCSpriteFrameCache::removeUnusedSpriteFrames() {
    for (auto it = m_frames.begin(); it != m_frames.end();) {
        if (it->second->retainCount() == 1) {
            it->second->release();
            it = m_frames.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace cocos2d
