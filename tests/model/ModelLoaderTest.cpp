// The incremental loader and the application of data files, through real files in a temporary
// data folder.

#include "ModelTestSupport.h"
#include "model/QNDataText.h"
#include "model/QNModel.h"
#include "model/QNModelComponent.h"
#include "model/QNModelCompound.h"
#include "model/QNModelGeneralSettings.h"
#include "model/QNPAttributeReference.h"

using namespace modeltest;

namespace {
const char* const kName = "Name";
std::string named(const std::string& name) {
    return attr(kName, kv("value", name));
}
} // namespace

class ModelLoaderTest : public ModelTest {};

TEST_F(ModelLoaderTest, XmlFallbackIsTriedPerNumberInBothPhasesAndTheFirstMissingNumberEndsTheClass) {
    writeData("QNModelSprite.0.attributes.xml", model("QNModelSprite", 10, named("first")));
    writeData("QNModelSprite.1.xml", model("QNModelSprite", 11, named("second")));
    writeData("QNModelSound.0.attributes.xml", model("QNModelSound", 20));
    writeData("QNModelSound.2.attributes.xml", model("QNModelSound", 22)); // after a gap

    loadAll();

    ASSERT_NE(controller()->modelById(10), nullptr);
    ASSERT_NE(controller()->modelById(11), nullptr);
    EXPECT_EQ(controller()->modelById(11)->displayName(), "second");
    EXPECT_EQ(controller()->modelsOfClass("QNModelSprite").size(), 2u);
    EXPECT_NE(controller()->modelById(20), nullptr);
    EXPECT_EQ(controller()->modelById(22), nullptr) << "file 2 lies after the gap";
    EXPECT_TRUE(logHas("load data(0) for class from file: " + dataFolder() + "/QNModelSprite.1.xml"));
    // Phase 1 stops the class at number 0 (no connections file), so the combined file 1 is never
    // read for connections.
    EXPECT_FALSE(logHas("load data(1) for class from file: " + dataFolder() + "/QNModelSprite.1.xml"));
    EXPECT_EQ(controller()->loadingProgress(), 100);
}

TEST_F(ModelLoaderTest, FirstDefinitionOfAnIdWinsAndUnusableElementsAreSkipped) {
    writeData("QNModelFont.0.attributes.xml",
              model("QNModelFont", 5, named("kept")) + model("QNModelFont", 5, named("ignored")) +
                  model("QNModelUnknownClass", 6) + "<dict>" + kv("id", "7") + "</dict>" +
                  "<string>x</string>" + model("QNModelObjectAsset", 8));
    // The same id in a class visited later is ignored as well.
    writeData("QNModelSound.0.attributes.xml", model("QNModelSound", 5, named("later")));

    loadAll();

    ASSERT_NE(controller()->modelById(5), nullptr);
    EXPECT_EQ(controller()->modelById(5)->displayName(), "kept");
    EXPECT_EQ(controller()->modelsOfClass("QNModelFont").size(), 1u);
    EXPECT_TRUE(controller()->modelsOfClass("QNModelSound").empty());
    EXPECT_EQ(controller()->modelById(6), nullptr);
    EXPECT_EQ(controller()->modelById(7), nullptr);
    // "QNModelObjectAsset" files hold plain objects.
    ASSERT_NE(controller()->modelById(8), nullptr);
    EXPECT_EQ(controller()->modelById(8)->className(), "QNModelObject");
    EXPECT_EQ(controller()->modelById(8)->displayName(), "Untitled");
    EXPECT_EQ(controller()->firstModelOfClass("QNModelObject"), controller()->modelById(8));
    EXPECT_TRUE(controller()->modelsOfClass("QNModelObjectAsset").empty());
}

