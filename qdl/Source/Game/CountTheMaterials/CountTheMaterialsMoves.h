#pragma once

// What the counting game's pieces share to choreograph their moves: meetings
// of two task queues at a new cue point, drive times from a named speed, the
// named points and paths of the drives, and sounds as steps of a queue.

#include <vector>

#include "Core/Source/Label.h"
#include "Core/Source/Vector2.h"

namespace Corvane
{
class Object;
class Task;
}

// The speed of every foreground drive, the digger's included, and of the
// background dumper, in scene units per second.
extern char const* const kSloamForegroundDrivingSpeed;
extern char const* const kSloamBackgroundDrivingSpeed;

// Queues a cue task for one new cue point on each object given, so that each
// waits there until the other has arrived. A missing object is left out, so
// the other never waits for it; with neither, no cue point is made.
void joinAtNewCuePoint(Corvane::Object* first, Corvane::Object* second);

// The straight-line distance over the named speed, in seconds. A speed that
// is not positive and finite makes the drive instant; that is logged once per
// speed name.
float driveDuration(Corvane::Vector2<float> const& from, Corvane::Vector2<float> const& to, char const* speedName);

Corvane::Vector2<float> constantPoint(char const* name);
std::vector<Corvane::Vector2<float> > constantPath(char const* name);
// The end of the path; the given point for an empty path, which moves nothing.
Corvane::Vector2<float> lastPointOf(std::vector<Corvane::Vector2<float> > const& path,
                                    Corvane::Vector2<float> const& start);

// A step that plays the sound effect at once.
Corvane::Task* newSoundEffectTask(Corvane::Label sound);
