// Sprite, sprite-container, atlas and animation models read from real data files, their frame
// lookups against the sprite-frame cache, standalone textures and the atlas repacking.

#include "../model/ModelTestSupport.h"

#include <filesystem>
#include <map>
#include <unistd.h>

#include "framework/CCActionInterval.h"
#include "framework/CCActionManager.h"
#include "framework/CCAnimation.h"
#include "framework/CCSprite.h"
#include "framework/CCSpriteFrame.h"
#include "framework/CCSpriteFrameCache.h"
#include "framework/CCTexture2D.h"
#include "framework/CCTextureCache.h"
#include "model/QNDataText.h"
#include "model/QNPAttributeFloat.h"
#include "presentation/QNAnimationChildren.h"
#include "presentation/QNFrameAnimation.h"
#include "presentation/QNModelAnimation.h"
#include "presentation/QNModelAtlas.h"
#include "presentation/QNModelSprite.h"
#include "presentation/QNModelSpriteContainer.h"

using namespace cocos2d;
using namespace modeltest;

namespace {

std::string array(const std::string& key, std::initializer_list<const char*> ids) {
    std::string s = "<key>" + key + "</key><array>";
    for (const char* id : ids) s += std::string("<string>") + id + "</string>";
    return s + "</array>";
}

std::string sprite(unsigned id, const char* size) {
    return model("QNModelSprite", id,
                 kv("pos", "{4,8}") + kv("offset", "{1.5,-2}") + kv("size", size) +
                     kv("sourceSize", "{40,30}") + kv("sourceRect", "{{1,2},{3,4}}"));
}

// Puts frames "QNModelSprite_ID<id>" into the sprite-frame cache, one pixel column each of a tiny
// texture, so tests can tell the frames apart by their rectangle's x.
void cacheFrames(std::initializer_list<unsigned> ids) {
    static CCTexture2D* texture = [] {
        auto* t = new CCTexture2D();
        std::vector<unsigned char> pixels(16 * 4 * 4, 255);
        t->initWithData(pixels.data(), 16, 4, false);
        return t;
    }();
    float x = 0;
    for (unsigned id : ids) {
        CCSpriteFrame* frame = CCSpriteFrame::createWithTexture(texture, CCRect(x++, 0, 1, 4));
        CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFrame(
            frame, ("QNModelSprite_ID" + std::to_string(id)).c_str());
    }
}

} // namespace

class SpriteModelsTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        CCSpriteFrameCache::sharedSpriteFrameCache()->removeSpriteFrames();
    }
    template <typename T> T* get(unsigned id) { return dynamic_cast<T*>(controller()->modelById(id)); }
    void loadSprites() {
        writeData("QNModelSprite.0.attributes.xml",
                  sprite(101, "{10,11}") + sprite(102, "{20,21}") + sprite(103, "{30,31}"));
        writeData(
            "QNModelSpriteContainer.0.attributes.xml",
            model("QNModelSpriteContainer", 200, kv("animationSpeed", "0")) +
                model("QNModelSpriteContainer", 201, kv("duration", "0.5") + kv("animationSpeed", "2")) +
                model("QNModelSpriteContainer", 202));
        writeData("QNModelSpriteContainer.0.connections.xml",
                  links(200, array("sprites", {"101", "999", "102", "200", "103"})) +
                      links(201, array("sprites", {"103", "102"})));
        loadAll();
    }
};

