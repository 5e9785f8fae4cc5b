#include "qdl/Source/Game/GameMakers.h"

Corvane::ApplicationMode* createToolShedGame(Corvane::Label)
{
    return gameNotAvailableYet("ToolShed");
}
