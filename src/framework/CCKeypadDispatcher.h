#pragma once
// Keypad dispatch: the back and menu keys and the key codes this platform passes on (19 up,
// 20 down, 21 left, 22 right, 23 enter, 96/99/100 gamepad buttons). Every registered delegate gets
// every message, in the order the delegates were registered. Delegates are retained while
// registered (when they are CCObjects); adding and removing them during a dispatch is safe (a
// removed delegate gets nothing more, an added one starts with the next message).

#include <vector>

#include "framework/CCObject.h"

namespace cocos2d {

enum ccKeypadMSGType {
    kTypeBackClicked = 1,
    kTypeMenuClicked,
};

class CCKeypadDelegate {
public:
    virtual ~CCKeypadDelegate() = default;
    /// The back key (Escape, Backspace).
    virtual void keyBackClicked() {}
    /// The menu key (F1).
    virtual void keyMenuClicked() {}
    /// A key with a code went down or up.
    virtual void onKeyDown(int keyCode) { (void)keyCode; }
    virtual void onKeyUp(int keyCode) { (void)keyCode; }
};

class CCKeypadDispatcher : public CCObject {
public:
    CCKeypadDispatcher() = default;
    ~CCKeypadDispatcher() override;

    /// Registers `delegate` (ignored when nullptr or registered already).
    void addDelegate(CCKeypadDelegate* delegate);
    void removeDelegate(CCKeypadDelegate* delegate);
    void removeAllDelegates();
    bool isRegistered(CCKeypadDelegate* delegate) const;
    unsigned int delegateCount() const;

    /// Sends back or menu to every delegate; false when there was none.
    bool dispatchKeypadMSG(ccKeypadMSGType type);
    bool dispatchKeyDown(int keyCode);
    bool dispatchKeyUp(int keyCode);

private:
    struct Entry {
        CCKeypadDelegate* delegate;
        CCObject* object;
        bool removed;
    };
    enum class Message { Back, Menu, Down, Up };
    bool dispatch(Message message, int keyCode);
    void purge();

    std::vector<Entry> m_entries;
    std::vector<Entry> m_pending;
    bool m_bLocked = false;
};

} // namespace cocos2d
