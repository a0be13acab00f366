// The keyframe curve: evaluation, key insertion and its handles, copies, loading and saving.

#include <gtest/gtest.h>

#include "framework/CCArray.h"
#include "framework/CCAutoreleasePool.h"
#include "framework/CCDictionary.h"
#include "framework/CCPlist.h"
#include "presentation/QNAnimationCurve.h"

using namespace cocos2d;

namespace {
QNAnimationCurve twoKeys(int mode) {
    QNAnimationCurve curve;
    curve.setMode(mode);
    curve.addKey(0.0f, 0.0f);
    curve.addKey(10.0f, 1.0f);
    return curve;
}
} // namespace

TEST(KeyframeCurveTest, EvaluatesSegmentsAndHoldsTheEndValuesOutside) {
    QNAnimationCurve empty;
    EXPECT_FLOAT_EQ(empty.valueAt(3.0f), 0.0f);
    QNAnimationCurve single;
    single.addKey(7.0f, 2.0f);
    EXPECT_FLOAT_EQ(single.valueAt(-5.0f), 7.0f);

    const struct {
        int mode;
        float t;
        float expected;
    } cases[] = {
        {QNAnimationCurve::kBezier, 0.5f, 5.0f},
        {QNAnimationCurve::kBezier, -1.0f, 0.0f},
        {QNAnimationCurve::kBezier, 0.0f, 0.0f},
        {QNAnimationCurve::kBezier, 1.0f, 10.0f},
        {QNAnimationCurve::kBezier, 9.0f, 10.0f},
        {QNAnimationCurve::kLinear, 0.25f, 2.5f},
        {7, 0.5f, 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " t " << c.t);
        EXPECT_FLOAT_EQ(twoKeys(c.mode).valueAt(c.t), c.expected);
    }
}

TEST(KeyframeCurveTest, InnerKeysGetHandlesWhoseMeanIsTheirValueAndEqualTimesReplace) {
    QNAnimationCurve curve = twoKeys(QNAnimationCurve::kBezier);
    curve.addKey(20.0f, 0.5f);
    ASSERT_EQ(curve.keys().size(), 3u);
    const QNAnimationCurve::Key& middle = curve.keys()[1];
    EXPECT_FLOAT_EQ(middle.time, 0.5f);
    EXPECT_FLOAT_EQ((middle.inHandle + middle.outHandle) / 2.0f, 20.0f);
    EXPECT_FLOAT_EQ(curve.keys()[0].outHandle, 0.0f) << "end keys keep their handles";
    EXPECT_FLOAT_EQ(curve.keys()[2].inHandle, 10.0f);

    curve.addKey(4.0f, 1.0f);
    ASSERT_EQ(curve.keys().size(), 3u);
    EXPECT_FLOAT_EQ(curve.keys()[2].value, 4.0f);
    EXPECT_FLOAT_EQ(curve.keys()[2].inHandle, 4.0f);
    EXPECT_FLOAT_EQ(curve.keys()[0].value, 0.0f);

    curve.addKey(1.0f, -1.0f); // before the first
    EXPECT_FLOAT_EQ(curve.keys()[0].time, -1.0f);
    EXPECT_EQ(curve.keyFrames(), (std::vector<int>{-30, 0, 15, 30}));
}

TEST(KeyframeCurveTest, SavesAndLoadsItsKeysAndCopiesRecomputeHandles) {
    QNAnimationCurve curve = twoKeys(QNAnimationCurve::kBezier);
    curve.appendKey({1.0f, 2.0f, 3.0f, 4.0f});
    curve.setPreset(6);
    CCDictionary* saved = curve.save();
    auto* points = dynamic_cast<CCArray*>(saved->objectForKey("points"));
    ASSERT_NE(points, nullptr);
    ASSERT_EQ(points->count(), 6u);
    EXPECT_EQ(static_cast<CCString*>(points->objectAtIndex(4))->getString(), "{2.000,3.000}");
    EXPECT_EQ(static_cast<CCString*>(points->objectAtIndex(5))->getString(), "{1.000,4.000}");

    // Through the property-list writer and reader, with an odd trailing element.
    std::string text;
    ASSERT_TRUE(CCPlist::write(saved, &text));
    CCObject* root = CCPlist::parse(text.data(), text.size());
    auto* readBack = dynamic_cast<CCDictionary*>(root);
    ASSERT_NE(readBack, nullptr);
    static_cast<CCArray*>(readBack->objectForKey("points"))->addObject(CCString::create("{9,9}"));
    QNAnimationCurve loaded;
    loaded.load(readBack);
    root->release();
    ASSERT_EQ(loaded.keys().size(), 3u);
    EXPECT_EQ(loaded.preset(), 6);
    EXPECT_FLOAT_EQ(loaded.keys()[2].inHandle, 1.0f);
    EXPECT_FLOAT_EQ(loaded.keys()[2].outHandle, 4.0f);

    QNAnimationCurve copied = loaded.copy();
    EXPECT_EQ(copied.preset(), 4);
    EXPECT_FLOAT_EQ(copied.keys()[2].inHandle, 3.0f) << "copies add keys afresh";
    loaded.load(nullptr);
    CCPoolManager::sharedPoolManager()->finalize();
}

TEST(KeyframeCurveTest, KeysLoadedOutOfOrderStillEvaluateWithoutDividingByZero) {
    QNAnimationCurve curve;
    curve.setMode(QNAnimationCurve::kLinear);
    curve.appendKey({0, 1.0f, 10.0f, 0});
    curve.appendKey({0, 1.0f, 20.0f, 0});
    curve.appendKey({0, 0.0f, 0.0f, 0});
    curve.appendKey({0, 2.0f, 30.0f, 0});
    for (float t : {-1.0f, 0.0f, 0.5f, 1.0f, 1.5f, 2.0f, 3.0f}) {
        const float v = curve.valueAt(t);
        EXPECT_TRUE(std::isfinite(v)) << t;
    }
}
