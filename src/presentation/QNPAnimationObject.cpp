#include "presentation/QNPAnimationObject.h"

#include <algorithm>

#include "framework/CCArray.h"
#include "presentation/QNModelAnimation.h"

using namespace cocos2d;

QNPAnimationObject* QNPAnimationObject::create(QNModelAnimation* model, CCNode* owner, bool spawnersActive) {
    if (!model) return nullptr;
    auto* node = new QNPAnimationObject();
    if (!node->initWithModel(model, owner, spawnersActive)) {
        node->release();
        return nullptr;
    }
    node->autorelease();
    return node;
}

QNPAnimationObject::~QNPAnimationObject() {
    for (Entry& entry : m_entries) {
        CC_SAFE_RELEASE(entry.node);
        entry.model->release();
    }
    CC_SAFE_RELEASE(m_model);
}

bool QNPAnimationObject::initWithModel(QNModelAnimation* model, CCNode* owner, bool spawnersActive) {
    if (!CCNode::init()) return false;
    m_model = model;
    m_model->retain();
    QNPAnimationChildFactory* factory = QNPAnimationChildFactory::shared();
    std::vector<QNChildPlacement> placements;
    m_entries.reserve(model->children().size());
    for (QNModel* child : model->children()) {
        Entry entry;
        entry.model = child;
        child->retain();
        entry.node = factory->buildChild(child, model, owner, spawnersActive);
        if (entry.node) {
            entry.node->retain();
            entry.child = dynamic_cast<QNPAnimationChild*>(entry.node);
            if (entry.child) entry.kind = entry.child->animationChildKind();
        }
        m_entries.push_back(entry);
        placements.push_back(factory->placementOf(child));
    }
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].node) place(m_entries[i], placements[i]);
    }
    computeBounds();
    return true;
}

QNPAnimationObject::Entry* QNPAnimationObject::entryOf(unsigned int modelId) {
    for (Entry& entry : m_entries)
        if (entry.model->id() == modelId) return &entry;
    return nullptr;
}

void QNPAnimationObject::place(Entry& entry, const QNChildPlacement& placement) {
    CCNode* parent = this;
    if (placement.parentObjectId != 0) {
        Entry* named = entryOf(placement.parentObjectId);
        if (named && named->node) {
            // A child that names itself, or a node already below it, as its parent would close a
            // loop in the scene graph: it goes to the animation node instead.
            bool loop = false;
            for (CCNode* up = named->node; up; up = up->getParent()) {
                if (up == entry.node) {
                    loop = true;
                    break;
                }
            }
            if (!loop) parent = named->node;
        }
    }
    // Spawning children with no depth of their own go just behind their siblings.
    const int depth = placement.hasSpawner && placement.depth == 0 ? -1 : placement.depth;
    parent->addChild(entry.node, depth);
    const CCSize& size = parent->getContentSize();
    entry.node->setPosition(
        ccp(size.width / 2 + placement.position.x, size.height / 2 + placement.position.y));
    entry.node->setRotation(placement.rotation);
    entry.node->setScaleX(placement.scaleX);
    entry.node->setScaleY(placement.scaleY);
}

void QNPAnimationObject::computeBounds() {
    m_bounds = CCRectZero;
    const CCPoint& centre = getPosition();
    CCObject* object = nullptr;
    CCARRAY_FOREACH(getChildren(), object) {
        auto* child = dynamic_cast<CCNode*>(object);
        if (!child) continue;
        const float w = child->getContentSize().width * child->getScaleX();
        const float h = child->getContentSize().height * child->getScaleY();
        const CCRect r(centre.x - w / 2, centre.y - h / 2, w, h);
        const float minX = std::min(m_bounds.getMinX(), r.getMinX()),
                    minY = std::min(m_bounds.getMinY(), r.getMinY());
        const float maxX = std::max(m_bounds.getMaxX(), r.getMaxX()),
                    maxY = std::max(m_bounds.getMaxY(), r.getMaxY());
        m_bounds = CCRect(minX, minY, maxX - minX, maxY - minY);
    }
}

