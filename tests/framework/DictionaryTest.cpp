#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CCAutoreleasePool.h"
#include "framework/CCDictionary.h"
#include "framework/CCNumber.h"

using namespace cocos2d;

namespace {

std::vector<std::string> keysInOrder(CCDictionary* dict) {
    std::vector<std::string> keys;
    CCDictElement* element = nullptr;
    CCDICT_FOREACH(dict, element) keys.push_back(element->getStrKey());
    return keys;
}

struct Tracked : CCObject {
    int* deaths;
    explicit Tracked(int* d) : deaths(d) {}
    ~Tracked() override { ++*deaths; }
};

class Dictionary : public ::testing::Test {
protected:
    void TearDown() override { CCPoolManager::sharedPoolManager()->finalize(); }
};

} // namespace

TEST_F(Dictionary, KeepsInsertionOrderThroughReplaceRemoveAndReinsert) {
    CCDictionary* dict = CCDictionary::create();
    for (const char* key : {"c", "a", "b", "d"}) dict->setObject(CCString::create(key), key);
    dict->setObject(CCString::create("A"), "a"); // replacing keeps the place
    dict->removeObjectForKey("b");
    dict->removeObjectForKey("missing");
    dict->setObject(CCString::create("b2"), "b"); // a removed key comes back at the end
    EXPECT_EQ(keysInOrder(dict), (std::vector<std::string>{"c", "a", "d", "b"}));
    EXPECT_EQ(dict->count(), 4u);
    EXPECT_STREQ(dict->valueForKey("a")->getCString(), "A");

    CCArray* keys = dict->allKeys();
    ASSERT_EQ(keys->count(), 4u);
    EXPECT_STREQ(static_cast<CCString*>(keys->objectAtIndex(3))->getCString(), "b");

    // Many removals compact the order without disturbing it.
    for (int i = 0; i < 200; ++i) dict->setObject(CCInteger::create(i), "k" + std::to_string(i));
    for (int i = 0; i < 200; ++i) {
        if (i % 4 != 3) dict->removeObjectForKey("k" + std::to_string(i));
    }
    dict->setObject(CCString::create("last"), "z");
    std::vector<std::string> order = keysInOrder(dict);
    ASSERT_EQ(order.size(), 4u + 50u + 1u);
    EXPECT_EQ(order[4], "k3");
    EXPECT_EQ(order[53], "k199");
    EXPECT_EQ(order.back(), "z");
}

TEST_F(Dictionary, ValueForKeyNeverReturnsNull) {
    CCDictionary* dict = CCDictionary::create();
    dict->setObject(CCDictionary::create(), "nested");
    dict->setObject(CCInteger::create(-12), "number");
    dict->setObject(CCBool::create(true), "flag");
    for (const char* key : {"absent", "nested", ""}) {
        const CCString* value = dict->valueForKey(key);
        ASSERT_NE(value, nullptr) << key;
        EXPECT_STREQ(value->getCString(), "") << key;
        EXPECT_EQ(value->intValue(), 0);
    }
    EXPECT_EQ(dict->valueForKey("number")->intValue(), -12);
    EXPECT_TRUE(dict->valueForKey("flag")->boolValue());
    EXPECT_EQ(dict->objectForKey("absent"), nullptr);
    dict->setObject(nullptr, "null"); // ignored
    EXPECT_EQ(dict->count(), 3u);
}

TEST_F(Dictionary, RemovingTheCurrentElementWhileIteratingIsSafe) {
    int deaths = 0;
    CCDictionary* dict = CCDictionary::create();
    for (int i = 0; i < 6; ++i) {
        Tracked* t = new Tracked(&deaths);
        dict->setObject(t, "k" + std::to_string(i));
        t->release();
    }
    std::vector<std::string> seen;
    CCDictElement* element = nullptr;
    CCDICT_FOREACH(dict, element) {
        seen.push_back(element->getStrKey());
        if (seen.size() % 2 == 1) dict->removeObjectForKey(element->getKey());
    }
    EXPECT_EQ(seen.size(), 6u);
    EXPECT_EQ(deaths, 3);
    EXPECT_EQ(keysInOrder(dict), (std::vector<std::string>{"k1", "k3", "k5"}));
    dict->removeAllObjects();
    EXPECT_EQ(deaths, 6);
}

TEST_F(Dictionary, IntegerKeysAndShallowCopy) {
    CCDictionary* byId = CCDictionary::create();
    byId->setObject(CCString::create("seven"), (intptr_t)7);
    byId->setObject(CCString::create("minus"), (intptr_t)-1);
    byId->setObject(CCString::create("mixed"), "text"); // a string key in an integer dictionary: ignored
    EXPECT_EQ(byId->count(), 2u);
    EXPECT_STREQ(byId->valueForKey((intptr_t)7)->getCString(), "seven");
    EXPECT_EQ(byId->objectForKey((intptr_t)8), nullptr);

    CCDictionary* copy = CCDictionary::createWithDictionary(byId);
    byId->removeObjectForKey((intptr_t)7);
    EXPECT_STREQ(copy->valueForKey((intptr_t)7)->getCString(), "seven");
    EXPECT_EQ(copy->count(), 2u);
    EXPECT_EQ(CCDictionary::createWithDictionary(nullptr)->count(), 0u);
}
