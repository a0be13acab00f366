#include "model/QNModelLoader.h"

#include "model/QNModelController.h"

void QNModelLoader::reset() {
    m_currentClass = kFirstClass;
    m_fileIndex = 0;
    m_doneClasses.clear();
    m_phase = 0;
    m_progress = 0;
}

bool QNModelLoader::loadNextFile(QNModelController& controller, const std::string& folder) {
    if (m_phase >= 2) controller.clean(); // resets this loader too

    const std::size_t classCount = controller.classNames().size();
    const double done = classCount ? (double)m_doneClasses.size() / (double)classCount : 0.0;
    m_progress = (int)(done * 50.0 + m_phase * 50.0);

    const bool connections = m_phase != 0;
    const std::string stem = folder + "/" + m_currentClass + "." + std::to_string(m_fileIndex);
    if (controller.loadData(stem + (connections ? ".connections.xml" : ".attributes.xml"), connections) ==
            0 ||
        controller.loadData(stem + ".xml", connections) == 0) {
        ++m_fileIndex;
        return false;
    }

    // No more files of this class: go on with the first class not done in this phase.
    m_doneClasses.insert(m_currentClass);
    for (const std::string& name : controller.classNames()) {
        if (m_doneClasses.count(name) == 0) {
            m_currentClass = name;
            m_fileIndex = 0;
            return false;
        }
    }

    m_currentClass = kFirstClass;
    m_fileIndex = 0;
    m_doneClasses.clear();
    ++m_phase;
    if (m_phase == 2) {
        m_progress = 100;
        return true;
    }
    return false;
}
