#ifndef CORVANE_EXTENSIONS_CORVANEEXTENSIONS_H
#define CORVANE_EXTENSIONS_CORVANEEXTENSIONS_H

// Registers the scene graph's resource kinds ("spriteanimationlist", "spritetype",
// "scenelayout", "randomrange") with the resource manager and its node tags with the
// scene layout manager. Called once by the application's set-up, before its
// manifests are loaded.
void SetupCorvaneExtensions();

#endif
