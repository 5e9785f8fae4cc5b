#pragma once

// The level record of PlanAJob: the pictures of the job (cards of this
// difficulty, filled blueprint slots, the building's sprite type) and how
// many of the five steps the child places. Filled by the game's level
// factory while the manifest loads; not changed afterwards.

#include "Core/Source/Label.h"

class PlanAJobLevel
{
public:
    // A job has five steps; between one and all of them are left empty.
    static constexpr int kNumSteps = 5;

    PlanAJobLevel() : numEmpty(0) {}

    Corvane::Label objects;
    Corvane::Label targets;
    Corvane::Label spriteType;
    int numEmpty;
};
