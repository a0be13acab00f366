// The registry: ids, classes, run-time models, removal, components, the particle hook, refreshes
// and cleaning.

#include "ModelTestSupport.h"
#include "model/QNModel.h"
#include "model/QNModelComponent.h"
#include "model/QNModelCompound.h"
#include "model/QNPAttributeParticlesEmitters.h"
#include "model/QNPAttributeReference.h"

using namespace cocos2d;
using namespace modeltest;

namespace {

/// A particle effect with an emitters attribute.
class ParticlesModel : public QNModelCompound {
public:
    ParticlesModel() : QNModelCompound("QNModelObjectAssetParticles") {
        emitters = static_cast<QNPAttributeParticlesEmitters*>(
            addAttribute("Emitters", QNPAttribute::kTypeParticlesEmitters));
    }
    QNPAttributeParticlesEmitters* emitters;

protected:
    QNModel* createEmptyCopy() const override { return new ParticlesModel(); }
};

/// An object with an owned animation.
class AnimatedModel : public QNModelCompound {
public:
    explicit AnimatedModel(const char* className = "QNModelObjectImage") : QNModelCompound(className) {
        animation =
            static_cast<QNPAttributeAnimation*>(addAttribute("Animation", QNPAttribute::kTypeAnimation));
    }
    QNPAttributeAnimation* animation;

protected:
    QNModel* createEmptyCopy() const override { return new AnimatedModel(className().c_str()); }
};

QNModel* plainModel(const char* className, unsigned int id) {
    QNModel* model = new QNModel(className);
    model->setId(id);
    return model;
}

} // namespace

class ModelControllerTest : public ModelTest {};

TEST_F(ModelControllerTest, IdsAreUniqueAndOnlyTheRegisteredModelCanBeRemoved) {
    QNModel* first = plainModel("QNModelFont", 40);
    QNModel* impostor = plainModel("QNModelFont", 40);
    controller()->addModel(first);
    controller()->addModel(impostor); // id taken: the caller keeps it
    EXPECT_EQ(controller()->modelById(40), first);
    EXPECT_EQ(controller()->modelsOfClass("QNModelFont").size(), 1u);

    controller()->removeModel(impostor);
    EXPECT_EQ(controller()->modelById(40), first)
        << "removing a model that merely shares the id does nothing";
    EXPECT_EQ(controller()->indexWithinClass(first), 0);
    impostor->release();

    // Re-keying follows the model; a taken id is refused and the old one kept.
    first->setId(41);
    EXPECT_EQ(controller()->modelById(40), nullptr);
    EXPECT_EQ(controller()->modelById(41), first);
    EXPECT_TRUE(controller()->isModified());
    QNModel* other = plainModel("QNModelFont", 50);
    controller()->addModel(other, 0);
    EXPECT_EQ(controller()->indexWithinClass(other), 0) << "inserted at the index";
    EXPECT_EQ(controller()->firstModelOfClass("QNModelFont"), other);
    first->setId(50);
    EXPECT_EQ(first->id(), 41u);
    EXPECT_EQ(controller()->modelById(50), other);
    EXPECT_TRUE(logHas("id 50 is already in use"));

    first->remove();
    EXPECT_EQ(controller()->modelById(41), nullptr);
    EXPECT_EQ(controller()->indexWithinClass(first), -1);
    controller()->removeModel(nullptr);
    controller()->addModel(nullptr);
}

TEST_F(ModelControllerTest, RunTimeModelsTakeAnIdAboveEveryRegisteredId) {
    writeData("QNModelSound.0.attributes.xml", model("QNModelSound", 1) + model("QNModelSound", 5000));
    loadAll();
    // The counter is low (two models constructed), yet the new id must not collide with 1 or 5000.
    QNModel* created = controller()->createModel("QNModelFont");
    ASSERT_NE(created, nullptr);
    EXPECT_GT(created->id(), 5000u);
    EXPECT_EQ(controller()->modelById(created->id()), created);
    QNModel* copy = controller()->modelById(1)->duplicate();
    ASSERT_NE(copy, nullptr);
    EXPECT_GT(copy->id(), created->id());
    EXPECT_EQ(controller()->modelById(copy->id()), copy);
    EXPECT_EQ(copy->className(), "QNModelSound");
    EXPECT_EQ(controller()->createModel("QNModelNoSuchClass"), nullptr);

    // At the very top of the id range a free id is still found.
    controller()->addModel(plainModel("QNModelFont", 0xFFFFFFFFu));
    QNModel* top = controller()->createModel("QNModelFont");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(controller()->modelById(top->id()), top);
}

