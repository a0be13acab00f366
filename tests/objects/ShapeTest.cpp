// Collision shapes: editing rules, the saved form, conversion to Box2D fixtures at a node scale
// (only shapes Box2D accepts), and the one-way platform rule, through a real Box2D world.

#include <cmath>
#include <limits>

#include "ObjectTestSupport.h"
#include "objects/QNModelAsset.h"

using namespace cocos2d;
using namespace objecttest;
using modeltest::model;

namespace {

QNModelPolygon* polygon(std::initializer_list<CCPoint> points) {
    auto* p = new QNModelPolygon();
    p->autorelease();
    for (const CCPoint& q : points) p->addPoint(q);
    return p;
}

QNModelCircle* circle(CCPoint centre, CCPoint rim) {
    auto* c = new QNModelCircle();
    c->autorelease();
    c->addPoint(centre);
    c->addPoint(rim);
    return c;
}

class ShapeTest : public ObjectTest {};

} // namespace

TEST_F(ShapeTest, PolygonUsabilityFollowsPointCountSpacingAndArea) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        std::vector<CCPoint> points;
        float sx, sy;
        bool usable;
    };
    const Case cases[] = {
        {"square", {{-10, -10}, {10, -10}, {10, 10}, {-10, 10}}, 1, 1, true},
        {"two points", {{0, 0}, {10, 0}}, 1, 1, false},
        {"no points", {}, 1, 1, false},
        // 0.9 scene units = 0.045 physics units apart, below the 0.05 limit
        {"near duplicate", {{0, 0}, {0.9f, 0}, {20, 0}, {20, 20}}, 1, 1, false},
        {"duplicates apart at scale 2", {{0, 0}, {0.9f, 0}, {20, 0}, {20, 20}}, 2, 2, true},
        // collinear points have no area: Box2D would assert on the hull
        {"collinear", {{0, 0}, {10, 0}, {20, 0}, {30, 0}}, 1, 1, false},
        {"almost collinear", {{0, 0}, {100, 0}, {200, 0.000001f}}, 1, 1, false},
        {"thin but with an area", {{0, 0}, {100, 0}, {200, 0.01f}}, 1, 1, true},
        {"not finite", {{0, 0}, {nan, 0}, {20, 20}}, 1, 1, false},
        // a near duplicate after the eighth point is not looked at
        {"duplicate past eight",
         {{0, 0}, {10, 0}, {20, 5}, {25, 15}, {20, 25}, {10, 30}, {0, 30}, {-5, 15}, {-5, 15.1f}},
         1,
         1,
         true},
    };
    for (const Case& c : cases) {
        auto* shape = new QNModelPolygon();
        for (const CCPoint& p : c.points) shape->addPoint(p);
        EXPECT_EQ(shape->isUsable(c.sx, c.sy), c.usable) << c.what;
        const QNFixtureDef def = shape->toFixtureDef(c.sx, c.sy);
        EXPECT_EQ(def.hasShape(), c.usable) << c.what;
        if (def.hasShape()) {
            // Box2D accepts it: a body takes the fixture without complaint.
            b2BodyDef bd;
            bd.type = b2_dynamicBody;
            b2Body* body = world->CreateBody(&bd);
            b2FixtureDef fd = def.def;
            fd.density = 0.1f;
            EXPECT_NE(body->CreateFixture(&fd), nullptr) << c.what;
            EXPECT_GT(body->GetMass(), 0.0f) << c.what;
        }
        shape->release();
    }
}

