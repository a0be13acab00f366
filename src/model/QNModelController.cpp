#include "model/QNModelController.h"

#include <algorithm>
#include <climits>

#include "framework/CCArray.h"
#include "framework/CCAutoreleasePool.h"
#include "framework/CCDictionary.h"
#include "framework/CCFileUtils.h"
#include "model/QNDataText.h"
#include "model/QNModel.h"
#include "model/QNModelClassTable.h"
#include "model/QNModelGeneralSettings.h"
#include "model/QNModelLoader.h"
#include "model/QNPAttributeParticlesEmitters.h"

using namespace cocos2d;

namespace {
bool g_refreshEnabled = true;
const std::vector<QNModel*> kNoModels;
const char* const kParticlesClass = "QNModelObjectAssetParticles";

/// Calls `visit` for each emitter of a particles model (found through its emitters attributes).
template <typename Visit> void forEachEmitter(QNModel* particles, Visit visit) {
    for (QNPAttribute* attribute : particles->attributes()) {
        if (attribute->type() != QNPAttribute::kTypeParticlesEmitters) continue;
        std::vector<QNModel*> emitters = static_cast<QNPAttributeParticlesEmitters*>(attribute)->emitters();
        for (QNModel* emitter : emitters) visit(emitter);
    }
}
} // namespace

QNModelController* QNModelController::sharedModelController() {
    static QNModelController* controller = new QNModelController();
    return controller;
}

bool QNModelController::isRefreshEnabledGlobally() {
    return g_refreshEnabled;
}

QNModelController::QNModelController() : m_loader(new QNModelLoader()) {
    g_refreshEnabled = true;
    qn::registerModelClasses(*this);
}

QNModelController::~QNModelController() = default;

void QNModelController::modelChanged(QNModel* model) {
    if (model && m_byId.count(model->id())) m_modified = true;
}

void QNModelController::registerClass(const std::string& className, Creator creator) {
    if (!creator) return;
    if (m_factory.find(className) == m_factory.end()) m_classOrder.push_back(className);
    m_factory[className] = std::move(creator);
}

bool QNModelController::hasClass(const std::string& className) const {
    return m_factory.count(className) > 0;
}

unsigned int QNModelController::freshId() const {
    if (!m_anyRegistered) return 1;
    if (m_highestId < UINT_MAX) return m_highestId + 1;
    // Every id up to the top was seen: take the lowest free one.
    unsigned int id = 1;
    while (m_byId.count(id)) ++id;
    return id;
}

QNModel* QNModelController::createModel(const std::string& className) {
    auto it = m_factory.find(className);
    if (it == m_factory.end()) return nullptr;
    QNModel* model = it->second();
    if (!model) return nullptr;
    addRuntimeModel(model);
    return model;
}

void QNModelController::addRuntimeModel(QNModel* model) {
    if (!model) return;
    if (m_byId.count(model->id()) || (m_anyRegistered && model->id() <= m_highestId)) model->m_id = freshId();
    addModel(model, -1);
}

void QNModelController::addModel(QNModel* model, int index) {
    if (!model || m_byId.count(model->id())) return;
    m_byId[model->id()] = model;
    if (!m_retired.empty()) m_retired.erase(model);
    if (!m_anyRegistered || model->id() > m_highestId) m_highestId = model->id();
    m_anyRegistered = true;

    std::vector<QNModel*>& list = m_byClass[model->className()];
    if (index >= 0 && (std::size_t)index < list.size())
        list.insert(list.begin() + index, model);
    else
        list.push_back(model);
    addedModelHook(model);
}

void QNModelController::addedModelHook(QNModel* model) {
    if (model->hasClassName(kParticlesClass)) {
        forEachEmitter(model, [this](QNModel* emitter) {
            if (m_byId.find(emitter->id()) == m_byId.end()) addModel(emitter, -1);
        });
        return;
    }
    if (m_refreshEnabled) refreshForClass(model->className());
}

void QNModelController::removeModel(QNModel* model) {
    if (!model) return;
    auto it = m_byId.find(model->id());
    // Only the model registered under that id may be removed by it.
    if (it == m_byId.end() || it->second != model) return;
    m_byId.erase(it);
    auto list = m_byClass.find(model->className());
    if (list != m_byClass.end()) {
        auto at = std::find(list->second.begin(), list->second.end(), model);
        if (at != list->second.end()) list->second.erase(at);
    }
    m_retired.insert(model);
    removedModelHook(model);
}

void QNModelController::removedModelHook(QNModel* model) {
    if (model->hasClassName(kParticlesClass)) {
        forEachEmitter(model, [this](QNModel* emitter) { removeModel(emitter); });
        return;
    }
    if (m_refreshEnabled) refreshForClass(model->className());
}

void QNModelController::changeModelId(QNModel* model, unsigned int oldId) {
    if (!model) return;
    auto it = m_byId.find(oldId);
    if (it == m_byId.end() || it->second != model) return;
    auto taken = m_byId.find(model->id());
    if (taken != m_byId.end() && taken->second != model) {
        CCLog("[QNModelController] - id %u is already in use; model keeps id %u", model->id(), oldId);
        model->m_id = oldId;
        return;
    }
    m_byId.erase(it);
    m_byId[model->id()] = model;
    if (model->id() > m_highestId) m_highestId = model->id();
    modelChanged(model);
}

QNModel* QNModelController::modelById(unsigned int id) const {
    auto it = m_byId.find(id);
    return it == m_byId.end() ? nullptr : it->second;
}

