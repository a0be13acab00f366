#include "world/QNModelLevelSection.h"

#include <algorithm>
#include <unordered_map>

#include "framework/CCArray.h"
#include "framework/CCDictionary.h"
#include "framework/CCString.h"
#include "model/QNDataText.h"
#include "model/QNModelController.h"
#include "model/QNPAttributeFloat.h"
#include "world/QNModelLinker.h"

using namespace cocos2d;

namespace {
QNPAttributeFloat* addFloat(QNModel* model, const char* name, float initial) {
    auto* attribute = static_cast<QNPAttributeFloat*>(model->addAttribute(name, QNPAttribute::kTypeFloat));
    attribute->setDefault(initial);
    return attribute;
}

CCArray* idArray(CCDictionary* dict, const char* key) {
    return dict ? dynamic_cast<CCArray*>(dict->objectForKey(key)) : nullptr;
}
} // namespace

QNModelLevelSection::QNModelLevelSection() : QNModel("QNModelLevelSection", "Untitled") {
    m_startDistance = addFloat(this, "Start Distance", 0.0f);
    m_endDistance = addFloat(this, "End Distance", -1.0f);
    m_width = addFloat(this, "Width", 0.0f); // shown as "Scene Distance" in the editor
    m_playCooldown = addFloat(this, "Play Cooldown", 0.0f);
}

QNModelLevelSection::~QNModelLevelSection() {
    for (QNModel* child : m_children) child->release();
    for (QNModelLinker* linker : m_childLinkers) linker->release();
}

bool QNModelLevelSection::initWithDictionary(CCDictionary* dict) {
    if (!QNModel::initWithDictionary(dict)) return false;
    if (qn::isPresent(dict, "initSection"))
        m_initSection = ccTextToBool(qn::textFor(dict, "initSection").c_str());
    if (qn::isPresent(dict, "muted")) m_muted = ccTextToBool(qn::textFor(dict, "muted").c_str());
    if (qn::isPresent(dict, "solo")) m_solo = ccTextToBool(qn::textFor(dict, "solo").c_str());
    if (qn::isPresent(dict, "parentScreenId"))
        m_parentScreenId = ccTextToInt(qn::textFor(dict, "parentScreenId").c_str());
    return true;
}

CCDictionary* QNModelLevelSection::attributesDictionary() {
    CCDictionary* dict = QNModel::attributesDictionary();
    qn::setText(dict, "initSection", "%d", m_initSection ? 1 : 0);
    qn::setText(dict, "muted", "%d", m_muted ? 1 : 0);
    qn::setText(dict, "solo", "%d", m_solo ? 1 : 0);
    qn::setText(dict, "parentScreenId", "%d", m_parentScreenId);
    return dict;
}

CCDictionary* QNModelLevelSection::connectionsDictionary() {
    CCDictionary* dict = QNModel::connectionsDictionary();
    CCArray* children = CCArray::createWithCapacity((unsigned int)m_children.size());
    for (QNModel* child : m_children) children->addObject(CCString::createWithFormat("%u", child->id()));
    dict->setObject(children, "children");
    CCArray* linkers = CCArray::createWithCapacity((unsigned int)m_childLinkers.size());
    for (QNModelLinker* linker : m_childLinkers)
        linkers->addObject(CCString::createWithFormat("%u", linker->id()));
    dict->setObject(linkers, "childLinkers");
    return dict;
}

void QNModelLevelSection::initConnections(CCDictionary* dict) {
    QNModel::initConnections(dict);
    QNModelController* controller = QNModelController::sharedModelController();
    if (CCArray* ids = idArray(dict, "children")) {
        for (CCObject* element : ids->data())
            if (auto* text = dynamic_cast<CCString*>(element))
                addChild(controller->modelById(text->uintValue()));
    }
    if (CCArray* ids = idArray(dict, "childLinkers")) {
        for (CCObject* element : ids->data()) {
            auto* text = dynamic_cast<CCString*>(element);
            if (!text) continue;
            QNModel* model = controller->modelById(text->uintValue());
            // A dangling id or one naming another kind of model is no linker: skip it.
            if (auto* linker = dynamic_cast<QNModelLinker*>(model))
                addChildLinker(linker);
            else if (model)
                CCLog("[QNModelLevelSection] - %u: linker %u is a %s; skipped", id(), model->id(),
                      model->className().c_str());
        }
    }
    m_siblingIndex = 0;
    for (QNModel* model : controller->modelListOfClass("QNModelLevelSection")) {
        if (model == this) break;
        auto* section = dynamic_cast<QNModelLevelSection*>(model);
        if (section && section->m_parentScreenId == m_parentScreenId) ++m_siblingIndex;
    }
}

