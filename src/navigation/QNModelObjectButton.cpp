#include "navigation/QNModelObjectButton.h"

#include "model/QNPAttributeBoolean.h"
#include "model/QNPAttributeEnum.h"
#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributeGroup.h"
#include "model/QNPAttributeKey.h"
#include "model/QNPAttributeReference.h"
#include "model/QNPAttributeString.h"

namespace {

using Choices = std::vector<std::pair<std::string, std::string>>;

const Choices& navigationChoices() {
    static const Choices choices = {
        {"kNoAction", "Default"},
        {"kPauseButton", "Pause"},
        {"kBackButton", "Back"},
        {"kBackToButton", "Back Jump"},
        {"kRestartButton", "Restart"},
        {"kRestartCheckpointButton", "Restart Checkpoint"},
        {"kReviewButton", "Review"},
        {"kShareButton", "Share"},
        {"kRestorePurchasesButton", "Restore Purchase"},
        {"kStartCheckpointButton", "Start Checkpoint"},
        {"kGameServices", "Game Services"},
        {"kResetButton", "Reset Settings"},
        {"kExitButton", "Exit"},
    };
    return choices;
}

struct ControlAction {
    const char* key;
    const char* label;
    int id;
};

const ControlAction kControlActions[] = {
    {"kNoAction", "No Action", 0},
    {"kMotorSpinCWButton", "Motors Spin CW", 9},
    {"kMotorSpinCCWButton", "Motors Spin CCW", 10},
    {"kCharacterJumpButton", "Jump", 5},
    {"kCharacterShootButton", "Shoot", 8},
    {"kCharacterRotateLeftButton", "Rotate Left", 6},
    {"kCharacterRotateRightButton", "Rotate Right", 7},
    {"kCharacterMoveRightButton", "Move Right", 3},
    {"kCharacterMoveLeftButton", "Move Left", 4},
    {"kCharacterMoveUpButton", "Move Up", 1},
    {"kCharacterMoveDownButton", "Move Down", 2},
    {"kUnlockCharacter", "Unlock Random Character", 0},
    {"kInputControllerActionButton", "Component Action", 11},
};

} // namespace

namespace qn {
int controlActionId(const std::string& action) {
    for (const ControlAction& entry : kControlActions)
        if (action == entry.key) return entry.id;
    return 0;
}
} // namespace qn

QNModelObjectButton::QNModelObjectButton(const std::string& className) : QNModelObjectImage(className) {
    QNPAttribute* selected = addAttribute("Image Selected", QNPAttribute::kTypeSprite);
    moveAttribute(selected, indexOfAttribute(m_image) + 1);
    auto* actionGroup = static_cast<QNPAttributeGroup*>(addAttribute("Action", QNPAttribute::kTypeGroup));
    m_action =
        static_cast<QNPAttributeEnum*>(addAttribute("Action", QNPAttribute::kTypeEnum, 0, actionGroup));
    m_action->choices() = navigationChoices();
    m_action->setDefault("kNoAction");
    addAttribute("Back To", QNPAttribute::kTypeEnum, 0, actionGroup)->hide();
    addAttribute("Back To World", QNPAttribute::kTypeEnum, 0, actionGroup)->hide();
    auto* sound = static_cast<QNPAttributeGroup*>(addAttribute("Sound", QNPAttribute::kTypeGroup));
    addAttribute("Click Sound", QNPAttribute::kTypeSound, 0, sound);
    addAttribute("Release Sound", QNPAttribute::kTypeSound, 0, sound);
    auto* properties = static_cast<QNPAttributeGroup*>(addAttribute("Properties", QNPAttribute::kTypeGroup));
    static_cast<QNPAttributeBoolean*>(addAttribute("Block Touch", QNPAttribute::kTypeBoolean, 0, properties))
        ->setDefault(true);
    addAttribute("Keyboard Key", QNPAttribute::kTypeKey, 0, properties);
    // Read by every button on every frame: kept at hand rather than looked up by name.
    m_touchEmulation = static_cast<QNPAttributeFloat*>(
        addAttribute("Touch Emulation", QNPAttribute::kTypeFloat, 0, properties));
    m_touchEmulation->setMinimum(-1.0f);
    m_touchEmulation->setMaximum(1.0f);
    m_touchEmulation->hide();
}