TEST_F(ShapeTest, PolygonScalesToPhysicsUnitsWithYNegatedAndKeepsTheHullOfItsFirstEightPoints) {
    // An octagon plus a ninth point far outside: the ninth point is ignored.
    std::vector<CCPoint> points;
    for (int i = 0; i < 8; ++i) {
        const float a = i * 3.14159265f / 4.0f;
        points.push_back(ccp(100.0f * std::cos(a), 100.0f * std::sin(a)));
    }
    points.push_back(ccp(1000.0f, 1000.0f));
    auto* shape = new QNModelPolygon();
    shape->autorelease();
    for (const CCPoint& p : points) shape->addPoint(p);
    const QNFixtureDef def = shape->toFixtureDef(1.0f, 1.0f);
    ASSERT_TRUE(def.hasShape());
    ASSERT_EQ(def.kind, QNFixtureDef::kPolygon);
    EXPECT_EQ(def.polygon.m_count, 8);
    for (int i = 0; i < def.polygon.m_count; ++i) {
        EXPECT_LE(def.polygon.m_vertices[i].Length(), 5.0f + 1e-4f);
    }

    // A box off the origin: scale x by 2 and mirror y; (x, y) becomes (x sx 0.05, -y sy 0.05).
    QNModelPolygon* box = polygon({{10, 20}, {30, 20}, {30, 40}, {10, 40}});
    const QNFixtureDef scaled = box->toFixtureDef(2.0f, -1.0f);
    ASSERT_TRUE(scaled.hasShape());
    b2AABB aabb;
    scaled.polygon.ComputeAABB(&aabb, b2Transform(b2Vec2(0, 0), b2Rot(0)), 0);
    EXPECT_NEAR(aabb.lowerBound.x, 1.0f, 0.02f);
    EXPECT_NEAR(aabb.upperBound.x, 3.0f, 0.02f);
    EXPECT_NEAR(aabb.lowerBound.y, 1.0f, 0.02f); // y 20..40 mirrored by -1 then negated: 1..2
    EXPECT_NEAR(aabb.upperBound.y, 2.0f, 0.02f);

    // The defaults the callers overwrite.
    EXPECT_FLOAT_EQ(def.def.friction, 0.2f);
    EXPECT_FLOAT_EQ(def.def.density, 0.0f);
    EXPECT_FALSE(def.def.isSensor);
    EXPECT_EQ(def.def.filter.categoryBits, 1);
    EXPECT_EQ(def.def.filter.maskBits, 0xFFFF);

    // Copies own their shape: the copy's definition points at the copy's polygon.
    QNFixtureDef copy = def;
    EXPECT_EQ(copy.def.shape, &copy.polygon);
}

TEST_F(ShapeTest, CircleRadiusFollowsTheXScaleAndMustBePositive) {
    QNModelCircle* c = circle(ccp(10, 20), ccp(40, 20)); // radius 30 = 1.5 physics units
    struct Case {
        float sx, sy, radius, cx, cy;
    };
    const Case cases[] = {
        {1, 1, 1.5f, 0.5f, -1.0f},
        {2, 1, 3.0f, 1.0f, -1.0f},   // doubles the radius
        {1, 2, 1.5f, 0.5f, -2.0f},   // moves only the centre
        {-1, 1, 1.5f, -0.5f, -1.0f}, // mirrored, radius from |sx|
    };
    for (const Case& k : cases) {
        const QNFixtureDef def = c->toFixtureDef(k.sx, k.sy);
        ASSERT_TRUE(def.hasShape());
        EXPECT_EQ(def.kind, QNFixtureDef::kCircle);
        EXPECT_NEAR(def.circle.m_radius, k.radius, 1e-5f);
        EXPECT_NEAR(def.circle.m_p.x, k.cx, 1e-5f);
        EXPECT_NEAR(def.circle.m_p.y, k.cy, 1e-5f);
    }
    // Zero radius, a single point, or a zero x scale make no circle.
    EXPECT_FALSE(circle(ccp(5, 5), ccp(5, 5))->isUsable(1, 1));
    auto* single = new QNModelCircle();
    single->autorelease();
    single->addPoint(ccp(1, 1));
    EXPECT_FALSE(single->isUsable(1, 1));
    EXPECT_FALSE(c->isUsable(0, 1));
    EXPECT_FALSE(circle(ccp(0, 0), ccp(std::numeric_limits<float>::infinity(), 0))->isUsable(1, 1));
}

