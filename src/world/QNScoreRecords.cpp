#include "world/QNScoreRecords.h"

namespace qn {

void QNScoreRecord::saveSnapshot() {
    for (QNScoreItem* item : {&distance, &points, &coins}) {
        item->hasSnapshot = true;
        item->snapshot = item->current;
    }
}

void QNScoreRecord::restoreSnapshot() {
    for (QNScoreItem* item : {&distance, &points, &coins})
        item->current = item->hasSnapshot ? item->snapshot : 0;
}

void QNScoreRecord::addDistance(double v) {
    distance.current += v;
    distance.total += v;
    if (distance.current > distance.best) distance.best = distance.current;
}

void QNScoreRecord::clearCurrent() {
    for (QNScoreItem* item : {&distance, &points, &coins}) {
        item->current = 0;
        item->hasSnapshot = true;
        item->snapshot = 0;
    }
}

std::map<std::string, QNCheckpointRecord>& checkpointRecords() {
    static std::map<std::string, QNCheckpointRecord> records;
    return records;
}

QNCheckpointRecord& checkpointRecord(const std::string& worldKey) {
    return checkpointRecords()[worldKey];
}

std::map<std::string, QNScoreRecord>& scoreRecords() {
    static std::map<std::string, QNScoreRecord> records;
    return records;
}

QNScoreRecord& scoreRecord(const std::string& worldKey) {
    return scoreRecords()[worldKey];
}

} // namespace qn
