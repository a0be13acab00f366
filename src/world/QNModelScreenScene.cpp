#include "world/QNModelScreenScene.h"

#include <unordered_set>

#include "framework/CCDictionary.h"
#include "framework/CCString.h"
#include "model/QNDataText.h"
#include "model/QNModelController.h"
#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributeGroup.h"
#include "model/QNPAttributePoint.h"
#include "world/QNModelLevelSection.h"
#include "world/QNModelWorldComponents.h"

using namespace cocos2d;

namespace {

const char* const kForcedMovementClass = "QNModelComponentForcedMovement";
const char* const kDeletionThresholdClass = "QNModelComponentDeletionThreshold";
const char* const kEdgeKeys[4] = {"objectFrameEdgeState_0", "objectFrameEdgeState_1",
                                  "objectFrameEdgeState_2", "objectFrameEdgeState_3"};

QNPAttributeFloat* addFloat(QNModel* model, const char* name, float initial, QNPAttributeGroup* group) {
    auto* attribute =
        static_cast<QNPAttributeFloat*>(model->addAttribute(name, QNPAttribute::kTypeFloat, 0, group));
    attribute->setDefault(initial);
    return attribute;
}

} // namespace

QNModelScreenScene::QNModelScreenScene() : QNModelScreen("QNModelScreenScene") {
    auto* group = static_cast<QNPAttributeGroup*>(addAttribute("World", QNPAttribute::kTypeGroup));
    m_gravity = static_cast<QNPAttributePoint*>(addAttribute("Gravity", QNPAttribute::kTypePoint, 0, group));
    m_gravity->setDefault(CCPoint(0, -50));
    m_timeWarp = addFloat(this, "Time Warp", 1.0f, group);
    m_speedMin = addFloat(this, "Game Speed Min", 0.0f, group);
    m_speedMax = addFloat(this, "Game Speed Max", 0.0f, group);
    m_speedIncrease = addFloat(this, "Speed Increase", 0.0f, group);
    m_friction = addFloat(this, "Friction", 0.0f, group);
    m_velocityDrag = addFloat(this, "Velocity Drag", 1.0f, group);
    m_bounce = addFloat(this, "Bounce", 0.0f, group);
    m_scoreMultiplier = addFloat(this, "Score Multiplier", 1.0f, group);
    m_gameDirection = addFloat(this, "Game Direction", 0.0f, group);
    m_cameraSmooth = addFloat(this, "Camera Smooth", 0.2f, group);
    m_backThreshold = addFloat(this, "Back Deletion Threshold", 300.0f, group);
    m_sidesThreshold = addFloat(this, "Sides Deletion Threshold", 550.0f, group);
    for (QNPAttributeFloat* legacy :
         {m_speedMin, m_speedMax, m_speedIncrease, m_backThreshold, m_sidesThreshold})
        legacy->hide();

    int major = 2, minor = 0, patch = 0;
    QNModelController::parseYrVersion(major, minor, patch);
    if (major == 1) {
        m_speedMin->setDefault(3.0f);
        m_speedMax->setDefault(10.0f);
        m_speedIncrease->setDefault(0.1f);
    }
}

QNModelScreenScene::~QNModelScreenScene() = default;

bool QNModelScreenScene::initWithDictionary(CCDictionary* dict) {
    if (!QNModelScreen::initWithDictionary(dict)) return false;
    for (int i = 0; i < 4; ++i)
        if (qn::isPresent(dict, kEdgeKeys[i]))
            m_edgeStates[i] = ccTextToInt(qn::textFor(dict, kEdgeKeys[i]).c_str());
    if (qn::isPresent(dict, "objectFrameRect"))
        m_frameRect = CCRectFromString(qn::textFor(dict, "objectFrameRect").c_str());
    return true;
}

CCDictionary* QNModelScreenScene::attributesDictionary() {
    CCDictionary* dict = QNModelScreen::attributesDictionary();
    for (int i = 0; i < 4; ++i) qn::setText(dict, kEdgeKeys[i], "%d", m_edgeStates[i]);
    qn::setText(dict, "objectFrameRect", "{{%.4f,%.4f},{%.4f,%.4f}}", m_frameRect.origin.x,
                m_frameRect.origin.y, m_frameRect.size.width, m_frameRect.size.height);
    return dict;
}

void QNModelScreenScene::initConnections(CCDictionary* dict) {
    QNModelScreen::initConnections(dict);
    // Components may be listed as widgets or as components; either way they become the world's.
    for (QNModel* child : children()) takeComponent(child);
    for (QNModel* component : components()) takeComponent(component);

    QNModelController* controller = QNModelController::sharedModelController();
    if (!m_deletionThreshold && (m_backThreshold->value() != 300.0f || m_sidesThreshold->value() != 550.0f)) {
        if (auto* component = dynamic_cast<QNModelComponentDeletionThreshold*>(
                controller->createModel(kDeletionThresholdClass))) {
            component->setValues(m_backThreshold->value(), m_sidesThreshold->value());
            addChild(component);
        }
    }
    if (!m_forcedMovement &&
        (m_speedMin->value() != 0.0f || m_speedMax->value() != 0.0f || m_speedIncrease->value() != 0.0f)) {
        if (auto* component = dynamic_cast<QNModelComponentForcedMovement*>(
                controller->createModel(kForcedMovementClass))) {
            component->setValues(m_speedMin->value(), m_speedMax->value(), m_speedIncrease->value());
            addChild(component);
        }
    }
    for (QNPAttributeFloat* legacy :
         {m_speedMin, m_speedMax, m_speedIncrease, m_backThreshold, m_sidesThreshold})
        legacy->hide();
}

