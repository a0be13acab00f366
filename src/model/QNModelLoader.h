#pragma once
// The incremental loader of a data folder: one call reads at most two file names, first every
// attribute file of every class (phase 0), then every connection file (phase 1). Files are named
// "<class>.<n>.attributes.xml" / "<class>.<n>.connections.xml", or "<class>.<n>.xml" for either.

#include <string>
#include <unordered_set>

class QNModelController;

class QNModelLoader {
public:
    static constexpr const char* kFirstClass = "QNModelGeneralSettings";

    /// Back to the start: the general settings class, file 0, phase 0, progress 0.
    void reset();
    /// Reads the next file of `folder` through `controller`; true when the last phase finished.
    bool loadNextFile(QNModelController& controller, const std::string& folder);

    int progress() const { return m_progress; }
    int phase() const { return m_phase; }
    const std::string& currentClass() const { return m_currentClass; }

private:
    std::string m_currentClass = kFirstClass;
    int m_fileIndex = 0;
    std::unordered_set<std::string> m_doneClasses;
    int m_phase = 0;
    int m_progress = 0;
};
