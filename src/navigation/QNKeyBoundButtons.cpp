#include "navigation/QNKeyBoundButtons.h"

#include <algorithm>
#include <map>
#include <vector>

#include "navigation/QNPObjectButton.h"

namespace qn {
namespace {

std::map<int, std::vector<QNPObjectButton*>>& table() {
    static std::map<int, std::vector<QNPObjectButton*>> buttons;
    return buttons;
}

/// The buttons under `code` shown on `screen`, retained for the caller: pressing one may
/// navigate and destroy the others.
std::vector<QNPObjectButton*> buttonsOn(int code, QNPScreen* screen) {
    std::vector<QNPObjectButton*> found;
    auto it = table().find(code);
    if (!screen || it == table().end()) return found;
    for (QNPObjectButton* button : it->second)
        if (button->owningScreen() == screen) {
            button->retain();
            found.push_back(button);
        }
    return found;
}

} // namespace

void registerKeyButton(int code, QNPObjectButton* button) {
    if (button) table()[code].push_back(button);
}

void unregisterKeyButton(QNPObjectButton* button) {
    for (auto it = table().begin(); it != table().end();) {
        auto& list = it->second;
        list.erase(std::remove(list.begin(), list.end(), button), list.end());
        it = list.empty() ? table().erase(it) : std::next(it);
    }
}

bool pressKeyButtons(int code, QNPScreen* screen) {
    std::vector<QNPObjectButton*> buttons = buttonsOn(code, screen);
    for (QNPObjectButton* button : buttons) button->selected();
    for (QNPObjectButton* button : buttons) button->release();
    return !buttons.empty();
}

bool releaseKeyButtons(int code, QNPScreen* screen) {
    std::vector<QNPObjectButton*> buttons = buttonsOn(code, screen);
    for (QNPObjectButton* button : buttons) {
        button->unselected();
        button->activate();
    }
    for (QNPObjectButton* button : buttons) button->release();
    return !buttons.empty();
}

} // namespace qn
