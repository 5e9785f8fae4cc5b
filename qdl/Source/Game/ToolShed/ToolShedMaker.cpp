#include "qdl/Source/Game/GameMakers.h"

#include "qdl/Source/Game/ToolShed/ToolShedMode.h"

Corvane::ApplicationMode* createToolShedGame(Corvane::Label)
{
    return new ToolShedMode();
}
