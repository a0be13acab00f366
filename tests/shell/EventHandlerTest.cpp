// Key translation into editor key codes and the order in which key bindings are matched.

#include <gtest/gtest.h>

#include "../model/ModelTestSupport.h"
#include "model/QNModelGeneralSettings.h"
#include "model/QNPAttributeKey.h"
#include "shell/EventHandler.h"

using namespace modeltest;

TEST(KeyTranslation, PrintableKeysAreTheirCharactersAndSpecialKeysAreOffset) {
    struct Case {
        int ois, editor;
    } cases[] = {{OIS::KC_A, 'A'},
                 {OIS::KC_0, '0'},
                 {OIS::KC_SPACE, ' '},
                 {OIS::KC_UP, 0x01000013},
                 {OIS::KC_F12, 0x0100003B},
                 {OIS::KC_NUMPADENTER, 0x01000005},
                 {OIS::KC_ESCAPE, 0x01000000},
                 {OIS::KC_RETURN, 0},
                 {OIS::KC_RSHIFT, 0},
                 {OIS::KC_NUMPAD5, 0},
                 {OIS::KC_ADD, '+'},
                 {OIS::KC_SLASH, '/'}};
    for (const Case& c : cases) EXPECT_EQ(qn::editorKeyCode(c.ois), c.editor) << "OIS key " << c.ois;
}

class KeyBindings : public ModelTest {};

TEST_F(KeyBindings, TheFirstBindingInOrderWins) {
    writeData("QNModelGeneralSettings.0.attributes.xml",
              model("QNModelGeneralSettings", 1,
                    attr("Move Up Key", kv("value", "74")) + attr("Jump Key", kv("value", "74")) +
                        attr("Shoot Key", kv("value", "75"))));
    loadAll();
    EXPECT_EQ(qn::boundAction('J'), 1) << "Move Up beats Jump";
    EXPECT_EQ(qn::boundAction('K'), 8);
    EXPECT_EQ(qn::boundAction('Q'), 0);
}
