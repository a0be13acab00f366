#pragma once
// The buttons bound to keyboard keys: one process-wide table from editor key code to the buttons
// that carry it, in registration order. A key presses only the buttons shown on the screen it
// went to, so a key bound on a screen covered by an overlay does nothing there.

class QNPObjectButton;
class QNPScreen;

namespace qn {

void registerKeyButton(int code, QNPObjectButton* button);
/// Drops every registration of `button`.
void unregisterKeyButton(QNPObjectButton* button);
/// Presses (selects) every button under `code` whose own screen is `screen`; whether any did.
bool pressKeyButtons(int code, QNPScreen* screen);
/// Releases every button under `code` whose own screen is `screen` (unselect, then its action);
/// whether any did.
bool releaseKeyButtons(int code, QNPScreen* screen);

} // namespace qn