TEST_F(ModelLoaderTest, ProgressStaysInItsPhaseBandAndEndsAt100ThenLoadingStartsOver) {
    writeData("QNModelGeneralSettings.0.attributes.xml", model("QNModelGeneralSettings", 1));
    writeData("QNModelSprite.0.attributes.xml", model("QNModelSprite", 2));
    writeData("QNModelSprite.0.connections.xml", links(2, ""));

    std::vector<int> progress;
    int phaseOneCalls = 0;
    bool done = false;
    bool sawConnections = false;
    while (!done && progress.size() < 1000) {
        const std::size_t logBefore = log.size();
        done = controller()->loadNextFile(dataFolder());
        progress.push_back(controller()->loadingProgress());
        sawConnections = sawConnections || log.find("load data(1)", logBefore) != std::string::npos;
        if (sawConnections) ++phaseOneCalls;
    }
    ASSERT_TRUE(done);
    // 68 classes, each visited once per phase, plus one call per file read.
    EXPECT_EQ(progress.size(), 2u * controller()->classNames().size() + 3u);
    EXPECT_EQ(controller()->classNames().size(), 68u);
    EXPECT_EQ(progress.back(), 100);
    for (std::size_t i = 0; i + 1 < progress.size(); ++i) {
        EXPECT_GE(progress[i], 0);
        EXPECT_LE(progress[i], 100);
        if (i > 0) {
            EXPECT_LE(progress[i - 1], progress[i]);
        }
    }
    // Phase 0 takes the first half of the calls and reports at most 50.
    EXPECT_LE(progress[controller()->classNames().size()], 50);
    EXPECT_GE(progress[progress.size() - 2], 50);
    EXPECT_GT(phaseOneCalls, 0);
    EXPECT_EQ(controller()->modelCount(), 2u);

    // Once finished, the next call cleans every model and starts again with the general settings.
    QNModel* oldSprite = controller()->modelById(2);
    oldSprite->retain();
    EXPECT_FALSE(controller()->loadNextFile(dataFolder()));
    EXPECT_TRUE(logHas("[QNModelController] -- Cleaning"));
    EXPECT_EQ(oldSprite->retainCount(), 1u) << "the controller released its reference";
    oldSprite->release();
    EXPECT_EQ(controller()->loadingProgress(), 0);
    EXPECT_EQ(controller()->modelCount(), 1u);
    EXPECT_NE(controller()->firstModelOfClass("QNModelGeneralSettings"), nullptr);
    EXPECT_EQ(controller()->modelById(2), nullptr);
}

TEST_F(ModelLoaderTest, CorruptFileIsLoggedEndsItsClassAndLoadingCompletes) {
    project.write("data/QNModelSprite.0.attributes.xml", "<plist><dict><key>ROOT</key><array><dict>");
    writeData("QNModelSprite.1.attributes.xml", model("QNModelSprite", 31));
    writeData("QNModelSound.0.attributes.xml", model("QNModelSound", 32));
    project.write("data/QNModelSound.0.connections.xml", "not xml at all");

    loadAll();

    EXPECT_TRUE(logHas("[QNModelController] load data - fail"));
    EXPECT_EQ(controller()->lastError(), "Unable to load data");
    EXPECT_EQ(controller()->modelById(31), nullptr) << "an unreadable file ends its class";
    EXPECT_NE(controller()->modelById(32), nullptr);
    EXPECT_EQ(controller()->loadingProgress(), 100);

    EXPECT_EQ(controller()->loadData(project.file("data/missing.xml"), false), 1);
    EXPECT_EQ(controller()->loadData(project.file("data/QNModelSound.0.connections.xml"), true), 2);
    EXPECT_EQ(controller()->loadData(project.file("data/QNModelSound.0.attributes.xml"), false), 0);
    controller()->clean();
    EXPECT_EQ(controller()->lastError(), "");
}

TEST_F(ModelLoaderTest, ConnectionsResolveAfterEveryModelExists) {
    // The settings' icon names a container of a class visited later in phase 0; components are
    // listed by id, and a model of the wrong class is refused.
    writeData("QNModelGeneralSettings.0.attributes.xml", model("QNModelGeneralSettings", 1));
    writeData("QNModelGeneralSettings.0.connections.xml", links(1, attr("Icon", kv("value", "40"))));
    writeData("QNModelSpriteContainer.0.attributes.xml", model("QNModelSpriteContainer", 40));
    writeData("QNModelSound.0.attributes.xml", model("QNModelSound", 41));
    writeData("QNModelComponentHealth.0.attributes.xml",
              model("QNModelComponentHealth", 42) + model("QNModelComponentDamage", 43));
    writeData("QNModelObject.0.attributes.xml", model("QNModelObject", 44));
    writeData("QNModelObject.0.connections.xml",
              links(44,
                    "<key>components</key><array><string>43</string><string>41</string><string>999</string>"
                    "<string>42</string></array>") +
                  links(12345, attr("Icon", kv("value", "40"))));

    loadAll();

    auto* settings =
        dynamic_cast<QNModelGeneralSettings*>(controller()->firstModelOfClass("QNModelGeneralSettings"));
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->iconAttribute()->target(), controller()->modelById(40));
    auto* object = dynamic_cast<QNModelCompound*>(controller()->modelById(44));
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(object->components().size(), 2u);
    EXPECT_EQ(object->components()[0]->id(), 43u);
    EXPECT_EQ(object->components()[1]->id(), 42u);
    EXPECT_TRUE(logHas("is not a component"));
}

TEST_F(ModelLoaderTest, SpriteReferenceToAnotherClassIsLoggedAndLeftEmpty) {
    writeData("QNModelGeneralSettings.0.attributes.xml", model("QNModelGeneralSettings", 1));
    writeData("QNModelGeneralSettings.0.xml", links(1, attr("Icon", kv("value", "41"))));
    writeData("QNModelSound.0.attributes.xml", model("QNModelSound", 41));

    loadAll();

    auto* settings = dynamic_cast<QNModelGeneralSettings*>(controller()->modelById(1));
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->iconAttribute()->target(), nullptr);
    EXPECT_TRUE(logHas("[QNPAttributeSprite] - object type id mismatch"));
}