TEST_F(SpriteModelsTest, ContainersReadSpeedDurationAndResolvableSprites) {
    loadSprites();
    auto* c200 = get<QNModelSpriteContainer>(200);
    auto* c201 = get<QNModelSpriteContainer>(201);
    auto* c202 = get<QNModelSpriteContainer>(202);
    ASSERT_TRUE(c200 && c201 && c202);

    // A zero speed plays at 1; no duration becomes count / 30 once the sprites are connected.
    EXPECT_FLOAT_EQ(c200->animationSpeed(), 1.0f);
    EXPECT_FLOAT_EQ(c200->duration(), 3.0f / 30.0f);
    EXPECT_FLOAT_EQ(c201->animationSpeed(), 2.0f);
    EXPECT_FLOAT_EQ(c201->duration(), 0.5f);
    EXPECT_FLOAT_EQ(c202->animationSpeed(), 1.0f);
    EXPECT_FLOAT_EQ(c202->duration(), 0.0f);
    // The dangling id and the container's own id are skipped.
    ASSERT_EQ(c200->sprites().size(), 3u);
    EXPECT_EQ(c200->sprites()[0]->id(), 101u);
    EXPECT_EQ(c200->sprites()[2]->id(), 103u);

    auto* s103 = get<QNModelSprite>(103);
    EXPECT_EQ(s103->container(), c200) << "the first container of the class list that holds it";
    EXPECT_EQ(s103->pos(), CCPoint(4, 8));
    EXPECT_EQ(s103->offset(), CCPoint(1.5f, -2));
    EXPECT_EQ(s103->size(), CCSize(30, 31));
    EXPECT_EQ(s103->sourceRect().origin, CCPoint(1, 2));
    EXPECT_EQ(s103->sourceRect().size, CCSize(3, 4));

    // Saved forms.
    CCDictionary* saved = c200->attributesDictionary();
    EXPECT_EQ(qn::textFor(saved, "duration"), "0.100000");
    EXPECT_EQ(qn::textFor(saved, "animationSpeed"), "1.000000");
    auto* ids = dynamic_cast<CCArray*>(c200->connectionsDictionary()->objectForKey("sprites"));
    ASSERT_NE(ids, nullptr);
    ASSERT_EQ(ids->count(), 3u);
    EXPECT_STREQ(static_cast<CCString*>(ids->objectAtIndex(1))->getCString(), "102");
    CCDictionary* spriteSaved = s103->attributesDictionary();
    EXPECT_EQ(qn::textFor(spriteSaved, "sourceRect"), "{{1.00,2.00},{3.00,4.00}}");
    EXPECT_EQ(qn::textFor(spriteSaved, "offset"), "{1.50,-2.00}");
    EXPECT_EQ(qn::textFor(spriteSaved, "size"), "{30.00,31.00}");
}

TEST_F(SpriteModelsTest, FrameLookupsWrapClampAndSurviveEmptyContainers) {
    loadSprites();
    cacheFrames({101, 102, 103});
    auto* c = get<QNModelSpriteContainer>(200);
    auto frameX = [&](int index) {
        CCSpriteFrame* f = c->frameAt(index);
        return f ? (int)f->getRect().origin.x : -1;
    };
    struct Case {
        int index, frame;
    } cases[] = {{-3, 0}, {0, 0}, {2, 2}, {3, 0}, {4, 1}, {3000001, 1}};
    for (const Case& k : cases) EXPECT_EQ(frameX(k.index), k.frame) << "frameAt(" << k.index << ")";

    // The frame shown at a time: floor(time × 30) modulo the count, time = speed × t.
    auto* fast = get<QNModelSpriteContainer>(201); // speed 2: sprites 103, 102
    struct TimeCase {
        float t;
        float width;
    } times[] = {{0, 30}, {1.0f / 60, 20}, {2.0f / 60, 30}, {-0.5f / 60, 20}, {-1.5f / 60, 30}, {1e30f, 30}};
    for (const TimeCase& k : times) {
        fast->setTimeScaled(k.t);
        EXPECT_EQ(fast->frameSize().width, k.width) << "t = " << k.t;
        EXPECT_EQ(fast->frameSourceSize(), CCSize(40, 30));
    }

    auto* empty = get<QNModelSpriteContainer>(202);
    EXPECT_EQ(empty->frameAt(0), nullptr);
    EXPECT_EQ(empty->frameAt(5), nullptr);
    EXPECT_EQ(empty->frameSize(), CCSizeZero);
    EXPECT_EQ(empty->frameSourceSize(), CCSizeZero);
}

