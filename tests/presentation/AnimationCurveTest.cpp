// Keyframe curves: evaluation in both modes and outside the keys, the handles addKey computes,
// frame numbers, copies, and the saved form.

#include "../model/ModelTestSupport.h"

#include "framework/CCArray.h"
#include "presentation/QNAnimationCurve.h"

using namespace cocos2d;

namespace {

QNAnimationCurve curveOf(std::initializer_list<std::pair<float, float>> keys,
                         int mode = QNAnimationCurve::kBezier) {
    QNAnimationCurve curve;
    curve.setMode(mode);
    for (auto [t, v] : keys) curve.addKey(v, t);
    return curve;
}

} // namespace

TEST(AnimationCurve, ValuesInsideAndOutsideTheKeys) {
    struct Case {
        const char* what;
        QNAnimationCurve curve;
        float t;
        float value;
    } cases[] = {
        {"no key", QNAnimationCurve(), 3, 0},
        {"one key, before", curveOf({{1, 7}}), 0, 7},
        {"one key, after", curveOf({{1, 7}}), 5, 7},
        {"bezier middle: end handles equal their values", curveOf({{0, 0}, {1, 10}}), 0.5f, 5},
        {"bezier quarter", curveOf({{0, 0}, {1, 10}}), 0.25f, 1.5625f},
        {"before the first key", curveOf({{1, 4}, {2, 8}}), 0, 4},
        {"on the last key", curveOf({{0, 0}, {1, 10}}), 1, 10},
        {"after the last key", curveOf({{0, 0}, {1, 10}}), 9, 10},
        {"linear", curveOf({{0, 0}, {2, 10}}, QNAnimationCurve::kLinear), 0.5f, 2.5f},
        {"unknown mode", curveOf({{0, 0}, {1, 10}}, 3), 0.5f, 0},
        {"unknown mode outside the keys", curveOf({{0, 2}, {1, 10}}, 3), -1, 2},
    };
    for (const Case& c : cases) EXPECT_NEAR(c.curve.valueAt(c.t), c.value, 1e-5) << c.what;
}

TEST(AnimationCurve, AddingKeysSetsInnerHandlesAroundTheValue) {
    QNAnimationCurve curve = curveOf({{0, 0}, {1, 10}, {0.5f, 20}});
    ASSERT_EQ(curve.keys().size(), 3u);
    const auto& keys = curve.keys();
    EXPECT_EQ(keys[1].time, 0.5f) << "inserted in time order";
    // in = (0 + 20) / 2, out = (10 + 20) / 2, both shifted by ((20 - 15) + (20 - 10)) / 2.
    EXPECT_FLOAT_EQ(keys[1].inHandle, 17.5f);
    EXPECT_FLOAT_EQ(keys[1].outHandle, 22.5f);
    EXPECT_FLOAT_EQ((keys[1].inHandle + keys[1].outHandle) / 2, 20.0f);
    for (std::size_t end : {std::size_t{0}, std::size_t{2}}) {
        EXPECT_EQ(keys[end].inHandle, keys[end].value);
        EXPECT_EQ(keys[end].outHandle, keys[end].value);
    }

    // A key at an existing time replaces that key only: its handles are not recomputed.
    const QNAnimationCurve::Key before = keys[2];
    curve.addKey(30, 0.5f);
    ASSERT_EQ(curve.keys().size(), 3u);
    EXPECT_EQ(curve.keys()[1].value, 30.0f);
    EXPECT_EQ(curve.keys()[1].inHandle, 30.0f);
    EXPECT_EQ(curve.keys()[1].outHandle, 30.0f);
    EXPECT_EQ(curve.keys()[2].value, before.value);
    EXPECT_EQ(curve.keys()[0].value, 0.0f);
}

TEST(AnimationCurve, FramesCopiesAndSavedForm) {
    QNAnimationCurve curve;
    curve.setPreset(7);
    curve.setMode(QNAnimationCurve::kLinear);
    // Keys as loaded, with handles the editor chose.
    for (auto k : {QNAnimationCurve::Key{1, 0, 0, 2}, QNAnimationCurve::Key{3, 0.5f, 20, 40},
                   QNAnimationCurve::Key{9, 1.01f, 10, 9}})
        curve.appendKey(k);
    EXPECT_EQ(curve.keyFrames(), (std::vector<int>{0, 15, 30}));

    QNAnimationCurve copy = curve.copy();
    EXPECT_EQ(copy.mode(), QNAnimationCurve::kBezier);
    EXPECT_EQ(copy.preset(), 4);
    ASSERT_EQ(copy.keys().size(), 3u);
    EXPECT_EQ(copy.keys()[0].inHandle, 0.0f) << "handles recomputed";
    EXPECT_FLOAT_EQ((copy.keys()[1].inHandle + copy.keys()[1].outHandle) / 2, 20.0f);

    CCPoolManager::sharedPoolManager()->push();
    CCDictionary* saved = curve.save();
    auto* points = dynamic_cast<CCArray*>(saved->objectForKey("points"));
    ASSERT_NE(points, nullptr);
    ASSERT_EQ(points->count(), 6u);
    EXPECT_STREQ(static_cast<CCString*>(points->objectAtIndex(2))->getCString(), "{0.500,20.000}");
    EXPECT_STREQ(static_cast<CCString*>(points->objectAtIndex(3))->getCString(), "{3.000,40.000}");

    // Reading it back, plus a dangling odd element, gives the same keys and preset.
    points->addObject(CCString::create("{5,5}"));
    QNAnimationCurve loaded;
    loaded.load(saved);
    EXPECT_EQ(loaded.preset(), 7);
    ASSERT_EQ(loaded.keys().size(), 3u);
    EXPECT_FLOAT_EQ(loaded.keys()[1].inHandle, 3.0f);
    EXPECT_FLOAT_EQ(loaded.keys()[1].outHandle, 40.0f);
    EXPECT_FLOAT_EQ(loaded.keys()[2].time, 1.01f);
    loaded.load(nullptr);
    EXPECT_EQ(loaded.keys().size(), 3u);
    CCPoolManager::sharedPoolManager()->pop();
}