TEST_F(ShapeTest, EditingRulesOfPolygonsAndCircles) {
    QNModelPolygon* p = polygon({{0, 0}, {1, 0}});
    p->insertPoint(2, ccp(2, 0)); // one past the end appends
    p->insertPoint(5, ccp(9, 9)); // further does nothing
    p->insertPoint(0, ccp(-1, 0));
    ASSERT_EQ(p->pointCount(), 4);
    EXPECT_EQ(p->points()[0].x, -1);
    EXPECT_EQ(p->points()[3].x, 2);
    p->removePoint(7);
    p->setPoint(9, ccp(5, 5));
    EXPECT_EQ(p->pointCount(), 4);
    p->removePoint(0);
    EXPECT_EQ(p->points()[0].x, 0);

    auto* c = new QNModelCircle();
    c->autorelease();
    c->insertPoint(3, ccp(7, 7)); // empty: the default circle
    ASSERT_EQ(c->pointCount(), 2);
    EXPECT_FLOAT_EQ(c->radius(), 30.0f);
    c->addPoint(ccp(1, 1)); // never more than two
    EXPECT_EQ(c->pointCount(), 2);
    c->setPoint(0, ccp(10, 10)); // the rim follows the centre
    EXPECT_FLOAT_EQ(c->points()[1].x, 40.0f);
    EXPECT_FLOAT_EQ(c->radius(), 30.0f);
    c->removePoint(1);
    EXPECT_TRUE(c->isEmpty());

    // Default outlines from a frame size and offset.
    auto* d = new QNModelPolygon();
    d->autorelease();
    d->makeDefault(CCSize(0, 0), ccp(0, 0));
    ASSERT_EQ(d->pointCount(), 4);
    EXPECT_FLOAT_EQ(d->points()[0].x, -60.0f);
    EXPECT_FLOAT_EQ(d->points()[2].y, 40.0f);
    auto* dc = new QNModelCircle();
    dc->autorelease();
    dc->makeDefault(CCSize(50, 50), ccp(5, 0));
    EXPECT_FLOAT_EQ(dc->points()[0].x, -5.0f);
    EXPECT_FLOAT_EQ(dc->radius(), 20.0f);
}

TEST_F(ShapeTest, ShapesLoadFromTheAssetFileAndSurviveSavingAndCopying) {
    writeData("QNModelAssetObstacle.0.attributes.xml",
              model("QNModelAssetObstacle", 30, shapeAttr(1, {{-10, -10}, {10, -10}, {10, 10}}, "{0,1}")) +
                  model("QNModelAssetObstacle", 31, shapeAttr(2, {{0, 0}, {20, 0}, {50, 0}})) +
                  model("QNModelAssetObstacle", 32,
                        attr("Collision Shape", kv("shapeType", "1") + "<key>points</key><array>"
                                                                       "<string>junk</string></array>")));
    loadAll();
    auto* poly = dynamic_cast<QNModelAsset*>(controller()->modelById(30));
    auto* circ = dynamic_cast<QNModelAsset*>(controller()->modelById(31));
    auto* junk = dynamic_cast<QNModelAsset*>(controller()->modelById(32));
    ASSERT_TRUE(poly && circ && junk);
    ASSERT_NE(poly->collisionShape(), nullptr);
    EXPECT_EQ(poly->collisionShape()->className(), "QNModelPolygon");
    EXPECT_EQ(poly->collisionShape()->pointCount(), 3);
    EXPECT_FLOAT_EQ(poly->collisionShape()->oneWayCollisionVector().y, 1.0f);
    ASSERT_NE(dynamic_cast<QNModelCircle*>(circ->collisionShape()), nullptr);
    EXPECT_EQ(circ->collisionShape()->pointCount(), 2) << "a circle keeps its first two points";
    EXPECT_TRUE(poly->isValidAtScale(1, 1));
    EXPECT_FALSE(poly->isValidAtScale(0, 1));
    // Unparsable point text reads as (0,0).
    ASSERT_EQ(junk->collisionShape()->pointCount(), 1);
    EXPECT_EQ(junk->collisionShape()->points()[0].x, 0.0f);
    EXPECT_FALSE(junk->isValidAtScale(1, 1));

    // Saved form, read back into a fresh shape.
    CCDictionary* saved = poly->collisionShape()->attributesDictionary();
    auto* again = new QNModelPolygon();
    again->autorelease();
    again->initWithDictionary(saved);
    EXPECT_EQ(again->pointCount(), 3);
    EXPECT_FLOAT_EQ(again->points()[1].x, 10.0f);
    EXPECT_FLOAT_EQ(again->oneWayCollisionVector().y, 1.0f);

    // A duplicated asset has its own copy of the shape.
    auto* copy = dynamic_cast<QNModelAsset*>(poly->duplicate());
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy->collisionShape(), nullptr);
    EXPECT_NE(copy->collisionShape(), poly->collisionShape());
    EXPECT_EQ(copy->collisionShape()->pointCount(), 3);

    // A new asset starts with an empty polygon.
    auto* fresh = make<QNModelAsset>("QNModelAssetObstacle");
    ASSERT_NE(fresh->collisionShape(), nullptr);
    EXPECT_TRUE(fresh->collisionShape()->isEmpty());
    EXPECT_FALSE(fresh->isValidAtScale(1, 1));
}

