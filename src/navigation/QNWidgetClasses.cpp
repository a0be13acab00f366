// The one place that knows every widget family, so their creators are registered whatever the
// linker keeps: the application delegate calls registerWidgetClasses() at launch.
#include "navigation/QNWidgetFactory.h"

namespace qn {

void registerWidgetClasses() {
    // Buttons, images, labels, loading bars and the other widget families add their
    // registration calls here as they arrive.
}

} // namespace qn
