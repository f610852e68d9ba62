#pragma once

class QEvent;
class QObject;

namespace umbrascope {

// Hand-overs from a worker thread to the user-interface thread through Qt's event queue, and to
// the threads of Qt's pool. Qt's queues are guarded by locks the race detector cannot see (Qt is
// not built for it), so the sending thread releases what it wrote before posting and the
// receiving thread acquires it when the event or task arrives; without the race detector all of
// these are empty.

// Any thread: posts the event to the receiver's thread after releasing this thread's writes.
void PostHandOver(QObject* receiver, QEvent* event);

// User-interface thread, first thing in the receiver's event handler (for any event: a type
// that was not handed over costs nothing): takes over what the poster wrote.
void AcceptHandOver(const QEvent* event);

// Any thread, before starting a task on Qt's pool: releases this thread's writes under token.
void ReleaseThroughQt(const void* token);

// First thing in the task: takes over what was released under token.
void AcquireThroughQt(const void* token);

} // namespace umbrascope
