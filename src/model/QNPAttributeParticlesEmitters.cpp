#include "model/QNPAttributeParticlesEmitters.h"

#include "framework/CCArray.h"
#include "framework/CCDictionary.h"
#include "model/QNDataText.h"
#include "model/QNModel.h"
#include "model/QNModelController.h"

using namespace cocos2d;

namespace {
const char* const kEmitterClass = "QNModelObjectAssetParticlesEmitter";
}

void QNPAttributeParticlesEmitters::addEmitter(QNModel* emitter) {
    if (emitter && emitter->hasClassName(kEmitterClass)) m_emitters.push_back(emitter);
}

void QNPAttributeParticlesEmitters::loadConnections(CCDictionary* value) {
    QNPAttribute::loadConnections(value);
    if (!value) return;
    auto* ids = dynamic_cast<CCArray*>(value->objectForKey("emitters"));
    if (!ids) return;
    QNModelController* controller = QNModelController::sharedModelController();
    for (CCObject* element : ids->data()) {
        auto* text = dynamic_cast<CCString*>(element);
        if (!text) continue;
        QNModel* emitter = controller->modelById(text->uintValue());
        if (emitter && emitter->hasClassName(kEmitterClass))
            m_emitters.push_back(emitter);
        else if (emitter)
            CCLog("[QNPAttributeParticlesEmitters] - model %u is not an emitter", emitter->id());
    }
}

void QNPAttributeParticlesEmitters::writeConnections(CCDictionary* dict) {
    if (m_emitters.empty()) return;
    CCArray* ids = CCArray::createWithCapacity((unsigned int)m_emitters.size());
    for (QNModel* emitter : m_emitters) ids->addObject(CCString::createWithFormat("%u", emitter->id()));
    dict->setObject(ids, "emitters");
}

void QNPAttributeParticlesEmitters::detach() {
    QNPAttribute::detach();
    std::vector<QNModel*> emitters;
    emitters.swap(m_emitters);
    for (QNModel* emitter : emitters) emitter->remove();
}

void QNPAttributeParticlesEmitters::copyFrom(QNPAttribute* other) {
    if (other == this) return;
    detach();
    QNPAttribute::copyFrom(other);
    auto* that = dynamic_cast<QNPAttributeParticlesEmitters*>(other);
    if (!that) return;
    for (QNModel* emitter : that->m_emitters) addEmitter(emitter->duplicate());
}
