#pragma once
// Turns a placed object model into its runtime object, by the model's class name.

class QNModel;
class QNPObject;

/// The runtime object for `objectModel`, autoreleased, or nullptr when the model makes none
/// (unknown class, no asset, unusable character asset, dangling or cyclic instance, failed
/// appearance draw).
QNPObject* createObject(QNModel* objectModel);
