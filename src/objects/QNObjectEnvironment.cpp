#include "objects/QNObjectEnvironment.h"

#include "services/QNPSettingsController.h"

namespace {

class DefaultEnvironment : public QNObjectEnvironment {
public:
    void characterCreated(QNPObject*) override {}
    bool hasLivingCharacter() const override { return false; }
    cocos2d::CCPoint charactersMeanPosition() const override { return cocos2d::CCPointZero; }
    int selectedCharacterIndex() const override {
        return QNPSettingsController::sharedSettings()->selectedCharacter();
    }
};

DefaultEnvironment s_default;
QNObjectEnvironment* s_current = nullptr;

} // namespace

QNObjectEnvironment* QNObjectEnvironment::current() {
    return s_current ? s_current : &s_default;
}

void QNObjectEnvironment::setCurrent(QNObjectEnvironment* env) {
    s_current = env;
}
