#pragma once
// The transform stack used while drawing: the top is the current node-to-world transform in design
// points. The director loads the identity before it visits the running scene; a node pushes,
// multiplies its own transform in, draws, visits its children and pops. Code that draws a subtree
// elsewhere (an off-screen target, say) may load another transform first.

#include <vector>

#include "framework/CCAffineTransform.h"

namespace cocos2d {

class CCTransformStack {
public:
    /// The current transform.
    static const CCAffineTransform& top() { return s_top; }
    /// Replaces the current transform.
    static void load(const CCAffineTransform& t) { s_top = t; }
    static void loadIdentity() { s_top = CCAffineTransformIdentity; }
    /// Saves the current transform.
    static void push() { s_saved.push_back(s_top); }
    /// Restores the last saved transform (a pop with nothing saved loads the identity).
    static void pop() {
        if (s_saved.empty()) {
            s_top = CCAffineTransformIdentity;
            return;
        }
        s_top = s_saved.back();
        s_saved.pop_back();
    }
    /// The current transform becomes `local` followed by the old current one.
    static void multiply(const CCAffineTransform& local) { s_top = CCAffineTransformConcat(local, s_top); }
    /// How many transforms are saved.
    static std::size_t depth() { return s_saved.size(); }

private:
    static inline CCAffineTransform s_top = {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
    static inline std::vector<CCAffineTransform> s_saved;
};

} // namespace cocos2d
