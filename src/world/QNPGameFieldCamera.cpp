#include "world/QNPGameFieldCamera.h"

#include <algorithm>

#include "framework/CCDirector.h"
#include "objects/QNPGameplayParameters.h"
#include "shell/QNPInputController.h"
#include "world/QNModelScreenScene.h"

using namespace cocos2d;

QNPGameFieldCamera* QNPGameFieldCamera::create() {
    auto* camera = new QNPGameFieldCamera();
    camera->reset();
    camera->autorelease();
    return camera;
}

QNPGameFieldCamera::~QNPGameFieldCamera() {
    if (m_worldModel) m_worldModel->release();
}

void QNPGameFieldCamera::setWorldModel(QNModelScreenScene* model) {
    if (model) model->retain();
    if (m_worldModel) m_worldModel->release();
    m_worldModel = model;
    reset();
}

void QNPGameFieldCamera::reset() {
    if (!m_worldModel) return;
    const CCSize win = CCDirector::sharedDirector()->getWinSize();
    const CCRect& rect = m_worldModel->objectFrameRect();
    m_frame = CCRect(rect.origin.x * win.width, rect.origin.y * win.height, rect.size.width * win.width,
                     rect.size.height * win.height);
    m_movement = CCPoint();
    m_target = CCPoint();
}

void QNPGameFieldCamera::setTarget(const CCPoint& point) {
    if (point.x != 0.0f || point.y != 0.0f) m_target = point;
}

void QNPGameFieldCamera::update(float dt) {
    QNPGameplayParameters* parameters = QNPGameplayParameters::shared();
    // 1. Forced movement: the speed is in points per 1/60 s.
    const CCPoint before = getPosition();
    const CCPoint d = parameters->directionVector();
    const float step = parameters->currentGameSpeed * dt * 60.0f;
    setPosition(CCPoint(before.x - d.x * step, before.y - d.y * step));

    // 2. The frame in layer coordinates (the framework has no content offset: (0, 0)).
    const CCPoint q = getPosition();
    const float extension = m_bannerSpace ? 0.0f : kBottomExtension;
    const float minX = m_frame.origin.x - q.x, minY = m_frame.origin.y - q.y - extension;
    const float maxX = minX + m_frame.size.width, maxY = minY + m_frame.size.height + extension;

    // 3. Overshoot of the target beyond the frame.
    const CCPoint clamped(std::min(std::max(m_target.x, minX), maxX),
                          std::min(std::max(m_target.y, minY), maxY));
    CCPoint m(m_target.x - clamped.x, m_target.y - clamped.y);
    CCPoint c;

    // 4. Edge rules: bottom, right, top, left.
    if (m_worldModel) {
        auto apply = [&](int edge, bool vertical) {
            const int state = m_worldModel->edgeState(edge);
            if (state == kEdgeBlock) {
                if (vertical) {
                    c.y -= m.y;
                    m.y = 0;
                } else {
                    c.x -= m.x;
                    m.x = 0;
                }
            } else if (state == kEdgeKill) {
                if (m_input) m_input->killAll();
                m = CCPoint();
            }
        };
        if (m.y < 0) apply(kEdgeBottom, true);
        if (m.x > 0) apply(kEdgeRight, false);
        if (m.y > 0) apply(kEdgeTop, true);
        if (m.x < 0) apply(kEdgeLeft, false);
    }

    // 5. Blocked characters go back inside the frame.
    if ((c.x != 0.0f || c.y != 0.0f) && m_input) m_input->shiftAllBy(c.x, c.y, false);

    // 6. Follow the rest of the overshoot.
    const CCPoint p = getPosition();
    setPosition(CCPoint(p.x - m_followFactor * m.x, p.y - m_followFactor * m.y));

    // 7. Movement of this update.
    const CCPoint after = getPosition();
    m_movement = CCPoint(before.x - after.x, before.y - after.y);
}
