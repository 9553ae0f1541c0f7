#pragma once
// Calls that worker threads hand back to one object living on the UI thread (the owner), made
// so that none can reach the owner once it is gone. The owner keeps a CUiCallbacks member and
// gives its workers Links; a Link holds the dispatcher's window handle and a share of a cell
// pointing at the owner, never the owner itself. The member's destructor empties the cell before
// its dispatcher goes, so a call still queued then is dropped with its data, whatever the order
// of the owner's members. The cell is read and emptied on the UI thread only; workers just copy
// the share.
#include <memory>
#include <utility>

#include "framework/UiDispatcher.h"

template <class Owner>
class CUiCallbacks {
public:
    // On the UI thread, from the owner's constructor.
    explicit CUiCallbacks(Owner& owner) : m_owner(std::make_shared<Owner*>(&owner)) {}
    ~CUiCallbacks() { *m_owner = nullptr; }
    CUiCallbacks(const CUiCallbacks&) = delete;
    CUiCallbacks& operator=(const CUiCallbacks&) = delete;

    class Link {
    public:
        // From any thread: runs `call(owner)` on the UI thread soon, if the owner still lives.
        // False (and `call` dropped) when it cannot be delivered.
        template <class Call>
        bool Post(Call call) const {
            return CUiDispatcher::PostTo(m_dispatcher, [owner = m_owner, call = std::move(call)]() mutable {
                if (Owner* alive = *owner) call(*alive);
            });
        }

    private:
        friend class CUiCallbacks;
        Link(HWND dispatcher, std::shared_ptr<Owner*> owner) : m_dispatcher(dispatcher), m_owner(std::move(owner)) {}
        HWND m_dispatcher;
        std::shared_ptr<Owner*> m_owner;
    };

    Link GetLink() const { return Link(m_dispatcher.Window(), m_owner); }
    // For work that needs no owner (it is addressed by window handle instead).
    HWND DispatcherWindow() const { return m_dispatcher.Window(); }

private:
    std::shared_ptr<Owner*> m_owner;
    CUiDispatcher m_dispatcher;  // frees the calls nobody ran
};
