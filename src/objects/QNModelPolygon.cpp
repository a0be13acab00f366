#include "objects/QNModelPolygon.h"

#include <cmath>

#include "framework/CCArray.h"
#include "framework/CCDictionary.h"
#include "framework/CCString.h"
#include "model/QNDataText.h"
#include "model/QNPAttributeShape.h"

using namespace cocos2d;

namespace {

constexpr float kScale = 0.05f;
// Below this hull area (square physics units) Box2D's centroid computation would refuse the shape.
constexpr float kMinHullArea = 1e-6f;

bool finite(const b2Vec2& v) {
    return std::isfinite(v.x) && std::isfinite(v.y);
}

/// Box2D's defaults as this game uses them.
void resetDef(b2FixtureDef& def) {
    def = b2FixtureDef();
    def.friction = 0.2f;
    def.restitution = 0.0f;
    def.density = 0.0f;
    def.isSensor = false;
    def.filter.categoryBits = 1;
    def.filter.maskBits = 0xFFFF;
    def.filter.groupIndex = 0;
}

float hullArea(const std::vector<b2Vec2>& hull) {
    float area = 0.0f;
    const b2Vec2 s = hull[0];
    for (std::size_t i = 1; i + 1 < hull.size(); ++i) {
        area += 0.5f * b2Cross(hull[i] - s, hull[i + 1] - s);
    }
    return area;
}

} // namespace

// ----- QNFixtureDef ------------------------------------------------------------------------------

QNFixtureDef::QNFixtureDef() {
    resetDef(def);
}

QNFixtureDef::QNFixtureDef(const QNFixtureDef& other)
    : def(other.def), polygon(other.polygon), circle(other.circle), kind(other.kind) {
    repoint();
}

QNFixtureDef& QNFixtureDef::operator=(const QNFixtureDef& other) {
    if (this != &other) {
        def = other.def;
        polygon = other.polygon;
        circle = other.circle;
        kind = other.kind;
        repoint();
    }
    return *this;
}

void QNFixtureDef::repoint() {
    def.shape = kind == kPolygon  ? static_cast<const b2Shape*>(&polygon)
                : kind == kCircle ? static_cast<const b2Shape*>(&circle)
                                  : nullptr;
}

// ----- hull and one-way rule ---------------------------------------------------------------------

std::vector<b2Vec2> convexHull(const std::vector<b2Vec2>& input) {
    std::vector<b2Vec2> hull;
    // Weld close points, as Box2D does before wrapping.
    std::vector<b2Vec2> ps;
    const float weld = (0.5f * b2_linearSlop) * (0.5f * b2_linearSlop);
    for (std::size_t i = 0; i < input.size() && i < (std::size_t)b2_maxPolygonVertices; ++i) {
        const b2Vec2 v = input[i];
        if (!finite(v)) return hull;
        bool unique = true;
        for (const b2Vec2& p : ps) {
            if (b2DistanceSquared(v, p) < weld) {
                unique = false;
                break;
            }
        }
        if (unique) ps.push_back(v);
    }
    const int n = (int)ps.size();
    if (n < 3) return hull;

    // Gift wrapping from the right-most point (lowest y on ties).
    int i0 = 0;
    float x0 = ps[0].x;
    for (int i = 1; i < n; ++i) {
        const float x = ps[i].x;
        if (x > x0 || (x == x0 && ps[i].y < ps[i0].y)) {
            i0 = i;
            x0 = x;
        }
    }
    std::vector<int> indices;
    int ih = i0;
    for (;;) {
        if ((int)indices.size() >= n) return hull; // cannot happen for finite input; stay safe
        indices.push_back(ih);
        int ie = 0;
        for (int j = 1; j < n; ++j) {
            if (ie == ih) {
                ie = j;
                continue;
            }
            const b2Vec2 r = ps[ie] - ps[indices.back()];
            const b2Vec2 v = ps[j] - ps[indices.back()];
            const float c = b2Cross(r, v);
            if (c < 0.0f) ie = j;
            if (c == 0.0f && v.LengthSquared() > r.LengthSquared()) ie = j;
        }
        ih = ie;
        if (ie == i0) break;
    }
    if (indices.size() < 3) return hull;
    for (int index : indices) hull.push_back(ps[index]);
    if (!(hullArea(hull) > kMinHullArea)) hull.clear();
    return hull;
}

