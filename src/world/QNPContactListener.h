#pragma once
// The world's contact listener: it decides nothing itself and hands every contact event to the two
// runtime objects involved (each fixture's user data is the QNPObject that owns it). Fixtures
// without an object take part in no rule.

#include <box2d/box2d.h>

class QNPContactListener : public b2ContactListener {
public:
    ~QNPContactListener() override = default;
    /// A.beginContact(B, contact, true), then B.beginContact(A, contact, true).
    void BeginContact(b2Contact* contact) override;
    /// A.endContact(B, contact), then B.endContact(A, contact).
    void EndContact(b2Contact* contact) override;
    /// A.preSolve(B, contact, oldManifold), then B.preSolve(A, ...).
    void PreSolve(b2Contact* contact, const b2Manifold* oldManifold) override;
};
