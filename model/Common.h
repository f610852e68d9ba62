#pragma once

// The open session: the document the window edits, held in process-wide variables, with the
// operations the user-interface thread applies to it. Computations on a session's values live
// in SessionState.h and take a copy instead (OpenSession()).
//
// Thread rule: only the user-interface thread reads or writes these variables and calls these
// functions, except CurrentValuesView() and IsPlaying, which every thread may use.

#include "Session.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The session header, the two settings records and the event list.
extern std::string SessionName;
extern std::string SessionAuthor;
extern std::string SessionDescription; // lines separated by CR LF
extern std::int32_t SessionLength;     // ms
extern std::string ProjectFileName;    // empty for a new project
extern TSessionValues StartValues;
extern TCurrentValues CurrentValues;
extern std::vector<TSessionEvent> Events; // sorted by time, ties in insertion order
extern std::atomic<bool> IsPlaying;
extern std::int32_t SessionPosition; // ms

// Makes the open session a new, empty project and computes the state at time 0.
void ResetProject();

// A copy of the open session's contents, and the reverse.
Session OpenSession();
void AdoptSession(Session session);

// Lets edit change the open session's contents in place, without copying them.
void EditOpenSession(const std::function<void(Session&)>& edit);

// The folder of the open project (Windows-1251), where moved media are looked for; empty for a
// new project.
std::string OpenProjectFolder();

// Rebuilds CurrentValues for time t from the open session (see StateAt) and publishes it.
// Returns the message that stopped the computation, if any (Windows-1251).
[[nodiscard]] std::optional<std::string> ComputeStateAt(std::int32_t t);

// The event list operations of SessionState.h on the open session's Events.
std::size_t InsertEvent(const TSessionEvent& event);
void ResortEvents();
void DeleteEvent(std::size_t index);
void RescaleEventTimes(std::int32_t oldLength, std::int32_t newLength);

// Thread safe; takes a short lock around a pointer copy: the state in force as last published
// by the user-interface thread. Never null.
std::shared_ptr<const TCurrentValues> CurrentValuesView();

// Makes the present CurrentValues visible to other threads.
void PublishCurrentValues();
