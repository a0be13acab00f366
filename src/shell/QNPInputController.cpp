#include "shell/QNPInputController.h"

#include <algorithm>
#include <cfloat>

#include <box2d/box2d.h>

#include "framework/CCArray.h"
#include "framework/CCDirector.h"
#include "model/QNModelComponent.h"
#include "model/QNModelCompound.h"
#include "model/QNPAttributeReference.h"
#include "navigation/QNPScreen.h"
#include "objects/QNPObject.h"
#include "world/QNModelLinker.h"

using namespace cocos2d;

namespace {
QNPInputController*& keypadInstance() {
    static QNPInputController* instance = nullptr;
    return instance;
}
QNPInputController*& worldInstance() {
    static QNPInputController* instance = nullptr;
    return instance;
}
QNPInputController::CharacterActionHandler& characterHandler() {
    static QNPInputController::CharacterActionHandler handler;
    return handler;
}
std::function<void(QNPObject*, bool)>& listenerHandler() {
    static std::function<void(QNPObject*, bool)> handler;
    return handler;
}

bool isDirection(int id) {
    return id >= 1 && id <= 4;
}
bool isMotor(int id) {
    return id == 9 || id == 10;
}

/// The health component of a character's model or of the asset it places.
QNModel* healthOf(QNModel* model) {
    auto* compound = dynamic_cast<QNModelCompound*>(model);
    if (!compound) return nullptr;
    if (QNModelComponent* health = compound->componentOfClass("QNModelComponentHealth")) return health;
    if (auto* asset = dynamic_cast<QNPAttributeAsset*>(model->attributeNamed("Asset")))
        if (auto* target = dynamic_cast<QNModelCompound*>(asset->target()))
            return target->componentOfClass("QNModelComponentHealth");
    return nullptr;
}
} // namespace

QNPInputController* QNPInputController::sharedInputController() {
    if (worldInstance()) return worldInstance();
    if (!keypadInstance()) {
        keypadInstance() = new QNPInputController();
        CCDirector::sharedDirector()->getKeypadDispatcher()->addDelegate(keypadInstance());
    }
    return keypadInstance();
}

QNPInputController* QNPInputController::sharedInputControllerIfExists() {
    return worldInstance() ? worldInstance() : keypadInstance();
}

void QNPInputController::destroySharedInputController() {
    QNPInputController* controller = keypadInstance();
    if (!controller) return;
    keypadInstance() = nullptr;
    if (CCDirector* director = CCDirector::sharedDirectorIfExists())
        director->getKeypadDispatcher()->removeDelegate(controller);
    controller->release();
}

QNPInputController* QNPInputController::createForWorld() {
    auto* controller = new QNPInputController();
    worldInstance() = controller;
    return controller;
}

void QNPInputController::releaseWorldController(QNPInputController* controller) {
    if (!controller) return;
    if (worldInstance() == controller) worldInstance() = nullptr;
    controller->release();
}

void QNPInputController::setCharacterActionHandler(CharacterActionHandler handler) {
    characterHandler() = std::move(handler);
}

void QNPInputController::setListenerHandler(std::function<void(QNPObject*, bool)> handler) {
    listenerHandler() = std::move(handler);
}

QNPInputController::QNPInputController() {
    m_characters = new CCArray();
}

QNPInputController::~QNPInputController() {
    CCLog("QNPInputController - deallocated");
    m_characters->release();
}

void QNPInputController::menuKey(int code) {
    CCLog("[QNPInputController] - keyPressed: %d", code);
    // Menu codes 1-10 press these actions.
    static const int kActions[11] = {0, 4, 3, 1, 2, 8, 5, 9, 10, 6, 7};
    if (code >= 1 && code <= 10) {
        actionPressed(kActions[code], nullptr);
        return;
    }
    QNPScreen* screen = QNPScreen::runningScreen();
    if (!screen) return;
    if (code == 11)
        screen->pressHighlightedButton();
    else if (code >= 12 && code <= 15)
        screen->moveHighlight(code);
}

void QNPInputController::keyBackClicked() {
    CCLog("key Back CLCIKED");
    if (QNPScreen* screen = QNPScreen::runningScreen()) screen->keyBackClicked();
}

void QNPInputController::onKeyDown(int keyCode) {
    CCLog("[QNPInputController] key Down clicked");
    if (QNPScreen* screen = QNPScreen::runningScreen()) screen->onKeyDown(keyCode);
}

