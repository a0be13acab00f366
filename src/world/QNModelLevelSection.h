#pragma once
// One stretch of a world: the placed object models and object linkers of the stretch, the
// distances at which it may be played and its width along the direction of travel. A section names
// its world by id ("parentScreenId"); the streamer places sections one after another at run time.

#include <vector>

#include "model/QNModel.h"

class QNModelLinker;
class QNPAttributeFloat;

class QNModelLevelSection : public QNModel {
public:
    QNModelLevelSection();
    ~QNModelLevelSection() override;

    /// Reads the attributes and "initSection", "muted", "solo", "parentScreenId".
    bool initWithDictionary(cocos2d::CCDictionary* dict) override;
    cocos2d::CCDictionary* attributesDictionary() override;
    /// Adds "children" and "childLinkers" (arrays of ids).
    cocos2d::CCDictionary* connectionsDictionary() override;
    /// Resolves the children (unknown ids are skipped) and the linkers (ids that name no linker are
    /// skipped), then computes the sibling index.
    void initConnections(cocos2d::CCDictionary* dict) override;
    /// Sets the flag on the section and on every child.
    void setExcluded(bool excluded) override;

    /// Every section whose parentScreenId is `worldId` and that is not excluded, in the
    /// controller's order. The controller owns the models.
    static std::vector<QNModelLevelSection*> sectionsOfWorld(int worldId);

    /// A copy named "Untitled", registered right after this section: attributes, flags,
    /// parentScreenId, a clone of every child, and a clone of every linker whose two objects were
    /// both cloned (pointing at the clones). The controller owns the copy.
    QNModelLevelSection* clone();

    float startDistance() const;
    float endDistance() const;
    float width() const;
    float playCooldown() const;
    void setStartDistance(float value);
    void setEndDistance(float value);
    void setWidth(float value);
    void setPlayCooldown(float value);

    bool isInitSection() const { return m_initSection; }
    bool isMuted() const { return m_muted; }
    bool isSolo() const { return m_solo; }
    void setInitSection(bool flag) { m_initSection = flag; }
    void setMuted(bool flag) { m_muted = flag; }
    void setSolo(bool flag) { m_solo = flag; }
    int parentScreenId() const { return m_parentScreenId; }
    void setParentScreenId(int id) { m_parentScreenId = id; }
    int siblingIndex() const { return m_siblingIndex; }

    /// The placed object models, in order (retained).
    const std::vector<QNModel*>& children() const { return m_children; }
    void addChild(QNModel* child);
    const std::vector<QNModelLinker*>& childLinkers() const { return m_childLinkers; }
    void addChildLinker(QNModelLinker* linker);

    /// Set by the streamer when the section is placed.
    float placedStartDistance() const { return m_placedStartDistance; }
    void setPlacedStartDistance(float distance) { m_placedStartDistance = distance; }
    /// World plays during which the section is passed over (set when chosen, lowered at resets).
    int cooldownCounter() const { return m_cooldownCounter; }
    void setCooldownCounter(int value) { m_cooldownCounter = value; }

protected:
    QNModel* createEmptyCopy() const override { return new QNModelLevelSection(); }

private:
    float m_placedStartDistance = 0.0f;
    bool m_initSection = false;
    bool m_muted = false;
    bool m_solo = false;
    int m_cooldownCounter = 0;
    std::vector<QNModel*> m_children;
    std::vector<QNModelLinker*> m_childLinkers;
    QNPAttributeFloat* m_startDistance = nullptr;
    QNPAttributeFloat* m_endDistance = nullptr;
    QNPAttributeFloat* m_width = nullptr;
    QNPAttributeFloat* m_playCooldown = nullptr;
    int m_parentScreenId = -1;
    int m_siblingIndex = 0;
};
