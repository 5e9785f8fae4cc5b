#pragma once

// The sticker book for the main menu and the end of the story.

namespace Corvane
{
class ApplicationMode;
}

Corvane::ApplicationMode* createStickerBook();
