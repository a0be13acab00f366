#include "presentation/QNModelAtlas.h"

#include <algorithm>
#include <memory>

#include "framework/CCArray.h"
#include "framework/CCDictionary.h"
#include "framework/CCString.h"
#include "model/QNModelController.h"
#include "model/QNPAttributeFloat.h"
#include "presentation/QNModelSprite.h"

using namespace cocos2d;

QNModelAtlas::QNModelAtlas() : QNModel("QNModelAtlas") {
    auto side = [this](const char* name) {
        auto* attribute = static_cast<QNPAttributeFloat*>(addAttribute(name, QNPAttribute::kTypeFloat));
        attribute->setMinimum(128.0f);
        attribute->setMaximum(4096.0f);
        attribute->setDefault(128.0f);
        return attribute;
    };
    m_width = side("width");
    m_height = side("height");
    m_padding = static_cast<QNPAttributeFloat*>(addAttribute("padding", QNPAttribute::kTypeFloat));
}

QNModelAtlas::~QNModelAtlas() {
    for (QNModelSprite* sprite : m_sprites) sprite->release();
}

CCDictionary* QNModelAtlas::connectionsDictionary() {
    CCDictionary* dict = QNModel::connectionsDictionary();
    CCArray* ids = CCArray::createWithCapacity((unsigned int)m_sprites.size());
    for (QNModelSprite* sprite : m_sprites) ids->addObject(CCString::createWithFormat("%u", sprite->id()));
    dict->setObject(ids, "sprites");
    return dict;
}

void QNModelAtlas::initConnections(CCDictionary* dict) {
    QNModel::initConnections(dict);
    if (!dict) return;
    auto* ids = dynamic_cast<CCArray*>(dict->objectForKey("sprites"));
    if (!ids) return;
    QNModelController* controller = QNModelController::sharedModelController();
    for (CCObject* element : ids->data()) {
        if (auto* text = dynamic_cast<CCString*>(element))
            addSprite(dynamic_cast<QNModelSprite*>(controller->modelById(text->uintValue())));
    }
}

void QNModelAtlas::addSprite(QNModelSprite* sprite) {
    if (!sprite || containsSprite(sprite)) return;
    sprite->retain();
    m_sprites.push_back(sprite);
}

void QNModelAtlas::removeSprite(QNModelSprite* sprite) {
    auto it = std::find(m_sprites.begin(), m_sprites.end(), sprite);
    if (it == m_sprites.end()) return;
    m_sprites.erase(it);
    sprite->release();
    repack();
}

bool QNModelAtlas::containsSprite(const QNModelSprite* sprite) const {
    return std::find(m_sprites.begin(), m_sprites.end(), sprite) != m_sprites.end();
}

std::string QNModelAtlas::plistPath() const {
    char path[64];
    std::snprintf(path, sizeof path, "data/atlases/atlas_ID%u.plist", id());
    return path;
}

namespace {

// A free or used slot of the binary-tree packer. A used slot has two children: the free part to
// the right of the placed piece and the free part below it.
struct Slot {
    CCRect rect;
    bool used = false;
    std::unique_ptr<Slot> right;
    std::unique_ptr<Slot> below;
};

Slot* findSlot(Slot* slot, float w, float h) {
    if (!slot) return nullptr;
    if (slot->used) {
        if (Slot* found = findSlot(slot->right.get(), w, h)) return found;
        return findSlot(slot->below.get(), w, h);
    }
    if (w <= slot->rect.size.width && h <= slot->rect.size.height) return slot;
    return nullptr;
}

void splitSlot(Slot* slot, float w, float h) {
    slot->used = true;
    const CCRect& r = slot->rect;
    slot->right.reset(new Slot);
    slot->right->rect = CCRectMake(r.origin.x + w, r.origin.y, r.size.width - w, h);
    slot->below.reset(new Slot);
    slot->below->rect = CCRectMake(r.origin.x, r.origin.y + h, r.size.width, r.size.height - h);
}

} // namespace

void QNModelAtlas::repack() {
    std::vector<QNModelSprite*> order = m_sprites;
    for (QNModelSprite* sprite : order) sprite->setPos(CCPointZero);
    std::sort(order.begin(), order.end(),
              [](QNModelSprite* a, QNModelSprite* b) { return a->id() > b->id(); });
    std::stable_sort(order.begin(), order.end(),
                     [](QNModelSprite* a, QNModelSprite* b) { return a->size().height > b->size().height; });
    Slot root;
    root.rect = CCRectMake(0, 0, m_width->value(), m_height->value());
    const float padding = m_padding->value();
    for (QNModelSprite* sprite : order) {
        const float w = sprite->size().width + padding, h = sprite->size().height + padding;
        if (!(w > 0.0f) || !(h > 0.0f)) continue;
        if (Slot* slot = findSlot(&root, w, h)) {
            splitSlot(slot, w, h);
            sprite->setPos(slot->rect.origin);
        }
    }
}
