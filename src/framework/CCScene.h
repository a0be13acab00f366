#pragma once
// A scene: the root of what the director shows, the size of the window, anchored at its centre
// with its position placing its origin.

#include "framework/CCNode.h"

namespace cocos2d {

class CCScene : public CCNode {
public:
    static CCScene* create();
    CCScene();
    bool init() override;
};

} // namespace cocos2d
