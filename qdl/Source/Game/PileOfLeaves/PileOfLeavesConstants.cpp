#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesConstants.h"

NodePathElement const kLeafImageNodePath[2] = {"imageNode", NodePathTerminator()};
NodePathElement const kToolImageNodePath[2] = {"imageNode", NodePathTerminator()};
NodePathElement const kToolHighlightNodePath[3] = {"imageNode", "highlightNode", NodePathTerminator()};

NodePathElement const kLeafLayerPath[2] = {"LeafLayer", NodePathTerminator()};
NodePathElement const kToolLayerPath[2] = {"ToolLayer", NodePathTerminator()};
NodePathElement const kClickMaskPath[2] = {"ClickMask", NodePathTerminator()};
NodePathElement const kDogAnimationNodePath[2] = {"DogAnimationNode", NodePathTerminator()};
NodePathElement const kToolToPickPath[2] = {"ToolToPick", NodePathTerminator()};
NodePathElement const kHighlightBoxPath[2] = {"HighlightBox", NodePathTerminator()};
