#include "shell/Snapshot.h"

#include <cmath>
#include <gtest/gtest.h>
#include <filesystem>
#include <limits>

#include "TestSupport.h"

namespace {

TEST(JsonWriterTest, EscapesStrings) {
    struct Case {
        std::string in;
        const char* out;
    };
    const Case cases[] = {
        {"plain", "\"plain\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"back\\slash", "\"back\\\\slash\""},
        {"a\nb\tc\rd", "\"a\\nb\\tc\\rd\""},
        {std::string("\x01\x1f", 2), "\"\\u0001\\u001f\""},
        {std::string("nul\0in", 6), "\"nul\\u0000in\""},
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xae", "\"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xae\""},
        // Bytes that are not UTF-8 (stray, cut short, overlong, surrogate) become U+FFFD.
        {"a\xff\xc3", "\"a\\ufffd\\ufffd\""},
        {"\xc0\xaf\xed\xa0\x80", "\"\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\""},
    };
    for (const Case& c : cases) EXPECT_EQ(qn::JsonWriter::quote(c.in), c.out);
}

TEST(JsonWriterTest, NumbersLiteralsAndNesting) {
    qn::JsonWriter json;
    json.beginObject();
    json.key("i").value(-3);
    json.key("big").value(std::int64_t(4000000000));
    json.key("d").value(0.1);
    json.key("f").value(0.1f);
    json.key("whole").value(1136.0f);
    json.key("wide").value(1280.0);
    json.key("half").value(1234.5f);
    json.key("tiny").value(1e-7);
    json.key("huge").value(1e300);
    json.key("negzero").value(-0.0);
    json.key("nan").value(std::nan(""));
    json.key("inf").value(std::numeric_limits<double>::infinity());
    json.key("b").value(true);
    json.key("n").null();
    json.key("s").value(static_cast<const char*>(nullptr));
    json.key("list")
        .beginArray()
        .value(1)
        .beginObject()
        .endObject()
        .beginArray()
        .endArray()
        .value("x")
        .endArray();
    json.endObject();
    EXPECT_EQ(json.str(),
              "{\"i\": -3, \"big\": 4000000000, \"d\": 0.1, \"f\": 0.1, \"whole\": 1136, \"wide\": 1280, "
              "\"half\": 1234.5, \"tiny\": 1e-07, \"huge\": 1e+300, "
              "\"negzero\": 0, \"nan\": null, \"inf\": null, \"b\": true, \"n\": null, \"s\": null, "
              "\"list\": [1, {}, [], \"x\"]}");
}

TEST(SnapshotTest, FieldsInRegistrationOrderAndReplacedInPlace) {
    qn::Snapshot::addProvider("zeta", [](qn::JsonWriter& j) { j.value(1); });
    qn::Snapshot::addProvider("alpha",
                              [](qn::JsonWriter& j) { j.beginArray().value(2).value(3).endArray(); });
    qn::Snapshot::addProvider("empty", [](qn::JsonWriter&) {});
    qn::Snapshot::addProvider("zeta", [](qn::JsonWriter& j) { j.value("again"); });
    EXPECT_EQ(qn::Snapshot::toJson(), "{\"zeta\": \"again\", \"alpha\": [2, 3], \"empty\": null}\n");
    qn::Snapshot::removeProvider("alpha");
    EXPECT_FALSE(qn::Snapshot::hasProvider("alpha"));
    EXPECT_EQ(qn::Snapshot::toJson(), "{\"zeta\": \"again\", \"empty\": null}\n");
    qn::Snapshot::removeProvider("zeta");
    qn::Snapshot::removeProvider("empty");
}

TEST(SnapshotTest, WritesTheWholeFileAndReportsFailure) {
    qntest::TempDir dir;
    qn::Snapshot::addProvider("frame", [](qn::JsonWriter& j) { j.value(7); });
    std::string path = dir.file("snap.json");
    ASSERT_TRUE(qn::Snapshot::writeFile(path));
    EXPECT_EQ(qntest::readFile(path), "{\"frame\": 7}\n");
    // Written again, the file is replaced, and no temporary file is left beside it.
    ASSERT_TRUE(qn::Snapshot::writeFile(path));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) (void)entry, ++files;
    EXPECT_EQ(files, 1);

    // Missing folders are made; a path through a plain file cannot be written.
    ASSERT_TRUE(qn::Snapshot::writeFile(dir.file("new/folder/snap.json")));
    EXPECT_EQ(qntest::readFile(dir.file("new/folder/snap.json")), "{\"frame\": 7}\n");
    EXPECT_FALSE(qn::Snapshot::writeFile(dir.file("snap.json/inside.json")));
    qn::Snapshot::removeProvider("frame");
}

} // namespace
