#include "world/QNPContactListener.h"

#include "objects/QNPObject.h"

namespace {
/// The asset objects of both fixtures, or false when either has none.
bool pair(b2Contact* contact, QNPObjectAsset*& a, QNPObjectAsset*& b) {
    if (!contact) return false;
    a = dynamic_cast<QNPObjectAsset*>(QNPObject::fromFixture(contact->GetFixtureA()));
    b = dynamic_cast<QNPObjectAsset*>(QNPObject::fromFixture(contact->GetFixtureB()));
    return a && b;
}
} // namespace

void QNPContactListener::BeginContact(b2Contact* contact) {
    QNPObjectAsset *a, *b;
    if (!pair(contact, a, b)) return;
    a->beginContact(b, contact, true);
    b->beginContact(a, contact, true);
}

void QNPContactListener::EndContact(b2Contact* contact) {
    QNPObjectAsset *a, *b;
    if (!pair(contact, a, b)) return;
    a->endContact(b, contact);
    b->endContact(a, contact);
}

void QNPContactListener::PreSolve(b2Contact* contact, const b2Manifold* oldManifold) {
    QNPObjectAsset *a, *b;
    if (!pair(contact, a, b)) return;
    a->preSolve(b, contact, oldManifold);
    b->preSolve(a, contact, oldManifold);
}
