#pragma once
// Calls that worker threads hand back to one object living on the UI thread (the owner), made
// so that none can reach the owner once it is gone. The owner keeps a CUiCallbacks member and
// gives its workers Links; a Link holds the dispatcher's window handle and a weak reference to
// the owner (CWeakRef). The member's destructor ends the owner's lifetime before its dispatcher
// goes, so a call still queued then is dropped with its data, whatever the order of the owner's
// members.
#include <memory>
#include <utility>

#include "framework/Lifetime.h"
#include "framework/UiDispatcher.h"

template <class Owner>
class CUiCallbacks {
public:
    // On the UI thread, from the owner's constructor.
    explicit CUiCallbacks(Owner& owner) : m_owner(m_life.Ref(&owner)) {}
    ~CUiCallbacks() { m_life.End(); }
    CUiCallbacks(const CUiCallbacks&) = delete;
    CUiCallbacks& operator=(const CUiCallbacks&) = delete;

    class Link {
    public:
        // From any thread: runs `call(owner)` on the UI thread soon, if the owner still lives.
        // False (and `call` dropped) when it cannot be delivered.
        template <class Call>
        bool Post(Call call) const {
            return CUiDispatcher::PostTo(m_dispatcher, [owner = m_owner, call = std::move(call)]() mutable {
                if (Owner* alive = owner.Get()) call(*alive);
            });
        }

    private:
        friend class CUiCallbacks;
        Link(HWND dispatcher, CWeakRef<Owner> owner) : m_dispatcher(dispatcher), m_owner(std::move(owner)) {}
        HWND m_dispatcher;
        CWeakRef<Owner> m_owner;
    };

    Link GetLink() const { return Link(m_dispatcher.Window(), m_owner); }
    // For work that needs no owner (it is addressed by window handle instead).
    HWND DispatcherWindow() const { return m_dispatcher.Window(); }

private:
    CLifetime m_life;
    CWeakRef<Owner> m_owner;
    CUiDispatcher m_dispatcher;  // frees the calls nobody ran
};
