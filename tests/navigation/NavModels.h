#pragma once
// Models for the navigation tests made in code: screens, widget models with the attributes the
// screens read ("Action", "Position"), nodes, and links between node outputs and inputs.

#include <string>

#include "model/QNModelCompound.h"
#include "model/QNModelController.h"
#include "model/QNPAttributeAction.h"
#include "model/QNPAttributeEnum.h"
#include "model/QNPAttributePoint.h"
#include "navigation/QNModelScreen.h"
#include "navigation/QNNode.h"

namespace navtest {

inline QNModelController* controller() {
    return QNModelController::sharedModelController();
}

/// A registered widget model of `cls` named `name`, with an "Action" and a "Position".
inline QNModel* widget(const std::string& cls, const std::string& name,
                       const std::string& action = "kNoAction", float x = 0, float y = 0) {
    auto* model = new QNModelCompound(cls, name);
    auto* value = static_cast<QNPAttributeEnum*>(model->addAttribute("Action", QNPAttribute::kTypeEnum));
    value->set(action);
    static_cast<QNPAttributePoint*>(model->addAttribute("Position", QNPAttribute::kTypePoint))
        ->set(cocos2d::CCPoint(x, y));
    controller()->addModel(model);
    return model;
}

/// A registered screen model keyed `key` (the class may be "QNModelScreenScene" for a world).
inline QNModelScreen* screen(const std::string& key, std::initializer_list<QNModel*> children = {},
                             const std::string& cls = "QNModelScreen") {
    auto* model = new QNModelScreen(cls);
    model->setKey(key);
    model->setOpenFrames(0);
    for (QNModel* child : children) model->addChild(child);
    controller()->addModel(model);
    return model;
}

/// A registered node of type T linked to `linked`, its outputs made for the screen's objects.
template <class T> T* node(QNModel* linked) {
    T* model = new T();
    model->setLinkedModel(linked);
    model->refreshActionOutputs();
    controller()->addModel(model);
    return model;
}

/// Links `from`'s output `output` to `to`'s input (the output is made when missing).
inline void link(QNNode* from, const std::string& output, QNNode* to) {
    QNPAttributeAction* out = from->outputNamed(output);
    if (!out)
        out = static_cast<QNPAttributeAction*>(from->addAttribute(output, QNPAttribute::kTypeAction, 0,
                                                                  nullptr, QNPAttributeAction::kRoleOutput));
    QNPAttributeAction::connect(out, to->inputAction());
}

} // namespace navtest
