// Feeds one fuzzed data file to the model controller: written into a temporary data folder, read in
// the attributes phase and then in the connections phase, after which every model is written back,
// some are duplicated and removed, and the controller is cleaned (which must release everything).

#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/CCAutoreleasePool.h"
#include "framework/CCDictionary.h"
#include "model/QNModel.h"
#include "model/QNModelController.h"
#include "platform/DebugLog.h"

namespace {

std::string makeFolder() {
    char pattern[] = "/tmp/qnfuzz-model-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) abort();
    std::string folder = std::string(made) + "/data";
    if (mkdir(folder.c_str(), 0700) != 0) abort();
    return folder;
}

const std::string& dataFolder() {
    static const std::string folder = makeFolder();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::string discard;
    qn::setLogCapture(nullptr);
    const std::string path = dataFolder() + "/QNModelGeneralSettings.0.xml";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);

    QNModelController* controller = QNModelController::sharedModelController();
    controller->clean();
    controller->loadData(path, false);
    controller->loadData(path, true);

    // Write every model back, duplicate the first few and remove every other one.
    std::vector<QNModel*> models;
    for (const std::string& className : controller->classNames())
        for (QNModel* model : controller->modelListOfClass(className)) models.push_back(model);
    for (QNModel* model : controller->modelListOfClass("QNModelObject")) models.push_back(model);
    std::size_t index = 0;
    for (QNModel* model : models) {
        model->attributesDictionary();
        model->connectionsDictionary();
        if (index < 8) model->duplicate();
        if (index % 2 == 1) model->remove();
        ++index;
    }
    cocos2d::CCPoolManager::sharedPoolManager()->finalize();
    controller->clean();
    return 0;
}
