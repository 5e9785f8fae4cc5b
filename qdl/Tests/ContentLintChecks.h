#pragma once

// Content-lint checks that read a content folder as plain files, with a
// scanner of their own that keeps what the engine's reader folds away (an
// attribute given twice), and return what they find wrong, one line per
// finding naming the file, line, element and attribute. Being functions of a
// folder, a damaged copy of the content proves each of them.

#include <string>
#include <utility>
#include <vector>

#include "2DEngine/Source/Framework/ContentNumbers.h"

namespace ContentLintChecks
{

typedef std::vector<std::string> Findings;

// One start tag as written: attributes in file order, repeats kept.
struct sRawElement
{
    std::string file;
    int line = 0;
    // 0 for the root element, 1 for the declarations of a manifest.
    int depth = 0;
    std::string tag;
    std::vector<std::pair<std::string, std::string> > attributes;
    // Tag and name of the depth-1 declaration it belongs to (itself at depth 1).
    std::string declarationTag;
    std::string declarationName;

    // The first value of the attribute, or null.
    std::string const* Find(std::string const& name) const;
    // "File.xml:12 <tag name>".
    std::string Where() const;
};

// Every start tag of the XML file at `path`, in file order; a finding when it cannot be read.
std::vector<sRawElement> ReadRawElements(std::string const& path, Findings& findings);
// The same for every "*.xml" of the folder, files in name order.
std::vector<sRawElement> ReadContentElements(std::string const& folder, Findings& findings);

// The generic number check, for constants, layouts and levels alike: the text
// reads as a number, as the engine reads it, that fits the range.
void CheckNumber(std::string const& where, std::string const& attribute, std::string const& text,
                 Corvane::NumberRange const& range, Findings& findings);

// Numbers of constants (finite; a "...Time" constant a time; a rectangle's
// size a size), of scene and widget layouts (positions, sizes, scales other
// than 0, alphas) and of the games' levels (all number, no trailing text).
Findings NumberFindings(std::string const& folder);
// Animations whose frame list or "frame" elements give no frame.
Findings FramelessAnimationFindings(std::string const& folder);
// Start tags that give one attribute twice.
Findings DuplicateAttributeFindings(std::string const& folder);
// "sounds=", "images=", "spriteType=", "font=" and a sound list's "src=" naming what no
// manifest declares.
Findings UndeclaredNameFindings(std::string const& folder);
// Image files that images and image-list frames ("pattern", "first", "last") name and that are not there.
Findings MissingPictureFindings(std::string const& folder);
// Spoken lines of the folder's VoiceOver.tsv without their two files, and sounds whose file is gone.
Findings MissingSoundFileFindings(std::string const& folder);

} // namespace ContentLintChecks
