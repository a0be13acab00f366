// Frame cost of a menu screen with N buttons: the screen's stage clock and widget updates run by
// the director, and one highlight move across the whole button table.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "framework/CCDirector.h"
#include "framework/CCMenuItem.h"
#include "model/QNModelCompound.h"
#include "model/QNModelController.h"
#include "model/QNPAttributePoint.h"
#include "navigation/QNModelScreen.h"
#include "navigation/QNNode.h"
#include "navigation/QNPNavigationController.h"
#include "navigation/QNPScreenUi.h"
#include "navigation/QNScreenWidget.h"
#include "navigation/QNWidgetFactory.h"

using namespace cocos2d;

namespace {

bool smoke() {
    return std::getenv("QN_BENCH_SMOKE") != nullptr;
}

/// A button stand-in that takes part in the stages and advances its own clock.
class BenchButton : public CCMenuItem, public qn::QNScreenWidget {
public:
    void setWidgetStage(int stage) override { m_stage = stage; }
    void restartWidgetAnimation() override { m_time = 0; }
    void updateWidget(float dt) override { m_time += dt; }

private:
    int m_stage = 0;
    float m_time = 0;
};

/// Shows a menu of `count` buttons in a grid as the running scene.
QNPScreen* showMenu(int count) {
    QNModelController* controller = QNModelController::sharedModelController();
    controller->clean();
    QNPNavigationController::sharedController()->reset();
    qn::registerWidgetCreator("QNModelObjectButton", [](QNModel* model, QNPScreen*) -> CCNode* {
        auto* button = new BenchButton();
        button->autorelease();
        if (auto* position = dynamic_cast<QNPAttributePoint*>(model->attributeNamed("Position")))
            button->setPosition(position->value());
        return button;
    });
    auto* menu = new QNModelScreen();
    menu->setKey("QNPScreenStart");
    for (int i = 0; i < count; ++i) {
        auto* button = new QNModelCompound("QNModelObjectButton", "Button");
        static_cast<QNPAttributePoint*>(button->addAttribute("Position", QNPAttribute::kTypePoint))
            ->set(ccp((float)(i % 40) * 25.0f, (float)(i / 40) * 25.0f));
        controller->addModel(button);
        menu->addChild(button);
    }
    controller->addModel(menu);
    CCDirector* director = CCDirector::sharedDirector();
    director->runWithScene(QNPNavigationController::sharedController()->currentScene());
    director->mainLoop(1.0f / 60.0f);
    return QNPScreen::runningScreen();
}

void finish() {
    QNPNavigationController::sharedController()->reset();
    CCDirector::sharedDirector()->purgeDirector();
    QNModelController::sharedModelController()->clean();
}

void BM_MenuFrame(benchmark::State& state) {
    showMenu((int)state.range(0));
    for (auto _ : state) CCDirector::sharedDirector()->mainLoop(1.0f / 60.0f);
    state.SetItemsProcessed(state.iterations() * state.range(0));
    finish();
}

void BM_MenuHighlightMove(benchmark::State& state) {
    QNPScreen* screen = showMenu((int)state.range(0));
    int direction = 12;
    for (auto _ : state) {
        screen->moveHighlight(direction);
        direction = direction == 15 ? 12 : direction + 1;
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    finish();
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(100);
    if (!smoke()) b->Arg(1000);
}

} // namespace

BENCHMARK(BM_MenuFrame)->Apply(sizes);
BENCHMARK(BM_MenuHighlightMove)->Apply(sizes);
