#pragma once
// The accelerometer: one delegate (not retained) gets each reading the platform dispatches.

#include "framework/CCObject.h"
#include "platform/Clock.h"

namespace cocos2d {

/// One reading, in g, with the time it was taken (seconds, from the program's clock).
struct CCAcceleration {
    double x;
    double y;
    double z;
    double timestamp;
};

class CCAccelerometerDelegate {
public:
    virtual ~CCAccelerometerDelegate() = default;
    virtual void didAccelerate(CCAcceleration* acceleration) = 0;
};

class CCAccelerometer {
public:
    /// Sets the one delegate (nullptr for none). The delegate must unset itself before it goes.
    void setDelegate(CCAccelerometerDelegate* delegate) { m_pDelegate = delegate; }
    void setAccelerometerDelegate(CCAccelerometerDelegate* delegate) { setDelegate(delegate); }
    CCAccelerometerDelegate* getDelegate() const { return m_pDelegate; }
    /// The reading interval the program asks for, in seconds (kept; readings come as they come).
    void setAccelerometerInterval(float interval) { m_fInterval = interval; }
    float getAccelerometerInterval() const { return m_fInterval; }

    /// The platform's entry: passes one reading to the delegate, if any.
    void dispatchAcceleration(double x, double y, double z) {
        if (!m_pDelegate) return;
        CCAcceleration acceleration{x, y, z, qn::nowSeconds()};
        m_pDelegate->didAccelerate(&acceleration);
    }

private:
    CCAccelerometerDelegate* m_pDelegate = nullptr;
    float m_fInterval = 1.0f / 60.0f;
};

} // namespace cocos2d