TEST_F(ModelControllerTest, ShapesAreNeverRegisteredWhenDuplicated) {
    QNModel* circle = new QNModel("QNModelCircle");
    const std::size_t before = controller()->modelCount();
    QNModel* copy = circle->duplicate();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(controller()->modelCount(), before);
    EXPECT_EQ(controller()->modelById(copy->id()), nullptr);
    EXPECT_EQ(copy->className(), "QNModelCircle");
    circle->release();
}

TEST_F(ModelControllerTest, ComponentsMoveBetweenOwners) {
    auto* a = static_cast<QNModelCompound*>(controller()->createModel("QNModelObject"));
    auto* b = static_cast<QNModelCompound*>(controller()->createModel("QNModelObject"));
    auto* health = static_cast<QNModelComponent*>(controller()->createModel("QNModelComponentHealth"));
    auto* damage = static_cast<QNModelComponent*>(controller()->createModel("QNModelComponentDamage"));
    auto* motor = static_cast<QNModelComponent*>(controller()->createModel("QNModelComponentMotor"));

    a->addComponent(health);
    a->addComponent(health);
    a->insertComponent(damage, 0);
    a->insertComponent(motor, -1);
    ASSERT_EQ(a->components().size(), 3u);
    EXPECT_EQ(a->components()[0], damage);
    EXPECT_EQ(a->components()[1], motor) << "-1 inserts before the last";
    EXPECT_EQ(a->components()[2], health);
    EXPECT_EQ(a->componentOfClass("QNModelComponentMotor"), motor);
    EXPECT_EQ(health->componentOwner(), a);

    b->addComponent(health);
    EXPECT_EQ(health->componentOwner(), b);
    EXPECT_EQ(a->components().size(), 2u);
    damage->setComponentOwner(b);
    EXPECT_EQ(b->components().size(), 2u);
    b->removeComponent(health);
    EXPECT_EQ(health->componentOwner(), nullptr);
    a->addComponent(controller()->createModel("QNModelFont")); // not a component
    EXPECT_EQ(a->components().size(), 1u);

    // Written as ids; copies take duplicates of their own.
    auto* ids = dynamic_cast<CCArray*>(b->connectionsDictionary()->objectForKey("components"));
    ASSERT_NE(ids, nullptr);
    EXPECT_EQ(static_cast<CCString*>(ids->objectAtIndex(0))->uintValue(), damage->id());
    a->copyComponentsFrom(b);
    ASSERT_EQ(a->components().size(), 2u);
    EXPECT_NE(a->components()[1], damage);
    EXPECT_EQ(a->components()[1]->className(), "QNModelComponentDamage");
    EXPECT_EQ(a->components()[1]->componentOwner(), a);
}

TEST_F(ModelControllerTest, ParticleEffectsRegisterAndRemoveTheirEmitters) {
    controller()->registerClass("QNModelObjectAssetParticles",
                                []() -> QNModel* { return new ParticlesModel(); });
    writeData("QNModelObjectAssetParticles.0.attributes.xml", model("QNModelObjectAssetParticles", 10));
    writeData("QNModelObjectAssetParticlesEmitter.0.attributes.xml",
              model("QNModelObjectAssetParticlesEmitter", 11) +
                  model("QNModelObjectAssetParticlesEmitter", 12) + model("QNModelFont", 13));
    writeData("QNModelObjectAssetParticles.0.connections.xml",
              links(10, attr("Emitters", "<key>emitters</key><array><string>11</string><string>13</string>"
                                         "<string>12</string><dict/></array>")));
    loadAll();
    auto* effect = static_cast<ParticlesModel*>(controller()->modelById(10));
    ASSERT_NE(effect, nullptr);
    ASSERT_EQ(effect->emitters->emitters().size(), 2u) << "the font is not an emitter";
    QNModel* emitter = effect->emitters->emitters()[0];

    // Unregistering the effect unregisters its emitters; registering it again brings them back.
    controller()->removeModel(effect);
    EXPECT_EQ(controller()->modelById(11), nullptr);
    controller()->addModel(effect);
    EXPECT_EQ(controller()->modelById(11), emitter);

    auto* copy = static_cast<ParticlesModel*>(effect->duplicate());
    ASSERT_EQ(copy->emitters->emitters().size(), 2u);
    EXPECT_NE(copy->emitters->emitters()[0], emitter);
    EXPECT_EQ(controller()->modelById(copy->emitters->emitters()[0]->id()), copy->emitters->emitters()[0]);

    effect->remove();
    EXPECT_EQ(controller()->modelById(11), nullptr);
    EXPECT_EQ(controller()->modelById(12), nullptr);
    EXPECT_TRUE(effect->emitters->emitters().empty());
    EXPECT_EQ(copy->emitters->emitters().size(), 2u);
    controller()->registerClass("QNModelObjectAssetParticles", []() -> QNModel* {
        return new QNModelCompound("QNModelObjectAssetParticles");
    });
}

