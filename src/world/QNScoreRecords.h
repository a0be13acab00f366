#pragma once
// Score records: one per world key, plus the game-wide record under the empty key. Navigation
// saves or restores their snapshots when it moves between worlds. The rest of the score logic
// (adding, checkpoints, saving to the store) arrives with the world's restart rules; this is the
// table and the two snapshot operations navigation needs.

#include <map>
#include <string>

namespace qn {

struct QNScoreItem {
    double current = 0, best = 0, total = 0;
    bool hasSnapshot = false;
    double snapshot = 0;
};

struct QNScoreRecord {
    QNScoreItem distance, points, coins;

    /// For each item: create the snapshot when absent and store current in it.
    void saveSnapshot();
    /// For each item: current := the snapshot, or 0 without one.
    void restoreSnapshot();
};

/// The record of `worldKey` ("" is the game-wide one), created with zeros on first access. The
/// table lives for the whole process.
QNScoreRecord& scoreRecord(const std::string& worldKey);
/// Every record (for the settings store and the snapshot).
std::map<std::string, QNScoreRecord>& scoreRecords();

} // namespace qn
