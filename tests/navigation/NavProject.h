#pragma once
// A small project for the navigation tests, written as the editor writes it: screens with their
// widgets, navigation nodes and the links between their outputs and inputs.

#include <map>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace navtest {

inline std::string kv(const std::string& key, const std::string& value) {
    return "<key>" + key + "</key><string>" + value + "</string>";
}
inline std::string attr(const std::string& name, const std::string& body) {
    return "<key>" + name + "</key><dict>" + body + "</dict>";
}
inline std::string dataFile(const std::string& elements) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>ROOT</key><array>" +
           elements + "</array></dict></plist>\n";
}

/// Stage lengths of a screen, in frames of 1/30 s.
struct Stages {
    int openFrames = 0, idleFrames = 40, closeFrames = 0;
};

class NavProject {
public:
    /// A screen model keyed `key` listing the widget ids; returns its id.
    unsigned screen(const std::string& key, const std::vector<unsigned>& children = {},
                    Stages stages = Stages(), const char* cls = "QNModelScreen") {
        const unsigned id = m_nextId++;
        std::string& file = m_attributes[cls];
        file += "<dict>" + kv("className", cls) + kv("id", std::to_string(id)) +
                attr("Name", kv("value", key)) + kv("key", key) +
                kv("openFrames", std::to_string(stages.openFrames)) +
                kv("idleFrames", std::to_string(stages.idleFrames)) +
                kv("closeFrames", std::to_string(stages.closeFrames)) + "</dict>";
        std::string ids;
        for (unsigned child : children) ids += "<string>" + std::to_string(child) + "</string>";
        m_connections[cls] +=
            "<dict>" + kv("id", std::to_string(id)) + "<key>children</key><array>" + ids + "</array></dict>";
        return id;
    }
    unsigned world(const std::string& key, const std::vector<unsigned>& children = {}) {
        return screen(key, children, Stages(), "QNModelScreenScene");
    }
    /// A button model named `name` with the "Action" `action` at (x, y).
    unsigned button(const std::string& name, const std::string& action, float x = 0, float y = 0,
                    const char* cls = "QNModelObjectButton") {
        const unsigned id = m_nextId++;
        m_attributes[cls] +=
            "<dict>" + kv("className", cls) + kv("id", std::to_string(id)) + attr("Name", kv("value", name)) +
            attr("Action", kv("selectedStringValue", action)) +
            attr("Position", kv("value", "{" + std::to_string(x) + "," + std::to_string(y) + "}")) +
            "</dict>";
        return id;
    }
    /// A node of `cls` linked to the screen `screenId`.
    unsigned node(const std::string& cls, unsigned screenId, const std::string& name = "") {
        const unsigned id = m_nextId++;
        m_attributes[cls] += "<dict>" + kv("className", cls) + kv("id", std::to_string(id)) +
                             attr("Name", kv("value", name.empty() ? cls : name)) + "</dict>";
        m_nodeLinks[id] = kv("modelId", std::to_string(screenId));
        m_nodeClass[id] = cls;
        return id;
    }
    /// Links the output `output` of node `from` to the input of node `to`.
    void link(unsigned from, const std::string& output, unsigned to) {
        m_nodeLinks[from] += attr(output, kv("connectedModelId", std::to_string(to)) +
                                              kv("attributeName", "Load") + kv("isAction", "true"));
    }
    /// Writes data/ (with general settings) into `dir`.
    void write(const qntest::TempDir& dir, bool portrait = false) const {
        dir.write("data/QNModelGeneralSettings.0.attributes.xml",
                  dataFile("<dict>" + kv("className", "QNModelGeneralSettings") + kv("id", "1") +
                           attr("Name", kv("value", "Settings")) +
                           attr("Application Name", kv("value", "Nav Test")) +
                           kv("orientation",
                              portrait ? "QNPScreenOrientationPortrait" : "QNPScreenOrientationLandscape") +
                           "</dict>"));
        std::map<std::string, std::string> connections = m_connections;
        for (auto& [id, body] : m_nodeLinks)
            connections[m_nodeClass.at(id)] += "<dict>" + kv("id", std::to_string(id)) + body + "</dict>";
        for (auto& [cls, body] : m_attributes) dir.write("data/" + cls + ".0.attributes.xml", dataFile(body));
        for (auto& [cls, body] : connections) dir.write("data/" + cls + ".0.connections.xml", dataFile(body));
    }

private:
    unsigned m_nextId = 10;
    std::map<std::string, std::string> m_attributes, m_connections;
    std::map<unsigned, std::string> m_nodeLinks;
    std::map<unsigned, std::string> m_nodeClass;
};

} // namespace navtest
