#pragma once

// The standard feedback on a scene node: a wobble for a wrong move and a short
// pop when something is picked up. Each returns a new task chain that the
// caller queues on the node, which then owns it.

namespace Corvane
{
class Task;
}

// Back to full size at once, then -10, +10, -10, +10 and 0 degrees over
// 0.4 s in all: the node ends unscaled and upright.
Corvane::Task* getNodeErrorShakeTask();
// 110 % for 0.1 s, then normal size.
Corvane::Task* getNodeItemPickUpAnimTask();
