#pragma once
// A set of placed objects whose drawing order follows their position along one axis. Members are
// saved as an array of ids under "objects" and looked up through the model controller when first
// needed; ids that name no model are skipped.

#include <unordered_set>
#include <vector>

#include "objects/QNModelObject.h"

class QNPAttributeBoolean;
class QNPAttributeEnum;

class QNModelObjectGroup : public QNModelObject {
public:
    QNModelObjectGroup();

    /// Reads "objects" besides the attributes.
    bool initWithDictionary(cocos2d::CCDictionary* dict) override;
    /// Adds "objects".
    cocos2d::CCDictionary* attributesDictionary() override;
    /// Also reads "objects" when the connections hold it.
    void initConnections(cocos2d::CCDictionary* dict) override;
    /// Copies the attributes and the member ids.
    void copyFrom(QNModel* other) override;

    bool autoDepthSorting() const;
    /// True for "Y Axis" ("gAxisY").
    bool sortsAlongY() const;
    /// True for "Ascending" ("gSortAsc").
    bool sortsAscending() const;

    /// The members that resolve, in saved order.
    const std::vector<QNModel*>& members() const;
    bool isMember(const QNModel* model) const;
    /// Whether a resolved member has `id`.
    bool hasMemberId(unsigned int id) const;
    /// Whether a member is a "QNModelObjectAssetCharacter".
    bool containsCharacter() const;
    void addMember(QNModel* model);
    const std::vector<unsigned int>& memberIds() const { return m_ids; }

protected:
    QNModel* createEmptyCopy() const override { return new QNModelObjectGroup(); }

private:
    void readIds(cocos2d::CCDictionary* dict);
    void resolve() const;

    QNPAttributeBoolean* m_autoSort = nullptr;
    QNPAttributeEnum* m_direction = nullptr;
    QNPAttributeEnum* m_order = nullptr;
    std::vector<unsigned int> m_ids;
    mutable std::vector<QNModel*> m_members; // registered models, kept alive by the controller
    mutable std::unordered_set<const QNModel*> m_memberSet;
    mutable std::unordered_set<unsigned int> m_memberIds;
    mutable bool m_resolved = false;
    mutable bool m_containsCharacter = false;
};
