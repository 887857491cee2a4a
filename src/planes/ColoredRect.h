#pragma once

// Shading boxes are drawn by canvases in batches, so the type lives with the canvas.
#include "platform/ColoredRect.h"
