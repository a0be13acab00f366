#include "navigation/QNBackToChoices.h"

#include <algorithm>

#include "model/QNModelController.h"
#include "model/QNPAttributeAction.h"
#include "model/QNPAttributeEnum.h"
#include "navigation/QNModelScreen.h"
#include "navigation/QNNode.h"

namespace qn {
namespace {

void walk(QNNode* node, std::set<QNNode*>& visited, std::vector<std::string>& walkedScreens,
          BackToChoices& out) {
    QNPAttributeAction* input = node ? node->inputAction() : nullptr;
    if (!input) return;
    const std::vector<QNPAttributeAction*> links = input->links();
    for (QNPAttributeAction* output : links) {
        auto* from = dynamic_cast<QNNode*>(output->owner());
        if (!from || !visited.insert(from).second) continue;
        const std::string key = screenKeyOf(from->linkedModel());
        if (dynamic_cast<QNNodeScene*>(from)) {
            out.choices.emplace_back(from->displayName(), key);
            for (const std::string& screen : walkedScreens) out.worldsOf[screen].insert(key);
            walk(from, visited, walkedScreens, out);
        } else if (dynamic_cast<QNNodeUI*>(from)) {
            out.choices.emplace_back(from->displayName(), key);
            walkedScreens.push_back(key);
            walk(from, visited, walkedScreens, out);
        }
    }
}

std::string enumValue(const QNModel* model, const char* name) {
    for (QNPAttribute* attribute : model->attributes())
        if (attribute->type() == QNPAttribute::kTypeEnum && attribute->name() == name)
            return static_cast<QNPAttributeEnum*>(attribute)->selectedValue();
    return "";
}

} // namespace

BackToChoices backToChoices(QNNode* node) {
    BackToChoices out;
    std::set<QNNode*> visited{node};
    std::vector<std::string> walked;
    if (node) walked.push_back(screenKeyOf(node->linkedModel()));
    walk(node, visited, walked, out);
    return out;
}

QNNode* nodeOfButton(const QNModel* button) {
    QNModelController* controller = QNModelController::sharedModelController();
    for (const char* cls : {"QNNodeUI", "QNNodeUIStart"}) {
        for (QNModel* model : controller->modelListOfClass(cls)) {
            auto* node = dynamic_cast<QNNode*>(model);
            auto* screen = node ? dynamic_cast<QNModelScreen*>(node->linkedModel()) : nullptr;
            if (!screen) continue;
            const auto& children = screen->children();
            if (std::find(children.begin(), children.end(), button) != children.end()) return node;
        }
    }
    return nullptr;
}

void resolveBackTo(const QNModel* button, std::string& worldKey, std::string& screenKey) {
    worldKey.clear();
    screenKey.clear();
    if (!button) return;
    const std::string wanted = enumValue(button, "Back To");
    if (wanted.empty()) return;
    const BackToChoices choices = backToChoices(nodeOfButton(button));
    auto it = choices.worldsOf.find(wanted);
    if (it != choices.worldsOf.end() && !it->second.empty()) {
        screenKey = wanted;
        worldKey = it->second.size() == 1 ? *it->second.begin() : enumValue(button, "Back To World");
        return;
    }
    // A menu reached from no world is opened as a screen; it is not a world.
    for (const char* cls : {"QNNodeUI", "QNNodeUIStart"}) {
        for (QNModel* model : QNModelController::sharedModelController()->modelListOfClass(cls)) {
            auto* node = dynamic_cast<QNNode*>(model);
            if (node && screenKeyOf(node->linkedModel()) == wanted) {
                screenKey = wanted;
                return;
            }
        }
    }
    worldKey = wanted;
}

} // namespace qn
