#include "navigation/QNModelScreen.h"

#include <algorithm>
#include <unordered_set>

#include "framework/CCArray.h"
#include "framework/CCDictionary.h"
#include "framework/CCString.h"
#include "model/QNDataText.h"
#include "model/QNModelController.h"
#include "model/QNPAttributeBoolean.h"
#include "model/QNPAttributeEnum.h"
#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributeReference.h"

using namespace cocos2d;

namespace {

const char* const kStartKey = "QNPScreenStart";
const char* const kLegacyStartKey = "QNPScreenLoading";

QNPAttributeEnum* addEnum(QNModel* model, const char* name,
                          std::vector<std::pair<std::string, std::string>> choices, const char* initial) {
    auto* attribute = static_cast<QNPAttributeEnum*>(model->addAttribute(name, QNPAttribute::kTypeEnum));
    attribute->choices() = std::move(choices);
    attribute->setDefault(initial);
    return attribute;
}

/// Reads a whole number stored as text; false when the text is absent or empty.
bool readFrames(CCDictionary* dict, const char* key, int& out) {
    if (!qn::isPresent(dict, key)) return false;
    out = ccTextToInt(qn::textFor(dict, key).c_str());
    return true;
}

} // namespace

QNModelScreen::QNModelScreen(const std::string& className) : QNModelCompound(className, "Untitled") {
    m_adInterstitial = addEnum(this, "Ad Interstitial",
                               {{"kNoAds", "None"},
                                {"kCustom", "Custom"},
                                {"kAdMob", "AdMob"},
                                {"kAppLovin", "AppLovin"},
                                {"kChartboost", "Chartboost"},
                                {"kFacebook", "Facebook"},
                                {"kHeyzap", "HeyZap"},
                                {"kLeadBolt", "LeadBolt"},
                                {"kRevMob", "RevMob"},
                                {"kVungle", "Vungle"}},
                               "kNoAds");
    m_adBanner = addEnum(this, "Ad Banner",
                         {{"kNoAds", "None"},
                          {"kAdMob", "AdMob"},
                          {"kFacebook", "Facebook"},
                          {"kHeyzap", "HeyZap"},
                          {"kRevMob", "RevMob"}},
                         "kNoAds");
    m_adInterstitialsFreq =
        static_cast<QNPAttributeFloat*>(addAttribute("Ad Interstitials Freq.", QNPAttribute::kTypeFloat));
    m_adInterstitialsFreq->setDefault(1.0f);
    m_adBannerFreq =
        static_cast<QNPAttributeFloat*>(addAttribute("Ad Banner Freq.", QNPAttribute::kTypeFloat));
    m_adBannerFreq->setDefault(1.0f);
    m_music = static_cast<QNPAttributeSound*>(addAttribute("Music", QNPAttribute::kTypeSound));
    m_loopMusic = static_cast<QNPAttributeBoolean*>(addAttribute("Loop Music", QNPAttribute::kTypeBoolean));
    m_loopMusic->setDefault(true);
    m_background = addEnum(this, "Background Scene", {{"kNoBackground", "None"}}, "kNoBackground");
}

QNModelScreen::~QNModelScreen() {
    for (QNModel* child : m_children) child->release();
}

bool QNModelScreen::initWithDictionary(CCDictionary* dict) {
    if (!QNModelCompound::initWithDictionary(dict)) return false;
    if (qn::isPresent(dict, "key")) {
        m_key = qn::textFor(dict, "key");
        if (m_key == kLegacyStartKey) m_key = kStartKey;
    }
    readFrames(dict, "openFrames", m_openFrames);
    readFrames(dict, "idleFrames", m_idleFrames);
    readFrames(dict, "closeFrames", m_closeFrames);
    // Any non-empty text switches looping on, "0" included: that is how the files have it.
    if (qn::isPresent(dict, "loopIdleAnimation")) m_loopIdleAnimation = true;
    return true;
}

