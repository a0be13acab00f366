#include "presentation/QNAnimationChildren.h"

namespace {

QNPAnimationChildFactory* defaultFactory() {
    static QNPAnimationChildFactory factory;
    return &factory;
}

QNPAnimationChildFactory* g_factory = nullptr;

} // namespace

int QNPAnimationChildFactory::depthOf(const QNModel* child) const {
    (void)child;
    return 0;
}

QNChildPlacement QNPAnimationChildFactory::placementOf(const QNModel* child) const {
    QNChildPlacement placement;
    placement.depth = depthOf(child);
    return placement;
}

cocos2d::CCNode* QNPAnimationChildFactory::buildChild(QNModel* child, QNModelAnimation* animation,
                                                      cocos2d::CCNode* owner, bool spawnersActive) {
    (void)child;
    (void)animation;
    (void)owner;
    (void)spawnersActive;
    return nullptr;
}

QNPAnimationChildFactory* QNPAnimationChildFactory::shared() {
    return g_factory ? g_factory : defaultFactory();
}

void QNPAnimationChildFactory::setShared(QNPAnimationChildFactory* factory) {
    g_factory = factory;
}
