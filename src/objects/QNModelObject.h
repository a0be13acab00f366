#pragma once
// The model of a placed object: a transform ("Position", "Rotation", "Scale" in the "Transform"
// group, with "Hidden" and "Locked"), an "Opacity" and a depth. Values at (time, track) are the
// stored value plus the curve offset of that track. On-screen widgets also use the screen-anchored
// position ("Stick To Edge"). The runtime objects of worlds extend this model.

#include "framework/CCGeometry.h"
#include "model/QNModelCompound.h"

class QNPAttributeBoolean;
class QNPAttributeFloat;
class QNPAttributePoint;

class QNModelObject : public QNModelCompound {
public:
    explicit QNModelObject(const std::string& className = "QNModelObject",
                           const std::string& displayName = "Untitled");

    /// Reads the attributes and the depth ("zDepth", decimal text).
    bool initWithDictionary(cocos2d::CCDictionary* dict) override;
    /// The attributes plus "zDepth".
    cocos2d::CCDictionary* attributesDictionary() override;
    /// Copies the attributes and the depth.
    void copyFrom(QNModel* other) override;

    virtual void setPosition(const cocos2d::CCPoint& p);
    virtual void addPositionKey(const cocos2d::CCPoint& p, float time, int track);
    virtual cocos2d::CCPoint position(float time = 0.0f, int track = 0) const;
    virtual cocos2d::CCPoint positionOffset(float time, int track) const;
    virtual void setScale(const cocos2d::CCPoint& s);
    virtual void addScaleKey(const cocos2d::CCPoint& s, float time, int track);
    virtual cocos2d::CCPoint scale(float time = 0.0f, int track = 0) const;
    virtual cocos2d::CCPoint scaleOffset(float time, int track) const;
    virtual void setRotation(float degrees);
    virtual void addRotationKey(float degrees, float time, int track);
    virtual float rotation(float time = 0.0f, int track = 0) const;
    virtual float rotationOffset(float time, int track) const;
    virtual float opacity(float time = 0.0f, int track = 0) const;
    virtual float opacityOffset(float time, int track) const;
    void setOpacity(float opacity);
    /// False here; units with a spawner answer true.
    virtual bool hasSpawner() const { return false; }
    /// 0 here; units answer their spawn rate.
    virtual float spawnInterval() const { return 0.0f; }
    /// The sprite container shown for this object (not owned); none here.
    virtual QNModel* displayAnimation() const { return nullptr; }
    /// The size of the displayed animation's current frame, or 100 by 100 without one.
    virtual cocos2d::CCSize contentSize() const;

    /// `point` anchored to the nearest edge of the visible area when it lies in the outer 30 % of
    /// the design size (640 × 1136 portrait, 1136 × 640 landscape); the middle is left as it is.
    static cocos2d::CCPoint anchoredToScreen(const cocos2d::CCPoint& point);
    /// The screen-anchored position at (time, track), plus `offset`.
    cocos2d::CCPoint screenAnchoredPosition(float time = 0.0f, int track = 0,
                                            const cocos2d::CCPoint& offset = cocos2d::CCPointZero) const;

    int depth() const { return m_depth; }
    void setDepth(int depth) { m_depth = depth; }
    bool isHidden() const;

protected:
    QNModel* createEmptyCopy() const override { return new QNModelObject(className(), ""); }

    QNPAttributePoint* m_position = nullptr;
    QNPAttributeFloat* m_rotation = nullptr;
    QNPAttributePoint* m_scale = nullptr;
    QNPAttributeBoolean* m_hidden = nullptr;
    QNPAttributeFloat* m_opacity = nullptr;
    int m_depth = 0;
};
