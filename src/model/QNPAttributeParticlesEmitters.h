#pragma once
// The emitters of a particle effect: an ordered list of "QNModelObjectAssetParticlesEmitter" models
// that belong to the effect. They are registered while the effect model is, removed with it, and
// duplicated with it.

#include <vector>

#include "model/QNPAttribute.h"

class QNPAttributeParticlesEmitters : public QNPAttribute {
public:
    QNPAttributeParticlesEmitters() : QNPAttribute(kTypeParticlesEmitters) {}

    /// The emitters, in order (kept alive by the controller).
    const std::vector<QNModel*>& emitters() const { return m_emitters; }
    /// Appends `emitter` when it is a "QNModelObjectAssetParticlesEmitter".
    void addEmitter(QNModel* emitter);

    void loadConnections(cocos2d::CCDictionary* value) override;
    /// Removes every emitter from the controller and empties the list.
    void detach() override;
    /// Drops this attribute's emitters, then appends a duplicate of each of the other's.
    void copyFrom(QNPAttribute* other) override;

protected:
    void writeConnections(cocos2d::CCDictionary* dict) override;

private:
    std::vector<QNModel*> m_emitters;
};
