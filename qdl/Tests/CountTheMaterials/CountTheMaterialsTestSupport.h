#pragma once

// What the counting game's driver plays share: the pieces as the game holds
// them (read on the loop's thread), sounds by name, and a copy of the game's
// content with one file replaced.

#include <string>
#include <vector>

#include "Core/Source/Vector2.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

class DraggableMaterial;
class SceneNode;

namespace CountTheMaterialsTestSupport
{

using GameDriver::CountOf;
using GameDriver::SoundsSince;

SceneNode* DumperRoot();
SceneNode* DiggerRoot();
// The pile object whose picture is the node at the path.
DraggableMaterial* PileAt(std::string const& picturePath);
Corvane::Vector2<float> ConstantPoint(char const* name);
bool Near(Corvane::Vector2<float> const& a, Corvane::Vector2<float> const& b);

// The game time in ms of the last play of the sound, or -1.
long long LastPlayMS(GameDriver::Child& child, std::string const& name);

// The build's text of a content file.
std::string OriginalContent(std::string const& file);
// Writes the text over the file of a content copy's folder.
void ReplaceContent(std::string const& folder, std::string const& file, std::string const& text);

} // namespace CountTheMaterialsTestSupport