TEST_F(SpriteModelsTest, AnimatedSpriteNeedsSpritesAndFrames) {
    loadSprites();
    auto* empty = get<QNModelSpriteContainer>(202);
    EXPECT_EQ(empty->animatedSprite(1, true), nullptr);
    EXPECT_TRUE(logHas("null sprite or sprites count"));
    EXPECT_EQ(get<QNModelSpriteContainer>(200)->animatedSprite(1, true), nullptr) << "no frames cached";
    EXPECT_TRUE(logHas("null sprite model"));

    cacheFrames({101, 102, 103});
    auto* still = new QNModelSpriteContainer();
    still->addSprite(get<QNModelSprite>(102));
    CCSprite* node = still->animatedSprite(1, true);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->getAnchorPoint(), CCPoint(0.5f, 0.5f));
    EXPECT_EQ(node->getActionByTag(QNModelSpriteContainer::kFrameActionTag), nullptr) << "a still picture";
    EXPECT_EQ(node->retainCount() - node->autoreleaseCount(), 1u) << "one reference belongs to the caller";
    node->release();
    still->release();
}

TEST_F(SpriteModelsTest, FrameAnimationsRunAtThirtyFramesScaledByBothSpeeds) {
    std::string sprites;
    static const char* names[] = {"301", "302", "303", "304", "305", "306",
                                  "307", "308", "309", "310", "311", "312"};
    for (unsigned i = 0; i < 12; ++i) sprites += sprite(301 + i, "{8,8}");
    writeData("QNModelSprite.0.attributes.xml", sprites);
    writeData("QNModelSpriteContainer.0.attributes.xml",
              model("QNModelSpriteContainer", 400, kv("animationSpeed", "2")));
    std::string list = "<key>sprites</key><array>";
    for (const char* n : names) list += std::string("<string>") + n + "</string>";
    writeData("QNModelSpriteContainer.0.connections.xml", links(400, list + "</array>"));
    loadAll();
    cacheFrames({301, 302, 303, 304, 305, 306, 307, 308, 309, 310, 311, 312});
    auto* c = get<QNModelSpriteContainer>(400);
    ASSERT_EQ(c->sprites().size(), 12u);

    struct Case {
        float speed;
        bool loop;
        float frameSeconds;
    } cases[] = {{1, true, 1.0f / 60}, {1, false, 1.0f / 60}, {0.5f, true, 1.0f / 30}};
    for (const Case& k : cases) {
        CCSprite* node = c->animatedSprite(k.speed, k.loop);
        ASSERT_NE(node, nullptr);
        CCAction* action = node->getActionByTag(QNModelSpriteContainer::kFrameActionTag);
        ASSERT_NE(action, nullptr);
        auto* forever = dynamic_cast<CCRepeatForever*>(action);
        EXPECT_EQ(forever != nullptr, k.loop);
        auto* animate = dynamic_cast<CCAnimate*>(forever ? forever->getInnerAction() : action);
        ASSERT_NE(animate, nullptr);
        EXPECT_EQ(animate->getAnimation()->getFrames()->count(), 12u);
        EXPECT_NEAR(animate->getAnimation()->getDelayPerUnit(), k.frameSeconds, 1e-7);
        node->stopAllActions();
        node->release();
    }
    // A zero speed would never leave the first frame: the node shows it without an action.
    CCSprite* frozen = c->animatedSprite(0, true);
    ASSERT_NE(frozen, nullptr);
    EXPECT_EQ(frozen->getActionByTag(QNModelSpriteContainer::kFrameActionTag), nullptr);
    frozen->release();
}

TEST_F(SpriteModelsTest, FrameAnimationControlsRestartPauseStopAndShowFrames) {
    loadSprites();
    cacheFrames({101, 102, 103});
    auto* c = get<QNModelSpriteContainer>(200);
    CCSprite* node = c->animatedSprite(1, true);
    ASSERT_NE(node, nullptr);
    CCActionManager* actions = node->getActionManager();
    auto elapsed = [&] {
        auto* a =
            dynamic_cast<CCRepeatForever*>(node->getActionByTag(QNModelSpriteContainer::kFrameActionTag));
        return a ? a->getInnerAction()->getElapsed() : -1.0f;
    };
    CCAction* remembered = node->getActionByTag(QNModelSpriteContainer::kFrameActionTag);
    remembered->retain();

    qn::resumeFrameAnimation(node);
    actions->update(0.05f);
    EXPECT_NEAR(elapsed(), 0.05f, 1e-6);
    qn::pauseFrameAnimation(node);
    actions->update(0.05f);
    EXPECT_NEAR(elapsed(), 0.05f, 1e-6) << "paused";
    qn::resumeFrameAnimation(node);
    qn::restartFrameAnimation(node, nullptr);
    EXPECT_EQ(elapsed(), 0.0f) << "from its start";
    qn::stopFrameAnimation(node);
    EXPECT_EQ(node->numberOfRunningActions(), 0u);
    qn::restartFrameAnimation(node, remembered);
    EXPECT_EQ(node->getActionByTag(QNModelSpriteContainer::kFrameActionTag), remembered)
        << "the widget's own action";

    qn::showContainerFrame(node, c, 4);
    EXPECT_TRUE(node->isFrameDisplayed(c->frameAt(1)));
    qn::showContainerFrame(node, get<QNModelSpriteContainer>(202), 0); // no frames: unchanged
    EXPECT_TRUE(node->isFrameDisplayed(c->frameAt(1)));

    node->stopAllActions();
    remembered->release();
    node->release();
}

