#pragma once
// Weak references to objects that are not owned by a shared_ptr (windows that free themselves,
// members of the bar), for code that runs after the object may have gone: work posted to the UI
// thread, code after a modal loop. The object holds a CLifetime, ends it first thing in its
// destructor (or wherever it stops taking such work), and from then on every reference reads
// null, whatever order its members go in.
//
// References may be copied and handed on from any thread; Get and End belong to the UI
// thread, which owns the object, so the check cannot race with the end.
#include <memory>

template <class T>
class CWeakRef {
public:
    CWeakRef() = default;
    CWeakRef(T* object, std::weak_ptr<const bool> alive) : m_object(object), m_alive(std::move(alive)) {}

    // The object, or null once its lifetime has ended.
    T* Get() const { return m_alive.expired() ? nullptr : m_object; }
    explicit operator bool() const { return Get() != nullptr; }

private:
    T* m_object = nullptr;
    std::weak_ptr<const bool> m_alive;
};

class CLifetime {
public:
    CLifetime() = default;
    ~CLifetime() = default;
    CLifetime(const CLifetime&) = delete;
    CLifetime& operator=(const CLifetime&) = delete;

    // A reference to `object`, the owner of this lifetime.
    template <class T>
    CWeakRef<T> Ref(T* object) const {
        return CWeakRef<T>(object, m_alive);
    }
    void End() { m_alive.reset(); }

private:
    std::shared_ptr<const bool> m_alive = std::make_shared<const bool>(true);
};
