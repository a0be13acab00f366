#include <gtest/gtest.h>

#include "framework/CCAffineTransform.h"
#include "framework/CCAutoreleasePool.h"

using namespace cocos2d;

TEST(Geometry, NormalizingZeroVectorGivesZeroNotNaN) {
    CCPoint n = ccpNormalize(CCPointZero);
    EXPECT_EQ(n.x, 0.0f);
    EXPECT_EQ(n.y, 0.0f);
}

TEST(Geometry, SegmentsAndParallelLines) {
    EXPECT_TRUE(ccpSegmentIntersect(ccp(0, 0), ccp(2, 2), ccp(0, 2), ccp(2, 0)));
    EXPECT_FALSE(ccpSegmentIntersect(ccp(0, 0), ccp(1, 1), ccp(3, 0), ccp(4, -1)));
    float s = 0, t = 0;
    EXPECT_FALSE(ccpLineIntersect(ccp(0, 0), ccp(1, 0), ccp(0, 1), ccp(1, 1), &s, &t));
    CCPoint p = ccpIntersectPoint(ccp(0, 0), ccp(2, 2), ccp(0, 2), ccp(2, 0));
    EXPECT_FLOAT_EQ(p.x, 1.0f);
    EXPECT_FLOAT_EQ(p.y, 1.0f);
}

TEST(Geometry, TransformConcatAndInverseRoundTrip) {
    CCAffineTransform t = CCAffineTransformTranslate(CCAffineTransformIdentity, 10, -4);
    t = CCAffineTransformRotate(t, 0.7f);
    t = CCAffineTransformScale(t, 2.0f, 0.5f);
    CCAffineTransform inv = CCAffineTransformInvert(t);
    CCPoint p(3.5f, -7.25f);
    CCPoint back = CCPointApplyAffineTransform(CCPointApplyAffineTransform(p, t), inv);
    EXPECT_NEAR(back.x, p.x, 1e-4);
    EXPECT_NEAR(back.y, p.y, 1e-4);
    CCAffineTransform id = CCAffineTransformConcat(t, inv);
    EXPECT_NEAR(id.a, 1.0f, 1e-5);
    EXPECT_NEAR(id.tx, 0.0f, 1e-4);
}

TEST(AutoreleasePool, DrainReleasesOnceAndNestedPoolsDrainFirst) {
    struct Counted : CCObject {
        int* deaths;
        explicit Counted(int* d) : deaths(d) {}
        ~Counted() override { ++*deaths; }
    };
    int deaths = 0;
    CCPoolManager* pools = CCPoolManager::sharedPoolManager();
    Counted* kept = new Counted(&deaths);
    kept->autorelease();
    kept->retain();
    pools->push();
    (new Counted(&deaths))->autorelease();
    pools->pop();
    EXPECT_EQ(deaths, 1);
    pools->finalize();
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(kept->retainCount(), 1u);
    kept->release();
    EXPECT_EQ(deaths, 2);
}