TEST_F(SpriteModelsTest, CopyingAndRemovingContainersTakeTheirSprites) {
    loadSprites();
    auto* original = get<QNModelSpriteContainer>(201);
    original->setStandalone(true);
    original->brightness()->set(0.25f);
    auto* copy = dynamic_cast<QNModelSpriteContainer*>(original->duplicate());
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->sprites().size(), 2u);
    EXPECT_NE(copy->sprites()[0], original->sprites()[0]) << "sprites are copied, not shared";
    EXPECT_EQ(copy->sprites()[0]->size(), original->sprites()[0]->size());
    EXPECT_TRUE(copy->isStandalone());
    EXPECT_TRUE(copy->sprites()[1]->isStandalone());
    EXPECT_FLOAT_EQ(copy->duration(), 2.0f / 30.0f);
    EXPECT_FLOAT_EQ(copy->brightness()->value(), 0.25f);

    const unsigned copied = copy->sprites()[0]->id();
    copy->remove();
    EXPECT_EQ(controller()->modelById(copy->id()), nullptr);
    EXPECT_EQ(controller()->modelById(copied), nullptr) << "removing a container removes its sprites";
    EXPECT_NE(controller()->modelById(103), nullptr);
}

TEST_F(SpriteModelsTest, StandaloneTexturesPreferEffectsThenImages) {
    loadSprites();
    auto* c = get<QNModelSpriteContainer>(201); // first sprite 103
    const std::string png = std::string(QN_TEST_DATA_DIR) + "/render/atlas.png";
    ASSERT_TRUE(std::filesystem::exists(png));
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(project.path().c_str()), 0);

    EXPECT_EQ(c->standaloneTexture(), nullptr) << "not standalone";
    c->setStandalone(true);
    EXPECT_EQ(c->standaloneTexture(), nullptr) << "no file";
    std::filesystem::create_directories("data/images");
    std::filesystem::copy_file(png, "data/images/QNModelSprite_ID103.png");
    CCTexture2D* fromImages = c->standaloneTexture();
    EXPECT_NE(fromImages, nullptr);
    std::filesystem::create_directories("data/effects");
    std::filesystem::copy_file(png, "data/effects/QNModelSprite_ID103.png");
    CCTexture2D* fromEffects = c->standaloneTexture();
    EXPECT_NE(fromEffects, nullptr);
    EXPECT_EQ(c->standaloneTexture(), fromEffects) << "cached";
    c->sprites()[0]->setReloadPending(true);
    EXPECT_NE(c->standaloneTexture(), nullptr);
    EXPECT_FALSE(c->sprites()[0]->isReloadPending());

    CCTextureCache::sharedTextureCache()->removeAllTextures();
    ASSERT_EQ(chdir(cwd), 0);
}

