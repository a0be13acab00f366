#pragma once
// The factory's table of model classes, registered by the controller's constructor.

class QNModelController;

namespace qn {

/// Registers the creator of every model class of a project, in the loader's visiting order (the
/// general settings first). A class whose own model type is not written yet is created as a plain
/// model (or compound model, or component) of its class name carrying just "Name"; when its type
/// arrives, its line here names the new type.
void registerModelClasses(QNModelController& controller);

} // namespace qn