bool oneWayPassesThrough(const b2Vec2& oneWay, b2Vec2 normal, const b2Vec2& otherVelocity) {
    if (!finite(oneWay) || !(oneWay.LengthSquared() > 0.0f)) return false;
    if (!finite(normal)) return false;
    if (normal.x == 0.0f && normal.y == 0.0f) {
        b2Vec2 v = otherVelocity;
        if (!finite(v) || v.Normalize() == 0.0f) return false;
        normal = -v;
    }
    return b2Dot(oneWay, normal) < 0.0f;
}

bool oneWayPassesThrough(const b2Vec2& oneWay, b2Contact* contact, b2Body* platformBody, b2Body* otherBody) {
    if (!contact || !platformBody || !otherBody) return false;
    b2WorldManifold manifold;
    contact->GetWorldManifold(&manifold);
    b2Vec2 normal = manifold.normal;
    if (contact->GetFixtureB() && contact->GetFixtureB()->GetBody() == platformBody) normal = -normal;
    const b2Rot& q = platformBody->GetTransform().q;
    return oneWayPassesThrough(oneWay, b2MulT(q, normal), b2MulT(q, otherBody->GetLinearVelocity()));
}

// ----- QNModelPolygon ----------------------------------------------------------------------------

QNModelPolygon::QNModelPolygon() : QNModel("QNModelPolygon") {}
QNModelPolygon::QNModelPolygon(const std::string& className) : QNModel(className) {}

bool QNModelPolygon::initWithDictionary(CCDictionary* dict) {
    if (!QNModel::initWithDictionary(dict)) return false;
    if (!dict) return true;
    if (auto* list = dynamic_cast<CCArray*>(dict->objectForKey("points"))) {
        for (unsigned int i = 0; i < list->count(); ++i) {
            auto* text = dynamic_cast<CCString*>(list->objectAtIndex(i));
            addPoint(text ? qn::textToPoint(text->getCString()) : CCPointZero);
        }
    }
    if (qn::isPresent(dict, "oneWayCollisionVector")) {
        m_oneWay = qn::textToPoint(qn::textFor(dict, "oneWayCollisionVector"));
    }
    return true;
}

CCDictionary* QNModelPolygon::attributesDictionary() {
    CCDictionary* dict = QNModel::attributesDictionary();
    CCArray* list = CCArray::create();
    for (const CCPoint& p : m_points) list->addObject(CCString::createWithFormat("{%f,%f}", p.x, p.y));
    dict->setObject(list, "points");
    qn::setText(dict, "oneWayCollisionVector", "{%f,%f}", m_oneWay.x, m_oneWay.y);
    return dict;
}

void QNModelPolygon::copyFrom(QNModel* other) {
    QNModel::copyFrom(other);
    auto* that = dynamic_cast<QNModelPolygon*>(other);
    if (!that || that == this) return;
    m_points = that->m_points;
    m_oneWay = that->m_oneWay;
}

void QNModelPolygon::addPoint(const CCPoint& p) {
    m_points.push_back(p);
}

void QNModelPolygon::insertPoint(int index, const CCPoint& p) {
    if (index < 0 || index > (int)m_points.size()) return;
    m_points.insert(m_points.begin() + index, p);
}

void QNModelPolygon::removePoint(int index) {
    if (index < 0 || index >= (int)m_points.size()) return;
    m_points.erase(m_points.begin() + index);
}

void QNModelPolygon::setPoint(int index, const CCPoint& p) {
    if (index < 0 || index >= (int)m_points.size()) return;
    m_points[index] = p;
}

bool QNModelPolygon::isConvex() const {
    const int n = (int)m_points.size();
    if (n < 3) return false;
    int sign = 0;
    for (int i = 0; i < n; ++i) {
        const CCPoint& a = m_points[i];
        const CCPoint& b = m_points[(i + 1) % n];
        const CCPoint& c = m_points[(i + 2) % n];
        const float cross = (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x);
        if (cross == 0.0f) continue;
        const int s = cross > 0.0f ? 1 : -1;
        if (sign == 0)
            sign = s;
        else if (s != sign)
            return false;
    }
    return sign != 0;
}

