#include "shell/Snapshot.h"

#include <cstdio>
#include <unistd.h>
#include <utility>
#include <vector>

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

bool Snapshot::hasProvider(const std::string& name) { return findField(name) != nullptr; }

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

bool writeFileAtomically(const std::string& path, const std::string& text) {
    std::string temporary = path + ".tmp" + std::to_string(static_cast<long>(getpid()));
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fflush(file) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok) ok = std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(temporary.c_str());
    return ok;
}

bool Snapshot::writeFile(const std::string& path) {
    if (writeFileAtomically(path, toJson())) return true;
    logLine("[Snapshot] cannot write '%s'", path.c_str());
    return false;
}

} // namespace qn
