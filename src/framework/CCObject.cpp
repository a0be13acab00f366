#include "framework/CCObject.h"

#include <cassert>
#include <cstdarg>
#include <cstdio>

#include "framework/CCAutoreleasePool.h"
#include "platform/DebugLog.h"

namespace cocos2d {
namespace {
unsigned int g_nextObjectId = 0;
} // namespace

CCObject::CCObject() : m_uID(++g_nextObjectId) {}

CCObject::~CCObject() {
    // An object deleted directly while a pool still holds it would be released twice.
    if (m_uAutoReleaseCount > 0) CCPoolManager::sharedPoolManager()->removeObject(this);
}

void CCObject::retain() {
    assert(m_uReference > 0);
    ++m_uReference;
}

void CCObject::release() {
    assert(m_uReference > 0);
    if (--m_uReference == 0) delete this;
}

CCObject* CCObject::autorelease() {
    CCPoolManager::sharedPoolManager()->addObject(this);
    return this;
}

void CCLog(const char* format, ...) {
    char line[qn::kLogLineMax + 1];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    qn::logLine("%s", line);
}

} // namespace cocos2d
