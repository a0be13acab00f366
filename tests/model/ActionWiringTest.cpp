// Action wiring between models: links on both sides, reading connections by attribute name and by
// index, removal, copies and the start-link refresh.

#include "ModelTestSupport.h"
#include "model/QNDataText.h"
#include "model/QNModel.h"
#include "model/QNPAttributeAction.h"

using namespace cocos2d;
using namespace modeltest;

namespace {

/// A node-like model: attribute 1 "Load" (output), 2 "Open" (input), 3 "Close" (input), 4 "Tag"
/// (a string, not an action).
class WiredModel : public QNModel {
public:
    WiredModel() : QNModel("QNNodeUI") {
        addAttribute("Load", QNPAttribute::kTypeAction, 0, nullptr, QNPAttributeAction::kRoleOutput);
        addAttribute("Open", QNPAttribute::kTypeAction, 0, nullptr, QNPAttributeAction::kRoleInput);
        addAttribute("Close", QNPAttribute::kTypeAction, 0, nullptr, QNPAttributeAction::kRoleInput);
        addAttribute("Tag", QNPAttribute::kTypeString);
    }
    QNPAttributeAction* action(int index) const {
        return static_cast<QNPAttributeAction*>(attributeAt(index));
    }
    QNPAttributeAction* load() const { return action(1); }
    QNPAttributeAction* open() const { return action(2); }
    QNPAttributeAction* close() const { return action(3); }

protected:
    QNModel* createEmptyCopy() const override { return new WiredModel(); }
};

} // namespace

class ActionWiringTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        controller()->registerClass("QNNodeUI", []() -> QNModel* { return new WiredModel(); });
    }
    WiredModel* make() { return static_cast<WiredModel*>(controller()->createModel("QNNodeUI")); }
};

TEST_F(ActionWiringTest, ConnectInEitherOrderGivesTheSameLinksAndRefusesWrongPairs) {
    WiredModel* a = make();
    WiredModel* b = make();
    QNPAttributeAction::connect(b->open(), a->load());
    EXPECT_EQ(a->load()->target(), b->open());
    ASSERT_EQ(b->open()->links().size(), 1u);
    EXPECT_EQ(b->open()->links()[0], a->load());
    QNPAttributeAction::connect(a->load(), b->open()); // already in place
    EXPECT_EQ(b->open()->links().size(), 1u);

    WiredModel* c = make();
    QNPAttributeAction::connect(a->open(), c->open()); // input to input
    QNPAttributeAction::connect(c->load(), a->load()); // output to output
    EXPECT_TRUE(a->open()->links().empty());
    EXPECT_EQ(c->load()->target(), nullptr);
    c->close()->setLinkable(false);
    QNPAttributeAction::connect(c->load(), c->close());
    EXPECT_EQ(c->load()->target(), nullptr);

    // An input takes many outputs; re-pointing an output leaves its old input.
    QNPAttributeAction::connect(c->load(), b->open());
    EXPECT_EQ(b->open()->links().size(), 2u);
    QNPAttributeAction::connect(a->load(), b->close());
    EXPECT_EQ(a->load()->target(), b->close());
    ASSERT_EQ(b->open()->links().size(), 1u);
    EXPECT_EQ(b->open()->links()[0], c->load());
    EXPECT_TRUE(QNPAttributeAction::isLinkedTo(b->close(), a->load()));

    // Dropping every link of an input clears both sides.
    QNPAttributeAction::disconnectAll(b->open());
    EXPECT_TRUE(b->open()->links().empty());
    EXPECT_EQ(c->load()->target(), nullptr);
}

TEST_F(ActionWiringTest, RemovingAModelDisconnectsItsActionsOnBothSides) {
    WiredModel* hub = make();
    WiredModel* left = make();
    WiredModel* right = make();
    QNPAttributeAction::connect(left->load(), hub->open());
    QNPAttributeAction::connect(right->load(), hub->open());
    QNPAttributeAction::connect(hub->load(), right->close());

    hub->remove();
    EXPECT_EQ(controller()->modelById(hub->id()), nullptr);
    EXPECT_EQ(left->load()->target(), nullptr);
    EXPECT_EQ(right->load()->target(), nullptr);
    EXPECT_TRUE(right->close()->links().empty());
    EXPECT_TRUE(hub->open()->links().empty());
}

