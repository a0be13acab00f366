#include "presentation/QNModelAnimation.h"

#include <algorithm>
#include <cmath>

#include "framework/CCArray.h"
#include "framework/CCDictionary.h"
#include "framework/CCString.h"
#include "model/QNDataText.h"
#include "model/QNModelController.h"
#include "presentation/QNAnimationChildren.h"

using namespace cocos2d;

QNModelAnimation::QNModelAnimation() : QNModel("QNModelAnimation") {}

QNModelAnimation::~QNModelAnimation() {
    releaseChildren();
}

void QNModelAnimation::releaseChildren() {
    std::vector<QNModel*> children;
    children.swap(m_children);
    for (QNModel* child : children) child->release();
}

bool QNModelAnimation::initWithDictionary(CCDictionary* dict) {
    if (!QNModel::initWithDictionary(dict)) return false;
    m_duration = ccTextToFloat(qn::textFor(dict, "duration").c_str());
    m_animationSpeed = ccTextToFloat(qn::textFor(dict, "animationSpeed").c_str());
    if (!std::isfinite(m_duration)) m_duration = 0.0f;
    if (!std::isfinite(m_animationSpeed)) m_animationSpeed = 0.0f;
    m_looped = qn::isPresent(dict, "looped") ? qn::textToBool(qn::textFor(dict, "looped")) : true;
    return true;
}

CCDictionary* QNModelAnimation::attributesDictionary() {
    CCDictionary* dict = QNModel::attributesDictionary();
    qn::setText(dict, "duration", "%f", m_duration);
    qn::setText(dict, "animationSpeed", "%f", m_animationSpeed);
    qn::setText(dict, "looped", "%d", m_looped ? 1 : 0);
    return dict;
}

CCDictionary* QNModelAnimation::connectionsDictionary() {
    CCDictionary* dict = QNModel::connectionsDictionary();
    CCArray* ids = CCArray::createWithCapacity((unsigned int)m_children.size());
    for (QNModel* child : m_children) ids->addObject(CCString::createWithFormat("%u", child->id()));
    dict->setObject(ids, "children");
    return dict;
}

void QNModelAnimation::initConnections(CCDictionary* dict) {
    QNModel::initConnections(dict);
    if (!dict) return;
    auto* ids = dynamic_cast<CCArray*>(dict->objectForKey("children"));
    if (!ids) return;
    QNModelController* controller = QNModelController::sharedModelController();
    for (CCObject* element : ids->data()) {
        auto* text = dynamic_cast<CCString*>(element);
        QNModel* child = text ? controller->modelById(text->uintValue()) : nullptr;
        if (!acceptsChild(child)) continue;
        child->retain();
        m_children.push_back(child);
    }
    sortChildren();
}

void QNModelAnimation::copyFrom(QNModel* other) {
    QNModel::copyFrom(other);
    auto* animation = dynamic_cast<QNModelAnimation*>(other);
    if (!animation || animation == this) return;
    m_animationSpeed = animation->m_animationSpeed;
    m_duration = animation->m_duration;
    m_looped = animation->m_looped;
    releaseChildren();
    for (QNModel* child : animation->m_children) {
        QNModel* copy = child->duplicate();
        if (!copy) continue;
        copy->retain();
        m_children.push_back(copy);
    }
    sortChildren();
}

void QNModelAnimation::remove() {
    retain();
    QNModel::remove();
    clear();
    release();
}

void QNModelAnimation::clear() {
    std::vector<QNModel*> children;
    children.swap(m_children);
    for (QNModel* child : children) {
        child->remove();
        child->release();
    }
}

void QNModelAnimation::update(float dt) {
    QNModel::update(dt);
    for (QNModel* child : m_children) child->update(dt);
}

bool QNModelAnimation::acceptsChild(QNModel* child) const {
    if (!child || std::find(m_children.begin(), m_children.end(), child) != m_children.end()) return false;
    // Children are placed objects. An animation among them (itself, or one that may list this one)
    // would make update recurse without end.
    if (child->hasClassName("QNModelAnimation")) {
        CCLog("[QNModelAnimation] - %u: animation %u cannot be a child; skipped", id(), child->id());
        return false;
    }
    return true;
}

void QNModelAnimation::addChild(QNModel* child) {
    if (!acceptsChild(child)) return;
    child->retain();
    m_children.push_back(child);
    sortChildren();
}

void QNModelAnimation::removeChild(QNModel* child) {
    auto it = std::find(m_children.begin(), m_children.end(), child);
    if (it == m_children.end()) return;
    m_children.erase(it);
    child->release();
}

void QNModelAnimation::sortChildren() {
    const QNPAnimationChildFactory* factory = QNPAnimationChildFactory::shared();
    std::stable_sort(m_children.begin(), m_children.end(), [factory](const QNModel* a, const QNModel* b) {
        return factory->depthOf(a) < factory->depthOf(b);
    });
}
