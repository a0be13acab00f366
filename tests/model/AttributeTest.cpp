// Reading and writing the value attributes: defaults, absent keys, bad text, variables, curves.

#include <climits>
#include <cstdlib>
#include <functional>

#include "ModelTestSupport.h"
#include "model/QNDataText.h"
#include "model/QNModel.h"
#include "model/QNPAttributeBoolean.h"
#include "model/QNPAttributeColor.h"
#include "model/QNPAttributeEnum.h"
#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributeGroup.h"
#include "model/QNPAttributeKey.h"
#include "model/QNPAttributePoint.h"
#include "model/QNPAttributeReference.h"
#include "model/QNPAttributeShape.h"
#include "model/QNPAttributeString.h"

using namespace cocos2d;
using namespace modeltest;

namespace {

/// Text stored under `key` in an attribute's written dictionary, or "<absent>".
std::string written(QNPAttribute* attribute, const char* key) {
    CCDictionary* dict = attribute->attributesDictionary();
    auto* text = dynamic_cast<CCString*>(dict->objectForKey(key));
    return text ? text->getString() : "<absent>";
}

struct ReadCase {
    const char* what;
    int type;
    std::function<void(QNPAttribute*)> prepare; // constructor-style set-up
    std::string stored;                         // the attribute's dictionary body
    std::function<void(QNPAttribute*)> check;
};

} // namespace

class AttributeTest : public ModelTest {
protected:
    QNModel* owner() {
        if (!m_owner) m_owner = controller()->createModel("QNModelFont");
        return m_owner;
    }
    QNModel* m_owner = nullptr;
};

