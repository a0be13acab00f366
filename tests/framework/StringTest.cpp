#include <gtest/gtest.h>

#include <clocale>
#include <climits>

#include "framework/CCAutoreleasePool.h"
#include "framework/CCString.h"

using namespace cocos2d;

namespace {

struct NumberCase {
    const char* text;
    int i;
    unsigned int u;
    float f;
    bool b;
};

const NumberCase kNumberCases[] = {
    {"42", 42, 42u, 42.0f, true},
    {"  -7  ", -7, 4294967289u, -7.0f, true},
    {"+3", 3, 3u, 3.0f, true},
    {"3.75", 3, 3u, 3.75f, true},
    {"-0.5", 0, 0u, -0.5f, true},
    {".25", 0, 0u, 0.25f, true},
    {"1e3", 1, 1u, 1000.0f, true},
    {"12abc", 12, 12u, 12.0f, true},
    {"0", 0, 0u, 0.0f, false},
    {"0.0", 0, 0u, 0.0f, false},
    {"", 0, 0u, 0.0f, false},
    {"abc", 0, 0u, 0.0f, false},
    {"-", 0, 0u, 0.0f, false},
    {"+-4", 0, 0u, 0.0f, false},
    {"true", 0, 0u, 0.0f, true},
    {"YES", 0, 0u, 0.0f, true},
    {"false", 0, 0u, 0.0f, false},
    {"no", 0, 0u, 0.0f, false},
    {"4294967295", INT_MAX, 4294967295u, 4294967295.0f, true},
    {"99999999999999999999999", INT_MAX, UINT_MAX, 1e23f, true},
    {"-99999999999999999999999", INT_MIN, 2147483648u, -1e23f, true},
    {"1e999", 1, 1u, 0.0f, false}, // out of range: no number, though "1" leads as an integer
    {"1e39", 1, 1u, 0.0f, true},   // fits a double, not a float
    {"inf", 0, 0u, 0.0f, false},
    {"nan", 0, 0u, 0.0f, false},
    {"1,5", 1, 1u, 1.0f, true}, // a comma is never the decimal point
};

} // namespace

TEST(String, NumberAndBoolConversionsAreLenientAndTotal) {
    for (const NumberCase& c : kNumberCases) {
        CCString s(c.text);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(s.intValue(), c.i);
        EXPECT_EQ(s.uintValue(), c.u);
        EXPECT_FLOAT_EQ(s.floatValue(), c.f);
        EXPECT_EQ(s.boolValue(), c.b);
    }
}

TEST(String, FloatParsingIgnoresTheLocale) {
    // A locale whose decimal point is a comma must not change how data files read.
    const char* set = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    if (!set) set = std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    EXPECT_FLOAT_EQ(CCString("2.5").floatValue(), 2.5f);
    EXPECT_DOUBLE_EQ(CCString("-0.125").doubleValue(), -0.125);
    EXPECT_EQ(ccFloatToText(0.1f), "0.1");
    std::setlocale(LC_NUMERIC, "C");
}

TEST(String, GeometryFromText) {
    struct Case {
        const char* text;
        CCRect expect; // points use origin, sizes use size
    };
    const Case points[] = {
        {"{1,2}", CCRect(1, 2, 0, 0)},
        {" { -3.5 , 4e1 } ", CCRect(-3.5f, 40, 0, 0)},
        {"{1,2", CCRect()},
        {"1,2", CCRect()},
        {"{1;2}", CCRect()},
        {"{1,2}x", CCRect()},
        {"{,}", CCRect()},
        {"{a,b}", CCRect()},
        {"{1,2,3}", CCRect()},
        {"{1e99,2}", CCRect()},
        {"", CCRect()},
    };
    for (const Case& c : points) {
        SCOPED_TRACE(c.text);
        CCPoint p = CCPointFromString(c.text);
        EXPECT_EQ(p.x, c.expect.origin.x);
        EXPECT_EQ(p.y, c.expect.origin.y);
        CCSize s = CCSizeFromString(c.text);
        EXPECT_EQ(s.width, c.expect.origin.x);
        EXPECT_EQ(s.height, c.expect.origin.y);
    }
    EXPECT_EQ(CCPointFromString(nullptr).x, 0.0f);

    const Case rects[] = {
        {"{{1,2},{3,4}}", CCRect(1, 2, 3, 4)},
        {" { {0, -2.5} , { 10 ,20 } } ", CCRect(0, -2.5f, 10, 20)},
        {"{{1,2},{3,4}", CCRect()},
        {"{{1,2}{3,4}}", CCRect()},
        {"{1,2,3,4}", CCRect()},
        {"{{1,2},{3}}", CCRect()},
        {"{{1,2},{3,4}}}", CCRect()},
    };
    for (const Case& c : rects) {
        SCOPED_TRACE(c.text);
        CCRect r = CCRectFromString(c.text);
        EXPECT_EQ(r.origin.x, c.expect.origin.x);
        EXPECT_EQ(r.origin.y, c.expect.origin.y);
        EXPECT_EQ(r.size.width, c.expect.size.width);
        EXPECT_EQ(r.size.height, c.expect.size.height);
    }
    EXPECT_EQ(CCRectFromString(nullptr).size.width, 0.0f);
}

TEST(String, FormatCompareAndEquality) {
    CCString* long_ = CCString::createWithFormat("%s-%d-%s", std::string(400, 'x').c_str(), 7, "end");
    EXPECT_EQ(long_->length(), 400u + 3u + 3u); // no truncation at the log line limit
    CCString a("abc");
    CCString b("abd");
    EXPECT_LT(a.compare("abd"), 0);
    EXPECT_EQ(a.compare("abc"), 0);
    EXPECT_GT(a.compare(nullptr), 0);
    EXPECT_TRUE(a.isEqual(CCString::create("abc")));
    EXPECT_FALSE(a.isEqual(&b));
    EXPECT_FALSE(a.isEqual(nullptr));
    CCString* bytes = CCString::createWithData(reinterpret_cast<const unsigned char*>("a\0b"), 3);
    EXPECT_EQ(bytes->length(), 3u);
    CCPoolManager::sharedPoolManager()->finalize();
}

TEST(String, FloatTextRoundTripsExactly) {
    const float floats[] = {0.0f, -0.0f, 0.1f, 1.0f / 3.0f, 123456.789f, 1e-30f, 3.4e38f, -2.5f};
    for (float f : floats) EXPECT_EQ(ccTextToFloat(ccFloatToText(f).c_str()), f) << ccFloatToText(f);
    const double doubles[] = {0.1, 1.0 / 3.0, 1e300, -123.456e-200};
    for (double d : doubles) EXPECT_EQ(ccTextToDouble(ccDoubleToText(d).c_str()), d) << ccDoubleToText(d);
}
