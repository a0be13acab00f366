#pragma once
// The model base: authored data with a class name, an id and an ordered list of typed attributes
// whose first is the string "Name". Reading and writing a model walks its attributes and hands
// each the sub-dictionary stored under its name.

#include <string>
#include <vector>

#include "framework/CCObject.h"

namespace cocos2d {
class CCDictionary;
}

class QNPAttribute;
class QNPAttributeGroup;
class QNPAttributeString;

class QNModel : public cocos2d::CCObject {
public:
    /// A model of `className` whose "Name" is `displayName`. Its id is the controller's next model
    /// number; the constructor does not register it. The creator owns the returned reference.
    explicit QNModel(const std::string& className, const std::string& displayName = "");
    ~QNModel() override;

    /// Forwards the frame step to every attribute.
    void update(float dt) override;
    /// Reads "id" and every attribute present in `dict` (nullptr reads nothing).
    virtual bool initWithDictionary(cocos2d::CCDictionary* dict);
    /// "id", "className" and every non-empty attribute dictionary; autoreleased.
    virtual cocos2d::CCDictionary* attributesDictionary();
    /// "id" and every attribute's connections; autoreleased.
    virtual cocos2d::CCDictionary* connectionsDictionary();
    /// Reads every attribute's connections present in `dict`.
    virtual void initConnections(cocos2d::CCDictionary* dict);
    virtual void setExcluded(bool excluded);
    /// Unregisters the model from the controller and detaches every attribute. The controller still
    /// keeps the model alive until it is cleaned.
    virtual void remove();
    /// A copy of this model with a fresh id, registered with the controller (which owns it), or for
    /// collision shapes, unregistered and autoreleased. The caller does not own the result.
    virtual QNModel* duplicate();
    /// Copies each attribute from the other model's attribute of the same index and type; missing
    /// counterparts are skipped.
    virtual void copyFrom(QNModel* other);
    /// Called when a reference attribute is re-pointed; nothing by default.
    virtual void attributeChanged(QNPAttribute* attribute);
    /// First notification hook (QNPAttribute::notifyOwner); nothing by default.
    virtual void attributeNotice(QNPAttribute* attribute);
    /// Second notification hook (QNPAttribute::notifyOwnerAgain); nothing by default.
    virtual void attributeNoticeAgain(QNPAttribute* attribute);
    /// Sprite containers apply the standalone-texture flag a sprite attribute passes them; nothing
    /// for other models.
    virtual void setStandalone(bool standalone);
    /// Animation models answer their "looped" flag; true for other models.
    virtual bool isLooped() const;

    /// Creates an attribute of `type` owned by this model, appended to the list (and to `group`'s
    /// children when given). Returns it (the model's list owns it), or nullptr for a type without a
    /// class.
    QNPAttribute* addAttribute(const std::string& name, int type, int flags = 0,
                               QNPAttributeGroup* group = nullptr, int role = 0);
    /// The attribute at `index`, or nullptr outside the list.
    QNPAttribute* attributeAt(int index) const;
    /// The first attribute called `name`, or nullptr.
    QNPAttribute* attributeNamed(const std::string& name) const;
    int attributeCount() const { return (int)m_attributes.size(); }
    /// Position of `attribute` in the list, or -1.
    int indexOfAttribute(const QNPAttribute* attribute) const;
    /// Moves `attribute` (of this model) to `index` (clamped to the list).
    void moveAttribute(QNPAttribute* attribute, int index);
    const std::vector<QNPAttribute*>& attributes() const { return m_attributes; }

    const std::string& className() const { return m_className; }
    bool hasClassName(const std::string& name) const { return m_className == name; }
    unsigned int id() const { return m_id; }
    /// Changes the id; a registered model is re-keyed in the controller.
    void setId(unsigned int id);
    std::string displayName() const;
    void setDisplayName(const std::string& text);
    float animationTime() const { return m_animationTime; }
    void setAnimationTime(float t) { m_animationTime = t; }
    bool isExcluded() const { return m_excluded; }

protected:
    /// A new, empty model of this model's own class and class name, with no display name; the
    /// caller owns it. Subclasses construct their own class here.
    virtual QNModel* createEmptyCopy() const;

private:
    friend class QNModelController; // re-keys ids without calling back

    QNPAttributeString* m_nameAttribute = nullptr;
    std::string m_className;
    std::vector<QNPAttribute*> m_attributes;
    unsigned int m_id = 0;
    float m_animationTime = 0.0f;
    bool m_excluded = false;
    // Set while remove() or duplicate() runs, so models that refer to each other in a cycle
    // through owned sub-models do not recurse without end.
    bool m_removing = false;
    bool m_duplicating = false;
};
