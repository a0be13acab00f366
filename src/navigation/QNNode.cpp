#include "navigation/QNNode.h"

#include <algorithm>

#include "framework/CCArray.h"
#include "framework/CCDictionary.h"
#include "framework/CCString.h"
#include "model/QNDataText.h"
#include "model/QNModelController.h"
#include "model/QNPAttributeAction.h"
#include "model/QNPAttributeEnum.h"
#include "model/QNPAttributePoint.h"
#include "model/QNPAttributeString.h"
#include "navigation/QNModelScreen.h"

using namespace cocos2d;

namespace {

bool isNavigationButtonAction(const std::string& action) {
    return action == "kStartButton" || action == "kStartCheckpointButton" || action == "kPauseButton" ||
           action == "kNoAction";
}

void refreshLabels() {
    QNModelController* controller = QNModelController::sharedModelController();
    if (controller->isRefreshEnabled() && controller->refreshHooks().labels)
        controller->refreshHooks().labels();
}

} // namespace

namespace qn {

std::string buttonActionOf(const QNModel* button) {
    if (!button) return "";
    // The "Action" heading is a group; the value is the enumeration of the same name.
    for (QNPAttribute* attribute : button->attributes())
        if (attribute->type() == QNPAttribute::kTypeEnum && attribute->name() == "Action")
            return static_cast<QNPAttributeEnum*>(attribute)->selectedValue();
    return "";
}

std::string screenKeyOf(const QNModel* screen) {
    auto* model = dynamic_cast<const QNModelScreen*>(screen);
    return model ? model->key() : std::string();
}

void refreshAllNodeOutputs() {
    QNModelController* controller = QNModelController::sharedModelController();
    for (const char* cls : {"QNNode", "QNNodeScene", "QNNodeUI", "QNNodeUIStart"})
        for (QNModel* model : controller->modelsOfClass(cls))
            if (auto* node = dynamic_cast<QNNode*>(model)) node->refreshActionOutputs();
}

} // namespace qn

QNNode::QNNode() : QNNode("QNNode", "Input") {}

QNNode::QNNode(const std::string& className, const std::string& inputName) : QNModel(className) {
    m_input = static_cast<QNPAttributeAction*>(
        addAttribute(inputName, QNPAttribute::kTypeAction, 0, nullptr, QNPAttributeAction::kRoleInput));
    m_position = static_cast<QNPAttributePoint*>(addAttribute("Position", QNPAttribute::kTypePoint));
}

QNNode::~QNNode() = default;

QNNodeScene::QNNodeScene() : QNNode("QNNodeScene", "Load") {
    m_hud = addOutput("UI");
}

QNNodeUI::QNNodeUI() : QNNode("QNNodeUI", "Load") {}

QNNodeUIStart::QNNodeUIStart() : QNNodeUI("QNNodeUIStart", "---") {
    // Nothing may lead into the start node.
    inputAction()->setLinkable(false);
    m_load = addOutput("Load");
}

QNPAttributeAction* QNNode::addOutput(const std::string& name) {
    return static_cast<QNPAttributeAction*>(
        addAttribute(name, QNPAttribute::kTypeAction, 0, nullptr, QNPAttributeAction::kRoleOutput));
}

QNPAttributeAction* QNNode::outputNamed(const std::string& name) const {
    for (QNPAttribute* attribute : attributes()) {
        if (attribute->type() != QNPAttribute::kTypeAction || attribute->name() != name) continue;
        auto* action = static_cast<QNPAttributeAction*>(attribute);
        if (action->isOutput()) return action;
    }
    return nullptr;
}

QNNode* QNNode::farNodeOf(const QNPAttributeAction* output) {
    if (!output || !output->isOutput()) return nullptr;
    QNPAttributeAction* input = output->target();
    return input ? dynamic_cast<QNNode*>(input->owner()) : nullptr;
}