TEST_F(AttributeTest, ReadsEachKindWithDefaultsAbsentKeysAndBadText) {
    auto asFloat = [](QNPAttribute* a) { return static_cast<QNPAttributeFloat*>(a); };
    auto asPoint = [](QNPAttribute* a) { return static_cast<QNPAttributePoint*>(a); };
    const ReadCase cases[] = {
        {"float without value keeps its default", QNPAttribute::kTypeFloat,
         [&](QNPAttribute* a) { asFloat(a)->setDefault(3.0f); }, "",
         [&](QNPAttribute* a) {
             EXPECT_FLOAT_EQ(asFloat(a)->value(), 3.0f);
             EXPECT_EQ(written(a, "value"), "<absent>");
         }},
        {"float from file is stored without clamping", QNPAttribute::kTypeFloat,
         [&](QNPAttribute* a) {
             asFloat(a)->setMinimum(0.0f);
             asFloat(a)->setMaximum(1.0f);
         },
         kv("value", "7.5") + kv("variableValue", "0.25"),
         [&](QNPAttribute* a) {
             EXPECT_FLOAT_EQ(asFloat(a)->value(), 7.5f);
             EXPECT_FLOAT_EQ(asFloat(a)->variable(), 0.25f);
             EXPECT_EQ(written(a, "value"), "7.500000");
             EXPECT_EQ(written(a, "variableValue"), "0.250000");
         }},
        {"float with bad text reads 0; isEmpty absent reads false", QNPAttribute::kTypeFloat,
         [&](QNPAttribute* a) {
             asFloat(a)->setDefault(2.0f);
             asFloat(a)->setEmpty(true);
         },
         kv("value", "abc") + kv("useDefault", "0") + kv("useDefaultVarible", "false"),
         [&](QNPAttribute* a) {
             EXPECT_FLOAT_EQ(asFloat(a)->value(), 0.0f);
             EXPECT_FALSE(asFloat(a)->isEmpty());
             EXPECT_FALSE(asFloat(a)->useDefault());
             EXPECT_FALSE(asFloat(a)->useDefaultVariable());
             EXPECT_EQ(written(a, "useDefault"), "0");
             EXPECT_EQ(written(a, "isEmpty"), "<absent>");
         }},
        {"point is read and always written", QNPAttribute::kTypePoint, nullptr,
         kv("value", "{1.5, -2}") + kv("isXEmpty", "1"),
         [&](QNPAttribute* a) {
             EXPECT_EQ(asPoint(a)->value(), CCPoint(1.5f, -2.0f));
             EXPECT_TRUE(asPoint(a)->isXEmpty());
             EXPECT_FALSE(asPoint(a)->isYEmpty());
             EXPECT_EQ(written(a, "value"), "{1.500,-2.000}");
             EXPECT_EQ(written(a, "variableValue"), "<absent>");
         }},
        {"point with bad text reads (0, 0); absent value keeps the default", QNPAttribute::kTypePoint,
         [&](QNPAttribute* a) { asPoint(a)->setDefault(CCPoint(4, 5)); }, kv("variableValue", "{oops}"),
         [&](QNPAttribute* a) {
             EXPECT_EQ(asPoint(a)->value(), CCPoint(4, 5));
             EXPECT_EQ(asPoint(a)->variable(), CCPoint(0, 0));
             EXPECT_EQ(written(a, "value"), "{4.000,5.000}");
         }},
        {"boolean: any text but 0 and false is true", QNPAttribute::kTypeBoolean, nullptr,
         kv("value", "yes please"),
         [&](QNPAttribute* a) {
             EXPECT_TRUE(static_cast<QNPAttributeBoolean*>(a)->value());
             EXPECT_EQ(written(a, "value"), "1");
         }},
        {"boolean false text", QNPAttribute::kTypeBoolean,
         [&](QNPAttribute* a) { static_cast<QNPAttributeBoolean*>(a)->setDefault(true); },
         kv("value", "false"),
         [&](QNPAttribute* a) { EXPECT_FALSE(static_cast<QNPAttributeBoolean*>(a)->value()); }},
        {"string without value reads empty", QNPAttribute::kTypeString,
         [&](QNPAttribute* a) { static_cast<QNPAttributeString*>(a)->setDefault("preset"); }, "",
         [&](QNPAttribute* a) {
             EXPECT_EQ(static_cast<QNPAttributeString*>(a)->value(), "");
             EXPECT_EQ(written(a, "value"), "");
         }},
        {"enum without selection reads empty", QNPAttribute::kTypeEnum,
         [&](QNPAttribute* a) { static_cast<QNPAttributeEnum*>(a)->setDefault("kFirst"); }, "",
         [&](QNPAttribute* a) { EXPECT_EQ(static_cast<QNPAttributeEnum*>(a)->selectedValue(), ""); }},
        {"enum selection", QNPAttribute::kTypeEnum, nullptr, kv("selectedStringValue", "kEnemyObjectType"),
         [&](QNPAttribute* a) {
             EXPECT_TRUE(static_cast<QNPAttributeEnum*>(a)->isSelected("kEnemyObjectType"));
             EXPECT_EQ(written(a, "selectedStringValue"), "kEnemyObjectType");
         }},
        {"key without value reads 0, not its default", QNPAttribute::kTypeKey,
         [&](QNPAttribute* a) { static_cast<QNPAttributeKey*>(a)->setDefault(74); }, "",
         [&](QNPAttribute* a) {
             EXPECT_EQ(static_cast<QNPAttributeKey*>(a)->keyCode(), 0);
             EXPECT_EQ(written(a, "value"), "0");
         }},
        {"colour without alpha reads alpha 0", QNPAttribute::kTypeColor, nullptr,
         kv("r", "1") + kv("g", "0.5") + kv("b", "junk"),
         [&](QNPAttribute* a) {
             const QNColor& c = static_cast<QNPAttributeColor*>(a)->color();
             EXPECT_FLOAT_EQ(c.r, 1.0f);
             EXPECT_FLOAT_EQ(c.g, 0.5f);
             EXPECT_FLOAT_EQ(c.b, 0.0f);
             EXPECT_FLOAT_EQ(c.a, 0.0f);
             EXPECT_EQ(written(a, "a"), "0.000000");
         }},
        {"gradient stops are ordered, equal positions replaced, junk skipped", QNPAttribute::kTypeGradient,
         nullptr,
         "<key>gradients</key><array><dict>" + kv("pos", "0.75") + kv("r", "1") +
             "</dict><string>x</string><dict>" + kv("pos", "0.25") + kv("g", "1") + "</dict><dict>" +
             kv("pos", "0.75") + kv("b", "1") + "</dict></array>",
         [&](QNPAttribute* a) {
             const auto& stops = static_cast<QNPAttributeGradient*>(a)->stops();
             ASSERT_EQ(stops.size(), 2u);
             EXPECT_FLOAT_EQ(stops.begin()->first, 0.25f);
             EXPECT_FLOAT_EQ(stops.begin()->second.g, 1.0f);
             EXPECT_FLOAT_EQ(stops.rbegin()->second.b, 1.0f);
             EXPECT_FLOAT_EQ(stops.rbegin()->second.r, 0.0f);
             auto* array = dynamic_cast<CCArray*>(a->attributesDictionary()->objectForKey("gradients"));
             ASSERT_NE(array, nullptr);
             EXPECT_EQ(qn::textFor(static_cast<CCDictionary*>(array->objectAtIndex(0)), "pos"), "0.250000");
         }},
        {"hidden attribute reads visible 0 and writes it back", QNPAttribute::kTypePath, nullptr,
         kv("visible", "0"),
         [&](QNPAttribute* a) {
             EXPECT_FALSE(a->isVisible());
             EXPECT_EQ(written(a, "visible"), "0");
         }},
        {"a visible path stores nothing", QNPAttribute::kTypePath, [&](QNPAttribute* a) { a->hide(); }, "",
         [&](QNPAttribute* a) {
             EXPECT_TRUE(a->isVisible());
             EXPECT_EQ(a->attributesDictionary()->count(), 0u);
         }},
        {"a non-persistent attribute writes nothing even when hidden", QNPAttribute::kTypeKey,
         [&](QNPAttribute* a) { a->setPersistent(false); }, kv("visible", "false"),
         [&](QNPAttribute* a) {
             EXPECT_EQ(a->attributesDictionary()->count(), 0u);
             EXPECT_EQ(a->connectionsDictionary(), nullptr);
         }},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        QNPAttribute* attribute = owner()->addAttribute(c.what, c.type);
        ASSERT_NE(attribute, nullptr);
        if (c.prepare) c.prepare(attribute);
        attribute->loadAttributes(dict(c.stored));
        c.check(attribute);
    }
}

