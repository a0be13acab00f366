#pragma once
// Textures by file path. A path is read once; later requests get the same texture until it is
// removed. The cache holds one reference to each texture it keeps.

#include <string>
#include <unordered_map>

#include "framework/CCTexture2D.h"

namespace cocos2d {

class CCImage;

class CCTextureCache {
public:
    static CCTextureCache* sharedTextureCache();
    /// Drops every texture and the cache itself (tests).
    static void purgeSharedTextureCache();

    /// The texture of the PNG file at `path`, read on first use. nullptr (and a log line) when the
    /// file is missing or cannot be decoded. The cache owns the texture; retain it to keep it.
    CCTexture2D* addImage(const char* path);
    /// A texture made from `image`, kept under `key` (an existing key returns the kept texture).
    CCTexture2D* addUIImage(CCImage* image, const char* key);
    /// The kept texture for `key`, or nullptr.
    CCTexture2D* textureForKey(const char* key) const;

    /// Drops the file at `path` from the cache and reads it again. Returns the new texture, or
    /// nullptr when the file is gone (never the dropped one).
    CCTexture2D* reloadTexture(const char* path);

    void removeTexture(CCTexture2D* texture);
    void removeTextureForKey(const char* key);
    void removeAllTextures();
    /// Drops the textures no one else holds.
    void removeUnusedTextures();
    unsigned int textureCount() const { return (unsigned int)m_textures.size(); }

private:
    CCTextureCache() = default;
    ~CCTextureCache();

    std::unordered_map<std::string, CCTexture2D*> m_textures;
};

} // namespace cocos2d
