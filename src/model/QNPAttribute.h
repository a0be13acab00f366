#pragma once
// The attribute base: one named, typed value of a model. A model lists its attributes in creation
// order; each attribute reads and writes its own sub-dictionary of the model's dictionaries, the
// attribute values in the first loading pass and the references to other models (connections) in
// the second.

#include <string>
#include <vector>

#include "framework/CCObject.h"
#include "presentation/QNAnimationCurve.h"

namespace cocos2d {
class CCDictionary;
}

class QNModel;

class QNPAttribute : public cocos2d::CCObject {
public:
    /// Type codes, as passed to QNModel::addAttribute. Codes 3 and 4 have no class.
    enum Type {
        kTypeFloat = 0,
        kTypePoint = 1,
        kTypeSprite = 2,
        kTypeAction = 5,
        kTypeString = 6,
        kTypeEnum = 7,
        kTypeShape = 8,
        kTypeAnimation = 9,
        kTypePath = 10,
        kTypeAsset = 11,
        kTypeGroup = 12,
        kTypeColor = 13,
        kTypeBoolean = 14,
        kTypeSound = 15,
        kTypeKey = 16,
        kTypeGradient = 17,
        kTypeParticlesEmitters = 18,
    };

    /// Makes the attribute class of `type` with `owner` (not retained) and `flags`. Returns an
    /// autoreleased attribute, or nullptr for a code without a class.
    static QNPAttribute* createAttribute(QNModel* owner, int type, int flags);
    /// Like createAttribute, but the caller owns the returned reference (no autorelease pool).
    static QNPAttribute* newAttribute(QNModel* owner, int type, int flags);

    explicit QNPAttribute(int type);
    ~QNPAttribute() override;

    /// Per-frame step; nothing by default (groups forward it to their children).
    void update(float dt) override;
    /// Reads the attribute dictionary of the first loading pass; the base reads "visible".
    /// `value` may be nullptr.
    virtual void loadAttributes(cocos2d::CCDictionary* value);
    /// Reads the connection dictionary of the second pass (references to other models).
    virtual void loadConnections(cocos2d::CCDictionary* value);
    /// The attribute dictionary to save, autoreleased; empty when there is nothing to store.
    virtual cocos2d::CCDictionary* attributesDictionary();
    /// The connection dictionary to save, autoreleased; nullptr when the attribute is not persistent.
    virtual cocos2d::CCDictionary* connectionsDictionary();
    /// Called when the owner is removed: releases links and owned sub-models.
    virtual void detach();
    /// Called by setters after a value change; nothing in every attribute class.
    virtual void changed();
    /// Passes this attribute to the owner's first notification hook.
    void notifyOwner();
    /// Passes this attribute to the owner's second notification hook.
    void notifyOwnerAgain();
    /// Copies flags, visibility and persistence (never name, owner, role or type). `other` may be
    /// nullptr or of another class; subclasses copy their values only from their own class.
    virtual void copyFrom(QNPAttribute* other);
    virtual void show();
    virtual void hide();
    /// Logs the value (floats and points).
    virtual void debugPrint();
    /// The keys of the track `state` (animatable attributes); empty otherwise.
    virtual std::vector<QNAnimationCurve::Key> keyframes(int state);
    /// The curves of track `state`, owned by the attribute (one, or two for a point: x then y).
    virtual std::vector<QNAnimationCurve*> curves(int state);
    /// Installs copies of `curves` as track `state` (the caller keeps its curves).
    virtual void setCurves(const std::vector<QNAnimationCurve*>& curves, int state);

    QNModel* owner() const { return m_owner; }
    void setOwner(QNModel* owner) { m_owner = owner; }
    const std::string& name() const { return m_name; }
    void setName(const std::string& name) { m_name = name; }
    bool isVisible() const { return m_visible; }
    /// 1 output, 0 input (action attributes only).
    int role() const { return m_role; }
    void setRole(int role) { m_role = role; }
    int type() const { return m_type; }
    int flags() const { return m_flags; }
    void setFlags(int flags) { m_flags = flags; }
    bool isPersistent() const { return m_persistent; }
    void setPersistent(bool persistent) { m_persistent = persistent; }

protected:
    /// Adds this class's own keys to the attribute dictionary (called only when persistent).
    virtual void writeAttributes(cocos2d::CCDictionary* dict);
    /// Adds this class's own keys to the connection dictionary (called only when persistent).
    virtual void writeConnections(cocos2d::CCDictionary* dict);

private:
    QNModel* m_owner = nullptr;
    std::string m_name;
    bool m_visible = true;
    int m_role = 0;
    int m_type;
    int m_flags = 0;
    bool m_persistent = true;
};
