#pragma once
// A composite animation: placed object models (images, units, particles, lights, trails, flags,
// powerups) played together with one duration and one looping flag. The children stay sorted by
// depth, ascending and stable; the animation holds a reference to each.

#include <vector>

#include "model/QNModel.h"

class QNModelAnimation : public QNModel {
public:
    QNModelAnimation();
    ~QNModelAnimation() override;

    /// Reads "duration", "animationSpeed" (as they are) and "looped" (true when absent or empty).
    bool initWithDictionary(cocos2d::CCDictionary* dict) override;
    /// Adds "duration" and "animationSpeed" as "%f" and "looped" as "%d".
    cocos2d::CCDictionary* attributesDictionary() override;
    /// Adds "children": the child ids in order.
    cocos2d::CCDictionary* connectionsDictionary() override;
    /// Appends every resolvable child listed under "children", then sorts by depth.
    void initConnections(cocos2d::CCDictionary* dict) override;
    /// Takes speed, duration, looped and a duplicate of every child (sorted again).
    void copyFrom(QNModel* other) override;
    /// Removes the animation and its children.
    void remove() override;
    /// Forwards the step to every child model.
    void update(float dt) override;
    bool isLooped() const override { return m_looped; }

    /// Adds `child` (nullptr, repeats and animation models are ignored), takes a reference and
    /// re-sorts.
    void addChild(QNModel* child);
    /// Drops `child` from the list.
    void removeChild(QNModel* child);
    /// Removes every child model and forgets them.
    void clear();
    /// Sorts the children by depth ascending, keeping the order of equal depths.
    void sortChildren();
    const std::vector<QNModel*>& children() const { return m_children; }

    float animationSpeed() const { return m_animationSpeed; }
    void setAnimationSpeed(float speed) { m_animationSpeed = speed; }
    float duration() const { return m_duration; }
    void setDuration(float duration) { m_duration = duration; }
    void setLooped(bool looped) { m_looped = looped; }

protected:
    QNModel* createEmptyCopy() const override { return new QNModelAnimation(); }

private:
    bool acceptsChild(QNModel* child) const;
    void releaseChildren();

    float m_animationSpeed = 1.0f;
    float m_duration = 0.0f;
    std::vector<QNModel*> m_children;
    bool m_looped = true;
};
