#include "navigation/QNPObjectButton.h"

#include <string>

#include "framework/CCSprite.h"
#include "framework/CCTexture2D.h"
#include "navigation/QNKeyBoundButtons.h"
#include "navigation/QNModelObjectButton.h"
#include "navigation/QNPScreen.h"
#include "presentation/QNModelSpriteContainer.h"
#include "services/QNPlatformServices.h"

using namespace cocos2d;

namespace {

QNPObjectButton::EffectPlayer& effectPlayer() {
    static QNPObjectButton::EffectPlayer player = nullptr;
    return player;
}

QNPObjectButtonSwitch::ActionSender& actionSender() {
    static QNPObjectButtonSwitch::ActionSender sender = nullptr;
    return sender;
}

std::map<const QNModel*, bool>& switchStates() {
    static std::map<const QNModel*, bool> states;
    return states;
}

/// The touch area of a button without a picture: 100 by 100 points of one transparent pixel.
CCSprite* transparentSprite() {
    static CCTexture2D* texture = nullptr;
    if (!texture) {
        texture = new CCTexture2D();
        const unsigned char pixel[4] = {0, 0, 0, 0};
        texture->initWithData(pixel, 1, 1, true);
    }
    CCSprite* sprite = CCSprite::createWithTexture(texture, CCRect(0, 0, 1, 1));
    if (sprite) sprite->setContentSize(CCSize(100, 100));
    return sprite;
}

/// The container's animated sprite, autoreleased (animatedSprite hands over a reference).
CCSprite* pictureOf(QNModel* model, float speed) {
    auto* container = dynamic_cast<QNModelSpriteContainer*>(model);
    CCSprite* sprite = container ? container->animatedSprite(speed, true) : nullptr;
    if (sprite) sprite->autorelease();
    return sprite;
}

CCSprite* tinted(CCSprite* sprite, GLubyte level) {
    if (sprite) sprite->setColor(ccc3(level, level, level));
    return sprite;
}

} // namespace

void QNPObjectButton::setEffectPlayer(EffectPlayer player) {
    effectPlayer() = player;
}

void QNPObjectButton::playEffect(QNModel* sound) {
    if (sound && effectPlayer()) effectPlayer()(sound);
}

template <typename T> T* QNPObjectButton::build(QNModelObjectButton* model) {
    T* button = new T();
    button->autorelease();
    if (!button->initImages(model)) return nullptr;
    return button;
}

bool QNPObjectButton::initImages(QNModelObjectButton* model) {
    CCNode* normal = pictureOf(model->displayAnimation(), 1.0f);
    CCNode* selected = nullptr;
    CCNode* disabled = nullptr;
    if (normal) {
        selected = model->selectedImage() ? pictureOf(model->selectedImage(), 0.2f) : nullptr;
        if (!selected) selected = tinted(pictureOf(model->displayAnimation(), 1.0f), 128);
        disabled = tinted(pictureOf(model->displayAnimation(), 1.0f), 60);
    } else {
        normal = transparentSprite();
    }
    return normal && initWithNormalSprite(normal, selected, disabled, nullptr, nullptr);
}

QNPObjectButton* QNPObjectButton::create(QNModelObjectButton* model, QNPScreen* screen) {
    (void)screen;
    if (!model) return nullptr;
    const std::string& cls = model->className();
    QNPObjectButton* button = nullptr;
    if (cls == "QNModelObjectButtonUrl")
        button = build<QNPObjectButtonUrl>(model);
    else if (cls == "QNModelObjectButtonFacebook")
        button = build<QNPObjectButtonFacebook>(model);
    else if (cls == "QNModelObjectButtonSwitch")
        button = build<QNPObjectButtonSwitch>(model);
    else if (cls == "QNModelObjectButton" || cls == "QNModelObjectButtonControl" ||
             cls == "QNModelObjectButtonSoundControl")
        button = build<QNPObjectButton>(model);
    if (!button) return nullptr;

    button->setModel(model);
    button->m_playback.applyTransform(button);
    button->setZOrder(model->depth());
    button->setUserObject(model);
    button->setAutohide(model->autohide());
    return button;
}

QNPObjectButton::~QNPObjectButton() {
    qn::unregisterKeyButton(this);
}