CCDictionary* QNModelScreen::attributesDictionary() {
    CCDictionary* dict = QNModelCompound::attributesDictionary();
    dict->setObject(CCString::create(m_key), "key");
    qn::setText(dict, "openFrames", "%d", m_openFrames);
    qn::setText(dict, "idleFrames", "%d", m_idleFrames);
    qn::setText(dict, "closeFrames", "%d", m_closeFrames);
    if (m_loopIdleAnimation) qn::setText(dict, "loopIdleAnimation", "%s", "1");
    return dict;
}

CCDictionary* QNModelScreen::connectionsDictionary() {
    CCDictionary* dict = QNModelCompound::connectionsDictionary();
    CCArray* ids = CCArray::createWithCapacity((unsigned int)m_children.size());
    for (QNModel* child : m_children) ids->addObject(CCString::createWithFormat("%u", child->id()));
    dict->setObject(ids, "children");
    return dict;
}

void QNModelScreen::initConnections(CCDictionary* dict) {
    QNModelCompound::initConnections(dict);
    auto* ids = dict ? dynamic_cast<CCArray*>(dict->objectForKey("children")) : nullptr;
    if (!ids) {
        CCLog("[QNModelScreen] warning no children for restore connection");
        return;
    }
    QNModelController* controller = QNModelController::sharedModelController();
    for (CCObject* element : ids->data()) {
        if (auto* text = dynamic_cast<CCString*>(element)) {
            QNModel* child = controller->modelById(text->uintValue());
            // A screen never lists itself or another screen as a widget.
            if (child && !dynamic_cast<QNModelScreen*>(child)) addChild(child);
        }
    }
}

void QNModelScreen::copyFrom(QNModel* other) {
    QNModelCompound::copyFrom(other);
    auto* screen = dynamic_cast<QNModelScreen*>(other);
    if (!screen || screen == this) return;
    m_openFrames = screen->m_openFrames;
    m_idleFrames = screen->m_idleFrames;
    m_closeFrames = screen->m_closeFrames;
    m_loopIdleAnimation = screen->m_loopIdleAnimation;
    for (QNModel* child : screen->m_children)
        if (QNModel* copy = child->duplicate()) addChild(copy);
    m_key = freshKey();
}

QNModelScreen* QNModelScreen::modelForKey(const std::string& key) {
    QNModelController* controller = QNModelController::sharedModelController();
    for (const char* cls : {"QNModelScreen", "QNModelScreenScene"}) {
        for (QNModel* model : controller->modelListOfClass(cls)) {
            auto* screen = dynamic_cast<QNModelScreen*>(model);
            if (screen && screen->key() == key) return screen;
        }
    }
    return nullptr;
}

std::string QNModelScreen::freshKey() {
    std::unordered_set<std::string> taken;
    QNModelController* controller = QNModelController::sharedModelController();
    for (const char* cls : {"QNModelScreen", "QNModelScreenScene"})
        for (QNModel* model : controller->modelListOfClass(cls))
            if (auto* screen = dynamic_cast<QNModelScreen*>(model)) taken.insert(screen->key());
    for (int n = 1;; ++n) {
        std::string key = "QNPScreenUi " + std::to_string(n);
        if (!taken.count(key)) return key;
    }
}

void QNModelScreen::addChild(QNModel* child) {
    if (!child || std::find(m_children.begin(), m_children.end(), child) != m_children.end()) return;
    child->retain();
    m_children.push_back(child);
}

void QNModelScreen::removeChild(QNModel* child) {
    auto it = std::find(m_children.begin(), m_children.end(), child);
    if (it == m_children.end()) return;
    m_children.erase(it);
    child->release();
}

const std::string& QNModelScreen::adInterstitial() const {
    return m_adInterstitial->selectedValue();
}
const std::string& QNModelScreen::adBanner() const {
    return m_adBanner->selectedValue();
}
float QNModelScreen::adInterstitialsFreq() const {
    return m_adInterstitialsFreq->value();
}
float QNModelScreen::adBannerFreq() const {
    return m_adBannerFreq->value();
}
QNModel* QNModelScreen::music() const {
    return m_music->target();
}
bool QNModelScreen::loopMusic() const {
    return m_loopMusic->value();
}