TEST_F(AttributeTest, TypeCodesWithoutClassMakeNoAttribute) {
    EXPECT_EQ(owner()->addAttribute("three", 3), nullptr);
    EXPECT_EQ(owner()->addAttribute("four", 4), nullptr);
    EXPECT_EQ(owner()->addAttribute("nineteen", 19), nullptr);
    EXPECT_EQ(owner()->attributeCount(), 1);
    for (int type : {0, 1, 2, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}) {
        QNPAttribute* attribute = owner()->addAttribute("t" + std::to_string(type), type);
        ASSERT_NE(attribute, nullptr) << type;
        EXPECT_EQ(attribute->type(), type);
        EXPECT_EQ(attribute->owner(), owner());
    }
}

TEST_F(AttributeTest, FloatSettersClampAndTheRandomSpreadStaysWithinTheVariable) {
    auto* number = static_cast<QNPAttributeFloat*>(owner()->addAttribute("Speed", QNPAttribute::kTypeFloat));
    number->setMinimum(0.0f);
    number->setMaximum(1.0f);
    number->set(-2.0f);
    EXPECT_FLOAT_EQ(number->value(), 0.0f);
    number->set(5.0f);
    EXPECT_FLOAT_EQ(number->value(), 1.0f);
    number->setDefault(9.0f);
    EXPECT_FLOAT_EQ(number->defaultValue(), 1.0f);

    number->setMaximum(100.0f);
    number->set(10.0f);
    number->setDefaultVariable(2.0f);
    std::srand(7);
    float low = 1e9f, high = -1e9f;
    for (int i = 0; i < 20000; ++i) {
        const float v = number->randomValue();
        low = std::min(low, v);
        high = std::max(high, v);
    }
    EXPECT_GE(low, 8.0f);
    EXPECT_LE(high, 12.0f);
    EXPECT_LT(low, 8.2f) << "the draw covers the whole spread";
    EXPECT_GT(high, 11.8f);

    auto* point = static_cast<QNPAttributePoint*>(owner()->addAttribute("Offset", QNPAttribute::kTypePoint));
    point->set(CCPoint(1, 1));
    point->setVariable(CCPoint(0, 3));
    for (int i = 0; i < 1000; ++i) {
        const CCPoint p = point->randomValue();
        EXPECT_FLOAT_EQ(p.x, 1.0f);
        EXPECT_LE(std::abs(p.y - 1.0f), 3.0f);
    }
}

