#pragma once
// Score records: one per world key, plus the game-wide record under the empty key. Navigation
// saves or restores their snapshots when it moves between worlds; the world adds the distance.
// Checkpoint records, also one per world key, say where a world restarts.

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
    /// current += v, total += v, best := max(best, current).
    void addDistance(double v);
    /// Every current and every snapshot 0 (snapshots created when absent).
    void clearCurrent();
};

/// Where a world restarts after a checkpoint; a checkpoint exists when the character position is
/// not (0, 0).
struct QNCheckpointRecord {
    float characterX = 0, characterY = 0;
    float cameraX = 0, cameraY = 0;
    float distance = 0;
    int sectionId = -1;

    bool exists() const { return characterX != 0 || characterY != 0; }
    /// Both points and the distance back to 0; the section id stays.
    void clear() {
        characterX = characterY = cameraX = cameraY = 0;
        distance = 0;
    }
};

/// The checkpoint record of `worldKey`, created empty on first access.
QNCheckpointRecord& checkpointRecord(const std::string& worldKey);
std::map<std::string, QNCheckpointRecord>& checkpointRecords();

/// The record of `worldKey` ("" is the game-wide one), created with zeros on first access. The
/// table lives for the whole process.
QNScoreRecord& scoreRecord(const std::string& worldKey);
/// Every record (for the settings store and the snapshot).
std::map<std::string, QNScoreRecord>& scoreRecords();

} // namespace qn
