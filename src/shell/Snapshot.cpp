#include "shell/Snapshot.h"

#include <utility>
#include <vector>

#include "framework/CCFileUtils.h"
#include "platform/DebugLog.h"

namespace qn {
namespace {

struct Field {
    std::string name;
    Snapshot::Provider provider;
};

std::vector<Field>& fields() {
    static std::vector<Field> registry;
    return registry;
}

Field* findField(const std::string& name) {
    for (Field& field : fields())
        if (field.name == name) return &field;
    return nullptr;
}

} // namespace

void Snapshot::addProvider(const std::string& name, Provider provider) {
    if (Field* field = findField(name)) {
        field->provider = std::move(provider);
        return;
    }
    fields().push_back({name, std::move(provider)});
}

void Snapshot::removeProvider(const std::string& name) {
    auto& all = fields();
    for (auto it = all.begin(); it != all.end(); ++it) {
        if (it->name == name) {
            all.erase(it);
            return;
        }
    }
}

bool Snapshot::hasProvider(const std::string& name) {
    return findField(name) != nullptr;
}

std::string Snapshot::toJson() {
    JsonWriter json;
    json.beginObject();
    for (const Field& field : fields()) {
        json.key(field.name);
        // A provider that writes nothing would leave a dangling key: fill it with null.
        size_t before = json.str().size();
        if (field.provider) field.provider(json);
        if (json.str().size() == before) json.null();
    }
    json.endObject();
    return json.str() + "\n";
}

bool Snapshot::writeFile(const std::string& path) {
    std::string error;
    if (cocos2d::CCFileUtils::sharedFileUtils()->writeFileAtomically(path, toJson(), &error)) return true;
    logLine("[Snapshot] cannot write '%s': %s", path.c_str(), error.c_str());
    return false;
}

} // namespace qn
