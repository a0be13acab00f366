#include "framework/CCNodeRGBA.h"

namespace cocos2d {
namespace {

CCRGBAProtocol* cascadingParent(CCNode* owner, bool forColor) {
    CCRGBAProtocol* parent = dynamic_cast<CCRGBAProtocol*>(owner->getParent());
    if (!parent) return nullptr;
    const bool cascades = forColor ? parent->isCascadeColorEnabled() : parent->isCascadeOpacityEnabled();
    return cascades ? parent : nullptr;
}

} // namespace

CCNodeRGBA* CCNodeRGBA::create() {
    CCNodeRGBA* node = new CCNodeRGBA();
    node->init();
    node->autorelease();
    return node;
}

void CCRGBAState::setColor(CCNode* owner, const ccColor3B& color) {
    realColor = displayedColor = color;
    if (!cascadeColor) return;
    CCRGBAProtocol* parent = cascadingParent(owner, true);
    updateDisplayedColor(owner, parent ? parent->getDisplayedColor() : ccWHITE);
}

void CCRGBAState::setOpacity(CCNode* owner, GLubyte opacity) {
    realOpacity = displayedOpacity = opacity;
    if (!cascadeOpacity) return;
    CCRGBAProtocol* parent = cascadingParent(owner, false);
    updateDisplayedOpacity(owner, parent ? parent->getDisplayedOpacity() : 255);
}

void CCRGBAState::updateDisplayedColor(CCNode* owner, const ccColor3B& parentColor) {
    displayedColor.r = (GLubyte)(realColor.r * parentColor.r / 255);
    displayedColor.g = (GLubyte)(realColor.g * parentColor.g / 255);
    displayedColor.b = (GLubyte)(realColor.b * parentColor.b / 255);
    if (!cascadeColor) return;
    for (CCObject* o : owner->getChildren()->data())
        if (CCRGBAProtocol* child = dynamic_cast<CCRGBAProtocol*>(o))
            child->updateDisplayedColor(displayedColor);
}

void CCRGBAState::updateDisplayedOpacity(CCNode* owner, GLubyte parentOpacity) {
    displayedOpacity = (GLubyte)(realOpacity * parentOpacity / 255);
    if (!cascadeOpacity) return;
    for (CCObject* o : owner->getChildren()->data())
        if (CCRGBAProtocol* child = dynamic_cast<CCRGBAProtocol*>(o))
            child->updateDisplayedOpacity(displayedOpacity);
}

} // namespace cocos2d
