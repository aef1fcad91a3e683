#pragma once
// Owning handle to a reference-counted object: a non-empty Pointer holds
// exactly one reference.

namespace ph {

template <class T> class Pointer {
public:
    Pointer() = default;
    Pointer(T* object) : held(object) { // NOLINT: implicit by design, like a raw pointer
        if (held) {
            held->retain();
        }
    }
    Pointer(const Pointer& other) : Pointer(other.held) {}
    template <class U> Pointer(const Pointer<U>& other) : Pointer(other.get()) {}
    virtual ~Pointer() { reset(); }

    Pointer& operator=(const Pointer& other) { return assign(other.held); }
    Pointer& operator=(T* object) { return assign(object); }

    // Takes over a reference the caller already owns.
    void adopt(T* object) {
        T* old = held;
        held = object;
        if (old) {
            old->release();
        }
    }

    void reset() {
        T* old = held;
        held = nullptr;
        if (old) {
            old->release();
        }
    }

    T* get() const { return held; }
    T* operator->() const { return held; }
    T& operator*() const { return *held; }
    explicit operator bool() const { return held != nullptr; }
    bool isEmpty() const { return held == nullptr; }

private:
    // Retain first so that assigning the held object to itself keeps it alive.
    Pointer& assign(T* object) {
        if (object) {
            object->retain();
        }
        T* old = held;
        held = object;
        if (old) {
            old->release();
        }
        return *this;
    }

    T* held = nullptr;
};

// Wraps a freshly created object (count 1) without adding a reference.
template <class T> Pointer<T> adopt(T* object) {
    Pointer<T> p;
    p.adopt(object);
    return p;
}

} // namespace ph
