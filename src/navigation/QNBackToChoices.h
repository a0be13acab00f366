#pragma once
// Where a "Back Jump" button may return to: the UI screens and worlds that lead, through the
// navigation graph, to the screen the button is on, and for each UI screen the worlds it is reached
// from.

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

class QNModel;
class QNNode;

namespace qn {

struct BackToChoices {
    /// (label, key) of every screen and world the walk met, in walk order.
    std::vector<std::pair<std::string, std::string>> choices;
    /// UI screen key -> the keys of the worlds it is reached from.
    std::map<std::string, std::set<std::string>> worldsOf;
};

/// Walks backwards from `node`'s input through every connected output; each node is visited once.
BackToChoices backToChoices(QNNode* node);
/// The UI node whose screen lists `button` among its widgets, or nullptr.
QNNode* nodeOfButton(const QNModel* button);
/// The world and UI screen keys a "Back Jump" button passes to backTo. A UI screen reached from
/// no world gives an empty world key and the screen's key.
void resolveBackTo(const QNModel* button, std::string& worldKey, std::string& screenKey);

} // namespace qn