std::string QNModelObjectButton::action() const {
    return m_action ? m_action->selectedValue() : std::string();
}

QNModel* QNModelObjectButton::selectedImage() const {
    auto* a = dynamic_cast<QNPAttributeSprite*>(attributeAt(indexOfAttribute(m_image) + 1));
    return a ? a->target() : nullptr;
}

QNModel* QNModelObjectButton::clickSound() const {
    auto* a = dynamic_cast<QNPAttributeSound*>(attributeNamed("Click Sound"));
    return a ? a->target() : nullptr;
}

QNModel* QNModelObjectButton::releaseSound() const {
    auto* a = dynamic_cast<QNPAttributeSound*>(attributeNamed("Release Sound"));
    return a ? a->target() : nullptr;
}

bool QNModelObjectButton::blocksTouch() const {
    auto* a = dynamic_cast<QNPAttributeBoolean*>(attributeNamed("Block Touch"));
    return !a || a->value();
}

int QNModelObjectButton::keyboardKey() const {
    auto* a = dynamic_cast<QNPAttributeKey*>(attributeNamed("Keyboard Key"));
    return a ? a->keyCode() : -1;
}

float QNModelObjectButton::touchEmulation(float time, int track) const {
    return m_touchEmulation ? m_touchEmulation->value() + m_touchEmulation->valueAt(time, track) : 0.0f;
}

bool QNModelObjectButton::isNavigationButton() const {
    const std::string a = action();
    return a == "kStartButton" || a == "kStartCheckpointButton" || a == "kPauseButton" || a == "kNoAction";
}

std::string QNModelObjectButton::stringValue(const std::string& name) const {
    auto* a = dynamic_cast<QNPAttributeString*>(attributeNamed(name));
    return a ? a->value() : std::string();
}

QNModelObjectButtonControl::QNModelObjectButtonControl() : QNModelObjectButton("QNModelObjectButtonControl") {
    Choices choices;
    for (const ControlAction& entry : kControlActions) choices.emplace_back(entry.key, entry.label);
    m_action->choices() = choices;
}

QNModelObjectButtonUrl::QNModelObjectButtonUrl(const std::string& className)
    : QNModelObjectButton(className) {
    m_action->hide();
    addAttribute("URL", QNPAttribute::kTypeString);
}

QNModelObjectButtonFacebook::QNModelObjectButtonFacebook()
    : QNModelObjectButtonUrl("QNModelObjectButtonFacebook") {
    // An attribute's name is also its key in the data files.
    if (QNPAttribute* url = attributeNamed("URL")) url->setName("Facebook URL");
    addAttribute("Facebook ID", QNPAttribute::kTypeString);
}

QNModelObjectButtonSoundControl::QNModelObjectButtonSoundControl()
    : QNModelObjectButton("QNModelObjectButtonSoundControl") {
    m_image->setName("Sound is ON");
    if (QNPAttribute* off = attributeNamed("Image Selected")) off->setName("Sound is OFF");
    m_action->choices() = {{"kMuteAllSound", "All Sound"},
                           {"kMuteSoundEffects", "Sound Effects"},
                           {"kMuteBackgroundMusic", "Background Music"}};
    m_action->set("kMuteAllSound");
}

QNModelObjectButtonSwitch::QNModelObjectButtonSwitch() : QNModelObjectButton("QNModelObjectButtonSwitch") {
    m_action->set("kInputControllerActionButton");
    if (QNPAttribute* group = attributeNamed("Action")) group->hide();
}
