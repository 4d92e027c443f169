#pragma once
// Connects each window to the others as it is created: the windows only
// announce what happened (signals), and this is the one place that knows
// who listens.

void Wire_Windows();
