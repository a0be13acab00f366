#pragma once
// The world's fields of the state snapshot: paused, gameOver, scores, objects, characters.

namespace qn {

void registerWorldSnapshotFields();

} // namespace qn
