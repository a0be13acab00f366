#include "navigation/QNPObjectLoadingBar.h"

#include <algorithm>

#include "framework/CCDrawingPrimitives.h"
#include "model/QNModelController.h"
#include "navigation/QNModelObjectLoadingBar.h"

using namespace cocos2d;

namespace {
constexpr float kHalfWidth = 200.0f;
constexpr float kHalfHeight = 2.0f;
const ccColor4F kBarColour = {0.75f, 0.75f, 0.75f, 0.75f};
} // namespace

QNPObjectLoadingBar* QNPObjectLoadingBar::create(QNModelObjectLoadingBar* model) {
    auto* bar = new QNPObjectLoadingBar();
    bar->autorelease();
    bar->m_model = model;
    if (!model) return bar;
    bar->m_playback.setModel(model);
    bar->m_playback.applyTransform(bar);
    bar->setUserObject(model);
    bar->setContentSize(model->contentSize());
    return bar;
}

QNPObjectLoadingBar::~QNPObjectLoadingBar() = default;

void QNPObjectLoadingBar::update(float dt) {
    if (m_model) m_playback.step(this, dt);
}

void QNPObjectLoadingBar::draw() {
    update(0.0f);
}

float QNPObjectLoadingBar::progressFraction() {
    const int percent = QNModelController::sharedModelController()->loadingProgress();
    return std::clamp(static_cast<float>(percent), 0.0f, 100.0f) / 100.0f;
}

void QNPObjectLoadingBar::visit() {
    CCNode::visit();
    if (!isVisible()) return;
    const CCPoint at = getPosition();
    const float p = progressFraction();
    const CCPoint low(at.x - kHalfWidth, at.y - kHalfHeight);
    ccDrawColor4F(kBarColour.r, kBarColour.g, kBarColour.b, kBarColour.a);
    ccDrawRect(low, CCPoint(at.x + kHalfWidth, at.y + kHalfHeight));
    ccDrawSolidRect(low, CCPoint(low.x + 2.0f * kHalfWidth * p, at.y + kHalfHeight), kBarColour);
}
