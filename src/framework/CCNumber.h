#pragma once
// Small reference-counted number values for containers. The property-list reader never makes
// these (every scalar it reads is a CCString); the writer stores them as <integer>, <real>,
// <true/> and <false/>.

#include "framework/CCObject.h"

namespace cocos2d {

class CCInteger : public CCObject {
public:
    explicit CCInteger(int v) : m_nValue(v) {}
    /// An autoreleased integer value.
    static CCInteger* create(int v) { return static_cast<CCInteger*>((new CCInteger(v))->autorelease()); }
    int getValue() const { return m_nValue; }
    bool isEqual(const CCObject* o) const override {
        auto other = dynamic_cast<const CCInteger*>(o);
        return other && other->m_nValue == m_nValue;
    }

private:
    int m_nValue;
};

class CCFloat : public CCObject {
public:
    explicit CCFloat(float v) : m_fValue(v) {}
    /// An autoreleased float value.
    static CCFloat* create(float v) { return static_cast<CCFloat*>((new CCFloat(v))->autorelease()); }
    float getValue() const { return m_fValue; }
    bool isEqual(const CCObject* o) const override {
        auto other = dynamic_cast<const CCFloat*>(o);
        return other && other->m_fValue == m_fValue;
    }

private:
    float m_fValue;
};

class CCDouble : public CCObject {
public:
    explicit CCDouble(double v) : m_dValue(v) {}
    /// An autoreleased double value.
    static CCDouble* create(double v) { return static_cast<CCDouble*>((new CCDouble(v))->autorelease()); }
    double getValue() const { return m_dValue; }
    bool isEqual(const CCObject* o) const override {
        auto other = dynamic_cast<const CCDouble*>(o);
        return other && other->m_dValue == m_dValue;
    }

private:
    double m_dValue;
};

class CCBool : public CCObject {
public:
    explicit CCBool(bool v) : m_bValue(v) {}
    /// An autoreleased boolean value.
    static CCBool* create(bool v) { return static_cast<CCBool*>((new CCBool(v))->autorelease()); }
    bool getValue() const { return m_bValue; }
    bool isEqual(const CCObject* o) const override {
        auto other = dynamic_cast<const CCBool*>(o);
        return other && other->m_bValue == m_bValue;
    }

private:
    bool m_bValue;
};

} // namespace cocos2d
