#pragma once
// The snapshot fields the shell itself knows: frame, title, window, scene and drawCalls.

namespace qn {

/// Registers the shell's fields with the snapshot (again is harmless: they keep their place).
void registerShellSnapshotFields();

} // namespace qn
