#pragma once
// Whether drawing reaches OpenGL. The renderer, textures and programs ask here before every GL
// call: with no current context (headless runs, the dummy video driver) they keep their CPU-side
// state and skip GL, so the program behaves the same either way.

namespace qn {

/// True when an OpenGL context is current and its functions are loaded. The first call that finds
/// a context initialises GLEW (accepting GLEW's EGL complaint when the functions are there).
bool glReady();

/// Counts the contexts seen so far; GL objects made under another number are stale and are
/// made again (textures re-upload their kept pixels, programs recompile).
unsigned int glContextGeneration();

/// Forgets the context (call after destroying it); the next glReady() looks again.
void glContextLost();

/// Tests and headless runs: never use GL even when a context is current.
void setGLDisabled(bool disabled);

} // namespace qn
