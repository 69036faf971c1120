// Kernel objects behind HANDLE values: threads, events, serial ports.
//
// Handle values are never reused, so a stale handle is always reported as
// invalid rather than reaching an unrelated object.
#pragma once

#include <memory>

#include "platform/base/WinTypes.h"

namespace quorvel {

class ThreadSignal;

class KernelObject {
  public:
    virtual ~KernelObject();
    // Whether a wait on the object would be satisfied now.
    virtual bool IsSignaled() const;
    // Called by a wait that wants to be satisfied: returns whether it is, and
    // takes the signal where the object hands it to one waiter only (an
    // auto-reset event). The default is IsSignaled().
    virtual bool TryAcquire();
    // Called when a handle to the object is closed, after the handle is gone.
    virtual void OnClose();
};

HANDLE RegisterHandle(std::shared_ptr<KernelObject> object);
// Null for an unknown or closed handle.
std::shared_ptr<KernelObject> LookupHandle(HANDLE handle);
// The object became signaled: kicks the threads waiting on it.
void NotifyWaiters(KernelObject& object);

// Marks the calling thread as waiting on `object` for its lifetime, so that
// NotifyWaiters kicks it. Used by the blocking waits of this library.
class ObjectWaitScope {
  public:
    ObjectWaitScope(KernelObject& object, ThreadSignal& signal);
    ~ObjectWaitScope();
    ObjectWaitScope(const ObjectWaitScope&) = delete;
    ObjectWaitScope& operator=(const ObjectWaitScope&) = delete;

  private:
    KernelObject* m_object;
    ThreadSignal* m_signal;
};

}  // namespace quorvel

using quorvel::KernelObject;

// Closes the handle (the object's OnClose runs); FALSE with
// ERROR_INVALID_HANDLE for an unknown or already closed handle.
BOOL CloseHandle(HANDLE handle);
