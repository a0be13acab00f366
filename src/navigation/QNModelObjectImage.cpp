#include "navigation/QNModelObjectImage.h"

#include "model/QNPAttributeBoolean.h"
#include "model/QNPAttributeFloat.h"
#include "model/QNPAttributeReference.h"

QNModelObjectImage::QNModelObjectImage(const std::string& className, const std::string& displayName)
    : QNModelObject(className, displayName) {
    m_image = static_cast<QNPAttributeSprite*>(addAttribute("Image", QNPAttribute::kTypeSprite));
    addAttribute("Autohide", QNPAttribute::kTypeFloat);
    static_cast<QNPAttributeBoolean*>(addAttribute("Stick To Edge", QNPAttribute::kTypeBoolean))
        ->setDefault(true);
}

QNModel* QNModelObjectImage::displayAnimation() const {
    return m_image ? m_image->target() : nullptr;
}

float QNModelObjectImage::autohide() const {
    auto* a = dynamic_cast<QNPAttributeFloat*>(attributeNamed("Autohide"));
    return a ? a->value() : 0.0f;
}

bool QNModelObjectImage::sticksToEdge() const {
    auto* a = dynamic_cast<QNPAttributeBoolean*>(attributeNamed("Stick To Edge"));
    return a && a->value();
}

void QNModelObjectImage::update(float dt) {
    (void)dt;
    if (QNModel* picture = displayAnimation()) picture->setAnimationTime(animationTime());
}
