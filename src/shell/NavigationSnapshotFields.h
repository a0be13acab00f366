#pragma once
// The snapshot fields of navigation and loading: loading, scene, screens, screen and world.

namespace qn {

/// Registers the fields (again is harmless: they keep their place).
void registerNavigationSnapshotFields();
/// Marks the project's loading as complete (or not, for tests); the "loading" field reports it.
void setLoadingDone(bool done);
bool isLoadingDone();

} // namespace qn
