#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesConstants.h"

NodePathElement const kPileOfLeavesLeafImagePath[2] = {"imageNode", NodePathTerminator()};
NodePathElement const kPileOfLeavesToolImagePath[2] = {"imageNode", NodePathTerminator()};
NodePathElement const kPileOfLeavesToolHighlightPath[3] = {"imageNode", "highlightNode", NodePathTerminator()};

NodePathElement const kPileOfLeavesLeafLayerPath[2] = {"LeafLayer", NodePathTerminator()};
NodePathElement const kPileOfLeavesToolLayerPath[2] = {"ToolLayer", NodePathTerminator()};
NodePathElement const kPileOfLeavesClickMaskPath[2] = {"ClickMask", NodePathTerminator()};
NodePathElement const kPileOfLeavesDogPath[2] = {"DogAnimationNode", NodePathTerminator()};
NodePathElement const kPileOfLeavesToolToPickPath[2] = {"ToolToPick", NodePathTerminator()};
NodePathElement const kPileOfLeavesHighlightBoxPath[2] = {"HighlightBox", NodePathTerminator()};