TEST_F(AttributeTest, AnimatedAttributesKeepOneCurvePerTrackAndRoundTrip) {
    auto* opacity =
        static_cast<QNPAttributeFloat*>(owner()->addAttribute("Opacity", QNPAttribute::kTypeFloat));
    opacity->addKey(1, 0.0f, 0.0f);
    opacity->addKey(1, 1.0f, 10.0f);
    EXPECT_FLOAT_EQ(opacity->valueAt(0.5f, 1), 5.0f);
    EXPECT_FLOAT_EQ(opacity->valueAt(0.5f, 0), 0.0f) << "a track without a curve gives 0";
    EXPECT_EQ(opacity->keyframes(1).size(), 2u);
    EXPECT_TRUE(opacity->curves(2).empty());

    auto* position =
        static_cast<QNPAttributePoint*>(owner()->addAttribute("Position", QNPAttribute::kTypePoint));
    position->addKey(0, 2.0f, 4.0f, 0.0f);
    position->addKey(0, 4.0f, 8.0f, 2.0f);
    ASSERT_EQ(position->curves(0).size(), 2u);

    // Written and read back into fresh attributes of another model.
    QNModel* other = controller()->createModel("QNModelFont");
    auto* opacity2 =
        static_cast<QNPAttributeFloat*>(other->addAttribute("Opacity", QNPAttribute::kTypeFloat));
    auto* position2 =
        static_cast<QNPAttributePoint*>(other->addAttribute("Position", QNPAttribute::kTypePoint));
    opacity2->addKey(5, 0.0f, 99.0f); // replaced by what is read
    opacity2->loadAttributes(opacity->attributesDictionary());
    position2->loadAttributes(position->attributesDictionary());
    EXPECT_FLOAT_EQ(opacity2->valueAt(0.5f, 1), 5.0f);
    EXPECT_TRUE(opacity2->curves(5).empty());
    EXPECT_EQ(position2->valueAt(1.0f, 0), CCPoint(3.0f, 6.0f));

    // Copies are deep; an empty curve map on the other side leaves this one as it is.
    opacity2->copyFrom(opacity);
    opacity->addKey(1, 0.5f, 100.0f);
    EXPECT_FLOAT_EQ(opacity2->valueAt(0.5f, 1), 5.0f);
    auto* plain = static_cast<QNPAttributeFloat*>(other->addAttribute("Plain", QNPAttribute::kTypeFloat));
    opacity2->copyFrom(plain);
    EXPECT_FLOAT_EQ(opacity2->valueAt(0.5f, 1), 5.0f);

    // Tracks stored with a missing state read as track 0.
    auto* scale = static_cast<QNPAttributeBoolean*>(other->addAttribute("Shown", QNPAttribute::kTypeBoolean));
    scale->loadAttributes(
        dict("<key>animations</key><array><dict><key>animation</key><dict><key>points</key><array>"
             "<string>{0,1}</string><string>{1,1}</string></array></dict></dict></array>"));
    EXPECT_FLOAT_EQ(scale->valueAt(3.0f, 0), 1.0f);
}

TEST_F(AttributeTest, CopyFromSkipsMissingOrMismatchedCounterparts) {
    QNModel* a = controller()->createModel("QNModelFont");
    QNModel* b = controller()->createModel("QNModelFont");
    a->setDisplayName("source");
    auto* number = static_cast<QNPAttributeFloat*>(a->addAttribute("N", QNPAttribute::kTypeFloat));
    number->set(4.0f);
    a->addAttribute("K", QNPAttribute::kTypeKey);
    auto* numberB = static_cast<QNPAttributeFloat*>(b->addAttribute("N", QNPAttribute::kTypeFloat));
    auto* stringB = static_cast<QNPAttributeString*>(b->addAttribute("S", QNPAttribute::kTypeString));
    b->addAttribute("extra", QNPAttribute::kTypeColor);
    stringB->set("kept");

    b->copyFrom(a);
    EXPECT_EQ(b->displayName(), "source");
    EXPECT_FLOAT_EQ(numberB->value(), 4.0f);
    EXPECT_EQ(stringB->value(), "kept");
    EXPECT_EQ(b->attributeAt(2)->type(), QNPAttribute::kTypeString);
}

