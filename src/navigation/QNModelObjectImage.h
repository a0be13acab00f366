#pragma once
// The model of an image widget: a placed object with a picture ("Image", a sprite container), an
// "Autohide" delay and "Stick To Edge" placement. Buttons build on it.

#include "objects/QNModelObject.h"

class QNPAttributeSprite;

class QNModelObjectImage : public QNModelObject {
public:
    explicit QNModelObjectImage(const std::string& className = "QNModelObjectImage",
                                const std::string& displayName = "Untitled");

    /// The "Image" sprite container (not owned), or nullptr.
    QNModel* displayAnimation() const override;
    /// Seconds until the widget fades out; 0 never.
    float autohide() const;
    bool sticksToEdge() const;
    /// Copies this model's animation time to its picture.
    void update(float dt);

protected:
    QNModel* createEmptyCopy() const override { return new QNModelObjectImage(className(), ""); }

    QNPAttributeSprite* m_image = nullptr;
};
