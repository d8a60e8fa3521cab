// Image primitives of the viewer: palette lookup, nearest-neighbour resize, copy,
// left shift, 16u to 8u reduction, histogram, mean and standard deviation.
#pragma once
