#pragma once
// The game layer of a world: the node that holds every runtime object and is moved opposite to the
// view. Each update scrolls it by the current game speed along the direction of travel, then keeps
// the characters' focus point inside the world's frame: per edge it follows (with the follow
// factor), blocks the characters at the edge or kills them. The movement of each update is what
// the world counts as distance.

#include "framework/CCNode.h"

class QNModelScreenScene;
class QNPInputController;

class QNPGameFieldCamera : public cocos2d::CCNode {
public:
    /// Edge indexes and states of the world model's frame.
    enum Edge { kEdgeTop = 0, kEdgeRight = 1, kEdgeBottom = 2, kEdgeLeft = 3 };
    enum EdgeState { kEdgeFollow = 0, kEdgeBlock = 1, kEdgeKill = 2 };
    /// Extra room below the frame (none while an ad banner keeps its own space).
    static constexpr float kBottomExtension = 40.0f;

    /// A new camera (autoreleased), reset.
    static QNPGameFieldCamera* create();
    ~QNPGameFieldCamera() override;

    /// Stores (retains) the world model and resets.
    void setWorldModel(QNModelScreenScene* model);
    QNModelScreenScene* worldModel() const { return m_worldModel; }
    /// The controller whose characters are blocked or killed at the frame's edges (not retained).
    void setInputController(QNPInputController* controller) { m_input = controller; }
    /// Frame from the world model's rectangle (in window sizes); movement and target (0, 0).
    void reset();
    /// Stored only when not (0, 0).
    void setTarget(const cocos2d::CCPoint& point);
    const cocos2d::CCPoint& target() const { return m_target; }
    void setCharacterRectangle(const cocos2d::CCRect& rect) { m_characterRect = rect; }
    const cocos2d::CCRect& characterRectangle() const { return m_characterRect; }
    const cocos2d::CCRect& frame() const { return m_frame; }
    /// The layer position before the last update minus after it.
    const cocos2d::CCPoint& movement() const { return m_movement; }
    float followFactor() const { return m_followFactor; }
    void setFollowFactor(float factor) { m_followFactor = factor; }
    /// Whether the bottom extension is dropped because an ad banner reserves its space.
    void setBannerReservesSpace(bool reserves) { m_bannerSpace = reserves; }

    /// The camera law (the world calls it once per frame with 1/60).
    void update(float dt) override;

private:
    QNPGameFieldCamera() = default;

    cocos2d::CCPoint m_target;
    cocos2d::CCRect m_characterRect;
    cocos2d::CCRect m_frame;
    cocos2d::CCPoint m_movement;
    QNModelScreenScene* m_worldModel = nullptr;
    QNPInputController* m_input = nullptr;
    float m_followFactor = 1.0f;
    bool m_bannerSpace = false;
};
