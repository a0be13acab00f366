#pragma once
// Where the user-default store lives: --store FILE, else
// $XDG_DATA_HOME/qnplayer/<Application Name>/UserDefault.xml (~/.local/share when unset).

#include <string>

namespace qn {

/// The default store file for `applicationName` (made safe as one folder name by the store).
std::string defaultStorePath(const std::string& applicationName);

/// Points the user-default store at --store when given, else at the default file for
/// `applicationName`. The entry point calls it with "Untitled" at start-up; the settings loader
/// calls it again once the project's "Application Name" is known.
void useStoreForApplicationName(const std::string& applicationName);

/// The store file chosen by the last useStoreForApplicationName ("" before).
const std::string& currentStorePath();

} // namespace qn
