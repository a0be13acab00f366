#pragma once
// A tiny 4x4 matrix type and the model-view / projection matrix stacks the renderer draws with.
// Nodes are transformed on the CPU (sprites submit world-space corners); the model-view stack is
// the "camera" on top of that: identity for the screen, moved by code that draws into render
// textures (mirrors) or draws meshes in a node's own space (lights, trails, flags).

#include "framework/CCAffineTransform.h"

namespace cocos2d {

/// Column-major 4x4 matrix, as OpenGL takes it.
struct kmMat4 {
    float mat[16];
};

enum { KM_GL_MODELVIEW = 0x1700, KM_GL_PROJECTION = 0x1701 };

kmMat4* kmMat4Identity(kmMat4* out);
/// out = a * b (b applied first). `out` may alias either operand.
kmMat4* kmMat4Multiply(kmMat4* out, const kmMat4* a, const kmMat4* b);
kmMat4* kmMat4OrthographicProjection(kmMat4* out, float left, float right, float bottom, float top,
                                     float nearVal, float farVal);
kmMat4* kmMat4Translation(kmMat4* out, float x, float y, float z);
/// Rotation about z by `radians` (counter-clockwise in a y-up space).
kmMat4* kmMat4RotationZ(kmMat4* out, float radians);
kmMat4* kmMat4Scaling(kmMat4* out, float x, float y, float z);
/// The inverse of an affine matrix in the xy-plane; identity when singular.
kmMat4* kmMat4InverseAffine2D(kmMat4* out, const kmMat4* in);
/// True when both hold the same 16 numbers.
bool kmMat4AreEqual(const kmMat4* a, const kmMat4* b);

/// A 2-D affine transform as a 4x4 matrix.
void CGAffineToGL(const CCAffineTransform* t, float* m);
/// The 2-D part of a 4x4 matrix.
void GLToCGAffine(const float* m, CCAffineTransform* t);

void kmGLMatrixMode(unsigned int mode);
void kmGLPushMatrix();
/// Pops the current stack; popping the last entry leaves it as it is.
void kmGLPopMatrix();
void kmGLLoadIdentity();
void kmGLLoadMatrix(const kmMat4* m);
/// current = current * m.
void kmGLMultMatrix(const kmMat4* m);
void kmGLTranslatef(float x, float y, float z);
/// Rotates by `degrees` about the axis (x, y, z); only the z axis is used by this program.
void kmGLRotatef(float degrees, float x, float y, float z);
void kmGLScalef(float x, float y, float z);
/// Copies the top of the stack `mode` into `out`.
void kmGLGetMatrix(unsigned int mode, kmMat4* out);
/// Empties both stacks back to identity (new frame, tests).
void kmGLResetStacks();
/// Bumped on every change of either stack; lets the renderer skip comparisons when nothing moved.
unsigned int kmGLGeneration();

} // namespace cocos2d