void QNModelPolygon::makeDefault(const CCSize& size, const CCPoint& offset) {
    float w = size.width, h = size.height;
    if (!(w > 0.0f && h > 0.0f)) {
        w = 120.0f;
        h = 80.0f;
    }
    const float ox = offset.x, oy = offset.y;
    addPoint(ccp(-w / 2 - ox, -h / 2 - oy));
    addPoint(ccp(w / 2 - ox, -h / 2 - oy));
    addPoint(ccp(w / 2 - ox, h / 2 - oy));
    addPoint(ccp(-w / 2 - ox, h / 2 - oy));
}

std::vector<b2Vec2> QNModelPolygon::scaledPoints(float sx, float sy) const {
    std::vector<b2Vec2> out;
    const std::size_t n = std::min(m_points.size(), (std::size_t)kMaxScaledPoints);
    out.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        out.emplace_back(m_points[i].x * sx * kScale, m_points[i].y * sy * -kScale);
    }
    return out;
}

QNFixtureDef QNModelPolygon::toFixtureDef(float sx, float sy) const {
    QNFixtureDef result;
    const std::vector<b2Vec2> points = scaledPoints(sx, sy);
    if (points.empty()) return result;
    if (!hasClassName("QNModelPolygon")) {
        result.polygon.SetAsBox(1.6f, 1.6f);
        result.kind = QNFixtureDef::kPolygon;
        result.def.shape = &result.polygon;
        return result;
    }
    if (points.size() < 3) return result;
    // No two of the first eight points may lie within kMinPointDistance of each other.
    const std::size_t checked = std::min(points.size(), (std::size_t)kMaxVertices);
    for (std::size_t i = 0; i < checked; ++i) {
        if (!finite(points[i])) return result;
        for (std::size_t j = 0; j < i; ++j) {
            if (b2DistanceSquared(points[i], points[j]) < kMinPointDistance * kMinPointDistance)
                return result;
        }
    }
    // Box2D takes the first eight points and wraps them; refuse what it would assert on.
    const std::vector<b2Vec2> hull = convexHull(points);
    if (hull.size() < 3) return result;
    result.polygon.Set(hull.data(), (int32)hull.size());
    result.kind = QNFixtureDef::kPolygon;
    result.def.shape = &result.polygon;
    return result;
}

// ----- QNModelCircle -----------------------------------------------------------------------------

QNModelCircle::QNModelCircle() : QNModelPolygon("QNModelCircle") {}

void QNModelCircle::addPoint(const CCPoint& p) {
    if (m_points.size() < 2) m_points.push_back(p);
}

void QNModelCircle::insertPoint(int, const CCPoint&) {
    if (!m_points.empty()) return;
    m_points.push_back(ccp(0.0f, 0.0f));
    m_points.push_back(ccp(kDefaultRadius, 0.0f));
}

void QNModelCircle::removePoint(int) {
    m_points.clear();
}

void QNModelCircle::setPoint(int index, const CCPoint& p) {
    if (index < 0 || index >= (int)m_points.size()) return;
    if (index == 0 && m_points.size() > 1) {
        m_points[1] = m_points[1] + (p - m_points[0]);
    }
    m_points[index] = p;
}

void QNModelCircle::makeDefault(const CCSize& size, const CCPoint& offset) {
    const float r = (size.width > 0.0f || size.height > 0.0f) ? (size.width + size.height) / 5.0f : 30.0f;
    addPoint(ccp(-offset.x, -offset.y));
    addPoint(ccp(r - offset.x, -offset.y));
}

float QNModelCircle::radius() const {
    if (m_points.size() < 2) return 0.0f;
    return ccpDistance(m_points[0], m_points[1]);
}

QNFixtureDef QNModelCircle::toFixtureDef(float sx, float sy) const {
    QNFixtureDef result;
    const std::vector<b2Vec2> points = scaledPoints(sx, sy);
    if (points.empty()) return result;
    const float r = radius() * kScale * std::fabs(sx);
    // A circle without a positive, finite radius would be a point: no shape.
    if (!finite(points[0]) || !std::isfinite(r) || !(r > 0.0f)) return result;
    result.circle.m_p = points[0];
    result.circle.m_radius = r;
    result.kind = QNFixtureDef::kCircle;
    result.def.shape = &result.circle;
    return result;
}

void installShapeFactory() {
    QNPAttributeShape::setShapeFactory([](int type) -> QNModel* {
        if (type == QNPAttributeShape::kShapePolygon) return new QNModelPolygon();
        if (type == QNPAttributeShape::kShapeCircle) return new QNModelCircle();
        return nullptr;
    });
}
