#pragma once
// Which sprites the editor packed into one atlas file ("data/atlases/atlas_ID<id>.plist"). The
// player reads the frame positions from the atlas files; the model only keeps the list and can
// repack it when a sprite leaves.

#include <vector>

#include "model/QNModel.h"

class QNModelSprite;
class QNPAttributeFloat;

class QNModelAtlas : public QNModel {
public:
    QNModelAtlas();
    ~QNModelAtlas() override;

    /// Adds "sprites": the sprite ids in order.
    cocos2d::CCDictionary* connectionsDictionary() override;
    /// Appends every resolvable sprite listed under "sprites".
    void initConnections(cocos2d::CCDictionary* dict) override;

    /// Appends `sprite` (nullptr and repeats are ignored) and takes a reference to it.
    void addSprite(QNModelSprite* sprite);
    /// Drops `sprite` from the list and repacks the others.
    void removeSprite(QNModelSprite* sprite);
    /// Places every sprite again: id descending, then (stably) height descending, into a binary
    /// tree of free slots of the atlas size; each sprite takes its size plus the padding. A sprite
    /// that does not fit keeps pos (0, 0).
    void repack();
    bool containsSprite(const QNModelSprite* sprite) const;
    const std::vector<QNModelSprite*>& sprites() const { return m_sprites; }

    /// The "data/atlases/atlas_ID<id>.plist" path the loading sequence reads.
    std::string plistPath() const;

    QNPAttributeFloat* width() const { return m_width; }
    QNPAttributeFloat* height() const { return m_height; }
    QNPAttributeFloat* padding() const { return m_padding; }

protected:
    QNModel* createEmptyCopy() const override { return new QNModelAtlas(); }

private:
    QNPAttributeFloat* m_width = nullptr;
    QNPAttributeFloat* m_height = nullptr;
    QNPAttributeFloat* m_padding = nullptr;
    std::vector<QNModelSprite*> m_sprites;
};
