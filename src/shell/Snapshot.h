#pragma once
// The state snapshot written by the scripted `dump` event: one JSON object whose fields come from
// providers that the subsystems register, written in registration order.

#include <functional>
#include <string>

#include "shell/JsonWriter.h"

namespace qn {

class Snapshot {
public:
    /// Writes the value of one field (exactly one JSON value).
    using Provider = std::function<void(JsonWriter&)>;

    /// Adds the field `name`, written by `provider`. Registering a name again replaces its
    /// provider and keeps its place.
    static void addProvider(const std::string& name, Provider provider);
    /// Drops the field `name` (no effect when it is not registered).
    static void removeProvider(const std::string& name);
    /// True when `name` has a provider.
    static bool hasProvider(const std::string& name);

    /// The whole snapshot as one JSON object.
    static std::string toJson();
    /// Writes the snapshot to `path` (missing folders are made) through a temporary file and a
    /// rename, so a reader never sees half a file. Returns false (and logs) when it cannot be written.
    static bool writeFile(const std::string& path);
};

} // namespace qn
