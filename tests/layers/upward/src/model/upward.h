#pragma once
// A model header that reaches up into storage: the layer check must refuse it.

#include "storage/labelfile.h"
