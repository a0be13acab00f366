#include "shell/DesignResolution.h"

#include "model/QNModelGeneralSettings.h"

using namespace cocos2d;

namespace qn {

CCSize projectDesignSize() {
    if (QNModelGeneralSettings* settings = QNModelGeneralSettings::generalSettings())
        return settings->isPortrait() ? CCSize(640.0f, 1136.0f) : CCSize(1136.0f, 640.0f);
    return CCSize(1136.0f, 640.0f);
}

ResolutionPolicy resolutionPolicyForScreenAdjustment(int screenAdjustment) {
    switch (screenAdjustment) {
    case 0: return kResolutionNoBorder;
    case 1: return kResolutionFixedHeight;
    case 2: return kResolutionFixedWidth;
    default: return kResolutionShowAll;
    }
}

ResolutionPolicy projectResolutionPolicy() {
    QNModelGeneralSettings* settings = QNModelGeneralSettings::generalSettings();
    return resolutionPolicyForScreenAdjustment(settings ? settings->screenAdjustment() : 0);
}

void applyProjectDesignResolution(ResolutionPolicy policy) {
    if (policy == kResolutionUnKnown) policy = projectResolutionPolicy();
    CCSize size = projectDesignSize();
    CCEGLView::sharedOpenGLView()->setDesignResolutionSize(size.width, size.height, policy);
}

} // namespace qn
