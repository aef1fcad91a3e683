// Native builds have no engine of their own: code under test that acquires the
// engine gets the recording engine the test made current.
#include "tests/support/RecordingEngine.h"

Engine* AcquireEngine() {
    testsupport::RecordingEngine* engine = testsupport::RecordingEngine::current();
    if (engine != nullptr) {
        ++engine->acquires;
    }
    return engine;
}
