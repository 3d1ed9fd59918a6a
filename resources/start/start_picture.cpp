#include "start_picture.h"

// The library exists to carry the embedded picture; this unit only gives it a source.
