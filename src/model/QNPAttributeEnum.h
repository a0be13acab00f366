#pragma once
// An enumerated choice, held as the chosen key string (for example "kEnemyObjectType"). The list of
// choices is not stored: models recompute it when needed.

#include <string>
#include <vector>

#include "model/QNPAttribute.h"

class QNPAttributeEnum : public QNPAttribute {
public:
    QNPAttributeEnum() : QNPAttribute(kTypeEnum) {}

    /// Selects `value` only when nothing is selected yet (notifies).
    void setDefault(const std::string& value);
    /// Selects `value` and notifies.
    void set(const std::string& value);
    const std::string& selectedValue() const { return m_selected; }
    /// Whether the selection equals `key`.
    bool isSelected(const std::string& key) const { return m_selected == key; }

    /// The editor's choices (key strings and their labels), filled by the owning model; not saved.
    std::vector<std::pair<std::string, std::string>>& choices() { return m_choices; }

    void loadAttributes(cocos2d::CCDictionary* value) override;
    void copyFrom(QNPAttribute* other) override;

protected:
    void writeAttributes(cocos2d::CCDictionary* dict) override;

private:
    std::string m_selected;
    std::vector<std::pair<std::string, std::string>> m_choices;
};
