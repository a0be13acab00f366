#include "model/QNPAttributeAction.h"

#include <algorithm>

#include "framework/CCDictionary.h"
#include "model/QNDataText.h"
#include "model/QNModel.h"
#include "model/QNModelController.h"

using namespace cocos2d;

QNPAttributeAction::~QNPAttributeAction() {
    // Links are recorded on both sides, so unlinking from every live peer here means no peer ever
    // keeps a pointer to a destroyed attribute. No refresh runs from a destructor.
    for (QNPAttributeAction* peer : m_links) {
        auto& theirs = peer->m_links;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    }
}

QNPAttributeAction* QNPAttributeAction::target() const {
    return isOutput() && !m_links.empty() ? m_links.front() : nullptr;
}

bool QNPAttributeAction::isLinkedTo(const QNPAttributeAction* a, const QNPAttributeAction* b) {
    if (!a || !b) return false;
    return std::find(a->m_links.begin(), a->m_links.end(), b) != a->m_links.end();
}

void QNPAttributeAction::refreshStartLinks() {
    if (QNModelController::isRefreshEnabledGlobally())
        QNModelController::sharedModelController()->refreshStartLinks();
}

void QNPAttributeAction::connect(QNPAttributeAction* a, QNPAttributeAction* b) {
    if (!a || !b || a == b || !a->m_linkable || !b->m_linkable) return;
    if (a->isOutput()) {
        if (a->target() == b || !b->isInput()) return;
        disconnectAll(a);
        a->m_links.assign(1, b);
        std::swap(a, b);
    }
    // `a` is the input now.
    if (!b->isOutput() || isLinkedTo(a, b)) return;
    a->m_links.push_back(b);
    connect(b, a); // finds the output's link already in place
    refreshStartLinks();
}

void QNPAttributeAction::disconnectAll(QNPAttributeAction* a) {
    if (!a) return;
    if (a->isInput()) {
        std::vector<QNPAttributeAction*> former;
        former.swap(a->m_links);
        for (QNPAttributeAction* output : former) disconnectAll(output);
        refreshStartLinks();
    } else if (QNPAttributeAction* input = a->target()) {
        a->m_links.clear();
        removeSource(input, a);
    }
}

void QNPAttributeAction::removeSource(QNPAttributeAction* input, QNPAttributeAction* output) {
    if (!input || !input->isInput()) return;
    auto it = std::find(input->m_links.begin(), input->m_links.end(), output);
    if (it == input->m_links.end()) return;
    input->m_links.erase(it);
    disconnectAll(output);
    refreshStartLinks();
}

void QNPAttributeAction::loadConnections(CCDictionary* value) {
    QNPAttribute::loadConnections(value);
    if (!isOutput() || !value) return;
    const int modelId = ccTextToInt(qn::textFor(value, "connectedModelId").c_str());
    if (modelId < 1) return;
    QNModel* model = QNModelController::sharedModelController()->modelById((unsigned int)modelId);
    if (!model) return;

    QNPAttributeAction* input = nullptr;
    const std::string& attributeName = qn::textFor(value, "attributeName");
    if (!attributeName.empty()) {
        for (QNPAttribute* attribute : model->attributes()) {
            if (attribute->type() == kTypeAction && attribute->name() == attributeName) {
                input = static_cast<QNPAttributeAction*>(attribute);
                break;
            }
        }
    } else {
        const int index = ccTextToInt(qn::textFor(value, "connectedAttrIndex").c_str());
        if (index < 1) return;
        QNPAttribute* attribute = model->attributeAt(index);
        // Only an action input can be the far end of a link.
        if (attribute && attribute->type() == kTypeAction &&
            static_cast<QNPAttributeAction*>(attribute)->isInput())
            input = static_cast<QNPAttributeAction*>(attribute);
    }
    if (input) connect(this, input);
}

void QNPAttributeAction::writeConnections(CCDictionary* dict) {
    QNPAttributeAction* input = target();
    if (!input) return;
    qn::setText(dict, "connectedModelId", "%d", input->owner() ? (int)input->owner()->id() : 0);
    qn::setText(dict, "attributeName", "%s", input->name().c_str());
    qn::setText(dict, "isAction", "%s", "true");
}

void QNPAttributeAction::detach() {
    QNPAttribute::detach();
    disconnectAll(this);
}

void QNPAttributeAction::copyFrom(QNPAttribute* other) {
    QNPAttribute::copyFrom(other);
    auto* action = dynamic_cast<QNPAttributeAction*>(other);
    if (!action || !isOutput() || !action->isOutput()) return;
    if (QNPAttributeAction* input = action->target()) connect(this, input);
}
