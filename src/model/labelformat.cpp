#include "model/labelformat.h"
// placeholder; the model is written next
