#pragma once

// What the counting game's driver plays share: the pieces as the game holds
// them (read on the loop's thread), sounds by name, and a copy of the game's
// content with one file replaced.

#include <string>
#include <vector>

#include "Core/Source/Vector2.h"
#include "qdl/Tests/Driver/GameDriver.h"

class DraggableMaterial;
class SceneNode;

namespace CountTheMaterialsTestSupport
{

SceneNode* DumperRoot();
SceneNode* DiggerRoot();
// The pile object whose picture is the node at the path.
DraggableMaterial* PileAt(std::string const& picturePath);
Corvane::Vector2<float> ConstantPoint(char const* name);
bool Near(Corvane::Vector2<float> const& a, Corvane::Vector2<float> const& b);

// The names of the sounds asked for from the play numbered `from` on.
std::vector<std::string> SoundsSince(GameDriver::Child& child, size_t from);
int CountOf(std::vector<std::string> const& sounds, std::string const& name);
// The game time in ms of the last play of the sound, or -1.
long long LastPlayMS(GameDriver::Child& child, std::string const& name);

// The build's text of a content file.
std::string OriginalContent(std::string const& file);
// Writes the text over the file of a content copy's folder.
void ReplaceContent(std::string const& folder, std::string const& file, std::string const& text);

} // namespace CountTheMaterialsTestSupport