QNModel* QNNode::destinationOf(const QNPAttributeAction* output) {
    QNNode* node = farNodeOf(output);
    return node ? node->linkedModel() : nullptr;
}

std::vector<std::string> QNNode::navigationObjectNames(QNModel* screen) {
    std::vector<QNModel*> objects;
    if (auto* model = dynamic_cast<QNModelScreen*>(screen)) objects = model->children();
    // A world's level sections also carry objects; they join when the world models are written.
    std::vector<std::string> names;
    auto collect = [&](auto accept) {
        for (QNModel* object : objects)
            if (accept(object)) names.push_back(object->displayName());
    };
    collect([](QNModel* o) {
        return (o->className() == "QNModelObjectButton" && isNavigationButtonAction(qn::buttonActionOf(o))) ||
               o->className() == "QNModelObjectLockButton";
    });
    collect([](QNModel* o) { return o->className() == "QNModelObjectAssetScreenJump"; });
    collect([](QNModel* o) { return o->className() == "QNModelObjectEventObserver"; });
    return names;
}

void QNNode::refreshActionOutputs() {
    if (!m_linkedModel) return;
    for (const std::string& name : navigationObjectNames(m_linkedModel))
        if (!name.empty() && !attributeNamed(name)) addOutput(name);
}

CCDictionary* QNNode::connectionsDictionary() {
    CCDictionary* dict = QNModel::connectionsDictionary();
    if (m_linkedModel) qn::setText(dict, "modelId", "%u", m_linkedModel->id());
    qn::setText(dict, "attributesCount", "%d", attributeCount());
    return dict;
}

void QNNode::initConnections(CCDictionary* dict) {
    // Every output must exist before the links are read: first those of the linked screen's
    // objects, then those known only from the file (objects added after the node was saved).
    if (dict) {
        const int modelId = ccTextToInt(qn::textFor(dict, "modelId").c_str());
        if (modelId >= 1) {
            QNModel* linked = QNModelController::sharedModelController()->modelById((unsigned int)modelId);
            // A node stands for a screen or a world; any other model is a damaged reference.
            if (dynamic_cast<QNModelScreen*>(linked)) {
                m_linkedModel = linked;
                refreshLabels();
            } else {
                CCLog("[QNNode] %u: model %d is not a screen; the node stays unlinked", id(), modelId);
            }
        }
    }
    refreshActionOutputs();
    if (dict) {
        CCArray* keys = dict->allKeys();
        const unsigned int count = keys ? keys->count() : 0;
        for (unsigned int i = count; i-- > 0;) {
            auto* key = dynamic_cast<CCString*>(keys->objectAtIndex(i));
            if (!key || attributeNamed(key->getCString())) continue;
            auto* value = dynamic_cast<CCDictionary*>(dict->objectForKey(key->getCString()));
            if (value && qn::isPresent(value, "isAction")) addOutput(key->getCString());
        }
    }
    QNModel::initConnections(dict);
}

void QNNode::remove() {
    if (m_linkedModel) {
        QNModel* linked = m_linkedModel;
        m_linkedModel = nullptr;
        linked->remove();
    }
    QNModel::remove();
}

void QNNode::copyFrom(QNModel* other) {
    auto* node = dynamic_cast<QNNode*>(other);
    if (!node || node == this) {
        QNModel::copyFrom(other);
        return;
    }
    if (node->m_linkedModel) m_linkedModel = node->m_linkedModel->duplicate();
    refreshActionOutputs();
    const std::vector<QNPAttribute*> theirs = node->attributes();
    for (int index = 0; index < (int)theirs.size(); ++index)
        if (QNPAttribute* mine = attributeNamed(theirs[index]->name())) moveAttribute(mine, index);
    QNModel::copyFrom(other);
}

void QNNode::attributeChanged(QNPAttribute* attribute) {
    if (attribute && attribute == attributeAt(0)) refreshLabels();
}