void QNPObjectButton::setModel(QNModelObjectButton* model) {
    m_model = model;
    m_playback.setModel(model);
    m_playback.setStickToEdge(model && model->sticksToEdge());
}

void QNPObjectButton::resetTime() {
    m_playback.reset();
}

void QNPObjectButton::setAutohide(float seconds) {
    m_playback.setAutohide(seconds);
}

void QNPObjectButton::setStage(int stage) {
    m_playback.setStage(stage);
}

void QNPObjectButton::setWidgetStage(int stage) {
    setStage(stage);
    update(0.0f);
}

void QNPObjectButton::selected() {
    selectPicture();
    if (!isEnabled()) return;
    if (m_press) m_press(getTarget(), this);
    if (m_model) playEffect(m_model->clickSound());
}

void QNPObjectButton::unselected() {
    unselectPicture();
    if (!isEnabled()) return;
    if (m_release) m_release(getTarget(), this);
    if (m_model) playEffect(m_model->releaseSound());
}

void QNPObjectButton::update(float dt) {
    if (!m_model) return;
    m_playback.step(this, dt);
    const bool pressed = m_model->touchEmulation(m_playback.time(), m_playback.stage()) >= 0.5f;
    if (pressed == m_touchPressed) return;
    m_touchPressed = pressed;
    retain(); // the release may navigate away from the screen holding this button
    if (pressed) {
        selected();
    } else {
        unselected();
        activate();
    }
    release();
}

void QNPObjectButton::setUserObject(CCObject* object) {
    CCMenuItemSprite::setUserObject(object);
    if (m_registeredKey != -1) qn::unregisterKeyButton(this);
    m_registeredKey = -1;
    auto* model = dynamic_cast<QNModelObjectButton*>(object);
    const int key = model ? model->keyboardKey() : -1;
    if (key == -1) return;
    qn::registerKeyButton(key, this);
    m_registeredKey = key;
}

void QNPObjectButton::setTarget(CCObject* target, SEL_MenuHandler selector) {
    CCMenuItemSprite::setTarget(target, selector);
    m_press = nullptr;
    m_release = nullptr;
}

void QNPObjectButton::setInputHandlers(CCObject* controller, Handler press, Handler release) {
    CCMenuItemSprite::setTarget(controller, nullptr);
    m_press = std::move(press);
    m_release = std::move(release);
}

QNPScreen* QNPObjectButton::owningScreen() const {
    for (CCNode* node = getParent(); node; node = node->getParent())
        if (auto* screen = dynamic_cast<QNPScreen*>(node)) return screen;
    return nullptr;
}

// ----- URL and Facebook buttons -----

void QNPObjectButtonUrl::activate() {
    const std::string url = m_model ? m_model->stringValue("URL") : std::string();
    if (url.empty()) {
        CCLog("Button URL is empty");
        return;
    }
    QNPlatformServices::sharedServices()->openUrl(url);
}

void QNPObjectButtonFacebook::activate() {
    const std::string id = m_model ? m_model->stringValue("Facebook ID") : std::string();
    const std::string url = m_model ? m_model->stringValue("Facebook URL") : std::string();
    if (id.empty() || url.empty()) {
        CCLog("Facebook button URL and ID is empty");
        return;
    }
    QNPlatformServices::sharedServices()->openFacebookPage(id, url);
}

// ----- Switch buttons -----

void QNPObjectButtonSwitch::setActionSender(ActionSender sender) {
    actionSender() = sender;
}

void QNPObjectButtonSwitch::clearSwitchStates() {
    switchStates().clear();
}

bool QNPObjectButtonSwitch::storedState(const QNModel* model) {
    auto it = switchStates().find(model);
    return it == switchStates().end() ? true : it->second;
}

void QNPObjectButtonSwitch::setModel(QNModelObjectButton* model) {
    QNPObjectButton::setModel(model);
    m_on = storedState(model);
}

void QNPObjectButtonSwitch::selected() {
    selectPicture();
    m_on = storedState(m_model);
    if (isEnabled() && m_model) playEffect(m_model->clickSound());
    m_on = !m_on;
    if (actionSender()) actionSender()(m_on ? 11 : 12, this);
    switchStates()[m_model] = m_on;
}

void QNPObjectButtonSwitch::unselected() {
    unselectPicture();
    if (isEnabled() && m_model) playEffect(m_model->releaseSound());
}