void QNModelScreenScene::copyFrom(QNModel* other) {
    QNModelScreen::copyFrom(other);
    auto* world = dynamic_cast<QNModelScreenScene*>(other);
    if (!world || world == this) return;
    m_frameRect = world->m_frameRect;
    for (int i = 0; i < 4; ++i) m_edgeStates[i] = world->m_edgeStates[i];
    setKey(freshWorldKey());
    for (QNModelLevelSection* section : QNModelLevelSection::sectionsOfWorld((int)world->id()))
        if (QNModelLevelSection* copy = section->clone()) copy->setParentScreenId((int)id());
}

void QNModelScreenScene::takeComponent(QNModel* child) {
    if (!child) return;
    if (auto* forced = dynamic_cast<QNModelComponentForcedMovement*>(child)) {
        if (!m_forcedMovement) m_forcedMovement = forced;
    } else if (auto* threshold = dynamic_cast<QNModelComponentDeletionThreshold*>(child)) {
        if (!m_deletionThreshold) m_deletionThreshold = threshold;
    }
}

void QNModelScreenScene::addChild(QNModel* child) {
    QNModelScreen::addChild(child);
    if (auto* forced = dynamic_cast<QNModelComponentForcedMovement*>(child))
        m_forcedMovement = forced;
    else if (auto* threshold = dynamic_cast<QNModelComponentDeletionThreshold*>(child))
        m_deletionThreshold = threshold;
}

void QNModelScreenScene::removeChild(QNModel* child) {
    if (child && child == m_forcedMovement) m_forcedMovement = nullptr;
    if (child && child == m_deletionThreshold) m_deletionThreshold = nullptr;
    QNModelScreen::removeChild(child);
}

QNModelScreenScene* QNModelScreenScene::worldForKey(const std::string& key) {
    QNModelController* controller = QNModelController::sharedModelController();
    if (!key.empty()) {
        for (QNModel* model : controller->modelListOfClass("QNModelScreenScene")) {
            auto* world = dynamic_cast<QNModelScreenScene*>(model);
            if (world && world->key() == key) return world;
        }
    }
    auto* world = new QNModelScreenScene();
    world->setKey(key.empty() ? freshWorldKey() : key);
    controller->addRuntimeModel(world);
    return world;
}

std::string QNModelScreenScene::freshWorldKey() {
    std::unordered_set<std::string> taken;
    for (QNModel* model : QNModelController::sharedModelController()->modelListOfClass("QNModelScreenScene"))
        if (auto* world = dynamic_cast<QNModelScreen*>(model)) taken.insert(world->key());
    for (int n = 1;; ++n) {
        std::string key = "QNPScreenScene " + std::to_string(n);
        if (!taken.count(key)) return key;
    }
}

std::vector<QNModel*> QNModelScreenScene::childrenOfClass(const std::string& className) const {
    std::vector<QNModel*> found;
    for (QNModelLevelSection* section : QNModelLevelSection::sectionsOfWorld((int)id()))
        for (QNModel* child : section->children())
            if (child->hasClassName(className)) found.push_back(child);
    for (QNModel* child : children())
        if (child->hasClassName(className)) found.push_back(child);
    return found;
}

float QNModelScreenScene::speedMinimum() const {
    return m_forcedMovement ? m_forcedMovement->minimum() : m_speedMin->value();
}
float QNModelScreenScene::speedMaximum() const {
    return m_forcedMovement ? m_forcedMovement->maximum() : m_speedMax->value();
}
float QNModelScreenScene::speedIncrease() const {
    return m_forcedMovement ? m_forcedMovement->increase() : m_speedIncrease->value();
}
float QNModelScreenScene::backDeletionThreshold() const {
    return m_deletionThreshold ? m_deletionThreshold->backThreshold() : m_backThreshold->value();
}
float QNModelScreenScene::sidesDeletionThreshold() const {
    return m_deletionThreshold ? m_deletionThreshold->sidesThreshold() : m_sidesThreshold->value();
}
CCPoint QNModelScreenScene::gravity() const {
    return m_gravity->value();
}
float QNModelScreenScene::timeWarp() const {
    return m_timeWarp->value();
}
float QNModelScreenScene::friction() const {
    return m_friction->value();
}
float QNModelScreenScene::velocityDrag() const {
    return m_velocityDrag->value();
}
float QNModelScreenScene::bounce() const {
    return m_bounce->value();
}
float QNModelScreenScene::scoreMultiplier() const {
    return m_scoreMultiplier->value();
}
float QNModelScreenScene::gameDirection() const {
    return m_gameDirection->value();
}
float QNModelScreenScene::cameraSmooth() const {
    return m_cameraSmooth->value();
}

QNPAttributeFloat* QNModelScreenScene::floatAttribute(const std::string& name) const {
    return dynamic_cast<QNPAttributeFloat*>(attributeNamed(name));
}
