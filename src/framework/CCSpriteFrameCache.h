#pragma once
// Sprite frames by name, filled from sprite-sheet property lists (formats 0 to 3).

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "framework/CCSpriteFrame.h"

namespace cocos2d {

class CCDictionary;
class CCTexture2D;

class CCSpriteFrameCache {
public:
    static CCSpriteFrameCache* sharedSpriteFrameCache();
    /// Drops every frame and the cache itself (tests).
    static void purgeSharedSpriteFrameCache();

    /// Reads the sheet `plist` (once per path); its texture is the metadata's "textureFileName"
    /// beside the plist, else the plist's own name with ".png". A missing or bad sheet or
    /// texture adds nothing and logs a line.
    void addSpriteFramesWithFile(const char* plist);
    /// As above with the texture file given.
    void addSpriteFramesWithFile(const char* plist, const char* textureFileName);
    /// Adds the frames listed in `dictionary` (a sheet's root) showing `texture`.
    void addSpriteFramesWithDictionary(CCDictionary* dictionary, CCTexture2D* texture);
    /// Adds (retains) `frame` under `name`, replacing a frame already there.
    void addSpriteFrame(CCSpriteFrame* frame, const char* name);

    /// The frame named `name` (or an alias of it); nullptr when there is none (logged once per name).
    CCSpriteFrame* spriteFrameByName(const char* name);

    void removeSpriteFrameByName(const char* name);
    /// Removes the frames the sheet `plist` added and forgets it was read.
    void removeSpriteFramesFromFile(const char* plist);
    void removeSpriteFrames();
    /// Drops the frames no one else holds.
    void removeUnusedSpriteFrames();
    unsigned int frameCount() const { return (unsigned int)m_frames.size(); }

private:
    CCSpriteFrameCache() = default;
    ~CCSpriteFrameCache();

    std::unordered_map<std::string, CCSpriteFrame*> m_frames;
    std::unordered_map<std::string, std::string> m_aliases;
    std::unordered_set<std::string> m_loadedFiles;
    std::unordered_set<std::string> m_reportedMissing;
};

} // namespace cocos2d
