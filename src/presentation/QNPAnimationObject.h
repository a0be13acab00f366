#pragma once
// The runtime of a composite animation: one node holding the runtime nodes of the animation
// model's children, played on one clock. The clock runs while the node is visible; each time it
// passes the model's duration it starts again at 0 and the end callback is called. A model that
// does not loop leaves its image children paused and its emitters stopped after each pass.

#include <vector>

#include "framework/CCNode.h"
#include "presentation/QNAnimationChildren.h"

class QNModelAnimation;

class QNPAnimationObject : public cocos2d::CCNode {
public:
    /// A new autoreleased node playing `model`, with a runtime node for each child the installed
    /// child factory builds; nullptr when `model` is nullptr. `owner` is the node that shows it.
    static QNPAnimationObject* create(QNModelAnimation* model, cocos2d::CCNode* owner, bool spawnersActive);
    ~QNPAnimationObject() override;

    /// Advances the clock (while visible), handles the end of a pass and steps every child.
    void update(float dt) override;
    /// The parent's z order when there is a parent, else its own.
    int getZOrder() const override;
    /// Also shows or hides every child node.
    void setVisible(bool visible) override;
    /// Also copies the new parent's tag to itself and to every child node.
    void setParent(cocos2d::CCNode* parent) override;

    /// Called with `target` each time the clock passes the duration. The target is not retained.
    void setEndCallback(cocos2d::CCObject* target, cocos2d::SEL_CallFunc callback);
    /// Clock and model time to 0; images restart their frame animations, emitters restart.
    void restart();
    /// Clock and model time to 0; images stop their frame animations, emitters stop.
    void stop();
    /// Images pause their frame animations.
    void pause();
    /// Images resume their frame animations.
    void resume();
    /// Every image shows frame `n` of its sprite container.
    void showFrame(int n);
    /// Images take `opacity` as their multiplier, objects as their opacity.
    void setOpacity(float opacity);
    float opacity() const { return m_opacity; }
    /// Passed to every object child.
    void setGameLayer(cocos2d::CCNode* layer);

    /// The number of child models of the animation when it was built.
    int childCount() const { return (int)m_entries.size(); }
    /// The runtime node of child model `index`, or nullptr (none built, or outside the list).
    cocos2d::CCNode* childNode(int index) const;
    /// The model's duration in frames of 1/30 s.
    int durationFrames() const;
    /// The rectangle covering the direct children, centred on this node's position.
    const cocos2d::CCRect& bounds() const { return m_bounds; }
    float clock() const { return m_clock; }
    QNModelAnimation* model() const { return m_model; }

private:
    struct Entry {
        QNModel* model = nullptr;           // retained
        cocos2d::CCNode* node = nullptr;    // retained; nullptr when not built
        QNPAnimationChild* child = nullptr; // node's animation interface, when it has one
        QNPAnimationChild::Kind kind = QNPAnimationChild::kObject;
    };

    QNPAnimationObject() = default;
    bool initWithModel(QNModelAnimation* model, cocos2d::CCNode* owner, bool spawnersActive);
    void place(Entry& entry, const QNChildPlacement& placement);
    void computeBounds();
    Entry* entryOf(unsigned int modelId);
    template <typename Op> void forKind(QNPAnimationChild::Kind kind, Op op);

    cocos2d::CCRect m_bounds;
    cocos2d::CCObject* m_endTarget = nullptr;
    cocos2d::SEL_CallFunc m_endCallback = nullptr;
    QNModelAnimation* m_model = nullptr;
    std::vector<Entry> m_entries;
    float m_clock = 0.0f;
    float m_opacity = 1.0f;
};