void QNPInputController::onKeyUp(int keyCode) {
    CCLog("[QNPInputController] key UP clicked");
    retain();
    if (QNPScreen* screen = QNPScreen::runningScreen()) screen->onKeyUp(keyCode);
    switch (keyCode) {
    case 4:
    case 97:
        keyBackClicked();
        break;
    case 19:
        menuKey(12);
        break;
    case 20:
        menuKey(13);
        break;
    case 21:
        menuKey(14);
        break;
    case 22:
        menuKey(15);
        break;
    case 23:
    case 96:
    case 99:
    case 100:
        menuKey(11);
        break;
    default:
        break;
    }
    release();
}

CCPoint QNPInputController::direction() const {
    CCPoint sum;
    for (int id : m_held) {
        if (id == 1) sum.y += 1;
        if (id == 2) sum.y -= 1;
        if (id == 3) sum.x += 1;
        if (id == 4) sum.x -= 1;
    }
    return sum;
}

void QNPInputController::steerCharacters(int id, bool pressed) {
    if (!characterHandler() || m_characters->count() == 0) return;
    const CCPoint steering = direction();
    // A handler may remove characters: walk a copy.
    std::vector<CCObject*> characters = m_characters->data();
    for (CCObject* object : characters) object->retain();
    for (CCObject* object : characters) {
        auto* character = static_cast<QNPObject*>(object);
        if (character->state() != QNPObject::kStateDying)
            characterHandler()(character, id, pressed, steering);
        object->release();
    }
}

void QNPInputController::updateMotorSpeeds() {
    for (const MotorJoint& motor : m_motors) {
        b2RevoluteJoint* joint = motor.joint;
        const float s = motor.linker ? motor.linker->speed() : 0.0f;
        float speed = 0.0f;
        for (int id : m_held) {
            if (id == 9) speed -= s;
            if (id == 10) speed += s;
        }
        joint->SetMotorSpeed(speed);
        joint->GetBodyA()->SetAwake(true);
        joint->GetBodyB()->SetAwake(true);
    }
}

void QNPInputController::actionPressed(int id, CCObject* sender) {
    (void)sender; // subscriptions filter on the sender's model; they join with the components
    if (id >= 1 && id <= 10) {
        if (isDirection(id) || isMotor(id)) m_held.push_back(id);
        if (isMotor(id))
            updateMotorSpeeds();
        else
            steerCharacters(id, true);
    }
    auto it = m_listeners.find(id);
    if (it != m_listeners.end() && listenerHandler()) {
        std::vector<QNPObject*> listeners = it->second;
        for (QNPObject* listener : listeners) listenerHandler()(listener, true);
    }
}

void QNPInputController::actionReleased(int id, CCObject* sender) {
    (void)sender;
    if (id >= 1 && id <= 10) {
        if (isDirection(id) || isMotor(id))
            m_held.erase(std::remove(m_held.begin(), m_held.end(), id), m_held.end());
        if (isMotor(id))
            updateMotorSpeeds();
        else
            steerCharacters(id, false);
    }
    auto it = m_listeners.find(id);
    if (it != m_listeners.end() && listenerHandler()) {
        std::vector<QNPObject*> listeners = it->second;
        for (QNPObject* listener : listeners) listenerHandler()(listener, false);
    }
}

void QNPInputController::addCharacter(QNPObject* character) {
    if (!character || m_characters->containsObject(character)) return;
    m_characters->addObject(character);
    m_expectsCharacters = false;
    // The new character takes up the direction already held.
    if (characterHandler()) {
        const CCPoint steering = direction();
        for (CCObject* object : m_characters->data())
            characterHandler()(static_cast<QNPObject*>(object), 0, true, steering);
    }
}

void QNPInputController::removeCharacter(QNPObject* character) {
    if (character) m_characters->removeObject(character);
}

bool QNPInputController::hasPlayingCharacter() const {
    for (CCObject* object : m_characters->data())
        if (static_cast<QNPObject*>(object)->state() != QNPObject::kStateDying) return true;
    return m_expectsCharacters;
}

