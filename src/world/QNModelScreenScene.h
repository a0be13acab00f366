#pragma once
// The authored description of a world: a screen model with the physics and pacing settings of the
// world, the frame the camera keeps the characters in (with a state per edge), and two optional
// components (forced movement, deletion thresholds) that replace five legacy attributes. The
// content of a world lives in its level sections, which name the world by id.

#include <string>
#include <vector>

#include "framework/CCGeometry.h"
#include "navigation/QNModelScreen.h"

class QNModelComponentDeletionThreshold;
class QNModelComponentForcedMovement;
class QNPAttributeFloat;
class QNPAttributePoint;

class QNModelScreenScene : public QNModelScreen {
public:
    /// A world named "Untitled". Projects of editor version 1 get the speeds 3, 10 and 0.1.
    QNModelScreenScene();
    ~QNModelScreenScene() override;

    /// Reads the screen's keys and "objectFrameRect", "objectFrameEdgeState_0".."_3".
    bool initWithDictionary(cocos2d::CCDictionary* dict) override;
    cocos2d::CCDictionary* attributesDictionary() override;
    /// The screen's connections, then the world's components: a component is created from the
    /// legacy attributes when they differ from their defaults. The legacy attributes are hidden.
    void initConnections(cocos2d::CCDictionary* dict) override;
    /// The screen part, the frame and edge states, a fresh "QNPScreenScene %d" key and a clone of
    /// every section of the other world, given to this world.
    void copyFrom(QNModel* other) override;
    /// A child of a world-component class becomes that component.
    void addChild(QNModel* child) override;
    void removeChild(QNModel* child) override;

    /// The world keyed `key`; one is created and registered when none exists. An empty key makes a
    /// new world with a fresh key. The controller owns the result.
    static QNModelScreenScene* worldForKey(const std::string& key);
    /// The first "QNPScreenScene %d" (from 1) that no world has.
    static std::string freshWorldKey();

    /// Children of exactly `className`: those of every section of this world first (section order),
    /// then the world's own.
    std::vector<QNModel*> childrenOfClass(const std::string& className) const;

    // Effective values: the component's when present, else the world's legacy attribute.
    float speedMinimum() const;
    float speedMaximum() const;
    float speedIncrease() const;
    float backDeletionThreshold() const;
    float sidesDeletionThreshold() const;

    cocos2d::CCPoint gravity() const;
    float timeWarp() const;
    float friction() const;
    float velocityDrag() const;
    float bounce() const;
    float scoreMultiplier() const;
    float gameDirection() const;
    float cameraSmooth() const;

    const cocos2d::CCRect& objectFrameRect() const { return m_frameRect; }
    void setObjectFrameRect(const cocos2d::CCRect& rect) { m_frameRect = rect; }
    /// The state of edge `i` (0 top, 1 right, 2 bottom, 3 left); 0 for any other index.
    int edgeState(int i) const { return i >= 0 && i < 4 ? m_edgeStates[i] : 0; }
    void setEdgeState(int i, int state) {
        if (i >= 0 && i < 4) m_edgeStates[i] = state;
    }

    QNModelComponentForcedMovement* forcedMovement() const { return m_forcedMovement; }
    QNModelComponentDeletionThreshold* deletionThreshold() const { return m_deletionThreshold; }
    /// The attribute called `name` (for tests and the editor's form), or nullptr.
    QNPAttributeFloat* floatAttribute(const std::string& name) const;
    QNPAttributePoint* gravityAttribute() const { return m_gravity; }

protected:
    QNModel* createEmptyCopy() const override { return new QNModelScreenScene(); }

private:
    void takeComponent(QNModel* child);

    QNPAttributePoint* m_gravity = nullptr;
    QNPAttributeFloat* m_timeWarp = nullptr;
    QNPAttributeFloat* m_speedMin = nullptr;
    QNPAttributeFloat* m_speedMax = nullptr;
    QNPAttributeFloat* m_speedIncrease = nullptr;
    QNPAttributeFloat* m_friction = nullptr;
    QNPAttributeFloat* m_velocityDrag = nullptr;
    QNPAttributeFloat* m_bounce = nullptr;
    QNPAttributeFloat* m_scoreMultiplier = nullptr;
    QNPAttributeFloat* m_gameDirection = nullptr;
    QNPAttributeFloat* m_cameraSmooth = nullptr;
    QNPAttributeFloat* m_backThreshold = nullptr;
    QNPAttributeFloat* m_sidesThreshold = nullptr;
    cocos2d::CCRect m_frameRect{0, 0, 1, 1};
    int m_edgeStates[4] = {0, 0, 0, 0};
    QNModelComponentDeletionThreshold* m_deletionThreshold = nullptr;
    QNModelComponentForcedMovement* m_forcedMovement = nullptr;
};
