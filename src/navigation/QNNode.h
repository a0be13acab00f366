#pragma once
// Nodes of the navigation graph. Every UI screen and every world has one node; an output action of
// one node linked to the input of another says where a named exit of a screen leads. A node stands
// for one screen model (its linked model) and carries one output per navigation object on it
// (buttons, lock buttons, screen jumps, event observers), named after the object.

#include <string>
#include <vector>

#include "model/QNModel.h"

class QNPAttributeAction;
class QNPAttributePoint;

class QNNode : public QNModel {
public:
    QNNode();
    ~QNNode() override;

    /// Adds "modelId" (when linked) and "attributesCount" to the base connections.
    cocos2d::CCDictionary* connectionsDictionary() override;
    /// Restores the links, the linked model and outputs whose objects were not known when saved.
    void initConnections(cocos2d::CCDictionary* dict) override;
    /// Removes the linked model too.
    void remove() override;
    /// Links a duplicate of the other's linked model, then copies outputs and values in its order.
    void copyFrom(QNModel* other) override;
    /// A Name change asks the labels to refresh their choices (while refreshes run).
    void attributeChanged(QNPAttribute* attribute) override;

    /// Adds an output for every navigation object of the linked screen that has none yet. Outputs
    /// are never removed.
    void refreshActionOutputs();

    /// The screen model this node stands for (not owned: the controller owns every model).
    QNModel* linkedModel() const { return m_linkedModel; }
    void setLinkedModel(QNModel* model) { m_linkedModel = model; }
    /// The node's input ("Input", "Load" or "---" depending on the class).
    QNPAttributeAction* inputAction() const { return m_input; }
    /// The output action called `name`, or nullptr.
    QNPAttributeAction* outputNamed(const std::string& name) const;
    /// The screen model at the far end of `output` (the linked model of the node owning its
    /// input), or nullptr when unconnected.
    static QNModel* destinationOf(const QNPAttributeAction* output);
    /// The node at the far end of `output`, or nullptr.
    static QNNode* farNodeOf(const QNPAttributeAction* output);

    /// The names of the navigation objects of `screen`, in the order outputs are made for them:
    /// buttons and lock buttons first, then screen jumps, then event observers.
    static std::vector<std::string> navigationObjectNames(QNModel* screen);

protected:
    /// A node of another class (subclasses).
    QNNode(const std::string& className, const std::string& inputName);
    QNModel* createEmptyCopy() const override { return new QNNode(); }
    /// Appends an output action called `name`.
    QNPAttributeAction* addOutput(const std::string& name);

private:
    QNModel* m_linkedModel = nullptr;
    QNPAttributeAction* m_input = nullptr;
    QNPAttributePoint* m_position = nullptr;
};

/// The node of a world; its "UI" output names the screen shown as the world's HUD.
class QNNodeScene : public QNNode {
public:
    QNNodeScene();
    QNPAttributeAction* hudAction() const { return m_hud; }

protected:
    QNModel* createEmptyCopy() const override { return new QNNodeScene(); }

private:
    QNPAttributeAction* m_hud = nullptr;
};

/// The node of a UI screen.
class QNNodeUI : public QNNode {
public:
    QNNodeUI();

protected:
    QNNodeUI(const std::string& className, const std::string& inputName) : QNNode(className, inputName) {}
    QNModel* createEmptyCopy() const override { return new QNNodeUI(); }
};

/// The start node: nothing can lead into it; its "Load" output names the first real content.
class QNNodeUIStart : public QNNodeUI {
public:
    QNNodeUIStart();
    QNPAttributeAction* loadAction() const { return m_load; }

protected:
    QNModel* createEmptyCopy() const override { return new QNNodeUIStart(); }

private:
    QNPAttributeAction* m_load = nullptr;
};

namespace qn {
/// The selected value of the button model's "Action" enumeration ("" when it has none).
std::string buttonActionOf(const QNModel* button);
/// The key of a screen or world model ("" for anything else).
std::string screenKeyOf(const QNModel* screen);
/// Re-links every node's outputs; registered as the controller's refresh hook for node classes.
void refreshAllNodeOutputs();
} // namespace qn
