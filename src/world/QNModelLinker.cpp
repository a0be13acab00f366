#include "world/QNModelLinker.h"

#include "framework/CCDictionary.h"
#include "framework/CCString.h"
#include "model/QNDataText.h"
#include "model/QNModelController.h"
#include "model/QNPAttributeBoolean.h"
#include "model/QNPAttributeFloat.h"

using namespace cocos2d;

namespace {
void assign(QNModel*& slot, QNModel* model) {
    if (slot == model) return;
    if (model) model->retain();
    if (slot) slot->release();
    slot = model;
}

QNModel* resolve(CCDictionary* dict, const char* key) {
    if (!qn::isPresent(dict, key)) return nullptr;
    const unsigned int id = ccTextToUInt(qn::textFor(dict, key).c_str());
    if (id == 0) return nullptr;
    return QNModelController::sharedModelController()->modelById(id);
}
} // namespace

QNModelLinker::QNModelLinker() : QNModel("QNModelLinker") {
    m_speed = static_cast<QNPAttributeFloat*>(addAttribute("Speed", QNPAttribute::kTypeFloat));
    m_torque = static_cast<QNPAttributeFloat*>(addAttribute("Torque", QNPAttribute::kTypeFloat));
    m_torque->setDefault(200.0f);
    m_buttonActivated =
        static_cast<QNPAttributeBoolean*>(addAttribute("Button Activated", QNPAttribute::kTypeBoolean));
}

QNModelLinker::~QNModelLinker() {
    assign(m_objectA, nullptr);
    assign(m_objectB, nullptr);
}

CCDictionary* QNModelLinker::connectionsDictionary() {
    CCDictionary* dict = QNModel::connectionsDictionary();
    if (m_objectA) qn::setText(dict, "objectA", "%u", m_objectA->id());
    if (m_objectB) qn::setText(dict, "objectB", "%u", m_objectB->id());
    return dict;
}

void QNModelLinker::initConnections(CCDictionary* dict) {
    QNModel::initConnections(dict);
    if (!dict) return;
    if (QNModel* model = resolve(dict, "objectA")) setObjectA(model);
    if (QNModel* model = resolve(dict, "objectB")) setObjectB(model);
}

void QNModelLinker::copyFrom(QNModel* other) {
    QNModel::copyFrom(other);
    auto* linker = dynamic_cast<QNModelLinker*>(other);
    if (!linker || linker == this) return;
    setObjectA(linker->m_objectA);
    setObjectB(linker->m_objectB);
}

void QNModelLinker::setObjectA(QNModel* model) {
    assign(m_objectA, model);
}
void QNModelLinker::setObjectB(QNModel* model) {
    assign(m_objectB, model);
}

float QNModelLinker::speed() const {
    return m_speed->value();
}
float QNModelLinker::torque() const {
    return m_torque->value();
}
bool QNModelLinker::buttonActivated() const {
    return m_buttonActivated->value();
}
