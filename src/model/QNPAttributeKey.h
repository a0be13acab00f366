#pragma once
// A keyboard binding, as an editor key code (printable keys are their upper-case character code,
// special keys 0x01000000 + n).

#include "model/QNPAttribute.h"

class QNPAttributeKey : public QNPAttribute {
public:
    QNPAttributeKey() : QNPAttribute(kTypeKey) {}

    /// Sets the key code (notifies) and the default.
    void setDefault(int keyCode);
    /// Sets the key code and notifies.
    void set(int keyCode);
    int keyCode() const { return m_keyCode; }
    int defaultKeyCode() const { return m_defaultKeyCode; }

    void loadAttributes(cocos2d::CCDictionary* value) override;
    void copyFrom(QNPAttribute* other) override;

protected:
    void writeAttributes(cocos2d::CCDictionary* dict) override;

private:
    int m_keyCode = -1;
    int m_defaultKeyCode = -1;
};
