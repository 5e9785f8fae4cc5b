#pragma once

// A button drawn as an animated sprite until the mouse is over it: the title's
// swinging sign that turns into the play button, and the main menu's. The
// button starts transparent; entering it hides the sprite and shows the
// button, leaving it brings the sprite back.

#include "Core/Source/Label.h"

class AnimatedSpriteNode;
class ButtonNode;

namespace Corvane
{
class ObjectDatabase;
}

// In Setup. The handlers find both nodes again by ID in the database, so a
// node gone meanwhile is simply left out.
void wireAnimatedSignButton(Corvane::ObjectDatabase* database, ButtonNode* button, AnimatedSpriteNode* sign);

// In Enter: the language's sprite type, its animation "Play" going on if it
// already plays.
void startAnimatedSign(AnimatedSpriteNode* sign, Corvane::Label spriteType);
