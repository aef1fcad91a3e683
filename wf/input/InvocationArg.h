#pragma once
// A reference-counted callable taking one argument: the drag and drop
// callbacks of a pointer capture.

#include "ph/RefCounter.h"

#include <functional>
#include <utility>

namespace wf {

template <class T> class InvocationArg : public ph::RefCounter {
public:
    explicit InvocationArg(std::function<void(T)> function) : call(std::move(function)) {}

    void invoke(T argument) const {
        if (call) {
            call(argument);
        }
    }

private:
    std::function<void(T)> call;
};

} // namespace wf
