#pragma once
// The process-wide registry of every model of the loaded project: a factory that creates models by
// class name, the loader of the data folder's property-list files, the indexes by id and by class,
// and the refreshes that keep a few dependent models' cached choices up to date when models of
// certain classes come or go.
//
// Ownership: the controller holds one reference to every model it registered (the creator's
// reference, handed over by addModel). A model it unregisters (removeModel) stays alive, still owned
// by the controller, until clean() releases every model at once; so a pointer to a model is valid
// until the next clean.

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace cocos2d {
class CCDictionary;
}

class QNModel;
class QNModelLoader;

/// The refresh routines that later subsystems provide. Each is optional; the controller calls them
/// only while refresh is enabled.
struct QNModelRefreshHooks {
    /// Every UI node that has a start node re-links it (navigation graph).
    std::function<void()> relinkStartNodes;
    /// Every label recomputes its world-dependent choices (after a world node came or went).
    std::function<void()> labels;
    /// Every unlocker recomputes its lock-button choices.
    std::function<void()> unlockerLocks;
    /// Every unlocker recomputes its character choices.
    std::function<void()> unlockerCharacters;
    /// Every character-unlock button updates.
    std::function<void()> characterUnlockButtons;
    /// Every powerup button updates its powerup choices.
    std::function<void()> powerupButtons;
    /// Every purchase button updates its powerup choices.
    std::function<void()> purchaseButtons;
};

class QNModelController {
public:
    /// Makes a new model of one class; the caller owns the returned reference.
    using Creator = std::function<QNModel*()>;

    /// The single instance, created on first call.
    static QNModelController* sharedModelController();
    /// Whether dependent refreshes run, for code without a controller pointer.
    static bool isRefreshEnabledGlobally();

    /// Marks the project modified when `model` is registered.
    virtual void modelChanged(QNModel* model);
    virtual ~QNModelController();

    /// Inserts or replaces the creator for `className`.
    void registerClass(const std::string& className, Creator creator);
    /// Whether the factory knows `className`.
    bool hasClass(const std::string& className) const;
    /// The factory's class names in the order the loader visits them.
    const std::vector<std::string>& classNames() const { return m_classOrder; }
    /// A new model of `className` with an id above every registered id, registered (the controller
    /// owns it); nullptr for an unknown class.
    QNModel* createModel(const std::string& className);
    /// Registers `model` and takes over the caller's reference; `index` −1 appends to its class
    /// list. Does nothing for nullptr or an id that is already registered (the caller keeps it).
    void addModel(QNModel* model, int index = -1);
    /// Registers a model made at run time under an id above every registered id. The controller
    /// takes over the caller's reference.
    void addRuntimeModel(QNModel* model);
    /// Unregisters `model` when its id is registered to it. The controller keeps it alive until
    /// clean().
    void removeModel(QNModel* model);
    /// Re-keys `model` after its id changed from `oldId`, when `oldId` is registered to it. When the
    /// new id belongs to another model, the change is undone and logged.
    void changeModelId(QNModel* model, unsigned int oldId);

    QNModel* modelById(unsigned int id) const;
    /// The first model of `className`, or nullptr.
    QNModel* firstModelOfClass(const std::string& className) const;
    /// A copy of the class list (empty when none).
    std::vector<QNModel*> modelsOfClass(const std::string& className) const;
    /// The class list itself, for loops that do not change it; valid until models come or go.
    const std::vector<QNModel*>& modelListOfClass(const std::string& className) const;
    /// Position of `model` within its class list, or −1.
    int indexWithinClass(const QNModel* model) const;
    /// Number of registered models.
    std::size_t modelCount() const { return m_byId.size(); }

    /// Reads one data file: 0 loaded, 1 absent, 2 present but unreadable.
    int loadData(const std::string& path, bool connectionsMode);
    /// Applies a whole data dictionary (attributes or connections).
    void applyDictionary(cocos2d::CCDictionary* root, bool connectionsMode);
    /// Reads the next data file of `folder`; true once the whole folder has been read. Called after
    /// completion, it cleans and starts over.
    bool loadNextFile(const std::string& folder);
    /// The loader's whole percentage, 0..100.
    int loadingProgress() const;

    /// Turns dependent refreshes on or off; turning them on with `runNow` runs every refresh.
    void setRefreshEnabled(bool enabled, bool runNow);
    bool isRefreshEnabled() const { return m_refreshEnabled; }
    /// The refresh routines; later subsystems fill them in.
    QNModelRefreshHooks& refreshHooks() { return m_hooks; }
    /// Re-links the start nodes of the UI nodes (used by the action wiring), when refresh is enabled.
    void refreshStartLinks();

    /// Forgets and releases every model and resets the loader.
    void clean();

    /// Next number of the model counter (incremented by every model constructor).
    unsigned int nextModelNumber() { return ++m_modelCounter; }
    const std::string& lastError() const { return m_lastError; }
    bool isModified() const { return m_modified; }

    /// The major, minor and patch version of the editor that wrote the project (2, 0, 0 without
    /// general settings or a readable version).
    static void parseYrVersion(int& major, int& minor, int& patch);

private:
    QNModelController();
    QNModelController(const QNModelController&) = delete;
    QNModelController& operator=(const QNModelController&) = delete;

    void addedModelHook(QNModel* model);
    void removedModelHook(QNModel* model);
    void refreshForClass(const std::string& className);
    void runHook(const std::function<void()>& hook);
    unsigned int freshId() const;

    std::unordered_map<std::string, Creator> m_factory;
    std::vector<std::string> m_classOrder;
    std::unordered_map<std::string, std::vector<QNModel*>> m_byClass;
    std::unordered_map<unsigned int, QNModel*> m_byId;
    // Models unregistered since the last clean, kept alive (and released) by the controller.
    std::unordered_set<QNModel*> m_retired;
    unsigned int m_highestId = 0;
    bool m_anyRegistered = false;
    std::string m_lastError;
    bool m_modified = false;
    unsigned int m_modelCounter = 0;
    std::unique_ptr<QNModelLoader> m_loader;
    bool m_refreshEnabled = true;
    QNModelRefreshHooks m_hooks;
};
