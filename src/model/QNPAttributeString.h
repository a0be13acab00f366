#pragma once
// A text value. Every model's "Name" is one.

#include <string>

#include "model/QNPAttribute.h"

class QNPAttributeString : public QNPAttribute {
public:
    QNPAttributeString() : QNPAttribute(kTypeString) {}

    /// Sets value and default together.
    void setDefault(const std::string& value) { m_value = m_defaultValue = value; }
    /// Sets the value and notifies.
    void set(const std::string& value);
    const std::string& value() const { return m_value; }
    const std::string& defaultValue() const { return m_defaultValue; }

    void loadAttributes(cocos2d::CCDictionary* value) override;
    void copyFrom(QNPAttribute* other) override;

protected:
    void writeAttributes(cocos2d::CCDictionary* dict) override;

private:
    std::string m_value;
    std::string m_defaultValue;
};
