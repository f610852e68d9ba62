#include "EventQueueHandOver.h"

#include <QCoreApplication>
#include <QEvent>

#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define UMBRASCOPE_RACE_DETECTOR 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define UMBRASCOPE_RACE_DETECTOR 1
#endif

namespace umbrascope {

#ifdef UMBRASCOPE_RACE_DETECTOR
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
#endif

void ReleaseThroughQt([[maybe_unused]] const void* token) {
#ifdef UMBRASCOPE_RACE_DETECTOR
    __tsan_release(const_cast<void*>(token));
#endif
}

void AcquireThroughQt([[maybe_unused]] const void* token) {
#ifdef UMBRASCOPE_RACE_DETECTOR
    __tsan_acquire(const_cast<void*>(token));
#endif
}

void PostHandOver(QObject* receiver, QEvent* event) {
    ReleaseThroughQt(event);
    QCoreApplication::postEvent(receiver, event);
}

void AcceptHandOver(const QEvent* event) {
    AcquireThroughQt(event);
}

} // namespace umbrascope