template <typename Op> void QNPAnimationObject::forKind(QNPAnimationChild::Kind kind, Op op) {
    for (Entry& entry : m_entries)
        if (entry.child && entry.kind == kind) op(entry.child);
}

void QNPAnimationObject::update(float dt) {
    const float speed = m_model->animationSpeed();
    const bool visible = isVisible();
    if (visible) m_clock += speed * dt;
    if (m_clock > m_model->duration()) {
        m_clock = 0.0f;
        if (m_endTarget && m_endCallback) (m_endTarget->*m_endCallback)();
        if (!m_model->isLooped()) {
            forKind(QNPAnimationChild::kImage, [](QNPAnimationChild* c) { c->pauseFrames(); });
            forKind(QNPAnimationChild::kParticles, [](QNPAnimationChild* c) { c->stopEmitters(); });
        }
    }
    if (!visible) return;
    for (Entry& entry : m_entries) {
        entry.model->setAnimationTime(m_clock);
        entry.model->update(speed * dt);
        if (entry.node) entry.node->update(entry.kind == QNPAnimationChild::kParticles ? dt : speed * dt);
    }
}

int QNPAnimationObject::getZOrder() const {
    return getParent() ? getParent()->getZOrder() : CCNode::getZOrder();
}

void QNPAnimationObject::setVisible(bool visible) {
    CCNode::setVisible(visible);
    for (Entry& entry : m_entries)
        if (entry.node) entry.node->setVisible(visible);
}

void QNPAnimationObject::setParent(CCNode* parent) {
    CCNode::setParent(parent);
    if (!parent) return;
    const int tag = parent->getTag();
    setTag(tag);
    for (Entry& entry : m_entries)
        if (entry.node) entry.node->setTag(tag);
}

void QNPAnimationObject::setEndCallback(CCObject* target, SEL_CallFunc callback) {
    m_endTarget = target;
    m_endCallback = callback;
}

void QNPAnimationObject::restart() {
    m_model->setAnimationTime(0.0f);
    m_clock = 0.0f;
    forKind(QNPAnimationChild::kImage, [](QNPAnimationChild* c) { c->restartFrames(); });
    forKind(QNPAnimationChild::kParticles, [](QNPAnimationChild* c) { c->resetEmitters(); });
}

void QNPAnimationObject::stop() {
    m_model->setAnimationTime(0.0f);
    m_clock = 0.0f;
    forKind(QNPAnimationChild::kImage, [](QNPAnimationChild* c) { c->stopFrames(); });
    forKind(QNPAnimationChild::kParticles, [](QNPAnimationChild* c) { c->stopEmitters(); });
}

void QNPAnimationObject::pause() {
    forKind(QNPAnimationChild::kImage, [](QNPAnimationChild* c) { c->pauseFrames(); });
}

void QNPAnimationObject::resume() {
    forKind(QNPAnimationChild::kImage, [](QNPAnimationChild* c) { c->resumeFrames(); });
}

void QNPAnimationObject::showFrame(int n) {
    forKind(QNPAnimationChild::kImage, [n](QNPAnimationChild* c) { c->showFrame(n); });
}

void QNPAnimationObject::setOpacity(float opacity) {
    m_opacity = opacity;
    for (Entry& entry : m_entries)
        if (entry.child) entry.child->setAnimationOpacity(opacity);
}

void QNPAnimationObject::setGameLayer(CCNode* layer) {
    for (Entry& entry : m_entries)
        if (entry.child && entry.kind != QNPAnimationChild::kImage) entry.child->setAnimationGameLayer(layer);
}

CCNode* QNPAnimationObject::childNode(int index) const {
    if (index < 0 || index >= (int)m_entries.size()) return nullptr;
    return m_entries[(std::size_t)index].node;
}

int QNPAnimationObject::durationFrames() const {
    return (int)(m_model->duration() * 30.0f);
}
