#include "Core/Source/StringUtils.h"