TEST_F(ShapeTest, OneWayRulePassesAgainstTheVectorInEveryDirection) {
    // For every direction of the vector, a normal turned by more than a quarter turn passes,
    // including across the angle wrap at +-pi (a vector pointing left with normals just above and
    // below the negative x axis).
    for (int i = 0; i < 16; ++i) {
        const float a0 = -3.14159265f + i * 3.14159265f / 8.0f;
        const b2Vec2 v(std::cos(a0), std::sin(a0));
        for (float turn : {0.0f, 1.0f, 1.5f, 1.65f, 2.5f, 3.1f, -1.0f, -1.65f, -3.1f}) {
            const b2Vec2 n(std::cos(a0 + turn), std::sin(a0 + turn));
            const bool expected = std::fabs(turn) > 3.14159265f / 2.0f;
            EXPECT_EQ(oneWayPassesThrough(v, n, b2Vec2(0, 0)), expected) << "a0 " << a0 << " turn " << turn;
        }
    }
    // A zero vector never lets anything through; a zero normal takes the reversed velocity.
    EXPECT_FALSE(oneWayPassesThrough(b2Vec2(0, 0), b2Vec2(0, -1), b2Vec2(0, 0)));
    EXPECT_TRUE(oneWayPassesThrough(b2Vec2(0, 1), b2Vec2(0, 0), b2Vec2(0, 5)));   // moving up from below
    EXPECT_FALSE(oneWayPassesThrough(b2Vec2(0, 1), b2Vec2(0, 0), b2Vec2(0, -5))); // falling onto it
    EXPECT_FALSE(oneWayPassesThrough(b2Vec2(0, 1), b2Vec2(0, 0), b2Vec2(0, 0)));
}

TEST_F(ShapeTest, OneWayRuleOnLiveContactsUsesThePlatformFrame) {
    // A platform rotated a half turn with vector (0,1) in its own frame faces down in the world.
    struct Case {
        float platformAngle;
        float otherY; // the other box above (+) or below (-) the platform
        bool passes;
    };
    const Case cases[] = {
        {0.0f, 0.9f, false}, {0.0f, -0.9f, true}, {3.14159265f, 0.9f, true}, {3.14159265f, -0.9f, false}};
    for (const Case& c : cases) {
        b2World w(b2Vec2(0, 0));
        b2BodyDef pd;
        pd.angle = c.platformAngle;
        b2Body* platform = w.CreateBody(&pd);
        b2PolygonShape box;
        box.SetAsBox(2.0f, 0.5f);
        platform->CreateFixture(&box, 0.0f);
        b2BodyDef od;
        od.type = b2_dynamicBody;
        od.position.Set(0.0f, c.otherY);
        b2Body* other = w.CreateBody(&od);
        b2PolygonShape small;
        small.SetAsBox(0.5f, 0.5f);
        other->CreateFixture(&small, 1.0f);
        w.Step(1.0f / 60.0f, 6, 6);
        b2Contact* contact = w.GetContactList();
        ASSERT_NE(contact, nullptr);
        ASSERT_TRUE(contact->IsTouching());
        EXPECT_EQ(oneWayPassesThrough(b2Vec2(0, 1), contact, platform, other), c.passes)
            << c.platformAngle << " " << c.otherY;
        EXPECT_FALSE(oneWayPassesThrough(b2Vec2(0, 0), contact, platform, other));
    }
}
