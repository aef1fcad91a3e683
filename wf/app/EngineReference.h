#pragma once
// One engine reference for the span of a scope: acquired on construction,
// given back on destruction. For framework code that needs the engine briefly.

#include "engine/Engine.h"

namespace wf {

class EngineReference {
public:
    EngineReference() : engine(AcquireEngine()) {}
    EngineReference(const EngineReference&) = delete;
    EngineReference& operator=(const EngineReference&) = delete;
    ~EngineReference() { engine->System_Release(); }

    Engine* operator->() const { return engine; }
    Engine& operator*() const { return *engine; }

private:
    Engine* engine;
};

} // namespace wf
