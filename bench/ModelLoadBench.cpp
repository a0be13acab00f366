// Loading a whole project through the model controller's incremental loader, against pugixml's bare
// parse of the same files; and lookups by id and by class. The project (20,000 models of mixed
// classes over about 100 files; 200 models with QN_BENCH_SMOKE) is generated in a temporary folder.
// Both sides are timed in thread CPU time; "ratio" is load time over bare parse time.

#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "framework/CCAutoreleasePool.h"
#include "framework/CCDictionary.h"
#include "model/QNModel.h"
#include "model/QNModelController.h"

namespace {

bool smoke() {
    return std::getenv("QN_BENCH_SMOKE") != nullptr;
}

const char* const kClasses[] = {
    "QNModelObject",          "QNModelObjectImage",   "QNModelComponentHealth", "QNModelSound",
    "QNModelObjectLabel",     "QNModelObjectButton",  "QNModelAssetObstacle",   "QNModelLevelSection",
    "QNModelObjectAssetUnit", "QNModelComponentMove",
};

std::string entry(const std::string& key, const std::string& value) {
    return "<key>" + key + "</key><string>" + value + "</string>";
}

/// A generated project: its data folder and the list of its files.
struct Project {
    std::string root;
    std::string data;
    std::vector<std::string> files;
    int models = 0;
};

void writeFile(const std::string& path, const std::string& text) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

const Project& project() {
    static Project made = [] {
        Project p;
        char pattern[] = "/tmp/qnbench-model-XXXXXX";
        p.root = mkdtemp(pattern) ? pattern : "/tmp";
        p.data = p.root + "/data";
        mkdir(p.data.c_str(), 0700);
        const int total = smoke() ? 200 : 20000;
        const int filesPerClass = smoke() ? 1 : 10;
        const int perFile = total / (10 * filesPerClass);
        const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                                 "<key>ROOT</key><array>\n";
        const std::string tail = "</array></dict></plist>\n";

        std::string settings = head + "<dict>" + entry("className", "QNModelGeneralSettings") +
                               entry("id", "1") + "<key>Application Name</key><dict>" +
                               entry("value", "Bench") + "</dict></dict>" + tail;
        p.files.push_back(p.data + "/QNModelGeneralSettings.0.attributes.xml");
        writeFile(p.files.back(), settings);
        p.models = 1;

        unsigned int id = 2;
        for (int c = 0; c < 10; ++c) {
            for (int f = 0; f < filesPerClass; ++f) {
                std::string attributes = head;
                std::string connections = head;
                for (int m = 0; m < perFile; ++m, ++id) {
                    // Files of one name hold a mix of classes, as exported projects do.
                    const char* className = kClasses[(c + m) % 10];
                    attributes += "<dict>" + entry("className", className) + entry("id", std::to_string(id)) +
                                  "<key>Name</key><dict>" + entry("value", "model " + std::to_string(id)) +
                                  "</dict><key>Position</key><dict>" + entry("value", "{12.000,34.000}") +
                                  "</dict><key>Opacity</key><dict>" + entry("value", "0.500000") +
                                  "</dict></dict>\n";
                    connections += "<dict>" + entry("id", std::to_string(id)) +
                                   "<key>components</key><array>" + "<string>" + std::to_string(id + 1) +
                                   "</string></array></dict>\n";
                    ++p.models;
                }
                const std::string stem = p.data + "/" + kClasses[c] + "." + std::to_string(f);
                p.files.push_back(stem + ".attributes.xml");
                writeFile(p.files.back(), attributes + tail);
                p.files.push_back(stem + ".connections.xml");
                writeFile(p.files.back(), connections + tail);
            }
        }
        return p;
    }();
    return made;
}

/// This thread's CPU time in seconds: steadier than the wall clock on a shared machine.
double cpuNow() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return (double)t.tv_sec + (double)t.tv_nsec * 1e-9;
}

void BM_LoadProjectVersusBareParse(benchmark::State& state) {
    const Project& p = project();
    QNModelController* controller = QNModelController::sharedModelController();
    double loadTotal = 0.0;
    double parseTotal = 0.0;
    double plistTotal = 0.0;
    for (auto _ : state) {
        controller->clean();
        double start = cpuNow();
        int calls = 0;
        while (!controller->loadNextFile(p.data)) ++calls;
        const double load = cpuNow() - start;
        benchmark::DoNotOptimize(calls);

        start = cpuNow();
        std::size_t nodes = 0;
        for (const std::string& file : p.files) {
            pugi::xml_document doc;
            if (doc.load_file(file.c_str())) nodes += (std::size_t)(doc.first_child() ? 1 : 0);
        }
        const double parse = cpuNow() - start;
        benchmark::DoNotOptimize(nodes);

        // The property-list reader alone, to see what the models add on top of it.
        start = cpuNow();
        for (const std::string& file : p.files) {
            cocos2d::CCDictionary* dict =
                cocos2d::CCDictionary::createWithContentsOfFileThreadSafe(file.c_str());
            if (dict) dict->release();
        }
        const double plist = cpuNow() - start;

        state.SetIterationTime(load);
        loadTotal += load;
        parseTotal += parse;
        plistTotal += plist;
    }
    if (controller->modelCount() != (std::size_t)p.models) state.SkipWithError("not every model was loaded");
    const double n = (double)state.iterations();
    state.counters["models"] = p.models;
    state.counters["files"] = (double)p.files.size();
    state.counters["load_ms"] = loadTotal / n * 1e3;
    state.counters["pugixml_ms"] = parseTotal / n * 1e3;
    state.counters["plist_ms"] = plistTotal / n * 1e3;
    state.counters["ratio"] = parseTotal > 0 ? loadTotal / parseTotal : 0.0;
    controller->clean();
}
BENCHMARK(BM_LoadProjectVersusBareParse)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LookupByIdAndClass(benchmark::State& state) {
    const Project& p = project();
    QNModelController* controller = QNModelController::sharedModelController();
    controller->clean();
    while (!controller->loadNextFile(p.data)) {
    }
    unsigned int id = 2;
    std::size_t found = 0;
    for (auto _ : state) {
        found += controller->modelById(id) != nullptr;
        found += controller->firstModelOfClass(kClasses[id % 10]) != nullptr;
        id = id + 1 < (unsigned int)p.models ? id + 1 : 2;
    }
    benchmark::DoNotOptimize(found);
    state.SetItemsProcessed(state.iterations() * 2);
    controller->clean();
}
BENCHMARK(BM_LookupByIdAndClass);

} // namespace
