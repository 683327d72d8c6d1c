#pragma once
// A record source header that reaches up into printing: the layer check must
// refuse it.

#include "printing/printengine.h"
