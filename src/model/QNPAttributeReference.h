#pragma once
// Attributes that refer to other models by id, resolved in the connections pass once every model
// exists: a sprite container, any asset, a sound, an animation. Targets are registered models that
// the controller keeps alive; the attributes do not retain them. A reference that names a model of
// another class than expected is treated as no reference and logged.

#include "model/QNPAttribute.h"

class QNPAttributeSprite : public QNPAttribute {
public:
    QNPAttributeSprite() : QNPAttribute(kTypeSprite) {}

    /// The sprite container, or nullptr.
    QNModel* target() const { return m_target; }
    /// Points at `container` (a "QNModelSpriteContainer" or nullptr; anything else clears the
    /// target), passes it the container flag, tells the owner and notifies.
    void setTarget(QNModel* container);
    /// Whether the pictures are drawn as whole textures ("Icon", trails, flags, particles).
    bool containerFlag() const { return m_containerFlag; }
    void setContainerFlag(bool flag) { m_containerFlag = flag; }

    void loadConnections(cocos2d::CCDictionary* value) override;
    void copyFrom(QNPAttribute* other) override;

protected:
    void writeConnections(cocos2d::CCDictionary* dict) override;

private:
    QNModel* m_target = nullptr;
    bool m_containerFlag = false;
};

class QNPAttributeAsset : public QNPAttribute {
public:
    QNPAttributeAsset() : QNPAttribute(kTypeAsset) {}

    QNModel* target() const { return m_target; }
    void setTarget(QNModel* model) { m_target = model; }

    void loadConnections(cocos2d::CCDictionary* value) override;
    void copyFrom(QNPAttribute* other) override;

protected:
    void writeConnections(cocos2d::CCDictionary* dict) override;

private:
    QNModel* m_target = nullptr;
};

class QNPAttributeSound : public QNPAttribute {
public:
    QNPAttributeSound() : QNPAttribute(kTypeSound) {}

    /// The "QNModelSound", or nullptr.
    QNModel* target() const { return m_target; }
    /// Points at `sound` (a "QNModelSound" or nullptr; anything else clears the target).
    void setTarget(QNModel* sound);

    void loadConnections(cocos2d::CCDictionary* value) override;
    void copyFrom(QNPAttribute* other) override;

protected:
    void writeConnections(cocos2d::CCDictionary* dict) override;

private:
    QNModel* m_target = nullptr;
};

class QNPAttributeAnimation : public QNPAttribute {
public:
    QNPAttributeAnimation() : QNPAttribute(kTypeAnimation) {}

    /// The "QNModelAnimation" this attribute owns, or nullptr.
    QNModel* target() const { return m_target; }
    /// Points at `animation` (a "QNModelAnimation" or nullptr; anything else clears the target) and
    /// takes its looped flag.
    void setTarget(QNModel* animation);
    /// A copy of the target's "looped" flag (true without a target).
    bool animationFlag() const { return m_animationFlag; }

    void loadConnections(cocos2d::CCDictionary* value) override;
    /// Removes the owned animation model from the controller.
    void detach() override;
    /// Takes a duplicate of the other's animation as its own.
    void copyFrom(QNPAttribute* other) override;

protected:
    void writeConnections(cocos2d::CCDictionary* dict) override;

private:
    QNModel* m_target = nullptr;
    bool m_animationFlag = true;
};