CCPoint QNPInputController::focusPoint() {
    CCPoint sum;
    int count = 0;
    for (CCObject* object : m_characters->data()) {
        auto* character = static_cast<QNPObject*>(object);
        const int state = character->state();
        if (state == QNPObject::kStateDying || state == QNPObject::kStateDestroyed) continue;
        if (b2Body* body = character->body()) {
            const b2Vec2& p = body->GetPosition();
            sum = sum + CCPoint(p.x * QNPObject::kPointsPerMetre, p.y * QNPObject::kPointsPerMetre);
        } else {
            sum = sum + character->getPosition();
        }
        ++count;
    }
    if (count > 0) m_focusPoint = CCPoint(sum.x / count, sum.y / count);
    return m_focusPoint;
}

CCRect QNPInputController::charactersRect() const {
    if (m_characters->count() == 0) return CCRect();
    float minX = FLT_MAX, minY = FLT_MAX, maxX = -FLT_MAX, maxY = -FLT_MAX;
    for (CCObject* object : m_characters->data()) {
        const b2AABB box = static_cast<QNPObject*>(object)->fixtureBounds();
        minX = std::min(minX, box.lowerBound.x);
        minY = std::min(minY, box.lowerBound.y);
        maxX = std::max(maxX, box.upperBound.x);
        maxY = std::max(maxY, box.upperBound.y);
    }
    const float k = QNPObject::kPointsPerMetre;
    return CCRect(minX * k, minY * k, (maxX - minX) * k, (maxY - minY) * k);
}

QNModel* QNPInputController::firstCharacterHealth() const {
    if (m_characters->count() == 0) return nullptr;
    return healthOf(static_cast<QNPObject*>(m_characters->objectAtIndex(0))->model());
}

int QNPInputController::firstCharacterZOrder() const {
    if (m_characters->count() == 0) return 0;
    return static_cast<QNPObject*>(m_characters->objectAtIndex(0))->getZOrder();
}

void QNPInputController::shiftAllBy(float dx, float dy, bool lockToward) {
    for (CCObject* object : m_characters->data()) {
        auto* character = static_cast<QNPObject*>(object);
        if (character->state() == QNPObject::kStateDying) continue;
        if (b2Body* body = character->body()) {
            const b2Vec2 p = body->GetPosition();
            const b2Vec2 moved(p.x + dx * QNPObject::kPhysicsScale, p.y + dy * QNPObject::kPhysicsScale);
            if (std::isfinite(moved.x) && std::isfinite(moved.y) && !body->GetWorld()->IsLocked())
                body->SetTransform(moved, body->GetAngle());
            continue;
        }
        const CCPoint p = character->getPosition();
        CCPoint target(p.x + dx, p.y + dy);
        if (!lockToward) {
            // A coordinate stays where it is when the step would take it against its own sign.
            if ((dx > 0 && target.x < p.x) || (dx < 0 && target.x > p.x)) target.x = p.x;
            if ((dy > 0 && target.y < p.y) || (dy < 0 && target.y > p.y)) target.y = p.y;
        }
        character->setPosition(target);
    }
}

void QNPInputController::killAll() {
    std::vector<CCObject*> characters = m_characters->data();
    for (CCObject* object : characters) object->retain();
    for (CCObject* object : characters) {
        auto* character = static_cast<QNPObject*>(object);
        if (characterHandler()) characterHandler()(character, -1, true, CCPoint());
        character->setState(QNPObject::kStateDying);
        object->release();
    }
}

void QNPInputController::reset() {
    m_characters->removeAllObjects();
    m_expectsCharacters = true;
    m_focusPoint = CCPoint();
    m_held.clear();
}

void QNPInputController::addMotorJoint(b2RevoluteJoint* joint, QNModelLinker* linker) {
    if (joint) m_motors.push_back({joint, linker, joint->GetBodyA(), joint->GetBodyB()});
}

void QNPInputController::removeJointsOf(const std::vector<QNPObject*>& objects) {
    for (QNPObject* object : objects) {
        b2Body* body = object ? object->body() : nullptr;
        if (!body) continue;
        m_motors.erase(std::remove_if(m_motors.begin(), m_motors.end(),
                                      [body](const MotorJoint& entry) {
                                          return entry.bodyA == body || entry.bodyB == body;
                                      }),
                       m_motors.end());
    }
}

void QNPInputController::addActionListener(int id, QNPObject* object) {
    if (object) m_listeners[id].push_back(object);
}

void QNPInputController::removeActionListener(QNPObject* object) {
    for (auto& [id, list] : m_listeners)
        list.erase(std::remove(list.begin(), list.end(), object), list.end());
}
