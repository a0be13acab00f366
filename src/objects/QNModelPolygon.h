#pragma once
// Collision shapes of assets: a polygon, or a circle given by its centre and a rim point, in scene
// units around the asset's origin with y growing downwards. They become Box2D fixture definitions
// at a node scale (0.05 physics units per scene unit, y negated). Only shapes Box2D accepts
// without complaint are made: a polygon needs at least three well separated points whose convex
// hull has an area; a circle needs a positive, finite radius.
//
// Saved form, merged into the shape attribute's dictionary: "points", an array of "{x,y}" strings,
// and "oneWayCollisionVector", one such string.

#include <vector>

#include <box2d/box2d.h>

#include "framework/CCGeometry.h"
#include "model/QNModel.h"

/// A fixture definition that owns its shape. `def.shape` points at the member shape (or is nullptr
/// when no shape could be made); copies re-point it at their own member.
struct QNFixtureDef {
    enum ShapeKind { kNone = 0, kPolygon = 1, kCircle = 2 };

    QNFixtureDef();
    QNFixtureDef(const QNFixtureDef& other);
    QNFixtureDef& operator=(const QNFixtureDef& other);

    bool hasShape() const { return def.shape != nullptr; }

    b2FixtureDef def;
    b2PolygonShape polygon;
    b2CircleShape circle;
    ShapeKind kind = kNone;

private:
    void repoint();
};

class QNModelPolygon : public QNModel {
public:
    /// Points taken into account when scaling, and vertices handed to Box2D.
    static constexpr int kMaxScaledPoints = 64;
    static constexpr int kMaxVertices = b2_maxPolygonVertices;
    /// Two of the first eight points closer than this (physics units) make a polygon unusable.
    static constexpr float kMinPointDistance = 0.05f;

    QNModelPolygon();

    /// Reads "points" (each through addPoint) and "oneWayCollisionVector".
    bool initWithDictionary(cocos2d::CCDictionary* dict) override;
    /// Adds "points" and "oneWayCollisionVector".
    cocos2d::CCDictionary* attributesDictionary() override;
    /// Copies the points and the one-way vector.
    void copyFrom(QNModel* other) override;

    // Editing, in slot order.
    /// Appends `p`.
    virtual void addPoint(const cocos2d::CCPoint& p);
    /// Inserts before `index`; `index` equal to the count appends; further past does nothing.
    virtual void insertPoint(int index, const cocos2d::CCPoint& p);
    /// Removes the point at `index` when there is one.
    virtual void removePoint(int index);
    /// Replaces the point at `index` when there is one.
    virtual void setPoint(int index, const cocos2d::CCPoint& p);
    /// Whether the outline turns the same way at every corner (editor check).
    virtual bool isConvex() const;
    /// Appends the default outline for a frame of `size` drawn at `offset`: its four corners, or a
    /// 120 by 80 box when the size is not positive.
    virtual void makeDefault(const cocos2d::CCSize& size, const cocos2d::CCPoint& offset);

    /// The fixture definition for the node scale (sx, sy): Box2D defaults as this game uses them
    /// (friction 0.2, restitution 0, density 0, not a sensor, category 1, mask 0xFFFF, group 0) and
    /// a shape, or no shape when none can be made.
    virtual QNFixtureDef toFixtureDef(float sx, float sy) const;
    /// Whether toFixtureDef at that scale makes a shape.
    bool isUsable(float sx, float sy) const { return toFixtureDef(sx, sy).hasShape(); }
    bool isEmpty() const { return m_points.empty(); }
    int pointCount() const { return (int)m_points.size(); }
    const std::vector<cocos2d::CCPoint>& points() const { return m_points; }
    /// Used as stored, in the body frame (y up); (0,0) collides from every side.
    const cocos2d::CCPoint& oneWayCollisionVector() const { return m_oneWay; }
    void setOneWayCollisionVector(const cocos2d::CCPoint& v) { m_oneWay = v; }

    /// The first kMaxScaledPoints points in physics units at the scale (y negated).
    std::vector<b2Vec2> scaledPoints(float sx, float sy) const;

protected:
    explicit QNModelPolygon(const std::string& className);
    QNModel* createEmptyCopy() const override { return new QNModelPolygon(); }

    std::vector<cocos2d::CCPoint> m_points;
    cocos2d::CCPoint m_oneWay;
};

class QNModelCircle : public QNModelPolygon {
public:
    /// Radius of the circle an empty circle becomes on insertPoint.
    static constexpr float kDefaultRadius = 30.0f;

    QNModelCircle();

    /// Appends only while the circle has fewer than two points.
    void addPoint(const cocos2d::CCPoint& p) override;
    /// An empty circle becomes the default circle (centre (0,0), rim (30,0)); otherwise nothing.
    void insertPoint(int index, const cocos2d::CCPoint& p) override;
    /// Removes every point.
    void removePoint(int index) override;
    /// Replaces the point; moving the centre moves the rim point along (the radius stays).
    void setPoint(int index, const cocos2d::CCPoint& p) override;
    bool isConvex() const override { return true; }
    /// Centre (-ox, -oy) and a rim point at radius (w + h) / 5, or 30 without a positive size.
    void makeDefault(const cocos2d::CCSize& size, const cocos2d::CCPoint& offset) override;
    /// A circle at the first scaled point, radius = stored radius × 0.05 × |sx|.
    QNFixtureDef toFixtureDef(float sx, float sy) const override;
    /// Distance between the two stored points (scene units); 0 with fewer than two.
    float radius() const;

protected:
    QNModel* createEmptyCopy() const override { return new QNModelCircle(); }
};

/// Makes the collision-shape attribute build these classes (called by the class registration).
void installShapeFactory();

/// The convex hull Box2D would build from `points` (counter-clockwise, welded like Box2D does),
/// or an empty list when it has fewer than three vertices or no area.
std::vector<b2Vec2> convexHull(const std::vector<b2Vec2>& points);

/// The one-way platform rule: `oneWay` is the platform shape's vector, `normal` the contact normal
/// from the platform towards the other object and `otherVelocity` the other body's velocity, both
/// in the platform body's frame. A zero normal is replaced by the reversed, normalised velocity.
/// The other object passes through when the normal points against the vector (negative dot
/// product); a zero or non-finite vector never lets anything through.
bool oneWayPassesThrough(const b2Vec2& oneWay, b2Vec2 normal, const b2Vec2& otherVelocity);

/// The same rule for a live contact: the normal is taken from the contact's world manifold (reversed
/// when the platform is the contact's second body) and expressed in the platform body's frame.
bool oneWayPassesThrough(const b2Vec2& oneWay, b2Contact* contact, b2Body* platformBody, b2Body* otherBody);