TEST_F(SpriteModelsTest, AtlasRepacksTallestFirstAndDropsRemovedSprites) {
    writeData("QNModelSprite.0.attributes.xml", sprite(1, "{50,40}") + sprite(2, "{50,60}") +
                                                    sprite(3, "{100,20}") + sprite(4, "{30,30}") +
                                                    sprite(5, "{200,10}"));
    writeData("QNModelAtlas.0.attributes.xml",
              model("QNModelAtlas", 50,
                    attr("width", kv("value", "128")) + attr("height", kv("value", "128")) +
                        attr("padding", kv("value", "2"))));
    writeData("QNModelAtlas.0.connections.xml", links(50, array("sprites", {"1", "2", "3", "4", "5"})));
    loadAll();
    auto* atlas = get<QNModelAtlas>(50);
    ASSERT_NE(atlas, nullptr);
    ASSERT_EQ(atlas->sprites().size(), 5u);
    EXPECT_EQ(atlas->plistPath(), "data/atlases/atlas_ID50.plist");

    // Deleting sprite 4 takes it out of the atlas, which repacks the rest: 2 (tallest) at the
    // origin, 1 beside it, 3 below; 5 does not fit the 128-wide atlas and stays at (0, 0).
    get<QNModelSprite>(4)->remove();
    ASSERT_EQ(atlas->sprites().size(), 4u);
    EXPECT_FALSE(atlas->containsSprite(get<QNModelSprite>(4)));
    EXPECT_EQ(get<QNModelSprite>(2)->pos(), CCPoint(0, 0));
    EXPECT_EQ(get<QNModelSprite>(1)->pos(), CCPoint(52, 0));
    EXPECT_EQ(get<QNModelSprite>(3)->pos(), CCPoint(0, 62));
    EXPECT_EQ(get<QNModelSprite>(5)->pos(), CCPoint(0, 0));
}

namespace {
// Depths for the animation model's sorting, keyed by model id.
struct DepthTable : QNPAnimationChildFactory {
    std::map<unsigned, int> depth;
    int depthOf(const QNModel* m) const override {
        auto it = depth.find(m->id());
        return it == depth.end() ? 0 : it->second;
    }
};
} // namespace

TEST_F(SpriteModelsTest, AnimationModelsLoopByDefaultKeepSpeedAndSortChildrenByDepth) {
    DepthTable depths;
    depths.depth = {{11, 5}, {12, -1}, {13, 5}, {14, 0}};
    QNPAnimationChildFactory::setShared(&depths);
    writeData("QNModelSprite.0.attributes.xml",
              sprite(11, "{1,1}") + sprite(12, "{1,1}") + sprite(13, "{1,1}") + sprite(14, "{1,1}"));
    writeData("QNModelAnimation.0.attributes.xml",
              model("QNModelAnimation", 30, kv("duration", "2") + kv("animationSpeed", "0")) +
                  model("QNModelAnimation", 31, kv("looped", "0") + kv("animationSpeed", "1.5")) +
                  model("QNModelAnimation", 32, kv("looped", "")));
    writeData("QNModelAnimation.0.connections.xml",
              links(30, array("children", {"11", "12", "77", "30", "31", "13", "14"})) +
                  links(31, array("children", {"30"})));
    loadAll();
    auto* a30 = get<QNModelAnimation>(30);
    auto* a31 = get<QNModelAnimation>(31);
    ASSERT_TRUE(a30 && a31);
    EXPECT_TRUE(a30->isLooped());
    EXPECT_FALSE(a31->isLooped());
    EXPECT_TRUE(get<QNModelAnimation>(32)->isLooped()) << "an empty flag counts as absent";
    EXPECT_FLOAT_EQ(a30->animationSpeed(), 0.0f) << "no correction of a zero speed";
    EXPECT_FLOAT_EQ(a30->duration(), 2.0f);

    std::vector<unsigned> order;
    for (QNModel* child : a30->children()) order.push_back(child->id());
    EXPECT_EQ(order, (std::vector<unsigned>{12, 14, 11, 13}))
        << "by depth, stable; unknown ids, itself and other animations skipped";
    EXPECT_TRUE(a31->children().empty());
    a30->update(0.1f); // no endless recursion through animations listing each other

    CCDictionary* saved = a31->attributesDictionary();
    EXPECT_EQ(qn::textFor(saved, "looped"), "0");
    EXPECT_EQ(qn::textFor(saved, "animationSpeed"), "1.500000");

    auto* copy = dynamic_cast<QNModelAnimation*>(a30->duplicate());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->children().size(), 4u);
    EXPECT_NE(copy->children()[0], a30->children()[0]);
    EXPECT_FLOAT_EQ(copy->duration(), 2.0f);
    copy->clear();
    EXPECT_TRUE(copy->children().empty());
    QNPAnimationChildFactory::setShared(nullptr);
}
