#include "qdl/Source/Game/StickerBook/StickerBookMaker.h"

#include "qdl/Source/Game/StickerBook/StickerBookMode.h"

Corvane::ApplicationMode* createStickerBook()
{
    return new StickerBookMode();
}
