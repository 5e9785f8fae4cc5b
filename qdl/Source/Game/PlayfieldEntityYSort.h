#pragma once

// The depth order of the pieces standing on a playfield: whatever stands lower
// on the screen is drawn later, in front. The games whose pieces walk or drive
// past each other re-sort their playfield layer with it before every draw.

class SceneNode;

// True when the bottom of a lies above the bottom of b (a smaller y; y grows
// downward). A node's bottom is the global y of its direct child named
// "PlayfieldEntityBottomLoc" when it has one, else the y plus the height of its
// composite bounds (the node and all its descendants, visible or not).
bool PlayfieldEntityYSort(SceneNode const* a, SceneNode const* b);

// Stable sort of the layer's children by PlayfieldEntityYSort: equal bottoms
// keep their order. Does nothing for a null layer.
void SortPlayfieldEntities(SceneNode* layer);
