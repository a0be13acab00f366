#pragma once
// Reading and writing the scalar values of model and attribute dictionaries. Every scalar in a data
// file is a string; these helpers give the conversions the attributes share.

#include <string>

#include "framework/CCDictionary.h"
#include "framework/CCGeometry.h"
#include "framework/CCString.h"

namespace qn {

/// The text under `key` ("" when absent or not a string). `dict` may be nullptr.
const std::string& textFor(cocos2d::CCDictionary* dict, const char* key);
/// True when `key` holds a non-empty string.
bool isPresent(cocos2d::CCDictionary* dict, const char* key);

/// The data files' boolean rule: false for "", "0" and "false", true for any other text.
bool textToBool(const std::string& text);
/// The data files' point form "{x,y}"; (0, 0) for anything else.
cocos2d::CCPoint textToPoint(const std::string& text);

/// Stores printf-formatted text under `key`.
void setText(cocos2d::CCDictionary* dict, const char* key, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
/// Stores a point as "{%.3f,%.3f}".
void setPoint(cocos2d::CCDictionary* dict, const char* key, const cocos2d::CCPoint& point);

/// A uniform random number in [-1, 1] from rand(), whatever the platform's RAND_MAX.
double randomUnit();

} // namespace qn
