#include "framework/CCTextureCache.h"

#include "framework/CCImage.h"
#include "platform/DebugLog.h"

namespace cocos2d {

namespace {
CCTextureCache* g_sharedCache = nullptr;
} // namespace

CCTextureCache* CCTextureCache::sharedTextureCache() {
    if (!g_sharedCache) g_sharedCache = new CCTextureCache();
    return g_sharedCache;
}

void CCTextureCache::purgeSharedTextureCache() {
    delete g_sharedCache;
    g_sharedCache = nullptr;
}

CCTextureCache::~CCTextureCache() { removeAllTextures(); }

CCTexture2D* CCTextureCache::addImage(const char* path) {
    if (!path || !*path) return nullptr;
    auto it = m_textures.find(path);
    if (it != m_textures.end()) return it->second;
    CCImage image;
    if (!image.initWithImageFile(path)) return nullptr;
    CCTexture2D* texture = new CCTexture2D();
    if (!texture->initWithImage(&image)) {
        texture->release();
        qn::logLine("[CCTextureCache] cannot make a texture of %s", path);
        return nullptr;
    }
    m_textures.emplace(path, texture);
    return texture;
}

CCTexture2D* CCTextureCache::addUIImage(CCImage* image, const char* key) {
    if (!image) return nullptr;
    if (key) {
        auto it = m_textures.find(key);
        if (it != m_textures.end()) return it->second;
    }
    CCTexture2D* texture = new CCTexture2D();
    if (!texture->initWithImage(image)) {
        texture->release();
        return nullptr;
    }
    if (!key) return static_cast<CCTexture2D*>(texture->autorelease());
    m_textures.emplace(key, texture);
    return texture;
}

CCTexture2D* CCTextureCache::textureForKey(const char* key) const {
    if (!key) return nullptr;
    auto it = m_textures.find(key);
    return it == m_textures.end() ? nullptr : it->second;
}

CCTexture2D* CCTextureCache::reloadTexture(const char* path) {
    if (!path) return nullptr;
    removeTextureForKey(path);
    return addImage(path);
}

void CCTextureCache::removeTexture(CCTexture2D* texture) {
    if (!texture) return;
    for (auto it = m_textures.begin(); it != m_textures.end();) {
        if (it->second == texture) {
            it->second->release();
            it = m_textures.erase(it);
        } else {
            ++it;
        }
    }
}

void CCTextureCache::removeTextureForKey(const char* key) {
    if (!key) return;
    auto it = m_textures.find(key);
    if (it == m_textures.end()) return;
    it->second->release();
    m_textures.erase(it);
}

void CCTextureCache::removeAllTextures() {
    for (auto& entry : m_textures) entry.second->release();
    m_textures.clear();
}

void CCTextureCache::removeUnusedTextures() {
    for (auto it = m_textures.begin(); it != m_textures.end();) {
        if (it->second->retainCount() == 1) {
            it->second->release();
            it = m_textures.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace cocos2d
