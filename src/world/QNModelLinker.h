#pragma once
// Links two placed objects of one level section; when the section is built the pair becomes a
// motor joint (or the second object is attached to the first).

#include "model/QNModel.h"

class QNPAttributeBoolean;
class QNPAttributeFloat;

class QNModelLinker : public QNModel {
public:
    QNModelLinker();
    ~QNModelLinker() override;

    /// Adds "objectA" and "objectB" (each only when set).
    cocos2d::CCDictionary* connectionsDictionary() override;
    /// Resolves "objectA" and "objectB" by id when the stored id is above 0.
    void initConnections(cocos2d::CCDictionary* dict) override;
    /// Copies the attributes; the copy links the same two objects.
    void copyFrom(QNModel* other) override;

    /// The linked objects (retained), or nullptr.
    QNModel* objectA() const { return m_objectA; }
    QNModel* objectB() const { return m_objectB; }
    void setObjectA(QNModel* model);
    void setObjectB(QNModel* model);

    float speed() const;
    float torque() const;
    bool buttonActivated() const;

protected:
    QNModel* createEmptyCopy() const override { return new QNModelLinker(); }

private:
    QNModel* m_objectA = nullptr;
    QNModel* m_objectB = nullptr;
    QNPAttributeFloat* m_speed = nullptr;
    QNPAttributeFloat* m_torque = nullptr;
    QNPAttributeBoolean* m_buttonActivated = nullptr;
};
