#include "world/WorldSnapshotFields.h"

#include <box2d/box2d.h>

#include "framework/CCArray.h"
#include "navigation/QNPNavigationController.h"
#include "objects/QNPObject.h"
#include "shell/QNPInputController.h"
#include "shell/Snapshot.h"
#include "world/QNPGameFieldCamera.h"
#include "world/QNPScreenScene.h"
#include "world/QNScoreRecords.h"

using namespace cocos2d;

namespace qn {
namespace {

QNPScreenScene* runningWorld() {
    return QNPNavigationController::sharedController()->worldLayer();
}

void writeItem(JsonWriter& json, const char* name, const QNScoreItem& item) {
    json.key(name).beginObject();
    json.key("current").value(item.current);
    json.key("best").value(item.best);
    json.key("total").value(item.total);
    json.endObject();
}

void writeRecord(JsonWriter& json, const QNScoreRecord& record) {
    json.beginObject();
    writeItem(json, "distance", record.distance);
    writeItem(json, "points", record.points);
    writeItem(json, "coins", record.coins);
    json.endObject();
}

void countObjects(CCNode* node, long counts[13]) {
    CCArray* children = node ? node->getChildren() : nullptr;
    if (!children) return;
    for (CCObject* child : children->data()) {
        auto* childNode = static_cast<CCNode*>(child);
        if (auto* object = dynamic_cast<QNPObject*>(childNode)) {
            if (object->state() != QNPObject::kStateDestroyed) {
                ++counts[0];
                for (int bit = 0; bit < 12; ++bit)
                    if (object->kind() & (1 << bit)) ++counts[bit + 1];
            }
        }
        countObjects(childNode, counts);
    }
}

} // namespace

void registerWorldSnapshotFields() {
    Snapshot::addProvider("paused", [](JsonWriter& json) {
        QNPScreenScene* world = runningWorld();
        json.value(world ? world->isPaused() : false);
    });
    Snapshot::addProvider("scores", [](JsonWriter& json) {
        json.beginObject();
        json.key("world");
        writeRecord(json, scoreRecord(QNPNavigationController::sharedController()->worldKey()));
        json.key("global");
        writeRecord(json, scoreRecord(""));
        json.endObject();
    });
    Snapshot::addProvider("gameOver", [](JsonWriter& json) {
        QNPScreenScene* world = runningWorld();
        json.value(world ? world->isGameOver() : false);
    });
    Snapshot::addProvider("objects", [](JsonWriter& json) {
        static const char* const kNames[13] = {"total",    "character", "unit",  "powerup", "background",
                                               "spawned",  "effect",    "label", "logic",   "teleport",
                                               "captured", "group",     "mirror"};
        long counts[13] = {0};
        if (QNPScreenScene* world = runningWorld()) countObjects(world->gameLayer(), counts);
        json.beginObject();
        for (int i = 0; i < 13; ++i) json.key(kNames[i]).value(static_cast<std::int64_t>(counts[i]));
        json.endObject();
    });
    Snapshot::addProvider("characters", [](JsonWriter& json) {
        json.beginArray();
        QNPScreenScene* world = runningWorld();
        if (world && world->inputController()) {
            for (CCObject* element : world->inputController()->characters()->data()) {
                auto* character = static_cast<QNPObject*>(element);
                CCPoint p = character->getPosition();
                if (b2Body* body = character->body())
                    p = CCPoint(body->GetPosition().x * QNPObject::kPointsPerMetre,
                                body->GetPosition().y * QNPObject::kPointsPerMetre);
                const int state = character->state();
                json.beginObject();
                json.key("x").value((double)p.x);
                json.key("y").value((double)p.y);
                json.key("state").value(state);
                json.key("playing").value(state != QNPObject::kStateDying &&
                                          state != QNPObject::kStateDestroyed);
                json.endObject();
            }
        }
        json.endArray();
    });
}

} // namespace qn
