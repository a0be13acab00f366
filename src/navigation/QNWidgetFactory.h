#pragma once
// How a screen builds the runtime node of each widget model on it. Each widget family registers a
// creator for its model classes; the screen asks by the model's class name. Widgets that take part
// in the screen's animation stages implement QNScreenWidget.

#include <functional>
#include <string>

namespace cocos2d {
class CCNode;
}

class QNModel;
class QNPScreen;

namespace qn {

/// Builds the runtime node (autoreleased) for `model` on `screen`, or nullptr when none is due
/// (a purchase button not shown this time, a model that cannot be built). The creator gives the
/// node the model's depth as its z-order and the model as its user object; the screen puts a
/// button (a CCMenuItem) alone in a tag-100 menu and any other node straight into its content.
using WidgetCreator = std::function<cocos2d::CCNode*(QNModel* model, QNPScreen* screen)>;

/// Inserts or replaces the creator for the model class `className`.
void registerWidgetCreator(const std::string& className, WidgetCreator creator);
/// Whether a creator is registered for `className`.
bool hasWidgetCreator(const std::string& className);
/// The runtime node for `model` (autoreleased), or nullptr when its class has no creator or the
/// creator built nothing.
cocos2d::CCNode* createWidgetForModel(QNModel* model, QNPScreen* screen);

} // namespace qn

namespace qn {
/// Registers the creators of every widget family; the application delegate calls it at launch
/// (again is harmless). Each family adds its own registration call in QNWidgetClasses.cpp.
void registerWidgetClasses();
} // namespace qn
