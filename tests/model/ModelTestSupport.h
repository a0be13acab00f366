#pragma once
// Helpers for the data-model tests: property-list text for data files, and a fixture that starts
// every test with a clean controller and a temporary project folder.

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "framework/CCAutoreleasePool.h"
#include "framework/CCDictionary.h"
#include "framework/CCPlist.h"
#include "model/QNModelController.h"
#include "platform/DebugLog.h"

namespace modeltest {

/// <key>k</key><string>v</string>
inline std::string kv(const std::string& key, const std::string& value) {
    return "<key>" + key + "</key><string>" + value + "</string>";
}

/// An attribute entry: <key>name</key><dict>body</dict>
inline std::string attr(const std::string& name, const std::string& body) {
    return "<key>" + name + "</key><dict>" + body + "</dict>";
}

/// A model dictionary of an attributes file.
inline std::string model(const std::string& className, unsigned int id, const std::string& body = "") {
    return "<dict>" + kv("className", className) + kv("id", std::to_string(id)) + body + "</dict>";
}

/// A model dictionary of a connections file.
inline std::string links(unsigned int id, const std::string& body) {
    return "<dict>" + kv("id", std::to_string(id)) + body + "</dict>";
}

/// A whole data file holding `elements` under "ROOT".
inline std::string dataFile(const std::string& elements) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>ROOT</key><array>" +
           elements + "</array></dict></plist>\n";
}

/// Parses property-list text of a dictionary; autoreleased.
inline cocos2d::CCDictionary* dict(const std::string& body) {
    const std::string text = "<plist version=\"1.0\"><dict>" + body + "</dict></plist>";
    cocos2d::CCObject* root = cocos2d::CCPlist::parse(text.data(), text.size());
    auto* result = dynamic_cast<cocos2d::CCDictionary*>(root);
    EXPECT_NE(result, nullptr) << text;
    if (!result) {
        if (root) root->release();
        return cocos2d::CCDictionary::create();
    }
    result->autorelease();
    return result;
}

/// A clean controller, a temporary project folder and a captured log for every test.
class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        controller()->clean();
        log.clear();
        qn::setLogCapture(&log);
    }
    void TearDown() override {
        qn::setLogCapture(nullptr);
        controller()->clean();
    }

    static QNModelController* controller() { return QNModelController::sharedModelController(); }
    /// Writes data/<name> with the given elements.
    void writeData(const std::string& name, const std::string& elements) {
        project.write("data/" + name, dataFile(elements));
    }
    std::string dataFolder() const { return project.file("data"); }
    /// Loads the whole data folder; returns the number of calls it took.
    int loadAll() {
        int calls = 0;
        while (!controller()->loadNextFile(dataFolder())) {
            if (++calls > 100000) {
                ADD_FAILURE() << "loader does not finish";
                break;
            }
        }
        return calls + 1;
    }
    bool logHas(const std::string& text) const { return log.find(text) != std::string::npos; }

    qntest::TempDir project;
    std::string log;
};

} // namespace modeltest
