#include "navigation/QNWidgetFactory.h"

#include <unordered_map>

#include "model/QNModel.h"

namespace qn {
namespace {
std::unordered_map<std::string, WidgetCreator>& creators() {
    static std::unordered_map<std::string, WidgetCreator> table;
    return table;
}
} // namespace

void registerWidgetCreator(const std::string& className, WidgetCreator creator) {
    creators()[className] = std::move(creator);
}

bool hasWidgetCreator(const std::string& className) {
    return creators().count(className) != 0;
}

cocos2d::CCNode* createWidgetForModel(QNModel* model, QNPScreen* screen) {
    if (!model) return nullptr;
    auto it = creators().find(model->className());
    return it == creators().end() || !it->second ? nullptr : it->second(model, screen);
}

} // namespace qn
