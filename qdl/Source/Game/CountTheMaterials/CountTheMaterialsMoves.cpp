#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMoves.h"

#include <cmath>
#include <set>
#include <string>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/Object.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"

using namespace Corvane;

char const* const kSloamForegroundDrivingSpeed = "SloamForegroundDrivingSpeed";
char const* const kSloamBackgroundDrivingSpeed = "SloamBackgroundDrivingSpeed";

void joinAtNewCuePoint(Object* first, Object* second)
{
    if (!first && !second)
        return;
    CuePoint* const cue = CuePoint::Create();
    if (first)
        first->AddTask(new CuePointTask(cue));
    if (second)
        second->AddTask(new CuePointTask(cue));
}

float driveDuration(Vector2<float> const& from, Vector2<float> const& to, char const* speedName)
{
    float const speed = Constant<float>(speedName);
    if (!(speed > 0.0f) || !std::isfinite(speed))
    {
        static std::set<std::string> reported;
        if (reported.insert(speedName).second)
            Internal::LogWrite("CountTheMaterials: the speed %s is not a positive number; its drives are instant\n",
                               speedName);
        return 0.0f;
    }
    float const dx = to.x - from.x;
    float const dy = to.y - from.y;
    return std::sqrt(dx * dx + dy * dy) / speed;
}

Vector2<float> constantPoint(char const* name)
{
    return Constant<Vector2<float> >(name);
}

std::vector<Vector2<float> > constantPath(char const* name)
{
    return Constant<std::vector<Vector2<float> > >(name);
}

Vector2<float> lastPointOf(std::vector<Vector2<float> > const& path, Vector2<float> const& start)
{
    return path.empty() ? start : path.back();
}

Task* newSoundEffectTask(Label sound)
{
    return new SimpleFunctionTask<AudioManager>([sound](AudioManager*, float) { GetAudioManager()->playSFX(sound); });
}
