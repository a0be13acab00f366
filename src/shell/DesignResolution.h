#pragma once
// The project's own design resolution: 1136 x 640 points for landscape projects, 640 x 1136 for
// portrait ones, with the resolution policy chosen by the general settings' screen adjustment.

#include "framework/CCEGLView.h"

namespace qn {

/// The design size of the loaded project (landscape when no general settings exist).
cocos2d::CCSize projectDesignSize();

/// The policy for a screen adjustment: 0 no border, 1 fixed height, 2 fixed width; any other
/// value shows the whole design area (letterboxed).
cocos2d::ResolutionPolicy resolutionPolicyForScreenAdjustment(int screenAdjustment);

/// The policy of the loaded project (see resolutionPolicyForScreenAdjustment).
cocos2d::ResolutionPolicy projectResolutionPolicy();

/// Sets the view's design resolution to the project's size with `policy`; kResolutionUnKnown
/// takes the project's own policy.
void applyProjectDesignResolution(cocos2d::ResolutionPolicy policy = cocos2d::kResolutionUnKnown);

} // namespace qn