void QNModelLevelSection::setExcluded(bool excluded) {
    QNModel::setExcluded(excluded);
    for (QNModel* child : m_children) child->setExcluded(excluded);
}

std::vector<QNModelLevelSection*> QNModelLevelSection::sectionsOfWorld(int worldId) {
    std::vector<QNModelLevelSection*> sections;
    for (QNModel* model :
         QNModelController::sharedModelController()->modelListOfClass("QNModelLevelSection")) {
        auto* section = dynamic_cast<QNModelLevelSection*>(model);
        if (section && section->m_parentScreenId == worldId && !section->isExcluded())
            sections.push_back(section);
    }
    return sections;
}

QNModelLevelSection* QNModelLevelSection::clone() {
    QNModelController* controller = QNModelController::sharedModelController();
    auto* copy = new QNModelLevelSection();
    // A free id, so that the controller takes the copy at its place in the class list.
    while (controller->modelById(copy->id())) copy->setId(copy->id() + 1);
    const int index = controller->indexWithinClass(this);
    controller->addModel(copy, index >= 0 ? index + 1 : -1);
    copy->setStartDistance(startDistance());
    copy->setEndDistance(endDistance());
    copy->setWidth(width());
    copy->setPlayCooldown(playCooldown());
    copy->m_parentScreenId = m_parentScreenId;
    // The flags belong to the section as much as its distances: a copy plays the same way.
    copy->m_initSection = m_initSection;
    copy->m_muted = m_muted;
    copy->m_solo = m_solo;
    std::unordered_map<QNModel*, QNModel*> clones;
    for (QNModel* child : m_children) {
        QNModel* childCopy = child->duplicate();
        if (!childCopy) continue;
        clones[child] = childCopy;
        copy->addChild(childCopy);
    }
    for (QNModelLinker* linker : m_childLinkers) {
        auto a = clones.find(linker->objectA()), b = clones.find(linker->objectB());
        if (!linker->objectA() || !linker->objectB() || a == clones.end() || b == clones.end()) continue;
        auto* linkerCopy = dynamic_cast<QNModelLinker*>(linker->duplicate());
        if (!linkerCopy) continue;
        linkerCopy->setObjectA(a->second);
        linkerCopy->setObjectB(b->second);
        copy->addChildLinker(linkerCopy);
    }
    copy->m_siblingIndex = 0;
    for (QNModel* model : controller->modelListOfClass("QNModelLevelSection")) {
        if (model == copy) break;
        auto* section = dynamic_cast<QNModelLevelSection*>(model);
        if (section && section->m_parentScreenId == m_parentScreenId) ++copy->m_siblingIndex;
    }
    return copy;
}

float QNModelLevelSection::startDistance() const {
    return m_startDistance->value();
}
float QNModelLevelSection::endDistance() const {
    return m_endDistance->value();
}
float QNModelLevelSection::width() const {
    return m_width->value();
}
float QNModelLevelSection::playCooldown() const {
    return m_playCooldown->value();
}
void QNModelLevelSection::setStartDistance(float value) {
    m_startDistance->set(value, true);
}
void QNModelLevelSection::setEndDistance(float value) {
    m_endDistance->set(value, true);
}
void QNModelLevelSection::setWidth(float value) {
    m_width->set(value, true);
}
void QNModelLevelSection::setPlayCooldown(float value) {
    m_playCooldown->set(value, true);
}

void QNModelLevelSection::addChild(QNModel* child) {
    if (!child || child == this || std::find(m_children.begin(), m_children.end(), child) != m_children.end())
        return;
    child->retain();
    m_children.push_back(child);
}

void QNModelLevelSection::addChildLinker(QNModelLinker* linker) {
    if (!linker || std::find(m_childLinkers.begin(), m_childLinkers.end(), linker) != m_childLinkers.end())
        return;
    linker->retain();
    m_childLinkers.push_back(linker);
}
