#pragma once
// The authored description of one screen: its key (the name the navigation graph uses), the ordered
// widget models placed on it, its music, its ad settings and the lengths of its opening, idle and
// closing animations (in frames of 1/30 s).

#include <string>
#include <vector>

#include "model/QNModelCompound.h"

class QNPAttributeBoolean;
class QNPAttributeEnum;
class QNPAttributeFloat;
class QNPAttributeSound;

class QNModelScreen : public QNModelCompound {
public:
    /// A screen model named "Untitled"; `className` lets world models share the screen's form.
    explicit QNModelScreen(const std::string& className = "QNModelScreen");
    ~QNModelScreen() override;

    /// Reads the attributes and "key", "openFrames", "idleFrames", "closeFrames",
    /// "loopIdleAnimation". The legacy key "QNPScreenLoading" becomes "QNPScreenStart".
    bool initWithDictionary(cocos2d::CCDictionary* dict) override;
    cocos2d::CCDictionary* attributesDictionary() override;
    /// Adds "children": the ids of the widget models.
    cocos2d::CCDictionary* connectionsDictionary() override;
    void initConnections(cocos2d::CCDictionary* dict) override;
    /// Copies stage lengths, loop flag and a copy of each child; the copy gets a fresh key.
    void copyFrom(QNModel* other) override;

    /// The screen model whose key is `key`, or nullptr (classes "QNModelScreen" and
    /// "QNModelScreenScene").
    static QNModelScreen* modelForKey(const std::string& key);
    /// The first "QNPScreenUi %d" (from 1) that no screen model has.
    static std::string freshKey();

    const std::string& key() const { return m_key; }
    void setKey(const std::string& key) { m_key = key; }
    /// The widget models, in order (retained by the screen).
    const std::vector<QNModel*>& children() const { return m_children; }
    /// Appends a widget model (nullptr and repeats are ignored) and retains it.
    virtual void addChild(QNModel* child);
    virtual void removeChild(QNModel* child);

    int openFrames() const { return m_openFrames; }
    int idleFrames() const { return m_idleFrames; }
    int closeFrames() const { return m_closeFrames; }
    bool loopIdleAnimation() const { return m_loopIdleAnimation; }
    void setOpenFrames(int frames) { m_openFrames = frames; }
    void setIdleFrames(int frames) { m_idleFrames = frames; }
    void setCloseFrames(int frames) { m_closeFrames = frames; }
    void setLoopIdleAnimation(bool loop) { m_loopIdleAnimation = loop; }

    const std::string& adInterstitial() const;
    const std::string& adBanner() const;
    float adInterstitialsFreq() const;
    float adBannerFreq() const;
    /// The "Music" sound model, or nullptr.
    QNModel* music() const;
    bool loopMusic() const;

    /// Visit counters of the ad logic (not saved).
    int interstitialCounter = 0;
    int bannerCounter = 0;

protected:
    QNModel* createEmptyCopy() const override { return new QNModelScreen(className()); }

private:
    std::string m_key;
    std::vector<QNModel*> m_children;
    int m_openFrames = 40;
    int m_idleFrames = 40;
    int m_closeFrames = 0;
    bool m_loopIdleAnimation = false;
    QNPAttributeEnum* m_adInterstitial = nullptr;
    QNPAttributeEnum* m_adBanner = nullptr;
    QNPAttributeFloat* m_adInterstitialsFreq = nullptr;
    QNPAttributeFloat* m_adBannerFreq = nullptr;
    QNPAttributeSound* m_music = nullptr;
    QNPAttributeBoolean* m_loopMusic = nullptr;
    QNPAttributeEnum* m_background = nullptr;
};
