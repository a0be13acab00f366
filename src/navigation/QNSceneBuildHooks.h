#pragma once
// Small seams between navigation and the parts that keep per-scene state of their own.

#include <functional>

class QNModel;

namespace qn {

/// Adds a function run each time the navigation state builds a scene (the switch buttons clear
/// their on/off table, the gameplay parameters their save-and-restore nesting count).
void addSceneBuildHook(std::function<void()> hook);
/// Runs every scene-build hook, in the order they were added.
void runSceneBuildHooks();

/// The id of the world a level-section model belongs to ("parentScreenId"); -1 when unknown.
int sectionParentId(QNModel* section);
/// Installs how a level section's world id is read (the level-section model sets it).
void setSectionParentLookup(std::function<int(QNModel*)> lookup);

} // namespace qn
