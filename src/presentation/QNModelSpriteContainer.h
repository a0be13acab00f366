#pragma once
// A group of sprites that attributes refer to: one sprite is a still picture, several are a frame
// animation at 30 frames per second scaled by the container's animation speed. The container holds
// a reference to each of its sprites; the model controller owns them all.

#include <vector>

#include "framework/CCGeometry.h"
#include "model/QNModel.h"

namespace cocos2d {
class CCSprite;
class CCSpriteFrame;
class CCTexture2D;
} // namespace cocos2d

class QNModelSprite;
class QNPAttributeFloat;

class QNModelSpriteContainer : public QNModel {
public:
    /// Frames a second of authored frame animations.
    static constexpr float kFramesPerSecond = 30.0f;
    /// Tag of the frame-animation action run on a node made by animatedSprite.
    static constexpr int kFrameActionTag = 76;

    QNModelSpriteContainer();
    ~QNModelSpriteContainer() override;

    /// Reads "duration" and "animationSpeed" (a zero speed becomes 1) besides the attributes.
    bool initWithDictionary(cocos2d::CCDictionary* dict) override;
    /// Adds "duration" and "animationSpeed" as "%f".
    cocos2d::CCDictionary* attributesDictionary() override;
    /// Adds "sprites": the sprite ids in order.
    cocos2d::CCDictionary* connectionsDictionary() override;
    /// Appends every resolvable sprite listed under "sprites"; a zero duration becomes count / 30.
    void initConnections(cocos2d::CCDictionary* dict) override;
    /// Takes the attributes, the standalone flag and a duplicate of every sprite; duration count / 30.
    void copyFrom(QNModel* other) override;
    /// Removes the container and its sprites.
    void remove() override;
    /// Stores the flag here and on every sprite.
    void setStandalone(bool standalone) override;

    /// A framework sprite showing the first frame, running the frame animation (tag 76; forever
    /// when `loop`) when there are several sprites. The caller owns one reference (retained, not
    /// autoreleased). nullptr, with a log line, without sprites or without the first frame.
    cocos2d::CCSprite* animatedSprite(float speed, bool loop);
    /// The frame of sprite `index` (negative: the first; past the end: modulo the count); nullptr
    /// without sprites. The frame cache owns it.
    cocos2d::CCSpriteFrame* frameAt(int index) const;
    /// Size of the sprite shown at the current animation time; (0, 0) without sprites.
    cocos2d::CCSize frameSize() const;
    /// Source size of the sprite shown at the current animation time; (0, 0) without sprites.
    cocos2d::CCSize frameSourceSize() const;
    /// The animation time becomes animation speed × `t`.
    void setTimeScaled(float t);
    /// The texture of a standalone container: "data/effects/QNModelSprite_ID<first>.png", else
    /// "data/images/…", through the texture cache (which owns it); nullptr when not standalone or
    /// when neither file exists.
    cocos2d::CCTexture2D* standaloneTexture();

    /// Appends `sprite` (nullptr and repeats are ignored) and takes a reference to it.
    void addSprite(QNModelSprite* sprite);
    /// Drops `sprite` from the list.
    void removeSprite(QNModelSprite* sprite);
    bool containsSprite(const QNModelSprite* sprite) const;
    const std::vector<QNModelSprite*>& sprites() const { return m_sprites; }
    /// Index of the sprite shown at the current animation time, or -1 without sprites.
    int currentFrameIndex() const;

    float animationSpeed() const { return m_animationSpeed; }
    void setAnimationSpeed(float speed) { m_animationSpeed = speed; }
    float duration() const { return m_duration; }
    void setDuration(float duration) { m_duration = duration; }
    const cocos2d::CCPoint& referencePoint() const { return m_referencePoint; }
    void setReferencePoint(const cocos2d::CCPoint& point) { m_referencePoint = point; }
    bool isStandalone() const { return m_standalone; }

    QNPAttributeFloat* brightness() const { return m_brightness; }
    QNPAttributeFloat* contrast() const { return m_contrast; }
    QNPAttributeFloat* hue() const { return m_hue; }
    QNPAttributeFloat* saturation() const { return m_saturation; }

protected:
    QNModel* createEmptyCopy() const override { return new QNModelSpriteContainer(); }

private:
    void clearSprites();

    QNPAttributeFloat* m_brightness = nullptr;
    QNPAttributeFloat* m_contrast = nullptr;
    QNPAttributeFloat* m_hue = nullptr;
    QNPAttributeFloat* m_saturation = nullptr;
    float m_animationSpeed = 1.0f;
    float m_duration = 0.0f;
    std::vector<QNModelSprite*> m_sprites;
    cocos2d::CCPoint m_referencePoint;
    bool m_standalone = false;
};
