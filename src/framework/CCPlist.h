#pragma once
// The XML property-list reader and writer.
//
// Reading: <plist> holds one value; values are <dict> (alternating <key> and value), <array>,
// <string>, <integer>, <real>, <date>, <data>, <true/> and <false/>. Every scalar arrives as a
// CCString: strings exactly as written (entities decoded), integers, reals and dates with the
// surrounding spaces trimmed, <true/> and <false/> as "true" and "false", and <data> as its base64
// text with the white space removed (not decoded). Comments and a DOCTYPE are skipped; a bare
// <dict> or <array> root without <plist> is accepted too. Anything else -- bad XML, a truncated
// file, an unknown element, a key without a value, nesting deeper than kMaxDepth -- fails the whole
// read: no partial tree is ever returned.
//
// Writing: CCDictionary, CCArray, CCString (as <string>), and the CCNumber values; the output
// reads back into an equal tree.

#include <cstddef>
#include <string>

#include "framework/CCArray.h"
#include "framework/CCDictionary.h"
#include "framework/CCObject.h"

namespace cocos2d {

class CCPlist {
public:
    /// Deepest nesting of dictionaries and arrays that is read or written.
    static constexpr int kMaxDepth = 512;

    /// Parses a property list held in memory. Returns the root object with one reference owned by
    /// the caller (not autoreleased), or nullptr with the reason in `*error` (when given). No log.
    static CCObject* parse(const char* data, std::size_t size, std::string* error = nullptr);
    /// Reads a property-list file. Returns the root with one reference owned by the caller, or
    /// nullptr after one log line naming the file and the problem.
    static CCObject* readFile(const std::string& path);
    /// Reads a file whose root is a dictionary; autoreleased, nullptr (logged) otherwise.
    static CCDictionary* dictionaryFromFile(const std::string& path);
    /// Reads a file whose root is an array; autoreleased, nullptr (logged) otherwise.
    static CCArray* arrayFromFile(const std::string& path);

    /// The XML text of a property list whose root is `root`. False (reason in `*error`) for objects
    /// it cannot write or nesting deeper than kMaxDepth (which is also how a cycle ends).
    static bool write(const CCObject* root, std::string* out, std::string* error = nullptr);
    /// Writes `root` to `path` atomically (temporary file, flush, rename); false on failure, logged.
    static bool writeFile(const CCObject* root, const std::string& path);

    /// Deep comparison of two property-list trees: same kinds, same keys in the same order, equal
    /// leaves (CCString and number values by isEqual). Deeper than kMaxDepth compares unequal.
    static bool deepEqual(const CCObject* a, const CCObject* b);
};

/// Reads a property-list file whose root is an array (autoreleased; nullptr, logged, otherwise).
inline CCArray* ccArrayCreateWithContentsOfFile(const char* path) {
    return CCPlist::arrayFromFile(path ? path : "");
}

} // namespace cocos2d