TEST_F(ModelControllerTest, CopiedAnimationIsOwnedByTheCopyAndRemovedWithItOnly) {
    auto* original = new AnimatedModel();
    controller()->addRuntimeModel(original);
    QNModel* animation = controller()->createModel("QNModelAnimation");
    original->animation->setTarget(animation);

    auto* copy = static_cast<AnimatedModel*>(original->duplicate());
    QNModel* copiedAnimation = copy->animation->target();
    ASSERT_NE(copiedAnimation, nullptr);
    EXPECT_NE(copiedAnimation, animation);
    EXPECT_EQ(controller()->modelById(copiedAnimation->id()), copiedAnimation);

    copy->remove();
    EXPECT_EQ(controller()->modelById(copiedAnimation->id()), nullptr);
    EXPECT_EQ(controller()->modelById(animation->id()), animation);
}

TEST_F(ModelControllerTest, RemoveAndDuplicateEndForAnimationsThatOwnEachOther) {
    // Two animation models whose own animation attributes point at each other (a damaged project).
    auto* x = new AnimatedModel("QNModelAnimation");
    auto* y = new AnimatedModel("QNModelAnimation");
    controller()->addRuntimeModel(x);
    controller()->addRuntimeModel(y);
    x->animation->setTarget(y);
    y->animation->setTarget(x);

    QNModel* copy = x->duplicate();
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(static_cast<AnimatedModel*>(copy)->animation->target(), nullptr);
    EXPECT_TRUE(logHas("refers to itself"));

    x->remove();
    EXPECT_EQ(controller()->modelById(x->id()), nullptr);
    EXPECT_EQ(controller()->modelById(y->id()), nullptr);
}

TEST_F(ModelControllerTest, RefreshesRunForTheirClassesOnlyWhileEnabled) {
    std::string calls;
    QNModelRefreshHooks& hooks = controller()->refreshHooks();
    hooks.relinkStartNodes = [&calls]() { calls += "N"; };
    hooks.labels = [&calls]() { calls += "L"; };
    hooks.unlockerLocks = [&calls]() { calls += "U"; };
    hooks.unlockerCharacters = [&calls]() { calls += "C"; };
    hooks.characterUnlockButtons = [&calls]() { calls += "B"; };
    hooks.powerupButtons = [&calls]() { calls += "P"; };
    hooks.purchaseButtons = [&calls]() { calls += "S"; };

    QNModel* scene = controller()->createModel("QNNodeScene");
    controller()->createModel("QNModelObjectLockButton");
    controller()->createModel("QNModelAssetCharacter");
    controller()->createModel("QNModelAssetPowerup");
    controller()->createModel("QNModelFont");
    EXPECT_EQ(calls, "LUCBPS");
    controller()->removeModel(scene);
    EXPECT_EQ(calls, "LUCBPSL");

    calls.clear();
    controller()->setRefreshEnabled(false, true);
    controller()->createModel("QNNodeScene");
    controller()->setRefreshEnabled(false, true);
    EXPECT_EQ(calls, "");
    EXPECT_FALSE(QNModelController::isRefreshEnabledGlobally());
    controller()->setRefreshEnabled(true, true);
    EXPECT_EQ(calls, "NLUCPSB");
    EXPECT_TRUE(QNModelController::isRefreshEnabledGlobally());

    calls.clear();
    controller()->setRefreshEnabled(false, true);
    controller()->clean(); // turns refresh back on without running it
    EXPECT_TRUE(controller()->isRefreshEnabled());
    EXPECT_EQ(calls, "");
    hooks = QNModelRefreshHooks();
}

TEST_F(ModelControllerTest, CleanReleasesRegisteredAndRemovedModelsAndResetsTheCounter) {
    QNModel* kept = controller()->createModel("QNModelFont");
    QNModel* removed = controller()->createModel("QNModelSound");
    kept->retain();
    removed->retain();
    removed->remove();
    controller()->clean();
    EXPECT_EQ(kept->retainCount(), 1u);
    EXPECT_EQ(removed->retainCount(), 1u);
    kept->release();
    removed->release();
    EXPECT_EQ(controller()->modelCount(), 0u);
    EXPECT_FALSE(controller()->isModified());
    QNModel* fresh = controller()->createModel("QNModelFont");
    EXPECT_EQ(fresh->id(), 1u) << "the model counter starts again";
}
