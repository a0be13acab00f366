#pragma once
// The quad renderer. Nodes submit textured quads with world-space corners during the scene visit;
// consecutive quads that share texture, program, blend function and camera (the model-view stack)
// are drawn with one call. The number of draw calls of the last frame is kept for the snapshot.
// Without a GL context the same runs are formed and counted, only no GL call is made.

#include <string>
#include <vector>

#include "framework/CCRendererMatrix.h"
#include "framework/ccTypes.h"

namespace cocos2d {

class CCGLProgram;
class CCTexture2D;

struct ccVertex3F {
    float x, y, z;
};

struct ccTex2F {
    float u, v;
};

/// One vertex of a quad: position, premultiplied colour, texture coordinates.
struct ccV3F_C4B_T2F {
    ccVertex3F vertices;
    ccColor4B colors;
    ccTex2F texCoords;
};

/// Top-left, bottom-left, top-right, bottom-right.
struct ccV3F_C4B_T2F_Quad {
    ccV3F_C4B_T2F tl;
    ccV3F_C4B_T2F bl;
    ccV3F_C4B_T2F tr;
    ccV3F_C4B_T2F br;
};

class CCRenderer {
public:
    /// Quads one draw call holds at most.
    static constexpr unsigned int kQuadCapacity = 1024;

    static CCRenderer* sharedRenderer();

    /// Starts a frame: resets the counter and the matrix stacks, sets the projection for the design
    /// resolution and (with GL) clears the window and sets the letterboxed viewport.
    void beginFrame();
    /// Ends a frame: flushes, keeps the draw-call count and hands it to the director.
    void endFrame();

    /// Makes the director run beginFrame and endFrame around each scene visit (the endFrame hook
    /// also hands the draw-call count to the director for the snapshot).
    void attachToDirector();

    /// Queues one quad. `texture` may be nullptr (no texture: the quad is drawn in its colours).
    void drawQuad(const ccV3F_C4B_T2F_Quad& quad, CCTexture2D* texture, CCGLProgram* program,
                  const ccBlendFunc& blend);
    /// Draws what is queued. Call it before drawing with GL yourself.
    void flush();
    /// Counts draw calls made outside the quad queue (meshes of effects).
    void addDrawCalls(unsigned int count) { m_drawCalls += count; }

    /// Draw calls so far in this frame (including queued quads not yet flushed).
    unsigned int drawCallsThisFrame() const { return m_drawCalls + (m_queued ? 1u : 0u); }
    /// Draw calls of the last finished frame.
    unsigned int lastFrameDrawCalls() const { return m_lastFrameDrawCalls; }

    /// The colour the window is cleared to (black by default).
    void setClearColor(const ccColor4F& color) { m_clearColor = color; }

    /// Starts drawing into an off-screen target of `width` x `height` pixels (framebuffer `fbo`,
    /// 0 without GL): one point is one pixel, origin bottom-left. Saves the current target.
    void pushRenderTarget(unsigned int fbo, int width, int height);
    /// Returns to the target saved by the matching push.
    void popRenderTarget();

    /// The model-view a node's own-space mesh is drawn with: camera times the node's world
    /// transform (the transform stack's top while the node draws).
    kmMat4 currentNodeModelView() const;

    /// Keeps a copy of every finished frame so a screenshot can be written after the last one.
    void setFrameCapture(bool enabled) { m_captureFrames = enabled; }
    /// Writes the last frame as PNG: the kept copy, else what the GL front buffer holds.
    bool saveScreenshot(const std::string& path);

private:
    CCRenderer();
    void applyScreenProjection();
    bool sameCamera();

    struct Target {
        unsigned int fbo;
        int viewport[4];
        kmMat4 projection;
    };

    std::vector<ccV3F_C4B_T2F_Quad> m_quads;
    std::vector<unsigned short> m_indices;
    std::vector<Target> m_targets;
    CCTexture2D* m_runTexture = nullptr;
    CCGLProgram* m_runProgram = nullptr;
    ccBlendFunc m_runBlend = {0, 0};
    kmMat4 m_runCamera;
    unsigned int m_runCameraGeneration = 0;
    unsigned int m_queued = 0;
    unsigned int m_drawCalls = 0;
    unsigned int m_lastFrameDrawCalls = 0;
    ccColor4F m_clearColor = {0.0f, 0.0f, 0.0f, 1.0f};
    int m_viewport[4] = {0, 0, 0, 0};
    unsigned int m_currentFbo = 0;
    bool m_captureFrames = false;
    std::vector<unsigned char> m_lastFrame;
    int m_lastFrameSize[2] = {0, 0};
};

} // namespace cocos2d

namespace qn {

/// Writes the last drawn frame to `path` as PNG (needs GL). Logs and returns false without it.
bool saveScreenshot(const std::string& path);

/// Starts keeping a copy of each drawn frame, so saveScreenshot works after the buffers swapped.
void keepFramesForScreenshot(bool enabled);

} // namespace qn