TEST_F(ActionWiringTest, ConnectionsAreReadByNameOrByIndexOfAnInput) {
    WiredModel* source = make();
    WiredModel* target = make();
    const std::string targetId = std::to_string(target->id());
    struct Case {
        const char* what;
        std::string stored;
        QNPAttributeAction* expected;
    } cases[] = {
        {"by name", kv("connectedModelId", targetId) + kv("attributeName", "Close"), target->close()},
        {"by index", kv("connectedModelId", targetId) + kv("connectedAttrIndex", "2"), target->open()},
        {"name of no action", kv("connectedModelId", targetId) + kv("attributeName", "Tag"), nullptr},
        {"index of an output", kv("connectedModelId", targetId) + kv("connectedAttrIndex", "1"), nullptr},
        {"index of a string", kv("connectedModelId", targetId) + kv("connectedAttrIndex", "4"), nullptr},
        {"index below 1", kv("connectedModelId", targetId) + kv("connectedAttrIndex", "0"), nullptr},
        {"index past the end", kv("connectedModelId", targetId) + kv("connectedAttrIndex", "99"), nullptr},
        {"missing model", kv("connectedModelId", "987654") + kv("attributeName", "Open"), nullptr},
        {"model id below 1", kv("connectedModelId", "-3") + kv("attributeName", "Open"), nullptr},
        {"nothing", "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QNPAttributeAction::disconnectAll(source->load());
        source->load()->loadConnections(dict(c.stored));
        EXPECT_EQ(source->load()->target(), c.expected);
    }
    // Inputs never read connections.
    target->open()->loadConnections(
        dict(kv("connectedModelId", std::to_string(source->id())) + kv("attributeName", "Load")));
    EXPECT_TRUE(target->open()->links().empty());
}

TEST_F(ActionWiringTest, WiringIsWrittenAndReadBackThroughDataFiles) {
    WiredModel* a = make();
    WiredModel* b = make();
    QNPAttributeAction::connect(a->load(), b->close());
    CCDictionary* stored = a->connectionsDictionary();
    auto* load = dynamic_cast<CCDictionary*>(stored->objectForKey("Load"));
    ASSERT_NE(load, nullptr);
    EXPECT_EQ(qn::textFor(load, "connectedModelId"), std::to_string(b->id()));
    EXPECT_EQ(qn::textFor(load, "attributeName"), "Close");
    EXPECT_EQ(qn::textFor(load, "isAction"), "true");
    EXPECT_EQ(stored->objectForKey("Open"), nullptr) << "inputs write nothing";

    controller()->clean();
    writeData("QNNodeUI.0.attributes.xml", model("QNNodeUI", 5) + model("QNNodeUI", 6));
    writeData("QNNodeUI.0.connections.xml",
              links(5, attr("Load", kv("connectedModelId", "6") + kv("attributeName", "Close") +
                                        kv("isAction", "true"))));
    loadAll();
    auto* five = static_cast<WiredModel*>(controller()->modelById(5));
    auto* six = static_cast<WiredModel*>(controller()->modelById(6));
    ASSERT_NE(five, nullptr);
    ASSERT_NE(six, nullptr);
    EXPECT_EQ(five->load()->target(), six->close());
    EXPECT_TRUE(QNPAttributeAction::isLinkedTo(six->close(), five->load()));
}

TEST_F(ActionWiringTest, DuplicateLinksTheCopyToTheSameInputAndRefreshRunsOnlyWhenEnabled) {
    int relinks = 0;
    controller()->refreshHooks().relinkStartNodes = [&relinks]() { ++relinks; };
    WiredModel* a = make();
    WiredModel* b = make();
    QNPAttributeAction::connect(a->load(), b->open());
    EXPECT_GT(relinks, 0);

    auto* copy = static_cast<WiredModel*>(a->duplicate());
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->id(), a->id());
    EXPECT_EQ(copy->load()->target(), b->open());
    EXPECT_EQ(b->open()->links().size(), 2u);

    controller()->setRefreshEnabled(false, false);
    relinks = 0;
    QNPAttributeAction::disconnectAll(b->open());
    QNPAttributeAction::connect(a->load(), b->close());
    EXPECT_EQ(relinks, 0);
    controller()->setRefreshEnabled(true, true);
    EXPECT_EQ(relinks, 1);
    controller()->refreshHooks() = QNModelRefreshHooks();
}
