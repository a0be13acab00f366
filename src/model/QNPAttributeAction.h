#pragma once
// Action wiring: an output of one model linked to an input of another. An output has at most one
// linked input; an input may have any number of linked outputs; links are recorded on both sides.
// The navigation graph and component events follow these links.

#include <vector>

#include "model/QNPAttribute.h"

class QNPAttributeAction : public QNPAttribute {
public:
    enum Role { kRoleInput = 0, kRoleOutput = 1 };

    QNPAttributeAction() : QNPAttribute(kTypeAction) {}
    ~QNPAttributeAction() override;

    /// Links an output and an input given in either order. Refuses wrong roles, disabled links and
    /// links already in place; an output's previous link is dropped first.
    static void connect(QNPAttributeAction* a, QNPAttributeAction* b);
    /// Drops every link of `a`, on both sides.
    static void disconnectAll(QNPAttributeAction* a);
    /// Drops the link between `input` and `output` (inputs only).
    static void removeSource(QNPAttributeAction* input, QNPAttributeAction* output);
    /// True when `a` lists `b` among its links.
    static bool isLinkedTo(const QNPAttributeAction* a, const QNPAttributeAction* b);

    bool isOutput() const { return role() == kRoleOutput; }
    bool isInput() const { return role() == kRoleInput; }
    /// An output's linked input, or nullptr.
    QNPAttributeAction* target() const;
    /// The linked attributes (an input's outputs, or an output's one input). Not owned.
    const std::vector<QNPAttributeAction*>& links() const { return m_links; }
    bool isLinkable() const { return m_linkable; }
    void setLinkable(bool linkable) { m_linkable = linkable; }

    /// Reads "connectedModelId" and "attributeName" (or "connectedAttrIndex") and links this output
    /// to that input; anything that does not resolve is ignored.
    void loadConnections(cocos2d::CCDictionary* value) override;
    void detach() override;
    /// Base copy; an output also links to the other output's target.
    void copyFrom(QNPAttribute* other) override;

protected:
    void writeConnections(cocos2d::CCDictionary* dict) override;

private:
    static void refreshStartLinks();

    std::vector<QNPAttributeAction*> m_links;
    bool m_linkable = true;
};
