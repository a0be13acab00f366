#pragma once
// Button models: an image model with a pressed picture ("Image Selected"), a tap "Action", the
// "Back To" targets of a back-jump, click and release sounds, "Block Touch", a "Keyboard Key" and
// the animated "Touch Emulation" value. The small subclasses change the offered actions or add
// link data (URL, Facebook page).

#include <string>

#include "navigation/QNModelObjectImage.h"

class QNPAttributeEnum;
class QNPAttributeFloat;

class QNModelObjectButton : public QNModelObjectImage {
public:
    explicit QNModelObjectButton(const std::string& className = "QNModelObjectButton");

    /// The selected "Action" key ("kNoAction" by default).
    std::string action() const;
    /// The "Image Selected" sprite container (not owned), or nullptr.
    QNModel* selectedImage() const;
    QNModel* clickSound() const;
    QNModel* releaseSound() const;
    bool blocksTouch() const;
    /// The "Keyboard Key" code, -1 for none.
    int keyboardKey() const;
    /// "Touch Emulation" value plus its curve offset at (time, track).
    float touchEmulation(float time, int track) const;
    /// Whether the button may carry a connection to a target node (start, start checkpoint, pause,
    /// no action).
    bool isNavigationButton() const;
    /// A string attribute's value ("" when absent).
    std::string stringValue(const std::string& name) const;

protected:
    QNModel* createEmptyCopy() const override { return new QNModelObjectButton(className()); }

    QNPAttributeEnum* m_action = nullptr;
    QNPAttributeFloat* m_touchEmulation = nullptr;
};

/// "Character Button": its "Action" offers the character control values.
class QNModelObjectButtonControl : public QNModelObjectButton {
public:
    QNModelObjectButtonControl();

protected:
    QNModel* createEmptyCopy() const override { return new QNModelObjectButtonControl(); }
};

/// "Url Button": "Action" hidden; adds "URL".
class QNModelObjectButtonUrl : public QNModelObjectButton {
public:
    explicit QNModelObjectButtonUrl(const std::string& className = "QNModelObjectButtonUrl");

protected:
    QNModel* createEmptyCopy() const override { return new QNModelObjectButtonUrl(className()); }
};

/// "Facebook Button": a URL button whose "URL" is labelled "Facebook URL", plus "Facebook ID".
class QNModelObjectButtonFacebook : public QNModelObjectButtonUrl {
public:
    QNModelObjectButtonFacebook();

protected:
    QNModel* createEmptyCopy() const override { return new QNModelObjectButtonFacebook(); }
};

/// "Audio Button": mutes all sound, the effects or the music; its pictures show on and off.
class QNModelObjectButtonSoundControl : public QNModelObjectButton {
public:
    QNModelObjectButtonSoundControl();

protected:
    QNModel* createEmptyCopy() const override { return new QNModelObjectButtonSoundControl(); }
};

/// "Switch Button": its "Action" is fixed to the component action.
class QNModelObjectButtonSwitch : public QNModelObjectButton {
public:
    QNModelObjectButtonSwitch();

protected:
    QNModel* createEmptyCopy() const override { return new QNModelObjectButtonSwitch(); }
};

namespace qn {
/// The input action id a control "Action" sends on press and release (0 for none; the component
/// action sends 11 on press and 12 on release and answers 11 here).
int controlActionId(const std::string& action);
} // namespace qn