TEST_F(AttributeTest, ShapeAttributeBuildsItsOwnUnregisteredShape) {
    auto* shape = static_cast<QNPAttributeShape*>(owner()->addAttribute("Shape", QNPAttribute::kTypeShape));
    shape->loadAttributes(dict(kv("shapeType", "2") + kv("id", "77") + attr("Name", kv("value", "round"))));
    ASSERT_NE(shape->shape(), nullptr);
    EXPECT_EQ(shape->shape()->className(), "QNModelCircle");
    EXPECT_EQ(shape->shape()->displayName(), "round") << "the shape reads the same dictionary";
    EXPECT_EQ(shape->shape()->id(), 77u);
    EXPECT_EQ(controller()->modelById(77), nullptr);
    CCDictionary* stored = shape->attributesDictionary();
    EXPECT_EQ(qn::textFor(stored, "shapeType"), "2");
    EXPECT_EQ(qn::textFor(stored, "className"), "QNModelCircle");

    // Copies take a duplicate that is never registered; copying from no shape leaves none.
    auto* copy = static_cast<QNPAttributeShape*>(owner()->addAttribute("Copy", QNPAttribute::kTypeShape));
    const std::size_t before = controller()->modelCount();
    copy->copyFrom(shape);
    ASSERT_NE(copy->shape(), nullptr);
    EXPECT_NE(copy->shape(), shape->shape());
    EXPECT_EQ(copy->shapeType(), 2);
    EXPECT_EQ(controller()->modelCount(), before);
    EXPECT_EQ(controller()->modelById(copy->shape()->id()), nullptr);
    auto* empty = static_cast<QNPAttributeShape*>(owner()->addAttribute("Empty", QNPAttribute::kTypeShape));
    copy->copyFrom(empty);
    EXPECT_EQ(copy->shape(), nullptr);
    EXPECT_EQ(copy->shapeType(), 0);

    shape->loadAttributes(dict(kv("shapeType", "5")));
    EXPECT_EQ(shape->shape(), nullptr);
}

TEST_F(AttributeTest, ReferenceAttributesAcceptOnlyTheClassTheyExpect) {
    QNModel* sound = controller()->createModel("QNModelSound");
    QNModel* font = controller()->createModel("QNModelFont");
    QNModel* animation = controller()->createModel("QNModelAnimation");
    auto* soundRef =
        static_cast<QNPAttributeSound*>(owner()->addAttribute("Sound", QNPAttribute::kTypeSound));
    auto* animRef =
        static_cast<QNPAttributeAnimation*>(owner()->addAttribute("Anim", QNPAttribute::kTypeAnimation));
    auto* assetRef =
        static_cast<QNPAttributeAsset*>(owner()->addAttribute("Asset", QNPAttribute::kTypeAsset));

    soundRef->loadConnections(dict(kv("value", std::to_string(font->id()))));
    EXPECT_EQ(soundRef->target(), nullptr);
    EXPECT_TRUE(logHas("[QNPAttributeSound] - object type id mismatch"));
    soundRef->loadConnections(dict(kv("value", std::to_string(sound->id()))));
    EXPECT_EQ(soundRef->target(), sound);
    EXPECT_EQ(qn::textFor(soundRef->connectionsDictionary(), "value"), std::to_string(sound->id()));

    animRef->loadConnections(dict(kv("value", std::to_string(sound->id()))));
    EXPECT_EQ(animRef->target(), nullptr);
    animRef->loadConnections(dict(kv("value", std::to_string(animation->id()))));
    EXPECT_EQ(animRef->target(), animation);

    assetRef->loadConnections(dict(kv("value", std::to_string(font->id()))));
    EXPECT_EQ(assetRef->target(), font);
    assetRef->loadConnections(dict(kv("value", "424242")));
    EXPECT_EQ(assetRef->target(), nullptr);
}

TEST(DataTextTest, RandomUnitStaysInRangeWhateverRandMax) {
    std::srand(3);
    double low = 2, high = -2;
    for (int i = 0; i < 100000; ++i) {
        const double u = qn::randomUnit();
        low = std::min(low, u);
        high = std::max(high, u);
    }
    EXPECT_GE(low, -1.0);
    EXPECT_LE(high, 1.0);
    EXPECT_LT(low, -0.99);
    EXPECT_GT(high, 0.99);
}
