#include "framework/CCActionInstant.h"

#include "framework/CCNode.h"

namespace cocos2d {
namespace {
template <typename T> T* autoreleased(T* object) {
    object->autorelease();
    return object;
}
} // namespace

void CCActionInstant::step(float dt) {
    (void)dt;
    update(1.0f);
}

CCFiniteTimeAction* CCActionInstant::reverse() const {
    return autoreleased(copy());
}

// ----- Visibility and placement -----------------------------------------------------------------

CCShow* CCShow::create() {
    return autoreleased(new CCShow());
}
CCShow* CCShow::copy() const {
    return new CCShow();
}
CCFiniteTimeAction* CCShow::reverse() const {
    return CCHide::create();
}
void CCShow::update(float) {
    if (m_pTarget) m_pTarget->setVisible(true);
}

CCHide* CCHide::create() {
    return autoreleased(new CCHide());
}
CCHide* CCHide::copy() const {
    return new CCHide();
}
CCFiniteTimeAction* CCHide::reverse() const {
    return CCShow::create();
}
void CCHide::update(float) {
    if (m_pTarget) m_pTarget->setVisible(false);
}

CCToggleVisibility* CCToggleVisibility::create() {
    return autoreleased(new CCToggleVisibility());
}
CCToggleVisibility* CCToggleVisibility::copy() const {
    return new CCToggleVisibility();
}
void CCToggleVisibility::update(float) {
    if (m_pTarget) m_pTarget->setVisible(!m_pTarget->isVisible());
}

CCPlace* CCPlace::create(const CCPoint& position) {
    CCPlace* place = new CCPlace();
    place->m_position = position;
    return autoreleased(place);
}
CCPlace* CCPlace::copy() const {
    CCPlace* place = new CCPlace();
    place->m_position = m_position;
    return place;
}
void CCPlace::update(float) {
    if (m_pTarget) m_pTarget->setPosition(m_position);
}

CCRemoveSelf* CCRemoveSelf::create(bool cleanup) {
    CCRemoveSelf* remove = new CCRemoveSelf();
    remove->m_bCleanup = cleanup;
    return autoreleased(remove);
}
CCRemoveSelf* CCRemoveSelf::copy() const {
    CCRemoveSelf* remove = new CCRemoveSelf();
    remove->m_bCleanup = m_bCleanup;
    return remove;
}
void CCRemoveSelf::update(float) {
    if (m_pTarget) m_pTarget->removeFromParentAndCleanup(m_bCleanup);
}

// ----- Callbacks --------------------------------------------------------------------------------

CCCallFunc* CCCallFunc::create(CCObject* selectorTarget, SEL_CallFunc selector) {
    CCCallFunc* call = new CCCallFunc();
    call->setSelectorTarget(selectorTarget);
    call->m_pCallFunc = selector;
    return autoreleased(call);
}

CCCallFunc* CCCallFunc::create(std::function<void()> function) {
    CCCallFunc* call = new CCCallFunc();
    call->m_function = std::move(function);
    return autoreleased(call);
}

CCCallFunc::~CCCallFunc() {
    CC_SAFE_RELEASE(m_pSelectorTarget);
}

void CCCallFunc::setSelectorTarget(CCObject* target) {
    CC_SAFE_RETAIN(target);
    CC_SAFE_RELEASE(m_pSelectorTarget);
    m_pSelectorTarget = target;
}

CCCallFunc* CCCallFunc::copy() const {
    CCCallFunc* call = new CCCallFunc();
    call->setSelectorTarget(m_pSelectorTarget);
    call->m_pCallFunc = m_pCallFunc;
    call->m_function = m_function;
    return call;
}

void CCCallFunc::update(float) {
    execute();
}

void CCCallFunc::execute() {
    if (m_function)
        m_function();
    else if (m_pSelectorTarget && m_pCallFunc)
        (m_pSelectorTarget->*m_pCallFunc)();
}

CCCallFuncN* CCCallFuncN::create(CCObject* selectorTarget, SEL_CallFuncN selector) {
    CCCallFuncN* call = new CCCallFuncN();
    call->setSelectorTarget(selectorTarget);
    call->m_pCallFuncN = selector;
    return autoreleased(call);
}

CCCallFuncN* CCCallFuncN::create(std::function<void(CCNode*)> function) {
    CCCallFuncN* call = new CCCallFuncN();
    call->m_functionN = std::move(function);
    return autoreleased(call);
}

CCCallFuncN* CCCallFuncN::copy() const {
    CCCallFuncN* call = new CCCallFuncN();
    call->setSelectorTarget(m_pSelectorTarget);
    call->m_pCallFuncN = m_pCallFuncN;
    call->m_functionN = m_functionN;
    return call;
}

void CCCallFuncN::execute() {
    if (m_functionN)
        m_functionN(m_pTarget);
    else if (m_pSelectorTarget && m_pCallFuncN)
        (m_pSelectorTarget->*m_pCallFuncN)(m_pTarget);
}

CCCallFuncND* CCCallFuncND::create(CCObject* selectorTarget, SEL_CallFuncND selector, void* data) {
    CCCallFuncND* call = new CCCallFuncND();
    call->setSelectorTarget(selectorTarget);
    call->m_pCallFuncND = selector;
    call->m_pData = data;
    return autoreleased(call);
}

CCCallFuncND* CCCallFuncND::copy() const {
    CCCallFuncND* call = new CCCallFuncND();
    call->setSelectorTarget(m_pSelectorTarget);
    call->m_pCallFuncND = m_pCallFuncND;
    call->m_pData = m_pData;
    return call;
}

void CCCallFuncND::execute() {
    if (m_pSelectorTarget && m_pCallFuncND) (m_pSelectorTarget->*m_pCallFuncND)(m_pTarget, m_pData);
}

CCCallFuncO* CCCallFuncO::create(CCObject* selectorTarget, SEL_CallFuncO selector, CCObject* object) {
    CCCallFuncO* call = new CCCallFuncO();
    call->setSelectorTarget(selectorTarget);
    call->m_pCallFuncO = selector;
    CC_SAFE_RETAIN(object);
    call->m_pObject = object;
    return autoreleased(call);
}

CCCallFuncO::~CCCallFuncO() {
    CC_SAFE_RELEASE(m_pObject);
}

CCCallFuncO* CCCallFuncO::copy() const {
    CCCallFuncO* call = new CCCallFuncO();
    call->setSelectorTarget(m_pSelectorTarget);
    call->m_pCallFuncO = m_pCallFuncO;
    CC_SAFE_RETAIN(m_pObject);
    call->m_pObject = m_pObject;
    return call;
}

void CCCallFuncO::execute() {
    if (m_pSelectorTarget && m_pCallFuncO) (m_pSelectorTarget->*m_pCallFuncO)(m_pObject);
}

} // namespace cocos2d
