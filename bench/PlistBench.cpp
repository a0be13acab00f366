// Property-list reading and dictionary lookups at data-file scale (20,000 models).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "framework/CCAutoreleasePool.h"
#include "framework/CCDictionary.h"
#include "framework/CCPlist.h"

using namespace cocos2d;

namespace {

int modelCount() {
    return std::getenv("QN_BENCH_SMOKE") ? 200 : 20000;
}

/// A data file of `models` model dictionaries, each with eight attribute dictionaries.
std::string dataFile(int models) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
                       "<key>ROOT</key>\n<array>\n";
    for (int m = 0; m < models; ++m) {
        text += "<dict><key>className</key><string>QNModelSprite</string><key>id</key><integer>" +
                std::to_string(m + 1) + "</integer>";
        for (int a = 0; a < 8; ++a) {
            text += "<key>Attribute " + std::to_string(a) +
                    "</key><dict><key>type</key><integer>3</integer><key>value</key><string>{" +
                    std::to_string(a) + ".5,-2}</string><key>enabled</key><true/></dict>";
        }
        text += "</dict>\n";
    }
    return text + "</array>\n</dict>\n</plist>\n";
}

void BM_ParseDataFile(benchmark::State& state) {
    const std::string text = dataFile(modelCount());
    for (auto _ : state) {
        CCObject* root = CCPlist::parse(text.data(), text.size());
        benchmark::DoNotOptimize(root);
        root->release();
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)text.size());
    state.counters["models"] = modelCount();
}
BENCHMARK(BM_ParseDataFile)->Unit(benchmark::kMillisecond);

void BM_DictionaryLookup(benchmark::State& state) {
    CCDictionary* dict = new CCDictionary();
    const int n = modelCount();
    for (int i = 0; i < n; ++i)
        dict->setObject(CCString::create(std::to_string(i)), "key " + std::to_string(i));
    CCPoolManager::sharedPoolManager()->finalize();
    const std::string probe = "key " + std::to_string(n / 2);
    for (auto _ : state) benchmark::DoNotOptimize(dict->valueForKey(probe)->intValue());
    dict->release();
}
BENCHMARK(BM_DictionaryLookup);

} // namespace