QNModel* QNModelController::firstModelOfClass(const std::string& className) const {
    auto it = m_byClass.find(className);
    return it == m_byClass.end() || it->second.empty() ? nullptr : it->second.front();
}

std::vector<QNModel*> QNModelController::modelsOfClass(const std::string& className) const {
    return modelListOfClass(className);
}

const std::vector<QNModel*>& QNModelController::modelListOfClass(const std::string& className) const {
    auto it = m_byClass.find(className);
    return it == m_byClass.end() ? kNoModels : it->second;
}

int QNModelController::indexWithinClass(const QNModel* model) const {
    if (!model) return -1;
    const std::vector<QNModel*>& list = modelListOfClass(model->className());
    auto it = std::find(list.begin(), list.end(), model);
    return it == list.end() ? -1 : (int)(it - list.begin());
}

int QNModelController::loadData(const std::string& path, bool connectionsMode) {
    if (!CCFileUtils::sharedFileUtils()->isFileExist(path)) return 1;
    CCLog("[QNModelController] load data(%d) for class from file: %s", connectionsMode ? 1 : 0, path.c_str());
    CCDictionary* root = CCDictionary::createWithContentsOfFileThreadSafe(path.c_str());
    if (!root) {
        CCLog("[QNModelController] load data - fail");
        m_lastError = "Unable to load data";
        return 2;
    }
    // What the models create while reading and do not keep goes with this pool.
    CCPoolManager::sharedPoolManager()->push();
    applyDictionary(root, connectionsMode);
    root->release();
    CCPoolManager::sharedPoolManager()->pop();
    return 0;
}

void QNModelController::applyDictionary(CCDictionary* root, bool connectionsMode) {
    if (!root) return;
    auto* models = dynamic_cast<CCArray*>(root->objectForKey("ROOT"));
    if (!models || models->count() == 0) return;
    for (CCObject* element : models->data()) {
        auto* dict = dynamic_cast<CCDictionary*>(element);
        if (!dict) continue;
        const unsigned int id = ccTextToUInt(qn::textFor(dict, "id").c_str());
        if (connectionsMode) {
            if (QNModel* model = modelById(id)) model->initConnections(dict);
            continue;
        }
        const std::string& className = qn::textFor(dict, "className");
        if (className.empty() || m_byId.count(id)) continue;
        auto creator = m_factory.find(className);
        if (creator == m_factory.end()) continue;
        QNModel* model = creator->second();
        if (!model) continue;
        model->initWithDictionary(dict);
        if (m_byId.count(model->id())) {
            // Cannot happen with the id checked above, unless a model re-keys itself while reading.
            model->release();
            continue;
        }
        addModel(model, -1);
    }
}

bool QNModelController::loadNextFile(const std::string& folder) {
    return m_loader->loadNextFile(*this, folder);
}

int QNModelController::loadingProgress() const {
    return m_loader->progress();
}

void QNModelController::runHook(const std::function<void()>& hook) {
    if (m_refreshEnabled && hook) hook();
}

void QNModelController::refreshStartLinks() {
    runHook(m_hooks.relinkStartNodes);
}

void QNModelController::refreshForClass(const std::string& className) {
    if (className == "QNNodeScene") {
        runHook(m_hooks.labels);
    } else if (className == "QNModelObjectLockButton") {
        runHook(m_hooks.unlockerLocks);
    } else if (className == "QNModelAssetCharacter") {
        runHook(m_hooks.unlockerCharacters);
        runHook(m_hooks.characterUnlockButtons);
    } else if (className == "QNModelAssetPowerup") {
        runHook(m_hooks.powerupButtons);
        runHook(m_hooks.purchaseButtons);
    }
}

void QNModelController::setRefreshEnabled(bool enabled, bool runNow) {
    if (enabled == m_refreshEnabled) return;
    m_refreshEnabled = g_refreshEnabled = enabled;
    if (!enabled || !runNow) return;
    runHook(m_hooks.relinkStartNodes);
    runHook(m_hooks.labels);
    runHook(m_hooks.unlockerLocks);
    runHook(m_hooks.unlockerCharacters);
    runHook(m_hooks.powerupButtons);
    runHook(m_hooks.purchaseButtons);
    runHook(m_hooks.characterUnlockButtons);
}

void QNModelController::clean() {
    CCLog("[QNModelController] -- Cleaning");
    std::vector<QNModel*> models;
    models.reserve(m_byId.size() + m_retired.size());
    for (const auto& entry : m_byId) models.push_back(entry.second);
    for (QNModel* model : m_retired) models.push_back(model);
    m_byClass.clear();
    m_byId.clear();
    m_retired.clear();
    m_highestId = 0;
    m_anyRegistered = false;
    m_lastError.clear();
    m_modified = false;
    m_modelCounter = 0;
    m_loader->reset();

    for (QNModel* model : models) model->release();
    CCPoolManager::sharedPoolManager()->finalize();
    if (!m_refreshEnabled) m_refreshEnabled = g_refreshEnabled = true;
}

void QNModelController::parseYrVersion(int& major, int& minor, int& patch) {
    major = 2;
    minor = 0;
    patch = 0;
    auto* settings = dynamic_cast<QNModelGeneralSettings*>(
        sharedModelController()->firstModelOfClass("QNModelGeneralSettings"));
    if (settings) QNModelGeneralSettings::parseVersionText(settings->yrVersion(), major, minor, patch);
}
