#include "framework/CCRendererMatrix.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace cocos2d {

kmMat4* kmMat4Identity(kmMat4* out) {
    std::memset(out->mat, 0, sizeof out->mat);
    out->mat[0] = out->mat[5] = out->mat[10] = out->mat[15] = 1.0f;
    return out;
}

kmMat4* kmMat4Multiply(kmMat4* out, const kmMat4* a, const kmMat4* b) {
    float r[16];
    const float* m1 = a->mat;
    const float* m2 = b->mat;
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            float s = 0.0f;
            for (int k = 0; k < 4; ++k) s += m1[k * 4 + row] * m2[col * 4 + k];
            r[col * 4 + row] = s;
        }
    std::memcpy(out->mat, r, sizeof r);
    return out;
}

kmMat4* kmMat4OrthographicProjection(kmMat4* out, float left, float right, float bottom, float top, float nearVal,
                                     float farVal) {
    kmMat4Identity(out);
    if (right == left || top == bottom || farVal == nearVal) return out;
    out->mat[0] = 2.0f / (right - left);
    out->mat[5] = 2.0f / (top - bottom);
    out->mat[10] = -2.0f / (farVal - nearVal);
    out->mat[12] = -((right + left) / (right - left));
    out->mat[13] = -((top + bottom) / (top - bottom));
    out->mat[14] = -((farVal + nearVal) / (farVal - nearVal));
    return out;
}

kmMat4* kmMat4Translation(kmMat4* out, float x, float y, float z) {
    kmMat4Identity(out);
    out->mat[12] = x;
    out->mat[13] = y;
    out->mat[14] = z;
    return out;
}

kmMat4* kmMat4RotationZ(kmMat4* out, float radians) {
    kmMat4Identity(out);
    float c = std::cos(radians), s = std::sin(radians);
    out->mat[0] = c;
    out->mat[1] = s;
    out->mat[4] = -s;
    out->mat[5] = c;
    return out;
}

kmMat4* kmMat4Scaling(kmMat4* out, float x, float y, float z) {
    kmMat4Identity(out);
    out->mat[0] = x;
    out->mat[5] = y;
    out->mat[10] = z;
    return out;
}

kmMat4* kmMat4InverseAffine2D(kmMat4* out, const kmMat4* in) {
    CCAffineTransform t;
    GLToCGAffine(in->mat, &t);
    CCAffineTransform inv = CCAffineTransformInvert(t);
    kmMat4Identity(out);
    CGAffineToGL(&inv, out->mat);
    return out;
}

bool kmMat4AreEqual(const kmMat4* a, const kmMat4* b) { return std::memcmp(a->mat, b->mat, sizeof a->mat) == 0; }

void CGAffineToGL(const CCAffineTransform* t, float* m) {
    m[2] = m[3] = m[6] = m[7] = m[8] = m[9] = m[11] = m[14] = 0.0f;
    m[10] = m[15] = 1.0f;
    m[0] = t->a;
    m[4] = t->c;
    m[12] = t->tx;
    m[1] = t->b;
    m[5] = t->d;
    m[13] = t->ty;
}

void GLToCGAffine(const float* m, CCAffineTransform* t) {
    t->a = m[0];
    t->c = m[4];
    t->tx = m[12];
    t->b = m[1];
    t->d = m[5];
    t->ty = m[13];
}

namespace {

struct MatrixStacks {
    std::vector<kmMat4> modelview;
    std::vector<kmMat4> projection;
    std::vector<kmMat4>* current;
    unsigned int generation = 0;

    MatrixStacks() {
        modelview.reserve(32);
        projection.reserve(8);
        reset();
    }
    void reset() {
        kmMat4 id;
        kmMat4Identity(&id);
        modelview.assign(1, id);
        projection.assign(1, id);
        current = &modelview;
        ++generation;
    }
    kmMat4& top() { return current->back(); }
};

MatrixStacks& stacks() {
    static MatrixStacks s;
    return s;
}

} // namespace

void kmGLMatrixMode(unsigned int mode) {
    MatrixStacks& s = stacks();
    s.current = mode == KM_GL_PROJECTION ? &s.projection : &s.modelview;
}

void kmGLPushMatrix() {
    MatrixStacks& s = stacks();
    kmMat4 top = s.top();
    s.current->push_back(top);
}

void kmGLPopMatrix() {
    MatrixStacks& s = stacks();
    if (s.current->size() > 1) {
        s.current->pop_back();
        ++s.generation;
    }
}

void kmGLLoadIdentity() {
    kmMat4Identity(&stacks().top());
    ++stacks().generation;
}

void kmGLLoadMatrix(const kmMat4* m) {
    stacks().top() = *m;
    ++stacks().generation;
}

void kmGLMultMatrix(const kmMat4* m) {
    kmMat4& top = stacks().top();
    kmMat4Multiply(&top, &top, m);
    ++stacks().generation;
}

void kmGLTranslatef(float x, float y, float z) {
    kmMat4 t;
    kmGLMultMatrix(kmMat4Translation(&t, x, y, z));
}

void kmGLRotatef(float degrees, float x, float y, float z) {
    (void)x;
    (void)y;
    if (z == 0.0f) return;
    kmMat4 r;
    float radians = degrees * 0.017453292519943295f * (z < 0.0f ? -1.0f : 1.0f);
    kmGLMultMatrix(kmMat4RotationZ(&r, radians));
}

void kmGLScalef(float x, float y, float z) {
    kmMat4 s;
    kmGLMultMatrix(kmMat4Scaling(&s, x, y, z));
}

void kmGLGetMatrix(unsigned int mode, kmMat4* out) {
    MatrixStacks& s = stacks();
    *out = mode == KM_GL_PROJECTION ? s.projection.back() : s.modelview.back();
}

void kmGLResetStacks() { stacks().reset(); }

unsigned int kmGLGeneration() { return stacks().generation; }

} // namespace cocos2d
