#pragma once

// Hand-overs from a worker thread to the user-interface thread through Qt's event queue. Qt's
// queue is guarded by locks the race detector cannot see (Qt is not built for it), so the
// sending thread releases what it wrote before posting and the receiving thread acquires it when
// the event arrives; without the race detector both are empty.

class QEvent;
class QObject;

// Any thread: posts the event to the receiver's thread after releasing this thread's writes.
void PostHandOver(QObject* receiver, QEvent* event);

// User-interface thread, first thing in the receiver's event handler (for any event: a type
// that was not handed over costs nothing): takes over what the poster wrote.
void AcceptHandOver(const QEvent* event);
